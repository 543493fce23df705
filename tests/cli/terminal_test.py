#!/usr/bin/env python3
"""Drives tallimex-cli on a pseudo-terminal: prompt, line editing, history and questions."""
import os
import pty
import select
import sys
import tempfile
import time

TIMEOUT = 10


class Terminal:
    def __init__(self, argv, state_home):
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            os.environ["XDG_STATE_HOME"] = state_home
            os.execv(argv[0], argv)
        self.seen = b""

    def expect(self, text):
        wanted = text.encode("utf-8")
        deadline = time.time() + TIMEOUT
        while wanted not in self.seen:
            left = deadline - time.time()
            ready, _, _ = select.select([self.fd], [], [], max(left, 0))
            if not ready:
                raise AssertionError(f"timed out waiting for {text!r}; the terminal shows:\n{self.transcript()}")
            try:
                chunk = os.read(self.fd, 4096)
            except OSError:
                chunk = b""
            if not chunk:
                raise AssertionError(f"output ended before {text!r}; the terminal shows:\n{self.transcript()}")
            self.seen += chunk
        self.seen = self.seen[self.seen.index(wanted) + len(wanted):]

    def send(self, keys):
        os.write(self.fd, keys.encode("utf-8"))

    def transcript(self):
        return self.seen.decode("utf-8", "replace")

    def exit_status(self):
        """Ends the session with Ctrl+D on an emptied line (Ctrl+U), repeated: a Ctrl+D that
        arrives while the line editor switches the terminal's mode can land in the line as text."""
        deadline = time.time() + TIMEOUT
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


def editing_and_questions(cli, state_home):
    question = "Prompt: Are you sure you want to reassign the variable '{}'? [y/N] "
    term = Terminal(cli, state_home)
    term.expect(">> ")
    term.send("1+2\r")
    term.expect("= 3\r\n>> ")
    term.send("x=5\r")
    term.expect("x = 5\r\n>> ")
    term.send("x=6\r")
    term.expect(question.format("x"))
    term.send("y\r")
    term.expect("x = 6\r\n>> ")
    # Editing: type, move left over a two-byte letter, insert before it.
    term.send("=x\x1b[D\x1b[D\u03b1\r")
    term.expect("\u03b1 = 6\r\n>> ")
    # The answer to a question is not history: Up brings back the statement itself.
    term.send("\x1b[A\r")
    term.expect(question.format("\u03b1"))
    term.send("\r")
    term.expect("Could not reassign the name '\u03b1'.\r\n>> ")
    status = term.exit_status()
    if status != 0:
        raise AssertionError(f"exit status {status}")


def banner_ctrl_c_and_completion(cli, state_home):
    term = Terminal(cli, state_home)
    term.expect(" terminal console. Ctrl+D quits, --help tells more.\r\n>> ")
    # Ctrl+C drops the line typed so far; the session and its names live on.
    term.send("w=7\r")
    term.expect("w = 7\r\n>> ")
    term.send("1+2\x03")
    term.expect("^C\r\n>> ")
    term.send("w\r")
    term.expect("= 7\r\n>> ")
    # Tab completes a built-in name and a name of the user's.
    term.send("sq\t(16)\r")
    term.expect("= 4\r\n>> ")
    term.send("my_long_name=3\r")
    term.expect(">> ")
    term.send("my_\t*2\r")
    term.expect("= 6\r\n>> ")
    if term.exit_status() != 0:
        raise AssertionError("Ctrl+D did not end the session with status 0")
    # -q: no banner.
    quiet = Terminal(cli + ["-q"], state_home)
    quiet.expect(">> ")
    if "terminal console" in quiet.transcript() or b"Tallimex" in quiet.seen:
        raise AssertionError("-q still shows the banner")
    quiet.exit_status()


def history_across_runs(cli, state_home):
    history = os.path.join(state_home, "tallimex", "history")
    first = Terminal(cli + ["-q"], state_home)
    first.expect(">> ")
    first.send("40+2\r")
    first.expect("= 42\r\n>> ")
    first.send("# not kept\r")
    first.expect(">> ")
    first.exit_status()
    with open(history, encoding="utf-8") as kept:
        lines = kept.read()
    if "40+2" not in lines or "not kept" in lines:
        raise AssertionError(f"the history file holds {lines!r}")
    # The next run recalls the line with Up (after a first line, once the editor has the terminal).
    second = Terminal(cli + ["-q"], state_home)
    second.expect(">> ")
    second.send("1\r")
    second.expect("= 1\r\n>> ")
    second.send("\x1b[A\x1b[A\r")
    second.expect("= 42\r\n>> ")
    second.exit_status()
    # --no-history neither reads nor writes it.
    os.remove(history)
    third = Terminal(cli + ["-q", "--no-history"], state_home)
    third.expect(">> ")
    third.send("2+2\r")
    third.expect("= 4\r\n>> ")
    third.exit_status()
    if os.path.exists(history):
        raise AssertionError("--no-history wrote the history file")


def main():
    cli = sys.argv[1:]
    cases = [editing_and_questions, banner_ctrl_c_and_completion, history_across_runs]
    failed = 0
    for case in cases:
        with tempfile.TemporaryDirectory() as state_home:
            try:
                case(cli, state_home)
            except AssertionError as failure:
                failed += 1
                print(f"FAILED: {case.__name__}: {failure}")
    print(f"{len(cases) - failed} passed, {failed} failed")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
