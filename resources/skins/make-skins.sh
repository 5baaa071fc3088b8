#!/usr/bin/env bash
# Draws the default skins and packs them: Skin/Default.sk (bar, calendar and weather windows),
# Skin/Frame/Window.sk (dialog frames), Clock/Classic.cl and Clock/Modern.cl.
#
#   make-skins.sh <skinpack executable> [folder for the pictures, kept for inspection]
#
# Needs ImageMagick 6 ("convert") and the fonts "AR PL UKai CN" and "Liberation Serif". The same
# tools give byte-identical packages.
#
# Windows show the desktop through pure magenta, and anti-aliased edges against it would leave pink
# fringes: every outline is therefore drawn with soft edges on a transparent canvas and its alpha
# then cut at 50 %, so each pixel is either wholly picture or wholly magenta.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
skinpack=$(realpath "${1:?usage: make-skins.sh <skinpack executable> [picture folder]}")
if [ $# -ge 2 ]; then
    work=$2
    mkdir -p "$work"
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
cd "$work"

KAI=$(fc-match -f '%{file}' 'AR PL UKai CN')
SERIF=$(fc-match -f '%{file}' 'Liberation Serif:bold')

# Dark glass: a lighter upper half over a darker lower half, split sharply like a lens.
glass() {  # width height out.png [rows of the upper half]
    local w=$1 h=$2 top=${4:-$(($2 / 2))}
    local bottom=$((h - top))
    convert \( -size "${w}x${top}" gradient:'#59647a'-'#343c4c' \) \
            \( -size "${w}x${bottom}" gradient:'#1e2430'-'#0f1217' \) -append "$3"
}

# Lower body of the windows: the darker half of the glass, stretched.
dark_body() {  # width height out.png
    convert -size "$1x$2" gradient:'#1c222d'-'#0e1116' "$3"
}

# Replaces everything outside a rounded rectangle by magenta.
cut_round() {  # in.png width height radius out.png
    local w=$2 h=$3 r=$4
    convert -size "${w}x${h}" xc:black -fill white -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) $r,$r" \
        -threshold 50% "$work/mask.png"
    convert "$1" "$work/mask.png" -alpha off -compose copy_opacity -composite \
        -background magenta -alpha remove -alpha off "$5"
}

# Cuts the alpha of a drawing on a transparent canvas at 50 % and puts magenta behind it.
key_out() {  # in.png out.png
    convert "$1" -channel A -threshold 50% +channel -background magenta -alpha remove -alpha off "$2"
}

BORDER='#0a0c10'
GLINT='rgba(255,255,255,0.30)'
ACCENT='rgba(110,220,255,0.55)'   # the LED's cyan

#----------------------------------------------------------------------------------------------
# The bar, 332 x 34: LED panel at 53,4 116x26, date line at 173,12 154x20, menu button 8,4 43x27,
# minimise button 296,1 26x9. Button pictures are cut from bars drawn with the button in each
# state, so they carry exactly the background behind them.

bar_base() {
    glass 332 34 bar-glass.png
    convert bar-glass.png \
        \( -size 332x9 gradient:'rgba(110,220,255,0)'-'rgba(110,220,255,0.12)' \) -geometry +0+24 -compose over -composite \
        -fill "$GLINT" -draw 'line 6,1 325,1' \
        -fill 'rgba(255,255,255,0.06)' -draw 'line 4,17 327,17' \
        -fill '#05070a' -draw 'roundrectangle 52,3 169,30 2,2' \
        -fill 'rgba(255,255,255,0.13)' -draw 'line 53,31 168,31' -draw 'line 170,4 170,29' \
        -fill 'rgba(0,0,0,0.35)' -draw 'line 172,8 172,29' \
        -fill 'rgba(255,255,255,0.08)' -draw 'line 173,8 173,29' \
        -fill none -stroke "$BORDER" -draw 'roundrectangle 0,0 331,33 7,7' \
        bar-base.png
}

