#!/usr/bin/env bash
# Installs the Debian packages named as arguments that are not installed yet,
# through apt-get, with sudo when not root.
set -euo pipefail
manquants=()
for paquet in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q "install ok installed"; then
    manquants+=("$paquet")
  fi
done
[ ${#manquants[@]} -eq 0 ] && exit 0
echo "Installing: ${manquants[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${manquants[@]}"
