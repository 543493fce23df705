#!/usr/bin/env bash
# Pipes lines through the built tallimex-cli and compares its output and exit status exactly.
# Usage: pipe_test.sh [emulator...] tallimex-cli
set -u

cli=("$@")
# Through an emulator (scripts/wine-run): a build this machine cannot run is skipped.
if [ ${#cli[@]} -gt 1 ]; then
    "${cli[0]}" --check "${cli[-1]}" || exit $?
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
checks=0

# check NAME INPUT(printf %b escapes) EXPECTED-OUTPUT(%b) EXPECTED-STATUS [OPTIONS...]
check() {
    local name=$1 input=$2 expected=$3 expected_status=$4
    shift 4
    checks=$((checks + 1))
    printf '%b' "$input" >"$work/in"
    printf '%b' "$expected" >"$work/expected"
    "${cli[@]}" "$@" <"$work/in" >"$work/out" 2>"$work/err"
    local status=$?
    if [ $status -ne "$expected_status" ] || ! cmp -s "$work/out" "$work/expected"; then
        failures=$((failures + 1))
        echo "FAILED: $name (status $status, expected $expected_status)"
        echo "--- expected"; od -c "$work/expected" | head -20
        echo "--- actual"; od -c "$work/out" | head -20
        echo "--- stderr"; head -5 "$work/err"
    fi
}

check "one line per line" '1+2\nx=5\n' '= 3\nx = 5\n' 0
check "CR LF, empty line, last line without LF" '1+2\r\n\r\nx=5' '= 3\nx = 5\n' 0
check "blank and comment lines skipped" '\n  \n# a comment\n\t# another\n1\n' '= 1\n' 0
check "reassignment refused" 'x=5\nx=6\nx\n' \
    "x = 5\nCould not reassign the name 'x'.\n= 5\n" 1
check "an error line gives status 1, the rest still runs" '1+\n2\n' \
    'Illegal syntax:  Unable to parse expression. Please make sure you typed correctly.\n= 2\n' 1
check "--stop-on-error stops at the first" '1\n1+\n2\n' \
    '= 1\nIllegal syntax:  Unable to parse expression. Please make sure you typed correctly.\n' 1 --stop-on-error
check "a missing file is a usage error" '1\n' '' 2 "$work/missing.txt"
check "an unknown picture format is a usage error" '' '' 2 --plot x --from 0 --to 1 --output "$work/a.gif"
check "a refused plot" '' '' 1 --plot x --from 1 --to 0 --output "$work/a.svg"
check "-e runs one line, and input is not read" '9\n' '= 3\n' 0 -e 1+2
check "-i reads the input after -e" '2*a\n' 'a = 4\n= 8\n' 0 -e a=4 -i
check "reassignment with --yes" 'x=5\nx=6\nx\n' 'x = 5\nx = 6\n= 6\n' 0 --yes
check "UTF-8 in and out" '\xce\xb1=2\n\xce\xb1*3\n' '\xce\xb1 = 2\n= 6\n' 0
check "malformed UTF-8 reported on its line" '1+2\nab\xff\n2+2\n' \
    '= 3\nIllegal input: Malformed UTF-8 at byte 2.\n= 4\n' 1
check "no input" '' '' 0
check "version" '' 'tallimex-cli 1.0\n' 0 --version
check "unknown option" '1\n' '' 2 --frobnicate

# The same lines as files, as -e lines and piped give the same output and status; - is the input.
lines=('# definitions' 'f(x)=x^2+1' '' 'f(3)' '1+' 'α=f(2)' '  # done')
printf '%s\n' "${lines[@]:0:4}" >"$work/one.txt"
printf '%s\r\n' "${lines[@]:4}" >"$work/two.txt"
printf '%s\n' "${lines[@]}" >"$work/all.txt"
expressions=()
for line in "${lines[@]}"; do expressions+=(-e "$line"); done
"${cli[@]}" <"$work/all.txt" >"$work/piped" 2>/dev/null
piped_status=$?
for way in files expressions stdin-between; do
    checks=$((checks + 1))
    case $way in
        files) "${cli[@]}" "$work/one.txt" "$work/two.txt" </dev/null >"$work/out" 2>/dev/null ;;
        expressions) "${cli[@]}" "${expressions[@]}" </dev/null >"$work/out" 2>/dev/null ;;
        stdin-between) "${cli[@]}" "$work/one.txt" - <"$work/two.txt" >"$work/out" 2>/dev/null ;;
    esac
    status=$?
    if [ $status -ne $piped_status ] || [ $piped_status -ne 1 ] || ! cmp -s "$work/out" "$work/piped"; then
        failures=$((failures + 1))
        echo "FAILED: $way differ from piped lines (status $status, piped $piped_status)"
        diff "$work/piped" "$work/out" | head -10
    fi
done

# Lines of a million characters: each still gets its one answer, and the program lives on.
checks=$((checks + 1))
{
    yes '1+' | head -n 500000 | tr -d '\n'; echo 1
    printf 'f(x)='; yes 'x+' | head -n 499997 | tr -d '\n'; echo x
    head -c 1000000 /dev/zero | tr '\0' '!'; echo
    head -c 1000000 /dev/zero | tr '\0' '('; echo
    echo 2+2
} >"$work/long"
"${cli[@]}" <"$work/long" >"$work/out" 2>"$work/err"
status=$?
if [ $status -ne 1 ] || [ "$(wc -l <"$work/out")" -ne 5 ] || [ "$(tail -n 1 "$work/out")" != "= 4" ]; then
    failures=$((failures + 1))
    echo "FAILED: million-character lines (status $status)"
    cut -c 1-100 "$work/out" "$work/err"
fi

# Only where the program runs natively: the reader of its output goes away.
if [ ${#cli[@]} -eq 1 ]; then
    checks=$((checks + 1))
    yes '1+1' | head -n 200000 | "${cli[@]}" | head -n 1 >/dev/null
    status=("${PIPESTATUS[@]}")
    if [ "${status[2]}" -ne 1 ]; then
        failures=$((failures + 1))
        echo "FAILED: closed output pipe gives status ${status[2]}, expected 1"
    fi
    checks=$((checks + 1))
    printf '1\n' | "${cli[@]}" >&- 2>/dev/null
    status=$?
    if [ $status -ne 1 ]; then
        failures=$((failures + 1))
        echo "FAILED: closed standard output gives status $status, expected 1"
    fi
fi

echo "$((checks - failures)) passed, $failures failed"
[ $failures -eq 0 ]