# The menu button: a glass pill holding a vermilion seal with 时 and a small arrow.
menu_button() {  # state(up|hot) in.png out.png
    local top bottom seal glyph
    if [ "$1" = hot ]; then
        top='#7d93b8'; bottom='#2f4468'; seal='#e2483a'; glyph='#ffffff'
    else
        top='#5d6880'; bottom='#262d3a'; seal='#b83227'; glyph='#f4e9dc'
    fi
    convert -size 43x27 xc:none \
        \( -size 43x13 gradient:"$top"-"$bottom" -size 43x14 gradient:'#1b212b'-'#10141a' -append \) \
        -compose over -composite button-fill.png
    if [ "$1" = hot ]; then
        convert button-fill.png \( -size 43x14 gradient:'rgba(120,200,255,0.0)'-'rgba(120,200,255,0.35)' \) \
            -geometry +0+13 -compose over -composite button-fill.png
    fi
    convert -size 43x27 xc:black -fill white -draw 'roundrectangle 0,0 42,26 5,5' button-mask.png
    convert button-fill.png button-mask.png -alpha off -compose copy_opacity -composite \
        -fill none -stroke "$BORDER" -draw 'roundrectangle 0,0 42,26 5,5' \
        -stroke 'rgba(255,255,255,0.28)' -draw 'line 4,1 38,1' \
        -stroke none -fill "$glyph" -draw 'polygon 28,12 36,12 32,17' \
        button.png
    # The seal: 时 in brush script on vermilion.
    convert -size 17x17 xc:"$seal" -fill none -stroke 'rgba(255,255,255,0.35)' -draw 'roundrectangle 1,1 15,15 1,1' \
        -fill "$glyph" -stroke "$glyph" -strokewidth 0.4 -font "$KAI" -pointsize 14 -gravity center -annotate +0+0 '时' \
        seal.png
    convert button.png seal.png -geometry +6+5 -compose over -composite button.png
    convert "$2" button.png -geometry +8+4 -compose over -composite "$3"
}

min_button() {  # state in.png out.png
    local fill line
    if [ "$1" = hot ]; then fill='#3d8fd6'; line='#ffffff'; else fill='#2a303c'; line='#c9d3e1'; fi
    convert "$2" -fill "$fill" -stroke "$BORDER" -draw 'roundrectangle 296,-4 321,9 3,3' \
        -stroke none -fill "$line" -draw 'rectangle 304,4 313,5' "$3"
}

bar_base
min_button up bar-base.png bar-min-up.png
min_button hot bar-base.png bar-min-hot.png
menu_button up bar-min-up.png bar-up.png
menu_button hot bar-min-up.png bar-menu-hot.png
cut_round bar-up.png 332 34 7 bar.png
cut_round bar-menu-hot.png 332 34 7 bar-menu-hot-keyed.png
cut_round bar-min-hot.png 332 34 7 bar-min-hot-keyed.png

#----------------------------------------------------------------------------------------------
# The calendar window, 332 x 390: heading labels at y 19 (kind at 15, year at 189, month at 267),
# their arrow buttons at y 27, the month grid at 3,43 326x272 (the grid paints itself), four
# information lines from y 321.

header_window() {  # height out.png
    glass 332 43 head.png 17
    dark_body 332 $(($1 - 43)) body.png
    convert head.png body.png -append \
        -fill "$GLINT" -draw 'line 7,1 324,1' \
        -fill "$ACCENT" -draw 'line 8,41 323,41' \
        "$2"
}

header_window 390 calendar-0.png
convert calendar-0.png \
    -fill '#eef2f7' -stroke "$BORDER" -draw 'rectangle 2,42 329,315' \
    -stroke none -fill 'rgba(255,255,255,0.07)' -draw 'line 3,316 328,316' \
    -fill none -stroke "$BORDER" -draw 'roundrectangle 0,0 331,389 8,8' \
    calendar-1.png
cut_round calendar-1.png 332 390 8 calendar.png

#----------------------------------------------------------------------------------------------
# The weather window, 332 x 160: heading at 15,19, its arrow at 100,27, the page at 6,44 320x109.

header_window 160 weather-0.png
convert weather-0.png \
    -fill white -stroke "$BORDER" -draw 'rectangle 5,43 326,153' \
    -stroke 'rgba(255,255,255,0.10)' -fill none -draw 'line 5,154 326,154' \
    -stroke "$BORDER" -draw 'roundrectangle 0,0 331,159 8,8' \
    weather-1.png
cut_round weather-1.png 332 160 8 weather.png

