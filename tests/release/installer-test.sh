#!/usr/bin/env bash
# The installer under Wine, as a user meets it: a silent install into the default folder, the
# installed program showing its bar, an upgrade over the running program that keeps the user's
# data, a silent uninstall that removes the program and its shortcuts but keeps the data, an
# install into a folder with blanks and Chinese characters in its path, and a refused folder.
#
#   tests/release/installer-test.sh [installer.exe]
#
# Without an argument it takes build/package/Kalvoro-<version>-setup.exe, running
# scripts/package.sh first when that is missing. It uses its own Wine prefix
# (build/wineprefix-release, or KALVORO_WINEPREFIX) so that nothing installed here reaches other
# tests. Ends with "N passed, N failed" and a non-zero exit on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

version=$(sed -n 's/^project(Kalvoro VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
installer=${1:-$root/build/package/Kalvoro-$version-setup.exe}
if [ ! -f "$installer" ]; then
    bash scripts/package.sh || exit 1
fi
installer=$(realpath "$installer")

work="$root/build/release-test"
mkdir -p "$work"
probe="$work/release_probe.exe"
x86_64-w64-mingw32-g++ -std=c++20 -O2 -municode -static -s -o "$probe" tests/release/release_probe.cpp || exit 1

export KALVORO_WINEPREFIX=${KALVORO_WINEPREFIX:-$root/build/wineprefix-release}
source scripts/wine-env.sh
kalvoro_wine_up persistent || exit 1
trap kalvoro_wine_down EXIT

passed=0
failed=0
check() {  # description, then a command that must succeed
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok: $what"
    else
        failed=$((failed + 1))
        echo "FAIL: $what"
    fi
}
absent() { [ ! -e "$1" ]; }
same_file() { cmp -s "$1" "$2"; }
has_line() { grep -qF -- "$2" "$1"; }
has_text() { [[ "$1" == *"$2"* ]]; }

wine_path() { winepath -u "$1" 2>/dev/null; }
wine_env() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
registry() {  # key value: prints the data of a REG_SZ value, nothing when it is missing
    # reg writes to a pipe in the console code page, 936
    wine reg query "$1" /v "$2" 2>/dev/null | iconv -f GBK -t UTF-8 | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"
}
bar_shown() { wine "$probe" shown TFrmLED "${1:-60000}" 2>/dev/null | tr -d '\r'; }
bar_gone() { wine "$probe" gone TFrmLED "${1:-60000}" >/dev/null 2>&1; }
# The uninstaller copies itself away and returns at once: wait for its work to show.
wait_absent() {
    local deadline=$((SECONDS + 120))
    while [ -e "$1" ]; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.5
    done
    # and for the uninstaller process itself to be done with the folder
    wineserver_idle
}
wineserver_idle() {
    local deadline=$((SECONDS + 120))
    while wine tasklist 2>/dev/null | grep -qi 'Un_[A-Z]\.exe\|Au_\.exe'; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.5
    done
}

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalvoro'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
local_app_data=$(wine_env LOCALAPPDATA)
default_dir="$local_app_data\\Programs\\Kalvoro"
default_unix=$(wine_path "$default_dir")
start_menu=$(wine_path "$(wine_env APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Kalvoro")
echo "installer-test: $installer into $default_dir ($default_unix)"

# A clean start: nothing left from an earlier run of this test.
rm -rf "$default_unix" "$start_menu"
wine reg delete "$uninstall_key" /f >/dev/null 2>&1
wine reg delete "$run_key" /v Kalvoro /f >/dev/null 2>&1

# 1. Silent install into the default folder.
wine "$installer" /S
check "silent install exits 0" test $? -eq 0
for file in Kalvoro.exe Sablewin.exe KalvoroHelp.chm skin.ini Uninstall.exe kalvoro-cal.exe skinpack.exe \
    Skin/Default.sk Skin/Frame/Window.sk Clock/Classic.cl Clock/Modern.cl; do
    check "installed $file" test -f "$default_unix/$file"
done
check "help file in place beside the program" test -s "$default_unix/KalvoroHelp.chm"
for link in "Kalvoro.lnk" "Kalvoro 帮助.lnk" "卸载 Kalvoro.lnk"; do
    check "start-menu shortcut $link" test -f "$start_menu/$link"
done
check "Add/Remove Programs entry" test "$(registry "$uninstall_key" DisplayVersion)" = "$version"
check "uninstall command registered" test "$(registry "$uninstall_key" UninstallString)" = "\"$default_dir\\Uninstall.exe\""
check "no start-with-Windows entry unless asked" test -z "$(registry "$run_key" Kalvoro)"

# 2. The installed program starts and shows its bar.
(cd "$default_unix" && wine ./Kalvoro.exe >/dev/null 2>&1 &)
first_bar=$(bar_shown)
check "installed Kalvoro.exe shows its bar (TFrmLED)" test -n "$first_bar"
echo "installer-test: bar $first_bar"
import -display "$DISPLAY" -window root "$work/installed-bar.png" 2>/dev/null

# 2b. 帮助 in the tray menu (command 2000 + 15) starts the system's help viewer (hh.exe) on the
#     installed help file: its window shows the help file's own title. Wine's viewer has no
#     browser engine here, so the pages themselves stay blank (they are checked by decompiling).
help_viewer_arguments() {  # the command lines of hh.exe processes of this test's Wine prefix
    local pid
    for pid in $(pgrep -f 'hh\.exe'); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
            tr '\0' ' ' <"/proc/$pid/cmdline"
    done
}
wine "$probe" command TFrmLED 2015 >/dev/null 2>&1
help_window=$(wine "$probe" shown "HH Parent" 60000 2>/dev/null | tr -d '\r')
check "帮助 opens the help viewer's window (HH Parent)" test -n "$help_window"
check "the help viewer's window carries the help file's title" \
    test "$(wine "$probe" title "HH Parent" 2>/dev/null | tr -d '\r')" = "Kalvoro 帮助"
check "the help viewer was started on the installed KalvoroHelp.chm" \
    has_text "$(help_viewer_arguments)" "$default_dir\\KalvoroHelp.chm"
import -display "$DISPLAY" -window root "$work/help-viewer.png" 2>/dev/null
wine "$probe" close "HH Parent" >/dev/null 2>&1
check "the help viewer closes" wine "$probe" gone "HH Parent" 30000

# 3. An upgrade over the running program keeps the user's data and starts the program again.
printf '00505=\xbd\xe1\xbb\xe9\xbc\xcd\xc4\xee\xc8\xd5\r\n10815=\xd6\xd0\xc7\xef\r\n' >"$default_unix/Marks.rec"
printf '[RELEASETEST]\r\nKeep=1\r\n' >>"$default_unix/skin.ini"
cp "$default_unix/Marks.rec" "$work/Marks.rec.before"
wine "$installer" /S
check "upgrade install exits 0" test $? -eq 0
second_bar=$(bar_shown)
check "bar shown again after the upgrade" test -n "$second_bar"
check "the running bar was closed and a new one started" test "${first_bar%% *}" != "${second_bar%% *}"
check "upgrade keeps Marks.rec" same_file "$default_unix/Marks.rec" "$work/Marks.rec.before"
check "upgrade keeps the user's skin.ini" has_line "$default_unix/skin.ini" "[RELEASETEST]"

# 4. Silent uninstall: the running bar is closed, program files and shortcuts go, data stays.
cp "$default_unix/skin.ini" "$work/skin.ini.before-uninstall"
wine "$default_unix/Uninstall.exe" /S
check "silent uninstall removes Kalvoro.exe" wait_absent "$default_unix/Kalvoro.exe"
check "uninstall closed the bar" bar_gone 30000
for file in Sablewin.exe KalvoroHelp.chm Uninstall.exe kalvoro-cal.exe Skin Clock; do
    check "uninstall removes $file" absent "$default_unix/$file"
done
check "uninstall removes the start-menu folder" absent "$start_menu"
check "uninstall removes the Add/Remove Programs entry" test -z "$(registry "$uninstall_key" DisplayName)"
check "silent uninstall keeps Marks.rec" same_file "$default_unix/Marks.rec" "$work/Marks.rec.before"
check "silent uninstall keeps skin.ini" same_file "$default_unix/skin.ini" "$work/skin.ini.before-uninstall"

# 5. A folder of the user's choice whose path has blanks and Chinese characters, with the
#    start-with-Windows entry.
chosen='C:\用户 程序\Kalvoro 时钟'
chosen_unix=$(wine_path "$chosen")
rm -rf "$(dirname "$chosen_unix")"
wine "$probe" run "$(winepath -w "$installer")" "/S /AUTOSTART /D=$chosen"
check "install into \"$chosen\" exits 0" test $? -eq 0
check "installed into the chosen folder" test -f "$chosen_unix/Kalvoro.exe"
check "help file in the chosen folder" test -s "$chosen_unix/KalvoroHelp.chm"
check "start-with-Windows entry is the quoted path and /hide" \
    test "$(registry "$run_key" Kalvoro)" = "\"$chosen\\Kalvoro.exe\" /hide"
(cd "$chosen_unix" && wine ./Kalvoro.exe >/dev/null 2>&1 &)
chosen_bar=$(bar_shown)
check "Kalvoro.exe in the chosen folder shows its bar" test -n "$chosen_bar"

# 6. A folder that cannot be written is refused before anything is touched: nothing installed,
#    the running program left alone, the registration unchanged. Wine runs as the Unix
#    user, often root, whom permissions do not stop: an immutable folder (chattr +i) stands for a
#    folder the user may not write, and a file where a folder would have to be made for a folder
#    that cannot be made.
locked_unix=$(wine_path 'C:\kalvoro-locked')
chattr -i "$locked_unix" 2>/dev/null
rm -rf "$locked_unix"
mkdir -p "$locked_unix"
check "a folder nobody may write can be made for the test" chattr +i "$locked_unix"
wine "$probe" run "$(winepath -w "$installer")" '/S /D=C:\kalvoro-locked' >/dev/null 2>&1
check "existing folder without write access refused (exit code 2)" test $? -eq 2
wine "$probe" run "$(winepath -w "$installer")" '/S /D=C:\kalvoro-locked\Kalvoro' >/dev/null 2>&1
check "folder that cannot be created refused (exit code 2)" test $? -eq 2
check "nothing installed into the locked folder" test -z "$(ls -A "$locked_unix")"
chattr -i "$locked_unix"
rm -rf "$locked_unix"
blocker_unix=$(wine_path 'C:\kalvoro-blocker')
rm -rf "$blocker_unix"
echo "a file, not a folder" >"$blocker_unix"
wine "$probe" run "$(winepath -w "$installer")" '/S /D=C:\kalvoro-blocker\Kalvoro' >/dev/null 2>&1
check "folder under a file refused (exit code 2)" test $? -eq 2
check "registration unchanged by the refused install" test "$(registry "$uninstall_key" InstallLocation)" = "$chosen"
rm -f "$blocker_unix"
wine "$probe" run "$(winepath -w "$installer")" '/S /D=Q:\Kalvoro' >/dev/null 2>&1
check "folder on a missing drive refused (exit code 2)" test $? -eq 2
check "registration unchanged by the missing drive" test "$(registry "$uninstall_key" InstallLocation)" = "$chosen"
check "refused installs left the running bar alone" test "$(bar_shown 1000)" = "$chosen_bar"

# 7. Uninstalling with /REMOVEDATA leaves nothing behind.
wine "$chosen_unix/Uninstall.exe" /S /REMOVEDATA
check "uninstall with /REMOVEDATA removes the whole folder" wait_absent "$chosen_unix"
check "uninstall removes the start-with-Windows entry" test -z "$(registry "$run_key" Kalvoro)"
check "bar closed by that uninstall" bar_gone 30000

# 8. The portable zip: unpacked anywhere, its Kalvoro.exe runs with its help beside it.
zip_file="${installer%-setup.exe}-portable.zip"
portable="$work/portable 便携"
rm -rf "$portable"
mkdir -p "$portable"
check "portable zip unpacks" unzip -q "$zip_file" -d "$portable"
check "portable folder has the help file" test -s "$portable/Kalvoro/KalvoroHelp.chm"
setup_content="$work/setup-content"
rm -rf "$setup_content"
7z x -y -bd -o"$setup_content" "$installer" >/dev/null
rm -rf "$setup_content/\$PLUGINSDIR" "$setup_content/Uninstall.exe"
check "portable folder holds exactly the installer's files" diff -r "$portable/Kalvoro" "$setup_content"
(cd "$portable/Kalvoro" && wine ./Kalvoro.exe >/dev/null 2>&1 &)
check "portable Kalvoro.exe shows its bar" test -n "$(bar_shown)"
wine "$probe" close TFrmLED >/dev/null 2>&1
check "portable bar closes" bar_gone 30000
rm -rf "$portable" "$setup_content" "$default_unix"
echo "installer-test: $installer"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
