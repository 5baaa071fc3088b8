# Sourced by the run and test scripts: a ready Windows under Wine.
#   kalvoro_wine_up    start Xvfb (unless a display is to be used), prepare the prefix, keep wineserver up
#   kalvoro_wine_down  stop wineserver and the Xvfb this shell started
# The prefix lives in the build tree; a fresh one is made when it is missing.

kalvoro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${KALVORO_WINEPREFIX:-$kalvoro_root/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
# Code page 936 and Chinese weekday names come from the locale; tests run in a fixed zone.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export TZ=${KALVORO_TZ:-Asia/Shanghai}

kalvoro_xvfb_pid=""

kalvoro_free_display() {
    local n
    for n in $(seq 91 140); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            echo "$n"
            return 0
        fi
    done
    return 1
}

kalvoro_start_xvfb() {
    local n
    n=$(kalvoro_free_display) || { echo "wine-env: no free X display" >&2; return 1; }
    Xvfb ":$n" -screen 0 "${KALVORO_XVFB_SCREEN:-1280x800x24}" -nolisten tcp >/dev/null 2>&1 &
    kalvoro_xvfb_pid=$!
    for _ in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    export DISPLAY=":$n"
}

kalvoro_font_replacements() {
    local key='HKCU\Software\Wine\Fonts\Replacements'
    local name
    for name in 宋体 SimSun 新宋体 NSimSun; do
        wine reg add "$key" /v "$name" /d "AR PL UMing CN" /f >/dev/null 2>&1
    done
    for name in 楷体_GB2312 楷体 KaiTi KaiTi_GB2312; do
        wine reg add "$key" /v "$name" /d "AR PL UKai CN" /f >/dev/null 2>&1
    done
    for name in 黑体 SimHei 微软雅黑 "Microsoft YaHei"; do
        wine reg add "$key" /v "$name" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    done
    for name in Tahoma Arial "Arial Black" Verdana "MS Sans Serif"; do
        wine reg add "$key" /v "$name" /d "Liberation Sans" /f >/dev/null 2>&1
    done
    wine reg add "$key" /v "Times New Roman" /d "Liberation Serif" /f >/dev/null 2>&1
    wine reg add "$key" /v "Courier New" /d "Liberation Mono" /f >/dev/null 2>&1
}

kalvoro_prepare_prefix() {
    [ -f "$WINEPREFIX/.kalvoro-ready" ] && return 0
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    kalvoro_font_replacements
    # No window manager decorations from Wine's own desktop; windows stay where the program puts them.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    # KALVORO_WINE_DPI: the prefix's display resolution (96 unless told; 144 is 150 %).
    if [ -n "${KALVORO_WINE_DPI:-}" ]; then
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$KALVORO_WINE_DPI" /f >/dev/null 2>&1
        wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$KALVORO_WINE_DPI" /f >/dev/null 2>&1
    fi
    wineserver -w
    touch "$WINEPREFIX/.kalvoro-ready"
}

# With "persistent", wineserver stays up between programs (a test run starts hundreds of them)
# until kalvoro_wine_down stops it.
kalvoro_wine_persistent=""
kalvoro_wine_up() {
    if [ -z "${KALVORO_USE_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
        kalvoro_start_xvfb || return 1
    fi
    kalvoro_prepare_prefix
    if [ "${1:-}" = persistent ]; then
        kalvoro_wine_persistent=1
        wineserver -p >/dev/null 2>&1 || true
        # The first program under a new wineserver starts Wine's own services, which inherit its
        # output pipes and keep them open; a reader of that output (ctest) would wait until its
        # time-out. Start them here with nothing to inherit.
        wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    fi
}

kalvoro_wine_down() {
    if [ -n "$kalvoro_wine_persistent" ]; then
        wineserver -k >/dev/null 2>&1 || true
        kalvoro_wine_persistent=""
    fi
    if [ -n "$kalvoro_xvfb_pid" ]; then
        kill "$kalvoro_xvfb_pid" 2>/dev/null || true
        wait "$kalvoro_xvfb_pid" 2>/dev/null || true
        kalvoro_xvfb_pid=""
    fi
}