# The small arrow of the heading buttons, 11 x 11 on magenta.
convert -size 11x11 xc:magenta +antialias -fill '#d7e0ec' -draw 'polygon 2,4 8,4 5,7' arrow.png

#----------------------------------------------------------------------------------------------
# The dialog frame, 100 x 50, cut into nine parts by the frame painter: a 28-row caption band
# (corners 20 wide), edges 10 wide, a 10-row bottom; the middle is the dialog's face and is
# stretched. Below it the close button, 43 x 17, normal at 0,50 and hot at 43,50; it stands on the
# caption one row below the frame's top, which is row 0 of this picture.

FACE='#f0f0f0'
glass 100 28 frame-caption.png 13
convert frame-caption.png \( -size 100x22 xc:"$FACE" \) -append \
    -fill "$GLINT" -draw 'line 2,1 97,1' \
    -fill "$ACCENT" -draw 'line 1,27 98,27' \
    -fill none -stroke "$BORDER" -draw 'rectangle 0,0 99,49' \
    -stroke '#b9c0ca' -draw 'line 1,48 98,48' -draw 'line 1,28 1,47' -draw 'line 98,28 98,47' \
    frame.png

close_button() {  # state out.png
    local body
    convert frame.png -crop 43x17+30+0 +repage close-back.png
    if [ "$1" = hot ]; then
        convert -size 43x17 xc:black -fill white -draw 'roundrectangle 0,-6 42,16 4,4' close-mask.png
        convert -size 43x17 gradient:'#e0564a'-'#a9241b' close-mask.png -alpha off -compose copy_opacity -composite close-red.png
        convert close-back.png close-red.png -compose over -composite \
            -fill none -stroke '#5e120d' -draw 'roundrectangle 0,-6 42,16 4,4' close-body.png
        body='#ffffff'
    else
        cp close-back.png close-body.png
        body='#d3dae5'
    fi
    convert close-body.png -stroke "$body" -strokewidth 1.6 -draw 'line 17,4 25,12' -draw 'line 25,4 17,12' "$2"
}
close_button up close-up.png
close_button hot close-hot.png

#----------------------------------------------------------------------------------------------
# Clock skins: a round face 201 x 201 (pivot in its middle pixel, 100,100), hands drawn pointing
# at 12 on pictures of odd width and height whose middle pixel is the pivot, and a centre cap.
# The rotation takes a hand's see-through colour from its bottom-left pixel, which stays magenta.

# Draw commands for n marks around the centre of a 201 x 201 face, from radius r1 to r2.
ticks() {  # count r1 r2 [skip every k-th]
    awk -v n="$1" -v r1="$2" -v r2="$3" -v skip="${4:-0}" 'BEGIN {
        pi = atan2(0, -1)
        for (i = 0; i < n; i++) {
            if (skip > 0 && i % skip == 0) continue
            a = 2 * pi * i / n
            printf "line %.2f,%.2f %.2f,%.2f ", 100 + r1 * sin(a), 100 - r1 * cos(a), 100 + r2 * sin(a), 100 - r2 * cos(a)
        }
    }'
}

# Offsets from the centre for the twelve numerals at radius r (for -gravity center).
numeral_offset() {  # hour r
    awk -v h="$1" -v r="$2" 'BEGIN { pi = atan2(0, -1); a = 2 * pi * h / 12
        printf "%+d%+d", 100 + r * sin(a) - 100, 100 - r * cos(a) - 100 }'
}

# Puts a drawing of a hand or cap on a transparent canvas onto magenta with hard edges.
hand() {  # width height draw-arguments... ; writes to $out
    local w=$1 h=$2
    shift 2
    convert -size "${w}x${h}" xc:none "$@" hand-drawn.png
    key_out hand-drawn.png "$out"
}

