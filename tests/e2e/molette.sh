#!/usr/bin/env bash
# The wheel zooms one step about the pointer: the photo point under it stays
# there, and the selected pixels take each new size at once. Key 0 then shows
# the whole photo, centred, at the largest zoom of the table that fits.
source "$(dirname "$0")/lib.sh"
e2e_debut "${1:-}"

# zoom index 3 (1): the 100x60 photo covers window [170, 270) x [150, 210)
e2e_photo photos/img_001.png 100 60 bg 40,40,40 disc 25,15,8 200,30,30
e2e_donnees largeur=440 hauteur=360 zoom=3
e2e_lancer
e2e_attendre_ligne "init success"
e2e_fenetre
e2e_attendre_pixel 170 180 40,40,40

# a zone over the disc and a colour click on it: centre (25, 15), window (195, 165)
e2e_glisser 180 155 230 185
e2e_attendre_ligne "Taille de is_select : 1581"
e2e_tenir i "Ajouter a la selection par couleurs similaires"
e2e_clic 195 165
e2e_attendre_ligne "centre: x= 25 y= 15"

# two notches up with the pointer on photo point (25, 15): offsets -145, -135
# at zoom 2, then -70, -90 at zoom 5; the photo's first column follows (the
# pointer is still where it clicked: a move to the same point would wait)
xdotool click 4
e2e_attendre_ligne "Molette : zoom 2"
e2e_attendre_pixel 145 165 40,40,40
e2e_attendre_pixel 144 165 0,150,0
xdotool click 4
e2e_attendre_ligne "Molette : zoom 5"
e2e_attendre_pixel 70 165 40,40,40
e2e_attendre_pixel 69 165 0,150,0
# photo pixel (25, 15) covers window [195, 200) x [165, 170): the marker, 3
# pixels inset by one at zoom 5, over the disc under the zone's overlay
# (206,26,26 alone, 212,53,53 with the marker), off the centre cross's bars
e2e_attendre_pixel 197 167 212,53,53
e2e_attendre_pixel 199 169 206,26,26
[ "$(e2e_nombre_lignes "Molette : zoom 2")" -eq 1 ] || e2e_echec "one step per notch"

# key 0: 100x60 fits 440x360 at 2 (5 would be 500 wide), centred at [120, 320)
e2e_tenir 0 "Photo entiere : zoom 2"
e2e_attendre_pixel 120 180 40,40,40
e2e_attendre_pixel 119 180 0,150,0
e2e_attendre_pixel 319 239 40,40,40

e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
