#!/usr/bin/env bash
# The display-scaling end-to-end tests in a Wine prefix of their own whose resolution is 144 DPI
# (150 %), or the DPI given as the first argument. The usual test run covers 96 DPI.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
dpi=${1:-144}
export KALVORO_WINE_DPI=$dpi
export KALVORO_EXPECT_DPI=$dpi
# What a user sees first at this scale: the bar, its LED and date line, the calendar, a dialog.
filter='DisplayScaleTest.*:LedTest.*:CalendarTest.*'
# At 200 % the bar and its calendar are taller than the usual test screen: a screen of the size
# such scales come with (the calendar tests place the bar for the usual screen, so they stay out).
if [ "$dpi" -ge 192 ]; then
    export KALVORO_XVFB_SCREEN=2560x1600x24
    filter='DisplayScaleTest.*:LedTest.*'
fi
export KALVORO_WINEPREFIX=${KALVORO_WINEPREFIX:-$root/build/wineprefix-dpi$dpi}
# Pictures of what it shows land in build/win64/screenshots, named dpi-<DPI>-*.bmp.
source scripts/wine-env.sh
kalvoro_wine_up persistent
trap kalvoro_wine_down EXIT
wine build/win64/tests/kalvoro_e2e.exe --gtest_filter="$filter" --gtest_color=no