# Classic: brass bezel, ivory dial, serif numerals, blued-steel hands and a red seconds hand.
convert -size 201x201 -define gradient:angle=135 gradient:'#f1dc9c'-'#6e4f1c' classic-brass.png
convert -size 201x201 radial-gradient:'#fffcf2'-'#e4d8b8' classic-dial.png
convert -size 201x201 xc:none \
    -fill '#2b1d0c' -draw 'circle 100,100 100,0' \
    \( classic-brass.png \( -size 201x201 xc:black -fill white -draw 'circle 100,100 100,2' \) \
       -alpha off -compose copy_opacity -composite \) -compose over -composite \
    \( classic-dial.png \( -size 201x201 xc:black -fill white -draw 'circle 100,100 100,10' \) \
       -alpha off -compose copy_opacity -composite \) -compose over -composite \
    -fill none -stroke '#5a4112' -strokewidth 1 -draw 'circle 100,100 100,10' \
    -stroke '#8a6a2a' -draw 'circle 100,100 100,46' \
    -stroke '#2a2118' -strokewidth 1 -draw "$(ticks 60 82 88 5)" \
    -strokewidth 2.5 -draw "$(ticks 12 78 88)" \
    classic-face-0.png
classic_numerals=()
for h in 1 2 3 4 5 6 7 8 9 10 11 12; do
    classic_numerals+=(-annotate "$(numeral_offset "$h" 66)" "$h")
done
convert -size 17x17 xc:'#b83227' -fill none -stroke 'rgba(255,255,255,0.35)' -draw 'roundrectangle 1,1 15,15 1,1' \
    -fill '#f4e9dc' -stroke '#f4e9dc' -strokewidth 0.4 -font "$KAI" -pointsize 14 -gravity center -annotate +0+0 '时' \
    classic-seal.png
convert classic-face-0.png -stroke none -fill '#2a2118' -font "$SERIF" -pointsize 17 -gravity center \
    "${classic_numerals[@]}" -gravity northwest classic-seal.png -geometry +92+54 -compose over -composite \
    classic-face-1.png
key_out classic-face-1.png classic-face.png

STEEL='#1c2433'
out=classic-hour.png hand 9 101 -fill "$STEEL" -draw 'polygon 4,3 7.4,32 5.6,50 5.2,61 2.8,61 2.4,50 0.6,32' \
    -fill '#e9dfc4' -draw 'polygon 4,14 5.6,31 4,40 2.4,31'
out=classic-minute.png hand 7 157 -fill "$STEEL" -draw 'polygon 3,3 5.4,52 4.6,78 4.2,94 1.8,94 1.4,78 0.6,52'
out=classic-second.png hand 9 177 -fill '#b3261e' -draw 'polygon 4,4 4.8,88 5.2,112 2.8,112 3.2,88' \
    -draw 'circle 4,106 4,102.5'
out=classic-cap.png hand 13 13 -fill '#3a2a12' -draw 'circle 6,6 6,0' -fill '#d8bb6c' -draw 'circle 6,6 6,1.5' \
    -fill '#8a6a2a' -draw 'circle 6,6 6,4'

# Modern: dark glass dial like the bar, steel ring, light bars and a cyan seconds hand.
convert -size 201x201 -define gradient:angle=135 gradient:'#b6c0cf'-'#2a303a' modern-ring.png
convert -size 201x201 radial-gradient:'#283040'-'#0d1015' modern-dial.png
convert -size 201x201 xc:none \
    -fill '#07090c' -draw 'circle 100,100 100,0' \
    \( modern-ring.png \( -size 201x201 xc:black -fill white -draw 'circle 100,100 100,2' \) \
       -alpha off -compose copy_opacity -composite \) -compose over -composite \
    \( modern-dial.png \( -size 201x201 xc:black -fill white -draw 'circle 100,100 100,7' \) \
       -alpha off -compose copy_opacity -composite \) -compose over -composite \
    -fill none -stroke '#05070a' -draw 'circle 100,100 100,7' \
    -stroke '#5c6675' -strokewidth 1 -draw "$(ticks 60 83 88 5)" \
    -stroke '#e8edf3' -strokewidth 3.5 -draw "$(ticks 12 72 88 3)" \
    -stroke '#6edcff' -strokewidth 3.5 -draw "$(ticks 4 68 88)" \
    modern-face-0.png
key_out modern-face-0.png modern-face.png

out=modern-hour.png hand 7 99 -fill '#eef2f7' -draw 'roundrectangle 0.5,3 5.5,58 2.5,2.5'
out=modern-minute.png hand 5 161 -fill '#eef2f7' -draw 'roundrectangle 0.5,3 3.5,94 1.5,1.5'
out=modern-second.png hand 9 177 -fill '#6edcff' -draw 'rectangle 3.6,4 4.4,110' \
    -draw 'circle 4,88 4,84' -fill '#0d1015' -draw 'circle 4,88 4,86.4'
