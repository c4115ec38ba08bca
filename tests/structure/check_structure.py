#!/usr/bin/python3
"""The shape of src/ that the code relies on to stay readable:
- each folder includes only the folders below it (ALLOWED: text, the UTF-8
  rules, below all; the window and the command line on top of the session);
- the window's event names (…_Click) stay in the window;
- no function is longer than 80 lines (pmccabe counts them).
Usage: check_structure.py SRC_DIR"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

ALLOWED = {
    "text": set(),
    "host": {"text"},
    "messages": {"text"},
    "store": {"text", "messages"},
    "analysis": {"text", "store", "messages"},
    "exchange": {"text", "store", "analysis", "messages"},
    "picture": {"text", "store", "analysis", "messages"},
    "report": {"text", "host", "store", "analysis", "exchange", "picture", "messages"},
    "app/core": {"text", "host", "store", "analysis", "exchange", "picture", "report", "messages"},
}
# Single files a folder may use beyond its folders: the catalogue words the
# host's failure codes, which include nothing themselves.
ALLOWED_FILES = {"messages": {"host/HostFailure.h"}}
ALLOWED["app/gui"] = ALLOWED["app/core"] | {"app/core"}
ALLOWED["app/cli"] = {"text", "app/core", "messages"}
MAX_LINES = 80
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
CLICK = re.compile(r"\b\w+_Click\b")
# pmccabe skips every function of a file that opens a namespace as a::b.
NESTED = re.compile(r"namespace (\w+(?:::\w+)+)")


def folder_of(rel):
    parts = rel.split("/")
    if parts[0] == "app" and len(parts) > 2:
        return "app/" + parts[1]
    return parts[0]


def sources(src):
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if name.endswith((".h", ".cpp")):
                path = os.path.join(root, name)
                yield path, os.path.relpath(path, src)


def check_includes(src, problems):
    for path, rel in sources(src):
        me = folder_of(rel)
        with open(path, encoding="utf-8", errors="replace") as fh:
            for number, line in enumerate(fh, 1):
                m = INCLUDE.match(line)
                if m and os.path.exists(os.path.join(src, m.group(1))):
                    other = folder_of(m.group(1))
                    if (other != me and other not in ALLOWED.get(me, set())
                            and m.group(1) not in ALLOWED_FILES.get(me, set())):
                        problems.append(f"{rel}:{number}: {me} must not include {m.group(1)}")
                if me != "app/gui" and CLICK.search(line):
                    problems.append(f"{rel}:{number}: window event name outside the window")


def check_lengths(src, problems):
    if not shutil.which("pmccabe"):
        print("pmccabe not installed: function lengths not checked")
        return
    with tempfile.TemporaryDirectory() as tmp:
        files = []
        for path, rel in sources(src):
            if path.endswith(".cpp"):
                files.append(os.path.join(tmp, rel))
                os.makedirs(os.path.dirname(files[-1]), exist_ok=True)
                with open(path, encoding="utf-8", errors="replace") as fh:
                    text = NESTED.sub(lambda m: "namespace " + m.group(1).replace("::", "_"),
                                      fh.read())
                with open(files[-1], "w", encoding="utf-8") as fh:
                    fh.write(text)
        out = subprocess.run(["pmccabe", *files], capture_output=True, text=True).stdout
    for line in out.splitlines():
        fields = line.split("\t")
        if len(fields) >= 6 and int(fields[4]) > MAX_LINES:
            problems.append(f"{os.path.relpath(fields[5], tmp)}: {fields[4]} lines")


def main():
    src = sys.argv[1]
    problems = []
    check_includes(src, problems)
    check_lengths(src, problems)
    for p in problems:
        print(p)
    print(f"{0 if problems else 1} passed, {1 if problems else 0} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
