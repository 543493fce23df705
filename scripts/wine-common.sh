# Shared by the scripts: their failure and skip messages and their way out, and for those that run
# Windows programs which Windows builds this machine can run, the Wine loader and private prefix
# of each, and a private Xvfb display. Source it; it sets no shell options of its own.

tallimex_top=${tallimex_top:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
tallimex_deps=${TALLIMEX_DEPS:-$tallimex_top/build/deps}

# Exit code of a program that cannot run on this machine; CTest reports it as skipped.
wine_skip_code=77
no_32bit_reason="this machine runs no 32-bit code (no IA-32 emulation in its kernel)"

# True when the kernel runs 32-bit x86 programs. It executes a minimal static i386 ELF program
# that exits with 42; without IA-32 emulation execve fails with "Exec format error".
# TALLIMEX_NO_32BIT=1 makes the answer no, so that either path can be tried on any machine.
kernel_runs_32bit() {
    [ "${TALLIMEX_NO_32BIT:-0}" = 1 ] && return 1
    local probe status
    probe=$(mktemp)
    # ELF header, one loadable segment at 0x08048000, then: mov eax,1; mov ebx,42; int 0x80.
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'\
'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000'\
'\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'\
'\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'\
'\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000'\
'\270\001\000\000\000\273\052\000\000\000\315\200' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null
    status=$?
    rm -f "$probe"
    [ $status -eq 42 ]
}

# The Windows architecture of a PE program: win32, win64, or nothing when it is no PE file.
pe_arch() {
    local file=$1 offset machine
    [ -f "$file" ] || return 1
    [ "$(head -c 2 "$file")" = MZ ] || return 1
    offset=$(od -An -tu4 -j60 -N4 "$file" | tr -d ' ')
    [ "$(od -An -c -j"$offset" -N4 "$file" | tr -d ' ')" = 'PE\0\0' ] || return 1
    machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$file" | tr -d ' ')
    case $machine in
        014c) echo win32 ;;
        8664) echo win64 ;;
        *) return 1 ;;
    esac
}

wine_loader() {
    case $1 in
        win32) echo /usr/lib/wine/wine ;;
        win64) echo /usr/lib/wine/wine64 ;;
    esac
}

wine_prefix() {
    echo "$tallimex_deps/wineprefix-$1"
}

# Prints why this machine cannot run programs of the architecture, and succeeds; fails silently
# when it can.
wine_cannot_run() {
    if [ "$1" = win32 ] && ! kernel_runs_32bit; then
        echo "$no_32bit_reason"
        return 0
    fi
    return 1
}

# Exports the environment that runs programs of the architecture, in the project's prefix
# unless WINEPREFIX names another one.
use_wine() {
    export WINEARCH=$1
    export WINEPREFIX
    WINEPREFIX=${WINEPREFIX:-$(wine_prefix "$1")}
    export WINELOADER
    WINELOADER=$(wine_loader "$1")
    export WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
}

# fail and skip name the script by $script_name, its file name unless the script sets another.
# fail exits with 1, after the script's own on_failure when it defines one.
fail() {
    echo "${script_name:-$(basename "$0")}: $*" >&2
    if declare -F on_failure >/dev/null; then
        on_failure >&2
    fi
    exit 1
}

# Exits as a skipped test, with the reason.
skip() {
    echo "${script_name:-$(basename "$0")}: skipped: $*" >&2
    exit "$wine_skip_code"
}

# at_exit command: runs the command (a line of shell) however the script ends, by exit, failure
# or signal; the last one registered runs first, so that what a script made goes before what it
# was made in.
exit_actions=()
at_exit() {
    if [ ${#exit_actions[@]} -eq 0 ]; then
        trap run_exit_actions EXIT
        end_on_signals
    fi
    exit_actions=("$1" "${exit_actions[@]}")
}

run_exit_actions() {
    local action
    for action in "${exit_actions[@]}"; do
        eval "$action"
    done
}

# Ends a process this shell started, if it still runs, and reaps it.
stop_process() {
    [ -n "$1" ] || return 0
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
    return 0
}

# Makes an interrupted or terminated script run its EXIT trap, so that what it started ends too.
end_on_signals() {
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# Starts a command in the background ($! names it) that ends with this shell even when the shell
# is killed outright, as CTest does when a test times out, and no trap runs.
start_tied() {
    setpriv --pdeathsig TERM "$@" &
}

# Starts a private Xvfb and exports its DISPLAY; xvfb_pid names it for stop_private_display.
xvfb_pid=
start_private_display() {
    local fifo display
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    # Xvfb picks a free display itself and reports its number on the given descriptor. The FIFO
    # is opened in the background job, since opening it for writing waits for the reader below;
    # like start_tied's, the display ends with this shell.
    setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r -t 20 display <"$fifo" || display=
    rm -f "$fifo"
    if [ -z "$display" ]; then
        kill "$xvfb_pid" 2>/dev/null
        xvfb_pid=
        return 1
    fi
    export DISPLAY=":$display"
}

stop_private_display() {
    stop_process "$xvfb_pid"
    xvfb_pid=
}
