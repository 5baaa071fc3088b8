#!/usr/bin/env bash
# Builds the help file "KalvoroHelp.chm" from the UTF-8 pages in resources/help: each text file is
# converted to GBK (the help viewer of a Chinese Windows reads the pages in code page 936, and the
# contents and index files have no other way to say their encoding), then chmcmd compiles them.
#
#   build-help.sh <output .chm> [staging folder, kept for inspection]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:?usage: build-help.sh <output.chm> [staging folder]}")
source_dir="$root/resources/help"

if [ $# -ge 2 ]; then
    stage=$(realpath -m "$2")
    rm -rf "$stage"
    mkdir -p "$stage"
else
    stage=$(mktemp -d)
    trap 'rm -rf "$stage"' EXIT
fi

for file in "$source_dir"/*; do
    name=$(basename "$file")
    case "$name" in
        *.html | *.hhc | *.hhk)
            # A character GBK cannot hold stops the build here rather than turning into "?".
            sed 's/charset=utf-8/charset=gb2312/I' "$file" | iconv -f UTF-8 -t GBK >"$stage/$name" ;;
        *.hhp)
            iconv -f UTF-8 -t GBK "$file" >"$stage/$name" ;;
        *)
            cp "$file" "$stage/$name" ;;
    esac
done

log="$stage/chmcmd.log"
if ! (cd "$stage" && chmcmd --verbosity 5 KalvoroHelp.hhp) >"$log" 2>&1; then
    cat "$log" >&2
    echo "build-help: chmcmd failed" >&2
    exit 1
fi
# chmcmd reports a link to a missing file or anchor and still succeeds: it is a fault here.
# The log quotes the GBK pages.
problems=$(grep -aE '^(Warning|Error)' "$log" | iconv -f GBK -t UTF-8 -c || true)
if [ -n "$problems" ]; then
    echo "$problems" >&2
    echo "build-help: chmcmd reported problems (above)" >&2
    exit 1
fi
mkdir -p "$(dirname "$out")"
mv "$stage/KalvoroHelp.chm" "$out"
echo "build-help: $out ($(stat -c %s "$out") bytes)"
