#!/usr/bin/env bash
# Builds the Windows program, assembles its application folder and starts it under Wine: on
# $DISPLAY when there is one, otherwise under Xvfb, leaving a screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/deps.sh
bash scripts/libjpeg-mingw.sh build/deps/libjpeg-win64
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target app_folder -j "$(nproc)"
app="$root/build/win64/app"
echo "run: application folder $app"

if [ -n "${DISPLAY:-}" ] && [ -z "${KALVORO_HEADLESS:-}" ]; then
    export KALVORO_USE_DISPLAY=1
    source scripts/wine-env.sh
    kalvoro_wine_up
    (cd "$app" && wine ./Kalvoro.exe "$@")
    exit 0
fi

source scripts/wine-env.sh
kalvoro_wine_up persistent
trap kalvoro_wine_down EXIT
(cd "$app" && wine ./Kalvoro.exe "$@") &
sleep "${KALVORO_SCREENSHOT_DELAY:-8}"
shot="$root/build/kalvoro-screenshot.png"
import -display "$DISPLAY" -window root "$shot"
echo "run: screenshot of the desktop in $shot"
