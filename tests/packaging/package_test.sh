#!/usr/bin/env bash
# Tests the packages of one Windows build folder.
# Usage: package_test.sh build-folder packages-folder read_window_text.exe STEP
#   make          makes the ZIP and the installer into packages-folder, and in its "raised"
#                 folder an installer of the same build that records a higher version
#   zip-contents  the ZIP holds exactly the release's files, in one folder named after it; the
#                 readme lists them; readme and manual name the version, the build kind and every
#                 component's licence; the programs import libquadmath-0.dll instead of holding it
#   zip-runs      the program unpacked from the ZIP starts and answers a line
#   zip-manual    the unpacked program, started from another folder, opens its manual on F1
#   installer     silent install (per machine, then per user) into a fresh Wine prefix:
#                 files, shortcuts, uninstall entry, the installed program answers; the silent
#                 uninstaller removes it all and leaves the chosen folder as it was
#   upgrade       a raised version installed without /D= goes to the earlier install's folder
#   running       a running Tallimex makes a silent install fail and change nothing
#   both-builds   the 32-bit and the 64-bit build installed per machine side by side: removing
#                 this one leaves the other's shortcuts and entry (needs the other build's packages)
# Steps that run Windows programs exit with 77 (skipped) where this machine cannot run them.
set -u

build=$(realpath "$1")
packages=$(realpath -m "$2")
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
raised_version=$version.99
zip="$packages/$name.zip"
installer="$packages/$name-setup.exe"
raised_installer="$packages/raised/$name-setup.exe"
case $arch in
    win32) kind=32-bit title=Tallimex gcc_dll=libgcc_s_dw2-1.dll other=win64 ;;
    win64) kind=64-bit title="Tallimex (64-bit)" gcc_dll=libgcc_s_seh-1.dll other=win32 ;;
esac
licences="libjpeg-turbo.txt mingw-w64-runtime.txt libquadmath.txt gcc-runtime.txt source-offer.txt"
files="Tallimex.exe tallimex-cli.exe libquadmath-0.dll $gcc_dll index.htm graph.jpg readme.txt LICENSE.txt
$(for f in $licences; do echo "licenses/$f"; done)"

script_name="package test ($step)"

work=$(mktemp -d)
program_pid=
at_exit 'rm -rf "$work"'
at_exit stop_private_display
at_exit '[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && /usr/lib/wine/wineserver -k 2>/dev/null'
at_exit 'stop_process "$program_pid"'

skip_unless_runnable() {
    local reason a
    for a in "$@"; do
        reason=$(wine_cannot_run "$a") && skip "$reason"
    done
    [ -n "${DISPLAY:-}" ] || start_private_display || fail "Xvfb did not start"
}

# A prefix of the test's own, so that nothing installed here reaches the project's prefix.
fresh_prefix() {
    export WINEPREFIX="$work/prefix"
    use_wine "$1"
    "$WINELOADER" wineboot --init >/dev/null 2>&1 || fail "wineboot failed"
    /usr/lib/wine/wineserver -w
}

# The unpacked or installed program: tallimex-cli answers a piped line, the window one a typed one.
expect_program_answers() {
    local folder=$1 answer
    answer=$(printf '1+2\n' | "$wine_run" "$folder/tallimex-cli.exe" 2>/dev/null | tr -d '\r')
    [ "$answer" = "= 3" ] || fail "tallimex-cli.exe in $folder answered '$answer'"
    bash "$smoke_test" "$folder/Tallimex.exe" "$reader" >/dev/null || fail "Tallimex.exe in $folder did not answer"
}

# Starts Tallimex.exe from the current folder and waits for its main window.
start_program() {
    "$wine_run" "$1" >/dev/null 2>&1 &
    program_pid=$!
    for _ in $(seq 150); do
        timeout 30 "$wine_run" "$reader" input >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    fail "the main window of $1 did not appear"
}

stop_program() {
    timeout 30 "$wine_run" "$reader" close >/dev/null 2>&1
    wait "$program_pid" 2>/dev/null
    program_pid=
}

expect_files() {
    local folder=$1 file
    for file in $files uninstall.exe; do
        [ -f "$folder/$file" ] || fail "$file is missing in $folder"
    done
}

# registry_value HKLM|HKCU value [32|64]: a value of this build's uninstall entry, in the given
# registry view (the build's own by default).
registry_value() {
    local view=${3:-${arch#win}}
    "$WINELOADER" reg query "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${4:-$title}" /v "$2" \
        "/reg:$view" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

start_menu_of() {
    case $1 in
        AllUsers) echo "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" ;;
        CurrentUser) echo "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" ;;
    esac
}

expect_shortcuts() {
    local menu="$1/$2" link
    for link in "$2.lnk" "Tallimex manual.lnk" "Tallimex console.lnk"; do
        [ -f "$menu/$link" ] || fail "no shortcut $menu/$link"
    done
}

# Every file with its size and change time, and this build's uninstall entry: what an installation changes.
installed_state() {
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path ./users -prune -o -printf '%p %s %C@\n' | sort)
    registry_value HKLM DisplayVersion
    registry_value HKLM InstallLocation
}

