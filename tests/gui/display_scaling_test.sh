#!/usr/bin/env bash
# Runs the GUI tests that measure geometry at a display scale other than 100 %: copies the
# project's Wine prefix twice, sets one copy to 96 dpi and the other to the given dpi
# (HKCU\Control Panel\Desktop, LogPixels), runs the cases in both, and compares the graph's
# exported files, which must be the same bytes at every scale.
# Exits with 77 (skipped) where the program cannot run.
# Usage: display_scaling_test.sh gui_tests.exe dpi
set -u

tests=$(realpath "$1")
dpi=$2
tallimex_top=$(cd "$(dirname "$0")/../.." && pwd)
source "$tallimex_top/scripts/wine-common.sh"
cases='GraphWindowTest.ThePictureGrowsWithTheDisplayScale:GraphWindowTest.TheStatusLinesAreTwoWholeBands'
cases+=':GraphWindowTest.ExportsAreThe400PixelPictureAtEveryDisplayScale'
cases+=':ConsoleTest.EveryCaptionOfTheToolWindowsIsWhole:ConsoleTest.ResizingLaysOutBothControlsWithTheirMargins'

arch=$(pe_arch "$tests") || { echo "display scaling test: $1 is no Windows program" >&2; exit 1; }
if reason=$(wine_cannot_run "$arch"); then
    echo "display scaling test: skipped: $reason" >&2
    exit $wine_skip_code
fi

work=$(mktemp -d)
cleanup() {
    local prefix
    for prefix in "$work"/prefix-*; do
        [ -d "$prefix" ] && WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT
end_on_signals

fail() {
    echo "display scaling test: $*" >&2
    exit 1
}

# A copy of the project's prefix at $1 dpi, named prefix-$1.
make_prefix() {
    local prefix="$work/prefix-$1"
    cp -a "$(wine_prefix "$arch")" "$prefix" || fail "the prefix could not be copied"
    WINEPREFIX="$prefix" TALLIMEX_WINE_ARCH=$arch "$tallimex_top/scripts/wine-run" \
        reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null \
        || fail "LogPixels could not be set to $1"
    WINEPREFIX="$prefix" /usr/lib/wine/wineserver -w
}

# Runs the cases at $1 dpi; the exported files go to export-$1.
run_cases() {
    local exports="$work/export-$1"
    mkdir -p "$exports"
    WINEPREFIX="$work/prefix-$1" TALLIMEX_DISPLAY_DPI=$1 TALLIMEX_EXPORT_DIR="Z:${exports//\//\\}" \
        "$tallimex_top/scripts/wine-run" "$tests" --gtest_brief=1 --gtest_filter="$cases" \
        || fail "the cases failed at $1 dpi"
}

for each in 96 "$dpi"; do
    make_prefix "$each"
    run_cases "$each"
done
for file in graph.bmp graph.jpg; do
    [ -s "$work/export-96/$file" ] || fail "no $file was exported at 96 dpi"
    cmp -s "$work/export-96/$file" "$work/export-$dpi/$file" || fail "$file at $dpi dpi differs from the one at 96 dpi"
done
echo "display scaling test: the cases pass at $dpi dpi; graph.bmp and graph.jpg are the same bytes as at 96 dpi"
