#!/usr/bin/env bash
# What the first frame shows: the window at (100, 20) with the photo centred,
# the dark green background around it and the blue window-centre cross.
source "$(dirname "$0")/lib.sh"
e2e_debut "${1:-}"

# zoom index 4 (2): the 100x60 photo covers window pixels [120, 320) x [120, 240)
e2e_photo photos/img_001.png 100 60 bg 40,40,40 disc 25,15,8 200,30,30
e2e_donnees largeur=440 hauteur=360 zoom=4
e2e_lancer
e2e_attendre_ligne "init success"
e2e_fenetre
[ "$E2E_FW" -eq 440 ] && [ "$E2E_FH" -eq 360 ] || e2e_echec "window is ${E2E_FW}x$E2E_FH"
[ "$E2E_FX" -eq 100 ] && [ "$E2E_FY" -eq 20 ] || e2e_echec "window at ($E2E_FX, $E2E_FY)"

e2e_attendre_pixel 220 180 0,0,255   # the centre column and row: the cross
e2e_attendre_pixel 210 180 0,0,255   # its horizontal bar from 210 to 229
e2e_attendre_pixel 220 189 0,0,255   # its vertical bar from 170 to 189
e2e_attendre_pixel 5 5 0,150,0       # background, outside the photo
e2e_attendre_pixel 435 355 0,150,0
e2e_attendre_pixel 119 180 0,150,0   # just left of the photo
e2e_attendre_pixel 120 180 40,40,40  # its first column
e2e_attendre_pixel 170 150 200,30,30 # the disc: photo pixel (25, 15) at zoom 2
e2e_attendre_pixel 319 239 40,40,40  # its last pixel
e2e_attendre_pixel 320 239 0,150,0

e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
