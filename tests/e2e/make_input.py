#!/usr/bin/python3
"""Writes the input workbooks of the end-to-end tests with openpyxl, a writer
independent of ours. Usage: make_input.py KIND PATH, KIND one of
ssr, chr, flagged (a cell of three alleles), two-sources."""
import sys

import openpyxl
from openpyxl.styles import Font, PatternFill

SSR = [  # V1..V4 at M1..M3; V3 is untyped at M2
    ["150/152", "200/200", "100/110"],
    ["152/156", "200/204", "100/103"],
    ["150/150", None, "110/110"],
    ["156/156", "204/208", "103/110"],
]
CHR = [
    ["AB", "AA", "BC"],
    ["BB", "AB", "CC"],
    ["AA", None, "AB"],
    ["AB", "BB", "BB"],
]


def notes(wb):
    # An unrelated sheet in front of the source, with a fill, a number and a formula.
    ws = wb.active
    ws.title = "Notes"
    ws["A1"] = "keep me"
    ws["A1"].fill = PatternFill("solid", fgColor="FFFF00")
    ws["B2"] = 42
    ws["C3"] = "=B2*2"


def source(wb, name, rows):
    ws = wb.create_sheet(name)
    ws["B2"] = "E2E title"
    ws["B2"].font = Font(bold=True)
    for j, marker in enumerate(["M1", "M2", "M3"]):
        ws.cell(row=4, column=3 + j, value=marker)
    for i, row in enumerate(rows):
        ws.cell(row=5 + i, column=2, value=f"V{i + 1}")
        for j, text in enumerate(row):
            if text is not None:
                ws.cell(row=5 + i, column=3 + j, value=text)
    return ws


def main():
    kind, path = sys.argv[1], sys.argv[2]
    wb = openpyxl.Workbook()
    notes(wb)
    if kind == "ssr":
        source(wb, "Apple.org", SSR)
    elif kind == "chr":
        source(wb, "Rice.org", CHR)
    elif kind == "flagged":
        rows = [list(r) for r in SSR]
        rows[1][2] = "100/103/110"
        source(wb, "Apple.org", rows)
    elif kind == "two-sources":
        source(wb, "Apple.org", SSR)
        source(wb, "Pear.org", SSR)
    else:
        sys.exit(f"unknown kind {kind}")
    wb.save(path)


if __name__ == "__main__":
    main()
