#!/usr/bin/python3
"""Writes the input workbooks of the end-to-end tests with openpyxl, a writer
independent of ours. Usage: make_input.py KIND PATH, KIND one of
ssr, chr, flagged (a cell of three alleles), two-sources."""
import sys

import openpyxl
from openpyxl.styles import Font, PatternFill

# V1..V4 at M1..M3; V3 is untyped at M2.
SSR = [["150/152", "200/200", "100/110"], ["152/156", "200/204", "100/103"],
       ["150/150", None, "110/110"], ["156/156", "204/208", "103/110"]]
CHR = [["AB", "AA", "BC"], ["BB", "AB", "CC"], ["AA", None, "AB"], ["AB", "BB", "BB"]]
FLAGGED = [SSR[0], SSR[1][:2] + ["100/103/110"]] + SSR[2:]


def source(wb, name, rows):
    ws = wb.create_sheet(name)
    ws["B2"] = "E2E title"
    ws["B2"].font = Font(bold=True)
    for j in range(3):
        ws.cell(row=4, column=3 + j, value=f"M{j + 1}")
    for i, row in enumerate(rows):
        ws.cell(row=5 + i, column=2, value=f"V{i + 1}")
        for j, text in enumerate(row):
            if text is not None:
                ws.cell(row=5 + i, column=3 + j, value=text)


def main():
    kind, path = sys.argv[1], sys.argv[2]
    sources = {"ssr": [("Apple.org", SSR)], "chr": [("Rice.org", CHR)],
               "flagged": [("Apple.org", FLAGGED)],
               "two-sources": [("Apple.org", SSR), ("Pear.org", SSR)]}
    if kind not in sources:
        sys.exit(f"unknown kind {kind}")
    wb = openpyxl.Workbook()
    # An unrelated sheet in front of the source, with a fill, a number and a formula.
    ws = wb.active
    ws.title = "Notes"
    ws["A1"] = "keep me"
    ws["A1"].fill = PatternFill("solid", fgColor="FFFF00")
    ws["B2"] = 42
    ws["C3"] = "=B2*2"
    for name, rows in sources[kind]:
        source(wb, name, rows)
    wb.save(path)


if __name__ == "__main__":
    main()
