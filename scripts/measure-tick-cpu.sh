#!/usr/bin/env bash
# CPU time of the running bar under Wine over a while, beside a program that only runs a
# one-second timer, both started together. Usage: scripts/measure-tick-cpu.sh [seconds]
# (after scripts/run.sh or scripts/test.sh built build/win64; KALVORO_BUILD_DIR names another).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-180}
build=${KALVORO_BUILD_DIR:-$root/build/win64}
app=$(mktemp -d)
cp -r "$build/app/." "$app/"
export KALVORO_WINEPREFIX=${KALVORO_WINEPREFIX:-$root/build/wineprefix-measure}
source "$root/scripts/wine-env.sh"
kalvoro_wine_up persistent
trap 'kalvoro_wine_down; rm -rf "$app"' EXIT

(cd "$app" && wine ./Kalvoro.exe >/dev/null 2>&1 &)
(cd "$build/tests/bench" && wine ./null_timer.exe >/dev/null 2>&1 &)
sleep 12  # start-up is not what we measure
# The processes started here: other copies (tests, another prefix) may be running beside them.
started_in() {
    local name=$1 dir=$2 pid
    for pid in $(pgrep -x "$name"); do
        [ "$(readlink "/proc/$pid/cwd")" = "$dir" ] && { echo "$pid"; return 0; }
    done
    return 1
}
bar=$(started_in Kalvoro.exe "$app")
null=$(started_in null_timer.exe "$(cd "$build/tests/bench" && pwd)")
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
bar_start=$(ticks "$bar")
null_start=$(ticks "$null")
sleep "$seconds"
hz=$(getconf CLK_TCK)
echo "Kalvoro.exe: $(( ($(ticks "$bar") - bar_start) * 1000 / hz )) ms CPU over $seconds s"
echo "null timer:  $(( ($(ticks "$null") - null_start) * 1000 / hz )) ms CPU over $seconds s"
grep -E 'VmRSS' "/proc/$bar/status" | sed 's/^/Kalvoro.exe /'
kill "$bar" "$null" 2>/dev/null || true
