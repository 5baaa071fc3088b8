#!/usr/bin/env bash
# Installs, once, every Debian package the build, the run and the tests need.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    googletest libgtest-dev libgmock-dev libbenchmark-dev libjpeg62-turbo-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine64 xvfb xauth xdotool x11-utils imagemagick
    locales tzdata python3 dpkg-dev
    espeak-ng sox
    fp-utils libchm-bin nsis zip unzip p7zip-full e2fsprogs
    clang clang-14 libclang-rt-14-dev clang-format
    fonts-arphic-uming fonts-arphic-ukai fonts-wqy-microhei fonts-liberation fonts-wine
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "deps: installing ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
    as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi
