#!/usr/bin/env bash
# CPU time of the running bar under Wine over a while, against a program that only runs a
# one-second timer. Usage: scripts/measure-tick-cpu.sh [seconds]   (after scripts/run.sh built it)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-180}
build=${KALVORO_BUILD_DIR:-$root/build/win64}
app="$build/app"
null="$build/tests/bench/null_timer.exe"
export KALVORO_WINEPREFIX=${KALVORO_WINEPREFIX:-$root/build/wineprefix-measure}
source "$root/scripts/wine-env.sh"
kalvoro_wine_up persistent
trap kalvoro_wine_down EXIT

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
measure() {  # name, windows exe, folder
    (cd "$3" && wine "$2" >/dev/null 2>&1 &)
    local pid=""
    for _ in $(seq 1 100); do
        pid=$(pgrep -x "$(basename "$2" | cut -c1-15)" | head -n 1 || true)
        [ -n "$pid" ] && break
        sleep 0.2
    done
    sleep 10  # start-up is not what we measure
    local start end
    start=$(cpu_ticks "$pid")
    sleep "$seconds"
    end=$(cpu_ticks "$pid")
    local hz
    hz=$(getconf CLK_TCK)
    echo "$1: $(( (end - start) * 1000 / hz )) ms CPU over ${seconds} s"
    kill "$pid" 2>/dev/null || true
    sleep 1
}
measure "Kalvoro.exe" ./Kalvoro.exe "$app"
measure "null timer" "$null" "$(dirname "$null")"
