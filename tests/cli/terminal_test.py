#!/usr/bin/env python3
"""Drives tallimex-cli on a pseudo-terminal: banner, prompt, line editing, Ctrl+C, completion,
questions and the history kept between runs.

Usage: terminal_test.py [emulator...] tallimex-cli
A Windows build runs through scripts/wine-run, whose console answers in escape sequences; the
terminal's text is compared with them and carriage returns taken out."""
import os
import pty
import re
import select
import subprocess
import sys
import tempfile
import time

TIMEOUT = 10
# Wine starts slowly, the first time in a prefix most of all.
FIRST_OUTPUT_TIMEOUT = 60
CONTROL = re.compile(rb"\x1b\[[0-9;?]*[A-Za-z]|\r|\x08")


class Terminal:
    def __init__(self, argv, state_home):
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            os.environ["XDG_STATE_HOME"] = state_home
            os.execv(argv[0], argv)
        self.raw = b""
        self.matched = 0
        self.timeout = FIRST_OUTPUT_TIMEOUT

    def text(self):
        """What the terminal shows after the last match, without escape sequences."""
        return CONTROL.sub(b"", self.raw).decode("utf-8", "replace")[self.matched:]

    def expect(self, wanted):
        deadline = time.time() + self.timeout
        while wanted not in self.text():
            left = deadline - time.time()
            ready, _, _ = select.select([self.fd], [], [], max(left, 0))
            if not ready:
                raise AssertionError(f"timed out waiting for {wanted!r}; the terminal shows:\n{self.text()}")
            try:
                chunk = os.read(self.fd, 4096)
            except OSError:
                chunk = b""
            if not chunk:
                raise AssertionError(f"output ended before {wanted!r}; the terminal shows:\n{self.text()}")
            self.raw += chunk
        self.timeout = TIMEOUT
        self.matched += self.text().index(wanted) + len(wanted)

    def send(self, keys):
        os.write(self.fd, keys.encode("utf-8"))

    def exit_status(self):
        """Ends the session with Ctrl+D on an emptied line (Ctrl+U), repeated: a Ctrl+D that
        arrives while the line editor switches the terminal's mode can land in the line as text."""
        deadline = time.time() + 3 * TIMEOUT
        while time.time() < deadline:
            try:
                self.send("\x15\x04")
            except OSError:
                pass
            settle = time.time() + 0.5
            while time.time() < settle:
                pid, status = os.waitpid(self.pid, os.WNOHANG)
                if pid:
                    return os.waitstatus_to_exitcode(status)
                ready, _, _ = select.select([self.fd], [], [], 0.1)
                if ready:
                    try:
                        os.read(self.fd, 4096)
                    except OSError:
                        pass
        os.kill(self.pid, 9)
        raise AssertionError("the program did not end after Ctrl+D")


def editing_and_questions(cli, state_home, windows):
    question = "Prompt: Are you sure you want to reassign the variable '{}'? [y/N]"
    term = Terminal(cli, state_home)
    term.expect(">>")
    term.send("1+2\r")
    term.expect("= 3\n>>")
    term.send("x=5\r")
    term.expect("x = 5\n>>")
    term.send("x=6\r")
    term.expect(question.format("x"))
    term.send("y\r")
    term.expect("x = 6\n>>")
    # Editing: type, move left over a two-byte letter, insert before it.
    term.send("=x\x1b[D\x1b[D\u03b1\r")
    term.expect("\u03b1 = 6\n>>")
    # The answer to a question is not history: Up brings back the statement itself.
    term.send("\x1b[A\r")
    term.expect(question.format("\u03b1"))
    term.send("\r")
    term.expect("Could not reassign the name '\u03b1'.\n>>")
    status = term.exit_status()
    if status != 0:
        raise AssertionError(f"exit status {status}")


def banner_ctrl_c_and_completion(cli, state_home, windows):
    term = Terminal(cli, state_home)
    quit_keys = "Ctrl+Z or Ctrl+D" if windows else "Ctrl+D"
    term.expect(f" terminal console. {quit_keys} quits, --help tells more.\n>>")
    # Ctrl+C drops the line typed so far; the session and its names live on.
    term.send("w=7\r")
    term.expect("w = 7\n>>")
    term.send("1+2")
    term.expect("1+2")
    term.send("\x03")
    term.expect("^C\n>>")
    term.send("w\r")
    term.expect("= 7\n>>")
    # Tab completes a built-in name and a name of the user's.
    term.send("sq\t(16)\r")
    term.expect("= 4\n>>")
    term.send("my_long_name=3\r")
    term.expect("my_long_name = 3\n>>")
    term.send("my_\t*2\r")
    term.expect("= 6\n>>")
    status = term.exit_status()
    if status != 0:
        raise AssertionError(f"Ctrl+D ended the session with status {status}, not 0")
    # -q: no banner.
    quiet = Terminal(cli + ["-q"], state_home)
    quiet.expect(">>")
    if "terminal console" in quiet.text():
        raise AssertionError("-q still shows the banner")
    quiet.exit_status()


def history_across_runs(cli, state_home, windows):
    """Natively the file is checked where it should be; Wine keeps %LOCALAPPDATA% in its prefix,
    so there the next run's recall shows what was kept."""
    history = os.path.join(state_home, "tallimex", "history")
    first = Terminal(cli + ["-q"], state_home)
    first.expect(">>")
    first.send("40+2\r")
    first.expect("= 42\n>>")
    first.send("# not kept\r")
    first.expect(">>")
    first.exit_status()
    if not windows:
        with open(history, encoding="utf-8") as kept:
            lines = kept.read()
        if "40+2" not in lines or "not kept" in lines:
            raise AssertionError(f"the history file holds {lines!r}")
    # --no-history neither writes the line nor reads the others.
    untold = Terminal(cli + ["-q", "--no-history"], state_home)
    untold.expect(">>")
    untold.send("6*7000\r")
    untold.expect("= 42000\n>>")
    untold.exit_status()
    if not windows and "6*7000" in open(history, encoding="utf-8").read():
        raise AssertionError("--no-history wrote the history file")
    # The next run recalls the kept line with Up (after a first line, once the editor has the
    # terminal).
    second = Terminal(cli + ["-q"], state_home)
    second.expect(">>")
    second.send("1\r")
    second.expect("= 1\n>>")
    second.send("\x1b[A\x1b[A\r")
    second.expect("= 42\n>>")
    second.exit_status()


def start_display():
    """Wine needs a display. Ctrl+C on the terminal signals its whole foreground group, so the
    display runs in a session of its own rather than as scripts/wine-run's private one."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "640x480x24", "-nolisten", "tcp"],
                              pass_fds=[write_end], start_new_session=True,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as number:
        os.environ["DISPLAY"] = ":" + number.readline().strip()
    return server


def main():
    cli = sys.argv[1:]
    windows = cli[-1].lower().endswith(".exe")
    if windows and len(cli) > 1:
        check = subprocess.run([cli[0], "--check", cli[-1]])
        if check.returncode != 0:
            sys.exit(check.returncode)
    server = start_display() if windows and not os.environ.get("DISPLAY") else None
    cases = [editing_and_questions, banner_ctrl_c_and_completion, history_across_runs]
    failed = 0
    for case in cases:
        with tempfile.TemporaryDirectory() as state_home:
            try:
                case(cli, state_home, windows)
            except AssertionError as failure:
                failed += 1
                print(f"FAILED: {case.__name__}: {failure}")
    if server:
        server.terminate()
        server.wait()
    print(f"{len(cases) - failed} passed, {failed} failed")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
