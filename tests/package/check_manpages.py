#!/usr/bin/python3
"""Every option and command a program's --help lists must appear in its
manual page, so a new option is not shipped undocumented.
Usage: check_manpages.py CLI GUI CLI_PAGE.1 GUI_PAGE.1"""
import os
import re
import subprocess
import sys

OPTION = re.compile(r"(?<![\w-])(--?[A-Za-z][\w-]*)")


def help_text(*argv):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    done = subprocess.run(argv, capture_output=True, text=True, env=env, check=False)
    return done.stdout


def section(text, name):
    """The first words of the entries of one CLI11 help section."""
    words, inside = [], False
    for line in text.splitlines():
        if re.match(r"^[A-Za-z][A-Za-z ]*:$", line):
            inside = line == name + ":"
        elif inside and re.match(r"^  \S", line):
            words.append(line.split()[0])
    return words


def options(text):
    found = set()
    for line in text.splitlines():
        head = line.strip().split("  ")[0]  # the option column, not the description
        if head.startswith("-"):
            found.update(OPTION.findall(head))
    return found


def page_words(path):
    with open(path, encoding="utf-8") as f:
        roff = f.read()
    # roff escapes a hyphen as \- and switches fonts with \fB ... \fR.
    return re.sub(r"\\f[BIRP]", "", roff).replace("\\-", "-")


def missing_from(page, names):
    return sorted(n for n in names if not re.search(r"(?<![\w-])" + re.escape(n) + r"(?![\w-])", page))


def main():
    cli, gui, cli_page, gui_page = sys.argv[1:5]
    problems = []
    top = help_text(cli, "--help")
    commands = section(top, "Subcommands")
    if not commands:
        problems.append(f"{cli} --help lists no commands")
    wanted = options(top) | set(commands)
    for command in commands:
        wanted |= options(help_text(cli, command, "--help"))
    for name in missing_from(page_words(cli_page), wanted):
        problems.append(f"{cli_page}: {name} is in --help but not in the page")
    gui_options = options(help_text(gui, "--help"))
    if not gui_options:
        problems.append(f"{gui} --help lists no options")
    for name in missing_from(page_words(gui_page), gui_options):
        problems.append(f"{gui_page}: {name} is in --help but not in the page")
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
