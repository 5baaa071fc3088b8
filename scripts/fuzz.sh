#!/usr/bin/env bash
# Builds the fuzz preset and runs each libFuzzer target on a copy of its seed corpus.
#
#   scripts/fuzz.sh [seconds-per-target] [target...]     (default 60 s, every target)
#
# Prints per target the executions reached and whether it found a fault; exits non-zero on a
# fault or a failed build. Inputs that show a fault and the run's logs stay in build/fuzz/runs/.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${1:-60}
[ $# -gt 0 ] && shift
case $seconds in '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [seconds-per-target] [target...]" >&2; exit 2 ;; esac

if ! { cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j "$(nproc)" >/dev/null; }; then
    echo "fuzz: the fuzz build failed (cmake --build --preset fuzz shows why)" >&2
    exit 1
fi

fuzzers=build/fuzz/fuzzers
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for corpus_file in "$fuzzers"/*.corpus; do targets+=("$(basename "$corpus_file" .corpus)"); done
fi

run_dir=build/fuzz/runs/$(date +%Y%m%d-%H%M%S)-$$
mkdir -p "$run_dir"
faults=()
for target in "${targets[@]}"; do
    if [ ! -x "$fuzzers/$target" ] || [ ! -f "$fuzzers/$target.corpus" ]; then
        echo "fuzz: no target $target" >&2
        faults+=("$target")
        continue
    fi
    work=$run_dir/$target
    mkdir -p "$work/corpus" "$work/faults"
    # libFuzzer adds the inputs it finds to its first folder: a copy, never the repository's.
    seeds=$(cat "$fuzzers/$target.corpus")
    [ -d "$seeds" ] && cp -R "$seeds/." "$work/corpus/"
    "$fuzzers/$target" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work/faults/" "$work/corpus" >"$work/log" 2>&1
    rc=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
    found=$(find "$work/faults" -type f | head -1)
    if [ $rc -ne 0 ] || [ -n "$found" ]; then
        faults+=("$target")
        printf '%-26s %12s executions  FAULT (exit %d) %s\n' "$target" "${executions:-?}" "$rc" "$found"
        grep -E '^(==[0-9]+==ERROR|SUMMARY|.*property broken|.*runtime error)' "$work/log" | head -5 | sed 's/^/    /'
        echo "    log: $work/log"
    else
        printf '%-26s %12s executions  no fault\n' "$target" "${executions:-?}"
        rm -rf "$work/corpus"
    fi
done

if [ ${#faults[@]} -gt 0 ]; then
    echo "fuzz: ${#targets[@]} targets, ${#faults[@]} with a fault: ${faults[*]}"
    exit 1
fi
echo "fuzz: ${#targets[@]} targets of ${seconds} s each, no fault"
rm -rf "$run_dir"
