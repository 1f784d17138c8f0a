#!/usr/bin/env python3
# Runs a bash command in a pseudo-terminal, echo off, as a person at a
# terminal would: each WAIT KEYS pair waits until the output so far holds
# WAIT and a process is blocked reading the terminal, as /proc shows it,
# then types KEYS (backslash escapes; Enter is \r). Prints all the output,
# with the terminal's line ends as "\n". (Wine reads the terminal for its
# console only once it has set the terminal's modes, after the program's
# first output; keys typed before would reach it in the modes they met.)
# Usage: pty_type.py COMMAND [WAIT KEYS]...
import glob, os, select, sys, threading

# The number of read() in /proc, as a thread of this one blocked in it shows.
probe, _ = os.pipe()
(thread := threading.Thread(target=os.read, args=(probe, 1), daemon=True)).start()
probed = f"/proc/self/task/{thread.native_id}/syscall"
while (call := open(probed).read().split())[1:2] != [hex(probe)]:
    pass
read_call = call[0]

terminal, child_end = os.openpty()
name = os.ttyname(child_end)
if (pid := os.fork()) == 0:
    os.login_tty(child_end)
    os.execvp("bash", ["bash", "-c", "stty -echo; echo ready; " + sys.argv[1]])
os.close(child_end)
output = bytearray()


def reading():  # whether a thread is blocked in read() of the terminal
    for task in glob.glob("/proc/[0-9]*/task/[0-9]*"):
        try:
            call = open(task + "/syscall").read().split()
            if call[0] == read_call and os.readlink(f"{task}/fd/{int(call[1], 16)}") == name:
                return True
        except (OSError, IndexError, ValueError):  # gone, or not in a call
            pass
    return False


def read_on(until=lambda: False):  # reads output until `until` holds or the terminal closes
    while not until():
        if select.select([terminal], [], [], 0.01)[0]:
            try:
                chunk = os.read(terminal, 4096)
            except OSError:  # the terminal closed: the command is over
                return
            output.extend(chunk)


for wait, keys in zip(sys.argv[2::2], sys.argv[3::2]):
    read_on(lambda: wait.encode() in output and reading())
    os.write(terminal, keys.encode().decode("unicode_escape").encode())
read_on()
os.waitpid(pid, 0)
sys.stdout.write(output.decode().replace("\r\n", "\n"))
