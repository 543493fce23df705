#!/usr/bin/env bash
# Starts Tallimex.exe under Wine, types "2+3" and Return into it from outside with xdotool, and
# reads the output pane back through the helper. Every wait is bounded; on the way out it stops
# only the processes it started (the program, and Xvfb when it started one).
# Usage: smoke_test.sh path/to/Tallimex.exe path/to/read_window_text.exe
set -u

program=$(realpath "$1")
reader=$(realpath "$2")
tallimex_top=$(cd "$(dirname "$0")/../.." && pwd)
source "$tallimex_top/scripts/wine-common.sh"
wine_run="$tallimex_top/scripts/wine-run"

# A build this machine cannot run is skipped, with wine-run's reason.
"$wine_run" --check "$program" || exit $?

script_name="smoke test"
expected='>> 2+3\r\n= 5'
program_pid=

read_window() {
    timeout 30 "$wine_run" "$reader" "$1" 2>/dev/null | tr -d '\r'
}

program_running() {
    [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null
}

# Ends the program politely through its window, or by its process id when it does not go.
stop_program() {
    program_running || return 0
    timeout 30 "$wine_run" "$reader" close >/dev/null 2>&1
    for _ in $(seq 100); do
        program_running || return 0
        sleep 0.1
    done
    kill -9 "$program_pid" 2>/dev/null
}

at_exit stop_private_display
at_exit 'stop_program; stop_process "$program_pid"'

if [ -z "${DISPLAY:-}" ]; then
    start_private_display || fail "Xvfb did not start"
fi

# From its distribution folder, as a user starts it.
cd "$(dirname "$program")"
"$wine_run" "$program" >/dev/null 2>&1 &
program_pid=$!

window=$(timeout 90 xdotool search --sync --onlyvisible --name '^Tallimex v[0-9.]*$' 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "the main window did not appear"

# Keys go to the X window with the input focus; the program then puts its own focus on the input line.
typed=
for _ in $(seq 10); do
    timeout 10 xdotool windowfocus --sync "$window" >/dev/null 2>&1
    sleep 0.5
    timeout 20 xdotool type --delay 60 '2+3'
    sleep 0.3
    if [ "$(read_window input)" = '2+3' ]; then
        typed=yes
        break
    fi
    # Something else took the keys: empty the line and try again.
    timeout 10 xdotool key --clearmodifiers ctrl+a BackSpace >/dev/null 2>&1
done
[ -n "$typed" ] || fail "could not type into the input line (it shows '$(read_window input)')"
timeout 10 xdotool key Return

pane=
for _ in $(seq 50); do
    pane=$(read_window pane)
    [ "$pane" = "$expected" ] && break
    sleep 0.2
done
[ "$pane" = "$expected" ] || fail "the output pane shows '$pane', expected '$expected'"
[ "$(read_window input)" = '' ] || fail "the input line was not emptied"

# Closing the main window ends the program with exit code 0.
timeout 30 "$wine_run" "$reader" close >/dev/null 2>&1
for _ in $(seq 100); do
    program_running || break
    sleep 0.1
done
program_running && fail "the program did not end after its window was closed"
wait "$program_pid"
status=$?
program_pid=
[ "$status" -eq 0 ] || fail "the program ended with exit code $status"
echo "smoke test passed: '$pane'"
