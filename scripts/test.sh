#!/usr/bin/env bash
# Builds both configurations and runs every test: native, native under ASan/UBSan, and the
# Windows build's tests and end-to-end tests under Wine. Exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

failed=()
times=()
stage_start=0
begin() { stage_start=$(date +%s); echo; echo "=== $1"; }
finish() {
    local line="$1: $(( $(date +%s) - stage_start )) s${2:+ ($2)}"
    times+=("$line")
    echo "=== $line"
}
run_stage() {
    local name=$1; shift
    begin "$name"
    if "$@"; then finish "$name"; else finish "$name" FAILED; failed+=("$name"); return 1; fi
}
# Nothing after a failed set-up stage could give a meaningful result.
stop_after() { echo; echo "=== STOPPED: set-up stage \"$1\" failed; see its output above."; exit 1; }

run_stage "set-up (packages)" bash scripts/deps.sh || stop_after "set-up (packages)"
run_stage "libjpeg for win64" bash scripts/libjpeg-mingw.sh build/deps/libjpeg-win64 || stop_after "libjpeg for win64"

# Every source as .clang-format lays it out.
run_stage "format check" bash -c "git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' |
    xargs clang-format --dry-run --Werror"

jobs=$(nproc)
# The subsystem folders include only the layers below their own.
run_stage "include layers" bash scripts/check-layers.sh
run_stage "native build" bash -c "cmake --preset native >/dev/null && cmake --build --preset native -j $jobs"
run_stage "native tests" ctest --preset native --output-on-failure -j "$jobs"
run_stage "sanitizer build" bash -c "cmake --preset native-asan >/dev/null && cmake --build --preset native-asan -j $jobs"
run_stage "sanitizer tests" env ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --preset native-asan --output-on-failure -j "$jobs"
run_stage "fuzzing (20 s per target)" bash scripts/fuzz.sh 20
run_stage "win64 build" bash -c "cmake --preset win64 >/dev/null && cmake --build --preset win64 -j $jobs"

source scripts/wine-env.sh
begin "Wine start"
kalvoro_wine_up persistent && finish "Wine start" || { finish "Wine start" FAILED; failed+=("Wine start"); }
trap kalvoro_wine_down EXIT
begin "win64 and end-to-end tests under Wine"
wine_log=build/win64-ctest.log
if ctest --preset win64 --output-on-failure 2>&1 | tee "$wine_log"; [ "${PIPESTATUS[0]}" -eq 0 ]; then
    finish "win64 and end-to-end tests under Wine"
else
    finish "win64 and end-to-end tests under Wine" FAILED
    failed+=("win64 tests")
fi

kalvoro_wine_down
trap - EXIT
run_stage "end-to-end tests at 150 % under Wine" bash scripts/test-scaled.sh 144

# The real program driven for five minutes: handle counts and memory must stay flat. Wine for the
# tests above is down; the soak starts its own in the same prefix and stops it at the end.
run_stage "soak, 5 minutes under Wine" bash scripts/soak.sh 5

# The release: installer and portable zip, the help file decompiled and checked, and the installer
# tried under Wine in a prefix of its own.
run_stage "release package" bash scripts/package.sh
run_stage "help file check" python3 tests/release/help-check.py
run_stage "installer under Wine" bash tests/release/installer-test.sh

echo
echo "=== stage times"
printf '  %s\n' "${times[@]}"
[ ${#failed[@]} -gt 0 ] && echo "FAILED stages: ${failed[*]}"
# The last ctest's summary closes the output.
echo
sed -n '/tests passed, /,$p' "$wine_log"
[ ${#failed[@]} -eq 0 ]