out=modern-cap.png hand 11 11 -fill '#6edcff' -draw 'circle 5,5 5,0' -fill '#10141a' -draw 'circle 5,5 5,2.2'

#----------------------------------------------------------------------------------------------
# Sheets: every picture goes where its description says, the rest stays magenta.

# "left top width height" of a piece, read from a description.
piece() {  # description name
    awk -F= -v name="$2" '{ sub(/\r$/, ""); value[tolower($1)] = $2 }
        END { n = tolower(name); print value[n "left"], value[n "top"], value[n "width"], value[n "height"] }' "$1"
}

# Adds "picture -geometry +left+top -composite" for a piece to the array sheet_args.
place() {  # description name picture
    local left top width height
    read -r left top width height < <(piece "$1" "$2")
    sheet_args+=("$3" -geometry "+$left+$top" -composite)
}

crop() {  # picture left top width height out
    convert "$1" -crop "$4x$5+$2+$3" +repage "$6"
}

crop bar.png 8 4 43 27 menu-up.png
crop bar-menu-hot-keyed.png 8 4 43 27 menu-hot.png
crop bar.png 296 1 26 9 min-up.png
crop bar-min-hot-keyed.png 296 1 26 9 min-hot.png

d="$here/Default.ini"
sheet_args=()
place "$d" BarBk bar.png
place "$d" CalendarBk calendar.png
place "$d" WeatherBk weather.png
place "$d" MenuBtnUp menu-up.png
place "$d" MenuBtnHot menu-hot.png
place "$d" MinBtnUp min-up.png
place "$d" MinBtnHot min-hot.png
place "$d" YearBtnUp arrow.png
place "$d" MonthBtnUp arrow.png
convert -size 332x611 xc:magenta "${sheet_args[@]}" default-24.png
# 8 bits keep the package small. The palette holds magenta itself, and without dithering a pixel
# maps to its nearest colour, so see-through pixels stay exactly magenta and no others become it.
# The bar and its buttons, seen all day, count eight times when the 255 other colours are chosen.
convert default-24.png -fill '#1e2430' -opaque magenta palette-source.png
convert palette-source.png -crop 332x34+0+0 +repage palette-bar.png
convert palette-source.png -crop 332x27+0+584 +repage palette-buttons.png
convert palette-source.png $(for _ in 1 2 3 4 5 6 7 8; do echo palette-bar.png palette-buttons.png; done) -append \
    +dither -colors 255 -unique-colors default-palette-0.png
convert default-palette-0.png -size 1x1 xc:magenta +append default-palette.png
convert default-24.png +dither -remap default-palette.png -type Palette -compress None BMP3:default.bmp

d="$here/Window.ini"
sheet_args=()
place "$d" Win frame.png
place "$d" CloseBtn close-up.png
place "$d" CloseBtnHot close-hot.png
convert -size 100x67 xc:magenta "${sheet_args[@]}" -type TrueColor -compress None BMP3:window.bmp

for clock in classic modern; do
    d="$here/${clock^}.ini"
    sheet_args=()
    place "$d" Clock "$clock-face.png"
    place "$d" HourHand "$clock-hour.png"
    place "$d" MinuteHand "$clock-minute.png"
    place "$d" SecondHand "$clock-second.png"
    place "$d" CenterPoint "$clock-cap.png"
    read -r left _ width _ < <(piece "$d" CenterPoint)
    convert -size "$((left + width))x201" xc:magenta "${sheet_args[@]}" -type TrueColor -compress None BMP3:"$clock.bmp"
done

mkdir -p "$here/Skin/Frame" "$here/Clock"
"$skinpack" pack "$here/Default.ini" default.bmp "$here/Skin/Default.sk"
"$skinpack" pack "$here/Window.ini" window.bmp "$here/Skin/Frame/Window.sk"
"$skinpack" pack "$here/Classic.ini" classic.bmp "$here/Clock/Classic.cl"
"$skinpack" pack "$here/Modern.ini" modern.bmp "$here/Clock/Modern.cl"
