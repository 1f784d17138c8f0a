#!/usr/bin/env python3
# Runs a bash command in a pseudo-terminal, echo off, as a person at a
# terminal would: each WAIT KEYS pair waits until the output so far holds
# WAIT, then a second more, then types KEYS (backslash escapes; Enter is
# \r). Prints all the output, with the terminal's line ends as "\n".
# Usage: pty_type.py COMMAND [WAIT KEYS]...
import os, pty, sys, time

pid, terminal = pty.fork()
if pid == 0:
    os.execvp("bash", ["bash", "-c", "stty -echo; echo ready; " + sys.argv[1]])
output = bytearray()


def read_until(text):
    while text not in output:
        try:
            chunk = os.read(terminal, 4096)
        except OSError:  # the terminal closed: the command is over
            chunk = b""
        if not chunk:
            return
        output.extend(chunk)


for wait, keys in zip(sys.argv[2::2], sys.argv[3::2]):
    read_until(wait.encode())
    time.sleep(1)  # a person reads before typing; wine sets its console up late
    os.write(terminal, keys.encode().decode("unicode_escape").encode())
read_until(b"\0")
os.waitpid(pid, 0)
sys.stdout.write(output.decode().replace("\r\n", "\n"))
