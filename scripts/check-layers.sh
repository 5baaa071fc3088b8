#!/usr/bin/env bash
# The subsystem folders under src/ form layers: a folder includes only folders below its own
# layer, never one beside or above it, and only the win32/ folders include <windows.h>.
# Prints the include graph between the folders and fails on any edge that breaks the rule.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A layer=(
    [base]=0
    [skin]=1 [popup]=1
    [ui]=2
    [led]=3
    [calendar]=4
    [tasks]=5 [timesvc]=5
    [online]=6
    [app]=7
)

status=0
for dir in src/*/; do
    from=$(basename "$dir")
    [ -n "${layer[$from]+set}" ] || { echo "src/$from has no layer in $0" >&2; status=1; continue; }
    targets=$(grep -rhoE '^#include "[a-z_]+/' "$dir" | sed -E 's/^#include "([a-z_]+)\//\1/' | sort -u | grep -vx "$from" || true)
    echo "$from -> ${targets//$'\n'/ }"
    for to in $targets; do
        if [ -z "${layer[$to]+set}" ] || [ "${layer[$to]}" -ge "${layer[$from]}" ]; then
            echo "  not allowed: $from includes $to:" >&2
            grep -rlE "^#include \"$to/" "$dir" | sed 's/^/    /' >&2
            status=1
        fi
    done
done

outside=$(grep -rlE '^#include <windows\.h>' src --include='*.h' --include='*.cpp' | grep -v '/win32/' || true)
if [ -n "$outside" ]; then
    echo "<windows.h> outside a win32/ folder:" >&2
    echo "$outside" | sed 's/^/    /' >&2
    status=1
fi
exit $status
