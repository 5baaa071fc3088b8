#!/usr/bin/env bash
# The idle cost of the bar beside a minimal clock (tests/bench/minimal_clock: a layered window
# with colour key and alpha, a tray icon, the common controls, a text time once a second).
# The two run alternately, each alone on one Wine prefix and one X server of this script's own,
# in rounds; a round counts the CPU of the program's process, of wineserver and of the X server
# together over its time, after a start-up settle, and the program's resident memory at the end.
#
# Usage: scripts/measure-tick-cpu.sh [rounds [seconds [settle [shown]]]]
#   3 rounds of 60 s after a 15 s settle; shown is what the bar starts with: "bar" (the bar alone,
#   BAR/DefWin 0, the default) or "clock" (the analog clock beside it, the program's own default).
# After a win64 build (Kalvoro.exe in build/win64/app, the yardsticks in build/win64/tests/bench);
# KALVORO_BUILD_DIR names another build. Run it under `nice -n -5` on a busy machine.
# KALVORO_MEASURE_FLOOR=1 first counts wineserver and the X server with no program running (the
# prefix's own services), and also prints the ratio of what each program adds above that floor.
# KALVORO_MEASURE_SMAPS=<folder> keeps each round's /proc/PID/smaps there and prints, from the last
# round, where the two programs' resident memory differs: per mapping (a file, or the kind of
# anonymous memory), Rss and Private kB of each, the largest differences first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-3}
seconds=${2:-60}
settle=${3:-15}
shown=${4:-bar}
case "$shown" in bar | clock) ;; *) echo "shown is bar or clock, not $shown" >&2; exit 2 ;; esac
build=${KALVORO_BUILD_DIR:-$root/build/win64}
bench=$(cd "$build/tests/bench" && pwd)
[ -f "$build/app/Kalvoro.exe" ] || { echo "no $build/app/Kalvoro.exe: build win64 first" >&2; exit 1; }
[ -f "$bench/minimal_clock.exe" ] || { echo "no $bench/minimal_clock.exe: build win64 first" >&2; exit 1; }

# Our own prefix and our own X server, so the wineserver and Xvfb counted serve only this run.
export KALVORO_WINEPREFIX=${KALVORO_MEASURE_PREFIX:-$root/build/wineprefix-measure}
unset KALVORO_USE_DISPLAY
source "$root/scripts/wine-env.sh"
work=$(mktemp -d)
kalvoro_wine_up persistent
trap 'kalvoro_wine_down; rm -rf "$work"' EXIT
xserver=$kalvoro_xvfb_pid

# The wineserver of a prefix works in a directory named after the prefix's device and inode.
prefix_server() {
    local dir pid
    dir=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
    for pid in $(pgrep -f wineserver); do
        [ "$(basename "$(readlink "/proc/$pid/cwd" 2>/dev/null)")" = "$dir" ] && { echo "$pid"; return 0; }
    done
    return 1
}
server=$(prefix_server) || { echo "wineserver of $WINEPREFIX not found" >&2; exit 1; }

# The process running <exe> in <dir>: other copies (tests, other prefixes) may be running too.
started_in() {
    local exe=$1 dir=$2 proc
    for proc in /proc/[0-9]*; do
        [ "$(readlink "$proc/cwd" 2>/dev/null)" = "$dir" ] || continue
        tr '\0' ' ' <"$proc/cmdline" 2>/dev/null | grep -qF "$exe" && { echo "${proc#/proc/}"; return 0; }
    done
    return 1
}
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
ms() { echo $(( $1 * 1000 / hz )); }

# run_one <label> <exe> <folder>: start, settle, count one round, stop. Sets last_* figures.
run_one() {
    local label=$1 exe=$2 dir=$3 pid p0 s0 x0 p1 s1 x1
    (cd "$dir" && exec wine "./$exe" </dev/null >/dev/null 2>&1 &)
    pid=""
    for _ in $(seq 1 100); do
        pid=$(started_in "$exe" "$dir") && break
        sleep 0.2
    done
    [ -n "$pid" ] || { echo "$label did not start" >&2; exit 1; }
    sleep "$settle"  # start-up is not what we measure
    p0=$(ticks "$pid"); s0=$(ticks "$server"); x0=$(ticks "$xserver")
    sleep "$seconds"
    p1=$(ticks "$pid"); s1=$(ticks "$server"); x1=$(ticks "$xserver")
    last_program=$(ms $((p1 - p0)))
    last_server=$(ms $((s1 - s0)))
    last_x=$(ms $((x1 - x0)))
    last_total=$((last_program + last_server + last_x))
    last_rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
    if [ -n "${KALVORO_MEASURE_SMAPS:-}" ]; then
        cat "/proc/$pid/smaps" >"$KALVORO_MEASURE_SMAPS/$label-$round.smaps"
    fi
    # Closed as a user would (WM_CLOSE), so its tray icon goes too; killed if it will not go.
    wine taskkill /im "$exe" >/dev/null 2>&1 || true
    for _ in $(seq 1 50); do
        [ -d "/proc/$pid" ] || break
        sleep 0.2
    done
    kill -9 "$pid" 2>/dev/null || true
    while [ -d "/proc/$pid" ]; do sleep 0.2; done
}

