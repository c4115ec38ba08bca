#!/usr/bin/python3
"""The golden result workbooks: runs the command line on a fixed set of inputs
and compares each result, sheet by sheet, cell by cell and format by format,
and its exit status and closing message, with the saved result in expected/:
the workbook NAME.xlsx, its listing NAME.txt (dump_workbook.py --compact:
a very large sheet by its first cells and a digest) and NAME.log.
The listing is committed beside the workbook so that a change of output shows
in a diff. The inputs are committed fixtures: problems.xlsx (every kind of
data problem, a Notes sheet to keep), many.xlsx (beyond both limits),
legacy.xls and grouped.xlsx (look-alike varieties and a Groups sheet).

Usage: check_golden.py CLI [--update] [CASE ...]
With --update the current results become the expected ones (workbook, listing
and messages): do that only in the commit that changes the output on purpose,
and say so there."""
import io
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(HERE))
from dump_workbook import dump  # noqa: E402

EXAMPLES = ROOT / "examples"
INPUTS = HERE / "inputs"
EXPECTED = HERE / "expected"

# name: (input file, runs as lists of options, the result's file name)
CASES = {
    "ssr_every_option": (EXAMPLES / "ssr_example.xlsx", [["--zoo"]], "ssr_example.xlsx"),
    "chr_every_option": (EXAMPLES / "chr_example.xlsx", [["--zoo"]], "chr_example.xlsx"),
    "data_problems": (INPUTS / "problems.xlsx", [[]], "problems.xlsx"),
    "beyond_limits": (INPUTS / "many.xlsx", [[]], "many.xlsx"),
    "rerun_in_place": (EXAMPLES / "ssr_example.xlsx", [["--zoo"], ["--no-ukai"]],
                       "ssr_example.xlsx"),
    "legacy_xls": (INPUTS / "legacy.xls", [[]], "legacy.xlsx"),
    "summary_of_groups": (INPUTS / "grouped.xlsx", [[]], "grouped.xlsx"),
    "summary_switched_off": (EXAMPLES / "ssr_example.xlsx", [[], ["--no-summary"]],
                             "ssr_example.xlsx"),
    "ssr_relate": (EXAMPLES / "ssr_example.xlsx", [["--relate"]], "ssr_example.xlsx"),
    # The distance sheets, then a rerun without them: they keep only a note.
    "relate_then_without": (EXAMPLES / "chr_example.xlsx", [["--relate"], []],
                            "chr_example.xlsx"),
}


def run_case(cli, name, work):
    source, runs, result = CASES[name]
    shutil.copy(source, work / source.name)
    log = io.StringIO()
    env = dict(os.environ, LANG="ja_JP.UTF-8", LC_ALL="", LC_MESSAGES="", LANGUAGE="")
    for options in runs:
        done = subprocess.run([cli, "run", str(work / source.name), *options],
                              capture_output=True, text=True, env=env, timeout=600)
        log.write(f"exit {done.returncode}\n{done.stdout}")
    return work / result, log.getvalue()


def compare(name, got_text, want_text):
    if got_text == want_text:
        return True
    got, want = got_text.splitlines(), want_text.splitlines()
    print(f"FAIL {name} differs", file=sys.stderr)
    shown = 0
    for k in range(max(len(got), len(want))):
        g = got[k] if k < len(got) else "<none>"
        w = want[k] if k < len(want) else "<none>"
        if g != w:
            print(f"  line {k + 1}\n    want {w}\n    got  {g}", file=sys.stderr)
            shown += 1
            if shown == 10:
                break
    return False


def main():
    args = sys.argv[1:]
    cli = os.path.abspath(args.pop(0))
    update = "--update" in args
    names = [a for a in args if a != "--update"] or list(CASES)
    EXPECTED.mkdir(exist_ok=True)
    failed = 0
    for name in names:
        with tempfile.TemporaryDirectory() as tmp:
            result, log = run_case(cli, name, pathlib.Path(tmp))
            text, listing = io.StringIO(), io.StringIO()
            dump(result, text)
            dump(result, listing, compact=True)
            if update:
                shutil.copy(result, EXPECTED / f"{name}.xlsx")
                (EXPECTED / f"{name}.txt").write_text(listing.getvalue(), encoding="utf-8")
                (EXPECTED / f"{name}.log").write_text(log, encoding="utf-8")
                print(f"updated {name}")
                continue
            want = io.StringIO()
            dump(EXPECTED / f"{name}.xlsx", want)
            ok = compare(f"{name} (workbook)", text.getvalue(), want.getvalue())
            for kind, got in (("txt", listing.getvalue()), ("log", log)):
                ok &= compare(f"{name}.{kind}", got,
                              (EXPECTED / f"{name}.{kind}").read_text(encoding="utf-8"))
            print(f"{'ok  ' if ok else 'FAIL'} {name}")
            failed += not ok
    print(f"{len(names) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
