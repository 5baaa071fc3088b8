#!/usr/bin/env bash
# An hour of use (or the given minutes): the real Kalvoro.exe under Wine, driven through display
# modes, calendar paging, dialogs, settings and menus, sampling its GDI objects, windows, kernel
# handles and resident memory every minute. Fails when they grow after the first minute.
#   scripts/soak.sh [minutes]        default 60; needs the win64 build (soak_driver and app_folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
minutes=${1:-60}
build=build/win64

cmake --build --preset win64 --target soak_driver app_folder >/dev/null

# A fresh application folder: the run never touches the built one.
run_dir=$(mktemp -d "$root/build/soak-XXXXXX")
cp -r "$build/app/." "$run_dir/"
census="$run_dir/census.txt"

source scripts/wine-env.sh
kalvoro_wine_up persistent
trap 'kalvoro_wine_down; rm -rf "$run_dir"' EXIT

status=0
wine "$build/tests/soak/soak_driver.exe" "$(winepath -w "$run_dir")" "$minutes" "$(winepath -w "$census")" \
    </dev/null || status=$?
exit "$status"