# smaps_by_mapping <smaps>: "name rss private" per mapping name, in kB; anonymous memory is named
# by its kind ([heap], [stack], or [anon]), files by their base name.
smaps_by_mapping() {
    awk '/^[0-9a-f]+-[0-9a-f]+ / { name = (NF >= 6) ? $6 : "[anon]"; for (i = 7; i <= NF; i++) name = name "_" $i
                                  sub(/.*\//, "", name); next }
         /^Rss:/ { rss[name] += $2 }
         /^Private_(Clean|Dirty):/ { priv[name] += $2 }
         END { for (n in rss) print n, rss[n], priv[n] + 0 }' "$1"
}
smaps_difference() {
    join -a1 -a2 -e0 -o 0,1.2,1.3,2.2,2.3 <(smaps_by_mapping "$1" | sort) <(smaps_by_mapping "$2" | sort) |
        awk '{ print $4 - $2, $0 }' | sort -k1,1nr -k2,2 |
        awk -v n="${KALVORO_MEASURE_SMAPS_TOP:-25}" '(NR <= n && $1 > 0) || $1 < -50 {
            printf "%-34s %9d %9d %9d %9d %+9d\n", $2, $3, $4, $5, $6, $1 }'
}

if [ -n "${KALVORO_MEASURE_SMAPS:-}" ]; then mkdir -p "$KALVORO_MEASURE_SMAPS"; fi
floor=0
if [ -n "${KALVORO_MEASURE_FLOOR:-}" ]; then
    sleep "$settle"
    s0=$(ticks "$server"); x0=$(ticks "$xserver")
    sleep "$seconds"
    floor=$(( $(ms $(( $(ticks "$server") - s0 ))) + $(ms $(( $(ticks "$xserver") - x0 ))) ))
    echo "nothing running: wineserver and X ${floor} ms over $seconds s"
fi
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg); nice $(nice); $rounds rounds of $seconds s after $settle s;" \
    "the bar shows: $shown"
printf '%-6s %-14s %8s %8s %8s %8s %9s\n' round program "prog ms" "wine ms" "X ms" "total" "RSS kB"
declare -A total rss_sum
total[minimal]=0; total[bar]=0; rss_sum[minimal]=0; rss_sum[bar]=0
for round in $(seq 1 "$rounds"); do
    # The order alternates, so a change in the machine's load falls on both alike.
    if (( round % 2 )); then order="minimal bar"; else order="bar minimal"; fi
    for which in $order; do
        folder=$work/$which-$round
        mkdir -p "$folder"
        if [ "$which" = bar ]; then
            cp -r "$build/app/." "$folder/"
            # A fresh folder starts with the analog clock beside the bar.
            if [ "$shown" = bar ]; then printf '\r\n[BAR]\r\nDefWin=0\r\n' >>"$folder/skin.ini"; fi
            run_one "$which" Kalvoro.exe "$folder"
        else
            cp "$bench/minimal_clock.exe" "$folder/"
            run_one "$which" minimal_clock.exe "$folder"
        fi
        total[$which]=$((total[$which] + last_total))
        rss_sum[$which]=$((rss_sum[$which] + last_rss))
        printf '%-6s %-14s %8d %8d %8d %8d %9d\n' "$round" "$which" "$last_program" "$last_server" "$last_x" \
            "$last_total" "$last_rss"
    done
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "minimal clock: ${total[minimal]} ms CPU in all, RSS $((rss_sum[minimal] / rounds)) kB on average"
echo "Kalvoro.exe:   ${total[bar]} ms CPU in all, RSS $((rss_sum[bar] / rounds)) kB on average"
awk -v b="${total[bar]}" -v m="${total[minimal]}" -v rb="${rss_sum[bar]}" -v rm="${rss_sum[minimal]}" -v n="$rounds" \
    'BEGIN { if (m > 0) printf "ratio: %.2fx the minimal clock; resident memory %+.1f MB\n", b / m, (rb - rm) / n / 1024 }'
if [ -n "${KALVORO_MEASURE_SMAPS:-}" ]; then
    echo "resident memory by mapping, last round (kB; Kalvoro.exe minus the minimal clock):"
    printf '%-34s %9s %9s %9s %9s %9s\n' mapping "min rss" "min priv" "bar rss" "bar priv" "rss diff"
    smaps_difference "$KALVORO_MEASURE_SMAPS/minimal-$rounds.smaps" "$KALVORO_MEASURE_SMAPS/bar-$rounds.smaps"
fi
if (( floor > 0 )); then
    awk -v b="${total[bar]}" -v m="${total[minimal]}" -v f=$((floor * rounds)) \
        'BEGIN { if (m > f) printf "above the floor: %d ms against %d ms, %.2fx\n", b - f, m - f, (b - f) / (m - f) }'
fi
