#!/usr/bin/env bash
# Draws the program's icons and menu images (run by hand; the outputs are committed).
set -euo pipefail
cd "$(dirname "$0")"
t=$(mktemp -d); trap 'rm -rf "$t"' EXIT

# Application icon: a round clock face with a lit LED-green rim.
face() { # size out hand_colour
    local s=$1 out=$2 c=$3 r=$(( $1 / 2 - 1 )) m=$(( $1 / 2 ))
    convert -size ${s}x${s} xc:none \
        -fill '#1d2733' -stroke "$c" -strokewidth $(( s / 12 + 1 )) -draw "circle $m,$m $m,$(( m - r + s / 24 ))" \
        -stroke white -strokewidth $(( s / 16 + 1 )) -draw "line $m,$m $m,$(( s / 4 ))" \
        -stroke "$c" -draw "line $m,$m $(( m + s / 4 )),$(( m + s / 8 ))" \
        -fill white -stroke none -draw "circle $m,$m $m,$(( m + s / 16 + 1 ))" "$out"
}
for s in 16 24 32 48; do face $s "$t/app$s.png" '#39d353'; done
convert "$t"/app16.png "$t"/app24.png "$t"/app32.png "$t"/app48.png kalvoro.ico
# Tray animation: the second frame lights the rim amber (a message waits unread).
face 16 "$t/tray1.png" '#ffb000'
convert "$t"/app16.png tray0.ico
convert "$t"/tray1.png tray1.ico

# Menu images, 16 x 16 each, in this order: settings, help, exit, about, home page, tasks, marks, world time.
img() { convert -size 16x16 xc:'#ff00ff' "$@"; }
img -fill '#5b6b7f' -stroke '#2f3a46' -draw 'circle 8,8 8,2' -fill '#ff00ff' -draw 'circle 8,8 8,5' \
    -stroke '#2f3a46' -strokewidth 2 -draw 'line 8,0 8,3' -draw 'line 8,13 8,16' -draw 'line 0,8 3,8' -draw 'line 13,8 16,8' "$t/m0.bmp"
img -fill '#2d7dd2' -stroke '#1b4f86' -draw 'circle 8,8 8,1' -fill white -stroke none \
    -font Liberation-Sans-Bold -pointsize 12 -gravity center -annotate +0+0 '?' "$t/m1.bmp"
img -fill '#d64545' -stroke '#8c2323' -draw 'roundrectangle 1,1 14,14 3,3' -stroke white -strokewidth 2 \
    -draw 'line 5,5 11,11' -draw 'line 11,5 5,11' "$t/m2.bmp"
img -fill '#3aa05a' -stroke '#23663a' -draw 'circle 8,8 8,1' -fill white -stroke none \
    -font Liberation-Sans-Bold -pointsize 12 -gravity center -annotate +0+0 'i' "$t/m3.bmp"
img -fill '#e8a33d' -stroke '#8d5d17' -draw 'polygon 8,1 15,8 13,8 13,15 3,15 3,8 1,8' -fill '#8d5d17' \
    -draw 'rectangle 7,10 9,15' "$t/m4.bmp"
img -fill white -stroke '#444444' -draw 'circle 8,8 8,1' -stroke '#d64545' -strokewidth 2 \
    -draw 'line 8,8 8,3' -draw 'line 8,8 12,8' "$t/m5.bmp"
img -fill white -stroke '#666666' -draw 'rectangle 1,2 14,15' -fill '#d64545' -stroke none -draw 'rectangle 1,2 14,5' \
    -fill '#d64545' -draw 'polygon 9,8 13,8 13,14 11,12 9,14' "$t/m6.bmp"
img -fill '#4aa3df' -stroke '#1f5f8b' -draw 'circle 8,8 8,1' -stroke '#2f8f46' -fill none \
    -draw 'ellipse 8,8 3,7 0,360' -draw 'line 1,8 15,8' "$t/m7.bmp"
convert "$t"/m0.bmp "$t"/m1.bmp "$t"/m2.bmp "$t"/m3.bmp "$t"/m4.bmp "$t"/m5.bmp "$t"/m6.bmp "$t"/m7.bmp \
    +append -type TrueColor BMP3:menu_images.bmp
