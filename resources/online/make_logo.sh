#!/usr/bin/env bash
# Draws the about window's logo (260 x 75) with ImageMagick and writes it as a JPEG here and as a
# byte array compiled into the program (src/online/win32/about_logo_jpeg.cpp).
# Usage: bash resources/online/make_logo.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
jpeg="$here/about_logo.jpg"
latin=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
chinese=$(fc-list :lang=zh file | grep -i microhei | head -n 1 | cut -d: -f1)

# A teal band fading to white, a round clock face on the left, the name and a line beneath it.
convert -size 75x260 gradient:'#0E6F78'-'#D8F0F1' -rotate -90 \
    -fill white -stroke '#0A4E55' -strokewidth 2 -draw 'circle 37,37 37,11' \
    -stroke '#0A4E55' -strokewidth 3 -draw 'line 37,37 37,20' -draw 'line 37,37 50,42' \
    -stroke none -fill '#0A4E55' -draw 'circle 37,37 39,39' \
    -font "$latin" -pointsize 30 -fill white -stroke '#0A4E55' -strokewidth 1 -annotate +74+38 'Kalvoro' \
    -stroke none -font "${chinese:-$latin}" -pointsize 13 -fill '#0A4E55' -annotate +76+60 '桌面时钟 · 农历 · 定时' \
    -quality 90 -sampling-factor 4:2:0 -strip "$jpeg"

{
    echo '// Made by resources/online/make_logo.sh from about_logo.jpg; do not edit.'
    echo '#include "online/win32/about_logo_jpeg.h"'
    echo
    echo 'namespace kalvoro::win {'
    echo
    echo '// clang-format off'
    echo 'static const unsigned char kLogo[] = {'
    od -An -v -tx1 "$jpeg" | sed -e 's/ \([0-9a-f][0-9a-f]\)/ 0x\1,/g' -e 's/^/   /'
    echo '};'
    echo '// clang-format on'
    echo
    echo 'std::string_view AboutLogoJpeg() {'
    echo '    return {reinterpret_cast<const char*>(kLogo), sizeof(kLogo)};'
    echo '}'
    echo
    echo '}  // namespace kalvoro::win'
} > "$root/src/online/win32/about_logo_jpeg.cpp"
