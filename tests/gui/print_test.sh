#!/usr/bin/env bash
# Prints a graph for real: starts a CUPS server of its own with a PDF printer, makes a fresh Wine
# prefix that finds it, lets the GUI tests print 3 copies, and reads the PDF: one document titled
# "Tallimex Graph" of 3 identical pages, each with the picture as a square of 0.6 x the page's
# shorter side, 20 % of the width from the left and 10 % of the height from the top. Then the
# printer refuses jobs, and printing must say it failed.
# Exits with 77 (skipped) where the program cannot run or no CUPS server can be started here.
# Usage: print_test.sh gui_tests.exe
set -u

tests=$(realpath "$1")
tallimex_top=$(cd "$(dirname "$0")/../.." && pwd)
source "$tallimex_top/scripts/wine-common.sh"
copies=3

script_name="print test"

work=$(mktemp -d)
at_exit 'rm -rf "$work"'
cupsd_pid=
at_exit 'stop_process "$cupsd_pid"'
at_exit '[ -d "$work/prefix" ] && WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -k 2>/dev/null'

if reason=$(wine_cannot_run "$(pe_arch "$tests")"); then
    skip "$reason"
fi
for tool in cupsd lpadmin cupsreject unshare pdfinfo pdftoppm convert identify; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x /usr/lib/cups/backend/cups-pdf ] && [ -f /etc/cups/cups-pdf.conf ] || skip "cups-pdf is not installed"

# The PDF backend reads its settings from /etc/cups only: the server runs in a mount namespace of
# its own where private settings lie over them, so nothing outside the work folder is touched.
mkdir -p "$work"/{conf,spool,cache,state,tmp,log,pdf,pdf-spool}
chmod 755 "$work"
chmod 777 "$work"/{tmp,pdf,pdf-spool,log}
socket="$work/cups.sock"
cat >"$work/conf/cupsd.conf" <<EOF
Listen $socket
LogLevel warn
Browsing No
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
EOF
cat >"$work/conf/cups-files.conf" <<EOF
ServerRoot $work/conf
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/tmp
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
EOF
cat >"$work/cups-pdf.conf" <<EOF
Out $work/pdf
AnonDirName $work/pdf
Spool $work/pdf-spool
Log $work/log
Grp root
EOF
start_tied unshare --mount --propagation private \
    sh -c "mount --bind '$work/cups-pdf.conf' /etc/cups/cups-pdf.conf && exec cupsd -f -c '$work/conf/cupsd.conf' -s '$work/conf/cups-files.conf'" \
    >"$work/log/cupsd.out" 2>&1
cupsd_pid=$!
for _ in $(seq 50); do
    [ -S "$socket" ] && break
    kill -0 "$cupsd_pid" 2>/dev/null || break
    sleep 0.2
done
[ -S "$socket" ] || skip "no CUPS server could be started: $(tr '\n' ' ' <"$work/log/cupsd.out")"
lpadmin -h "$socket" -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null \
    && lpadmin -h "$socket" -d PDF || fail "the PDF printer could not be added"

# Why a new prefix may list no printer: Wine reaches CUPS through the CUPS library of its own
# architecture, which the other architecture's library does not replace.
missing_printer_cause() {
    local library=/usr/lib/x86_64-linux-gnu/libcups.so.2 package=libcups2 bits=64
    if [ "$1" = win32 ]; then
        library=/usr/lib/i386-linux-gnu/libcups.so.2 package=libcups2:i386 bits=32
    fi
    if [ ! -e "$library" ]; then
        echo "the $bits-bit CUPS library is not installed (package $package; scripts/bootstrap installs it)"
    else
        echo "Wine did not list the server's printers (WINEDEBUG=+winspool shows what it found)"
    fi
}

# Wine lists the printers when it makes a prefix: this one is made after the server started.
export WINEPREFIX="$work/prefix" CUPS_SERVER="$socket"
use_wine "$(pe_arch "$tests")"
"$WINELOADER" wineboot --init >/dev/null 2>&1 || fail "wineboot failed"
/usr/lib/wine/wineserver -w
grep -q 'Print\\\\Printers\\\\PDF\]' "$WINEPREFIX/system.reg" \
    || fail "Wine found no printer PDF in the new prefix: $(missing_printer_cause "$(pe_arch "$tests")")"

# Prints; the test program checks what it was told (nothing, or the error when refused).
print_graph() {
    TALLIMEX_PRINT_COPIES=$copies "$tallimex_top/scripts/wine-run" "$tests" --gtest_brief=1 \
        --gtest_filter=GraphExportTest.PrintsOnePagePerCopyOrSaysItFailed
}
print_graph || fail "the program did not print"
/usr/lib/wine/wineserver -w
for _ in $(seq 120); do
    [ -z "$(lpstat -h "$socket" -o 2>/dev/null)" ] && [ -n "$(ls "$work/pdf")" ] && break
    sleep 0.5
done

pdfs=("$work"/pdf/*.pdf)
[ ${#pdfs[@]} -eq 1 ] && [ -f "${pdfs[0]}" ] || fail "expected one PDF, found: $(ls "$work/pdf" | tr '\n' ' ')"
info=$(pdfinfo "${pdfs[0]}")
title=$(sed -n 's/^Title: *//p' <<<"$info")
pages=$(sed -n 's/^Pages: *//p' <<<"$info")
[[ $title == *"Tallimex Graph"* ]] || fail "the document is titled '$title'"
[ "$pages" = $copies ] || fail "the document has $pages pages, not $copies"

pdftoppm -r 50 "${pdfs[0]}" "$work/page"
for page in "$work"/page-*.ppm; do
    cmp -s "$page" "$work/page-1.ppm" || fail "$(basename "$page") differs from the first page"
done
# The picture is pale blue on white paper: its box is what trimming the white leaves.
read -r width height < <(identify -format '%w %h' "$work/page-1.ppm")
read -r side_x side_y left top < <(convert "$work/page-1.ppm" -fuzz 10% -trim -format '%w %h %X %Y' info:)
shorter=$((width < height ? width : height))
near() { [ $(($1 - $2)) -le 2 ] && [ $(($2 - $1)) -le 2 ]; }
near "$side_x" "$side_y" || fail "the picture is ${side_x} x ${side_y}, not square"
near "$side_x" $((shorter * 6 / 10)) || fail "the picture's side is $side_x on a ${width} x ${height} page"
near "${left#+}" $((width * 2 / 10)) || fail "the picture starts $left from the left of a ${width} wide page"
near "${top#+}" $((height / 10)) || fail "the picture starts $top from the top of a ${height} high page"
# A printer that refuses the job: the user is told, and nothing more is printed.
cupsreject -h "$socket" PDF || fail "the printer could not be made to refuse jobs"
TALLIMEX_PRINT_REFUSED=1 print_graph || fail "a refused job was not reported"
/usr/lib/wine/wineserver -w
[ "$(ls "$work/pdf")" = "$(basename "${pdfs[0]}")" ] || fail "a refused job printed: $(ls "$work/pdf" | tr '\n' ' ')"

echo "print test: $pages pages titled '$title', picture ${side_x} x ${side_y} at ($left, $top) on ${width} x ${height}"
