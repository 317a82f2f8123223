#!/usr/bin/env bash
# Installs what the tests need, then: builds and runs every test through CTest;
# runs each fuzz target for a bounded time; builds again with AddressSanitizer
# and UndefinedBehaviorSanitizer (build-asan) and runs the whole suite there,
# where any report fails the run; builds with ThreadSanitizer (build-tsan)
# and runs the end-to-end tests and the read-ahead tests there.
set -euo pipefail
cd "$(dirname "$0")"
tools/installer.sh build-essential cmake pkg-config libgtest-dev libbenchmark-dev \
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev fonts-dejavu-core xvfb xauth xdotool x11-apps imagemagick clang \
  libclang-rt-dev librsvg2-bin libexif-dev
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
(cd build && ctest --output-on-failure -j2 --timeout 300)

fuzz/lancer.sh "${TRELUNE_FUZZ_SECONDES:-25}"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELUNE_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
cd build-asan
# Unit tests keep leak detection; end-to-end tests set their own ASAN_OPTIONS.
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --output-on-failure -j2 --timeout 600
cd ..

cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELUNE_TSAN=ON >/dev/null
cmake --build build-tsan -j"$(nproc)" --target trelune trelune_tests trelune_photo_disque trelune_demo
cd build-tsan
unset ASAN_OPTIONS UBSAN_OPTIONS
# any race report ends the program with a failure
# the GL driver of the virtual display is left out: tests/tsan.supp
export TSAN_OPTIONS=halt_on_error=1:exitcode=66:suppressions=$PWD/../tests/tsan.supp
ctest --output-on-failure -j2 --timeout 600 -R 'e2e_|Prechargeur|PhotoTest|VueSuivante|Boucle'
