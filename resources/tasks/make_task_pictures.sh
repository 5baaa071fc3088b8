#!/usr/bin/env bash
# Draws the task list's six 16 x 16 node images (one strip, magenta see-through) and the shutdown
# countdown's 50 x 50 picture with ImageMagick, then writes them into
# src/tasks/win32/task_pictures_data.cpp. Run it again after changing a picture; commit all outputs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
cd "$here"

icon() {  # name, draw commands...
    local name=$1
    shift
    convert -size 16x16 xc:'#FF00FF' +antialias "$@" "png24:$name.png"
}
clock_face() {  # fill colour, hand colour: sets face
    face=(-fill "$1" -stroke '#303030' -draw 'circle 7,7 7,1' -stroke "$2" -draw 'line 7,7 7,3' -draw 'line 7,7 10,9')
}

# 0 running task: a clock with a green face.
clock_face '#7FD36B' '#1E4D14'
icon node0 "${face[@]}"
# 1 stopped task: a grey clock with a red stop bar.
clock_face '#C8C8C8' '#505050'
icon node1 "${face[@]}" -stroke none -fill '#D02020' -draw 'rectangle 1,12 14,14'
# 2 sound: a speaker with two waves.
icon node2 -stroke none -fill '#3060C0' -draw 'rectangle 2,6 4,10' -draw 'polygon 5,6 9,2 9,14 5,10' \
    -stroke '#3060C0' -fill none -draw 'line 11,5 12,7' -draw 'line 12,8 12,8' -draw 'line 12,9 11,11' \
    -draw 'line 13,3 14,6' -draw 'line 14,7 14,9' -draw 'line 14,10 13,13'
# 3 message: a speech bubble with text lines.
icon node3 -stroke '#806000' -fill '#FFE680' -draw 'rectangle 1,2 14,11' -fill '#FFE680' \
    -draw 'polygon 4,11 4,14 8,11' -stroke '#806000' -draw 'line 3,5 12,5' -draw 'line 3,8 10,8'
# 4 command: a window with a prompt.
icon node4 -stroke '#202020' -fill '#202040' -draw 'rectangle 1,2 14,13' -stroke none -fill '#4080E0' \
    -draw 'rectangle 2,3 13,4' -stroke '#60FF60' -draw 'line 3,7 5,9' -draw 'line 5,9 3,11' -draw 'line 7,11 10,11'
# 5 add task: a clock with a plus.
clock_face '#7FD36B' '#1E4D14'
icon node5 "${face[@]}" -stroke none -fill '#F0A000' -draw 'rectangle 9,11 15,13' \
    -draw 'rectangle 11,9 13,15'
convert node0.png node1.png node2.png node3.png node4.png node5.png +append -define png:exclude-chunks=date,time png24:task_images.png
rm node?.png

# The countdown's picture: a red power symbol on white.
convert -size 200x200 xc:white -stroke '#C81E1E' -strokewidth 22 -fill none -draw 'circle 100,110 100,42' \
    -stroke none -fill white -draw 'polygon 100,110 52,20 148,20' \
    -stroke '#C81E1E' -strokewidth 22 -draw 'line 100,22 100,100' -resize 50x50 -quality 92 shutdown.jpg

python3 - "$root/src/tasks/win32/task_pictures_data.cpp" <<'PY'
import subprocess, sys
strip = subprocess.run(['convert', 'task_images.png', '-depth', '8', 'rgb:-'], capture_output=True, check=True).stdout
assert len(strip) == 96 * 16 * 3
jpeg = open('shutdown.jpg', 'rb').read()
def rows(data):
    return '\n'.join('    ' + ', '.join(f'0x{b:02X}' for b in data[i:i + 16]) + ',' for i in range(0, len(data), 16))
with open(sys.argv[1], 'w') as out:
    out.write('// Written by resources/tasks/make_task_pictures.sh from task_images.png and shutdown.jpg.\n')
    out.write('#include "tasks/win32/task_pictures.h"\n\nnamespace kalvoro::win {\n\n')
    out.write(f'const unsigned char kTaskImageStripRgb[{len(strip)}] = {{\n{rows(strip)}\n}};\n\n')
    out.write(f'const unsigned char kShutDownJpeg[{len(jpeg)}] = {{\n{rows(jpeg)}\n}};\n')
    out.write(f'const unsigned kShutDownJpegSize = {len(jpeg)};\n\n}}  // namespace kalvoro::win\n')
PY
if command -v clang-format >/dev/null; then clang-format -i "$root/src/tasks/win32/task_pictures_data.cpp"; fi