# The installer, silently; the folder is given without blanks: Wine would quote the argument,
# and the installer takes /D= unquoted.
install_silently() {
    "$wine_run" "$@" || return 1
    /usr/lib/wine/wineserver -w
}

# One silent installation and its silent removal; the mode is AllUsers or CurrentUser.
install_and_remove() {
    local mode=$1 hive=$2 start_menu folder="$WINEPREFIX/drive_c/TallimexTest" before after
    start_menu=$(start_menu_of "$mode")
    mkdir -p "$folder"
    echo "the user's own file" >"$folder/notes.txt"
    before=$(cd "$folder" && find . | sort)

    install_silently "$installer" /S "/$mode" '/D=C:\TallimexTest' || fail "$mode: the installer failed"
    expect_files "$folder"
    expect_shortcuts "$start_menu" "$title"
    [ "$(registry_value "$hive" DisplayVersion)" = "$version" ] \
        || fail "$mode: no uninstall entry with version $version in $hive"
    expect_program_answers "$folder"

    "$wine_run" "$folder/uninstall.exe" /S "/$mode" || fail "$mode: the uninstaller failed"
    # The uninstaller goes on from a copy of itself: wait until it is done.
    /usr/lib/wine/wineserver -w
    after=$(cd "$folder" && find . | sort)
    [ "$before" = "$after" ] || fail "$mode: the folder holds $(echo "$after" | tr '\n' ' ') after removal"
    [ ! -e "$start_menu/$title" ] || fail "$mode: the shortcuts are left in $start_menu"
    [ -z "$(registry_value "$hive" DisplayVersion)" ] || fail "$mode: the uninstall entry is left in $hive"
    rm -rf "$folder"
}

case $step in
make)
    rm -rf "$packages"
    bash "$tallimex_top/scripts/make-packages" "$build" "$packages" >/dev/null || exit 1
    TALLIMEX_INSTALLER_VERSION=$raised_version \
        bash "$tallimex_top/scripts/make-packages" "$build" "$packages/raised" >/dev/null
    ;;
zip-contents)
    expected=$( (echo "$name/licenses/"; for f in $files; do echo "$name/$f"; done) | sort)
    actual=$(unzip -Z1 "$zip" | sort)
    [ "$actual" = "$expected" ] || fail "the ZIP holds: $(echo "$actual" | tr '\n' ' ')"
    [ "$(pe_arch "$installer")" = "$arch" ] || fail "the installer is no $arch program"
    unzip -q "$zip" -d "$work"
    folder="$work/$name"
    readme=$(tr -d '\r' <"$folder/readme.txt")
    for f in $files licenses; do
        grep -qF "${f#licenses/}" <<<"$readme" || fail "the readme does not list $f"
    done
    grep -qx "Tallimex $version ($kind)" <<<"$readme" || fail "the readme does not start with the version and kind"
    grep -qF "This is the $kind build" <<<"$readme" || fail "the readme does not say $kind"
    grep -qF "<h1>Tallimex $version ($kind)</h1>" "$folder/index.htm" \
        || fail "the manual does not name $version ($kind)"
    for document in readme.txt index.htm; do
        for component in "MIT licence" libjpeg-turbo mingw-w64 "GCC Runtime Library Exception" "LGPL 2.1" \
            "This software is based in part on the work of the Independent JPEG Group." source-offer.txt; do
            tr -d '\r' <"$folder/$document" | tr '\n' ' ' | sed 's/  */ /g' | grep -qF "$component" \
                || fail "the licences in $document do not name '$component'"
        done
    done
    grep -q "^MIT License" "$folder/LICENSE.txt" || fail "LICENSE.txt is not Tallimex's MIT licence"
    grep -q "GNU LESSER GENERAL PUBLIC LICENSE" "$folder/licenses/libquadmath.txt" || fail "no LGPL text"
    grep -q "GCC RUNTIME LIBRARY EXCEPTION" "$folder/licenses/gcc-runtime.txt" || fail "no runtime exception"
    grep -q "Written offer" "$folder/licenses/source-offer.txt" || fail "no written offer"
    # A delay-loaded import: the DLL's name and the import slots of its functions, no code of it.
    for program in Tallimex.exe tallimex-cli.exe; do
        symbols=$(nm "$folder/$program" 2>/dev/null)
        grep -qa "libquadmath-0.dll" "$folder/$program" && grep -q ' I __imp__\?sinq$' <<<"$symbols" \
            || fail "$program does not import libquadmath-0.dll"
        ! grep -q ' __quadmath_' <<<"$symbols" || fail "$program holds libquadmath's code"
    done
    objdump -p "$folder/libquadmath-0.dll" | grep -q "DLL Name: $gcc_dll" || fail "libquadmath-0.dll needs no $gcc_dll"
    ;;
zip-runs)
    skip_unless_runnable "$arch"
    unzip -q "$zip" -d "$work"
    use_wine "$arch"
    expect_program_answers "$work/$name"
    ;;
