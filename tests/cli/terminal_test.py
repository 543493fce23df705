#!/usr/bin/env python3
"""Drives tallimex-cli on a pseudo-terminal: prompt, line editing, history and questions."""
import os
import pty
import select
import sys
import time

TIMEOUT = 10


class Terminal:
    def __init__(self, argv):
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
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


def main():
    question = "Prompt: Are you sure you want to reassign the variable '{}'? [y/N] "
    term = Terminal(sys.argv[1:])
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
    print("1 passed, 0 failed")


if __name__ == "__main__":
    try:
        main()
    except AssertionError as failure:
        print(f"FAILED: {failure}")
        print("0 passed, 1 failed")
        sys.exit(1)
