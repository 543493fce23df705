#!/usr/bin/env bash
# Tests the packages of one Windows build folder.
# Usage: package_test.sh build-folder packages-folder read_window_text.exe STEP
#   make          makes the ZIP and the installer into packages-folder
#   zip-contents  the ZIP holds exactly the release's files, in one folder named after it
#   zip-runs      the program unpacked from the ZIP starts and answers a line
#   installer     silent install (per machine, then per user) into a fresh Wine prefix:
#                 files, shortcuts, uninstall entry, the installed program answers; the silent
#                 uninstaller removes it all and leaves the chosen folder as it was
# Steps that run Windows programs exit with 77 (skipped) where this machine cannot run them.
set -u

build=$(realpath "$1")
packages=$2
reader=$(realpath "$3")
step=$4
tallimex_top=$(cd "$(dirname "$0")/../.." && pwd)
source "$tallimex_top/scripts/wine-common.sh"
wine_run="$tallimex_top/scripts/wine-run"
smoke_test="$tallimex_top/tests/gui/smoke_test.sh"

name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
arch=${name##*-}
version=${name#Tallimex-}
version=${version%-*}
zip="$packages/$name.zip"
installer="$packages/$name-setup.exe"
files="Tallimex.exe tallimex-cli.exe index.htm graph.jpg readme.txt licenses/libjpeg-turbo.txt licenses/mingw-w64-runtime.txt licenses/libquadmath.txt"

script_name="package test ($step)"

work=$(mktemp -d)
at_exit 'rm -rf "$work"'
at_exit stop_private_display
at_exit '[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && /usr/lib/wine/wineserver -k 2>/dev/null'

skip_unless_runnable() {
    local reason
    if reason=$(wine_cannot_run "$arch"); then
        skip "$reason"
    fi
    [ -n "${DISPLAY:-}" ] || start_private_display || fail "Xvfb did not start"
}

# The unpacked or installed program: tallimex-cli answers a piped line, the window one a typed one.
expect_program_answers() {
    local folder=$1 answer
    answer=$(printf '1+2\n' | "$wine_run" "$folder/tallimex-cli.exe" 2>/dev/null | tr -d '\r')
    [ "$answer" = "= 3" ] || fail "tallimex-cli.exe in $folder answered '$answer'"
    bash "$smoke_test" "$folder/Tallimex.exe" "$reader" >/dev/null || fail "Tallimex.exe in $folder did not answer"
}

expect_files() {
    local folder=$1 file
    for file in $files uninstall.exe; do
        [ -f "$folder/$file" ] || fail "$file is missing in $folder"
    done
}

registry_value() {
    "$WINELOADER" reg query "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tallimex" /v "$2" 2>/dev/null \
        | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

# One silent installation and its silent removal; the mode is AllUsers or CurrentUser.
install_and_remove() {
    local mode=$1 hive=$2 start_menu=$3 folder="$WINEPREFIX/drive_c/TallimexTest" before after
    mkdir -p "$folder"
    echo "the user's own file" >"$folder/notes.txt"
    before=$(cd "$folder" && find . | sort)

    "$wine_run" "$installer" /S "/$mode" '/D=C:\TallimexTest' || fail "$mode: the installer failed"
    /usr/lib/wine/wineserver -w
    expect_files "$folder"
    [ -f "$start_menu/Tallimex/Tallimex.lnk" ] || fail "$mode: no program shortcut in $start_menu"
    [ -f "$start_menu/Tallimex/Tallimex manual.lnk" ] || fail "$mode: no manual shortcut in $start_menu"
    [ "$(registry_value "$hive" DisplayVersion)" = "$version" ] \
        || fail "$mode: no uninstall entry with version $version in $hive"
    expect_program_answers "$folder"

    "$wine_run" "$folder/uninstall.exe" /S "/$mode" || fail "$mode: the uninstaller failed"
    # The uninstaller goes on from a copy of itself: wait until it is done.
    /usr/lib/wine/wineserver -w
    after=$(cd "$folder" && find . | sort)
    [ "$before" = "$after" ] || fail "$mode: the folder holds $(echo "$after" | tr '\n' ' ') after removal"
    [ ! -e "$start_menu/Tallimex" ] || fail "$mode: the shortcuts are left in $start_menu"
    [ -z "$(registry_value "$hive" DisplayVersion)" ] || fail "$mode: the uninstall entry is left in $hive"
    rm -rf "$folder"
}

case $step in
make)
    rm -rf "$packages"
    bash "$tallimex_top/scripts/make-packages" "$build" "$packages" >/dev/null
    ;;
zip-contents)
    expected=$( (echo "$name/licenses/"; for f in $files; do echo "$name/$f"; done) | sort)
    actual=$(unzip -Z1 "$zip" | sort)
    [ "$actual" = "$expected" ] || fail "the ZIP holds: $(echo "$actual" | tr '\n' ' ')"
    [ "$(pe_arch "$installer")" = "$arch" ] || fail "the installer is no $arch program"
    ;;
zip-runs)
    skip_unless_runnable
    unzip -q "$zip" -d "$work"
    use_wine "$arch"
    expect_program_answers "$work/$name"
    ;;
installer)
    skip_unless_runnable
    # A prefix of its own, so that nothing installed here reaches the project's prefix. The
    # folder has no blank: Wine would quote the argument, and the installer takes /D= unquoted.
    export WINEPREFIX="$work/prefix"
    use_wine "$arch"
    "$WINELOADER" wineboot --init >/dev/null 2>&1 || fail "wineboot failed"
    /usr/lib/wine/wineserver -w
    install_and_remove AllUsers HKLM "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
    install_and_remove CurrentUser HKCU \
        "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
    ;;
*)
    fail "unknown step"
    ;;
esac
exit 0