zip-manual)
    skip_unless_runnable "$arch"
    fresh_prefix "$arch"
    unzip -q "$zip" -d "$work"
    # The shell opens .htm files with winebrowser, which here starts a browser that records what
    # it was given.
    printf '#!/bin/sh\necho "$@" >>"%s"\n' "$work/opened" >"$work/browser"
    chmod +x "$work/browser"
    "$WINELOADER" reg add 'HKCR\.htm' /ve /d htmlfile /f >/dev/null 2>&1
    "$WINELOADER" reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$work/browser" /f >/dev/null 2>&1
    mkdir "$work/elsewhere"
    cd "$work/elsewhere" || fail "no folder to start from"
    start_program "$work/$name/Tallimex.exe"
    timeout 30 "$wine_run" "$reader" f1 >/dev/null 2>&1
    for _ in $(seq 100); do
        [ -s "$work/opened" ] && break
        sleep 0.2
    done
    stop_program
    grep -q "$name/index.htm" "$work/opened" 2>/dev/null \
        || fail "F1 opened '$(cat "$work/opened" 2>/dev/null)', not $name/index.htm"
    ;;
installer)
    skip_unless_runnable "$arch"
    fresh_prefix "$arch"
    install_and_remove AllUsers HKLM
    install_and_remove CurrentUser HKCU
    ;;
upgrade)
    skip_unless_runnable "$arch"
    fresh_prefix "$arch"
    install_silently "$installer" /S /AllUsers '/D=C:\TallimexCustom' || fail "the first installation failed"
    install_silently "$raised_installer" /S || fail "the upgrade failed"
    expect_files "$WINEPREFIX/drive_c/TallimexCustom"
    [ "$(registry_value HKLM DisplayVersion)" = "$raised_version" ] || fail "the entry does not name $raised_version"
    [ "$(registry_value HKLM InstallLocation)" = 'C:\TallimexCustom' ] || fail "the entry names another folder"
    [ -z "$(registry_value HKCU DisplayVersion)" ] || fail "the upgrade made a per-user entry too"
    copies=$(find "$WINEPREFIX/drive_c" -path "$WINEPREFIX/drive_c/windows" -prune -o -name Tallimex.exe -print)
    [ "$copies" = "$WINEPREFIX/drive_c/TallimexCustom/Tallimex.exe" ] || fail "Tallimex.exe is at: $copies"
    ;;
running)
    skip_unless_runnable "$arch"
    fresh_prefix "$arch"
    install_silently "$installer" /S /AllUsers '/D=C:\TallimexTest' || fail "the installation failed"
    before=$(installed_state)
    cd "$WINEPREFIX/drive_c/TallimexTest" || fail "no installed folder"
    start_program "$PWD/Tallimex.exe"
    # Not waiting for the wineserver: the program runs on.
    "$wine_run" "$raised_installer" /S && fail "the installer succeeded while Tallimex was running"
    after=$(installed_state)
    stop_program
    [ "$before" = "$after" ] || fail "the failed installation changed: $(diff <(echo "$before") <(echo "$after"))"
    ;;
both-builds)
    other_installer="$(dirname "$build")/$other/test-packages/Tallimex-$version-$other-setup.exe"
    skip_unless_runnable win32 win64
    [ -f "$other_installer" ] \
        || skip "the $other build's packages are not made (ctest --preset $other -R packages_made)"
    # A 64-bit prefix runs both installers; each loader keeps its own registry view.
    fresh_prefix win64
    unset WINEARCH
    for setup in "$installer" "$other_installer"; do
        "$(wine_loader "$(pe_arch "$setup")")" "$setup" /S /AllUsers || fail "$(basename "$setup") failed"
        /usr/lib/wine/wineserver -w
    done
    [ "$other" = win64 ] && other_title="Tallimex (64-bit)" || other_title=Tallimex
    start_menu=$(start_menu_of AllUsers)
    expect_shortcuts "$start_menu" "$title"
    expect_shortcuts "$start_menu" "$other_title"
    folder=$(registry_value HKLM InstallLocation)
    other_folder=$(registry_value HKLM InstallLocation "${other#win}" "$other_title")
    [ -n "$folder" ] && [ -n "$other_folder" ] && [ "$folder" != "$other_folder" ] \
        || fail "the builds share or lack folders: '$folder' and '$other_folder'"

    "$(wine_loader "$arch")" "$("$WINELOADER" winepath -u "$folder" 2>/dev/null)/uninstall.exe" /S /AllUsers \
        || fail "removing this build failed"
    /usr/lib/wine/wineserver -w
    [ -z "$(registry_value HKLM DisplayVersion)" ] || fail "this build's entry is left"
    [ ! -e "$start_menu/$title" ] || fail "this build's shortcuts are left"
    expect_shortcuts "$start_menu" "$other_title"
    [ "$(registry_value HKLM DisplayVersion "${other#win}" "$other_title")" = "$version" ] \
        || fail "the $other build's entry went with this one"
    other_folder=$("$WINELOADER" winepath -u "$other_folder" 2>/dev/null)
    [ -f "$other_folder/Tallimex.exe" ] && [ -f "$other_folder/uninstall.exe" ] || fail "the $other build's files went"
    ;;
*)
    fail "unknown step"
    ;;
esac
exit 0
