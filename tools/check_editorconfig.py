#!/usr/bin/env python3
# Checks every tracked text file against what .editorconfig says of it, as
# the editorconfig tool (Debian: editorconfig) reads it: line ends, final
# newline, trailing blanks, indentation by spaces and line length. Prints
# each finding as FILE:LINE: what; exits 1 if there is one.
# Usage: python3 tools/check_editorconfig.py   (from anywhere in the repo)
import os, re, subprocess, sys

os.chdir(subprocess.run(["git", "rev-parse", "--show-toplevel"], capture_output=True,
                        text=True, check=True).stdout.strip())
files = subprocess.run(["git", "grep", "-Il", ""], capture_output=True, text=True,
                       check=True).stdout.split("\n")[:-1]
found = subprocess.run(["editorconfig", *map(os.path.abspath, files)], capture_output=True,
                       text=True, check=True).stdout
properties = {}
for line in found.splitlines():
    if line.startswith("["):
        current = properties[os.path.relpath(line[1:-1])] = {}
    else:
        key, _, value = line.partition("=")
        current[key] = value

findings = []
for name in files:
    given = properties.get(name, {})
    data = open(name, "rb").read()
    lines = data.split(b"\n")
    if given.get("charset") == "utf-8":
        try:
            data.decode("utf-8")
        except UnicodeDecodeError as error:
            number = data.count(b"\n", 0, error.start) + 1
            findings.append(f"{name}:{number}: not UTF-8")
    if given.get("insert_final_newline") == "true" and data and not data.endswith(b"\n"):
        findings.append(f"{name}:{len(lines)}: no newline at the end")
    limit = int(given["max_line_length"]) if given.get("max_line_length", "").isdigit() else 0
    for number, text in enumerate(lines[:-1] if data.endswith(b"\n") else lines, 1):
        if given.get("end_of_line") == "lf" and text.endswith(b"\r"):
            findings.append(f"{name}:{number}: a CR before the end of line")
        if given.get("trim_trailing_whitespace") == "true" and re.search(rb"[ \t]\r?$", text):
            findings.append(f"{name}:{number}: blanks at the end of the line")
        if given.get("indent_style") == "space" and text.startswith(b"\t"):
            findings.append(f"{name}:{number}: indented by a tab")
        if limit and len(text.decode("utf-8", "replace")) > limit:
            findings.append(f"{name}:{number}: longer than {limit} columns")
print("\n".join(findings), end="\n" if findings else "")
sys.exit(1 if findings else 0)
