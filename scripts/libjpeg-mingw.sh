#!/usr/bin/env bash
# Builds libjpeg-turbo for win64 from Debian's own source package, once per build tree.
# Usage: libjpeg-mingw.sh <prefix>
set -euo pipefail
prefix=$(realpath -m "$1")
[ -f "$prefix/lib/libjpeg.a" ] && exit 0

root=$(cd "$(dirname "$0")/.." && pwd)
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

work="$prefix.src"
mkdir -p "$work"
if ! ls -d "$work"/libjpeg-turbo-*/ >/dev/null 2>&1; then
    if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        src=/etc/apt/sources.list.d/debian.sources
        if [ -f "$src" ]; then
            sed 's/^Types: deb$/Types: deb-src/' "$src" | as_root tee /etc/apt/sources.list.d/kalvoro-deb-src.sources >/dev/null
        else
            sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | as_root tee /etc/apt/sources.list.d/kalvoro-deb-src.list >/dev/null
        fi
        as_root apt-get update -q
    fi
    (cd "$work" && apt-get source -q libjpeg-turbo)
fi
srcdir=$(ls -d "$work"/libjpeg-turbo-*/ | head -n 1)
cmake -S "$srcdir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR= \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DWITH_JPEG8=OFF >/dev/null
cmake --build "$work/build" --target install >/dev/null
echo "libjpeg: built into $prefix"
