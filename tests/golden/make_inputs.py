#!/usr/bin/python3
"""Writes the input workbooks of the golden result tests into inputs/.

The inputs are committed; this script records how they were made. Run with
Debian's interpreter, which has openpyxl. The legacy .xls input is made from
flagged.xlsx's twin by LibreOffice once and committed as it came out.

  problems.xlsx  an SSR source with every kind of data problem
  many.xlsx      501 varieties by 251 markers (beyond both limits)
  legacy.xlsx    a small clean SSR source, converted to legacy.xls
  grouped.xlsx   a clean SSR source with varieties no marker tells apart and
                 a Groups sheet as import writes it (for the summary sheet)
"""
import pathlib
import random
import sys

import openpyxl
from openpyxl.styles import Font, PatternFill

HERE = pathlib.Path(__file__).resolve().parent


def table(ws, title, markers, rows):
    ws["B2"] = title
    ws["B2"].font = Font(bold=True, size=12)
    ws["B4"] = "Cultivar"
    for j, marker in enumerate(markers, start=3):
        ws.cell(row=4, column=j, value=marker)
    for i, (name, cells) in enumerate(rows, start=5):
        ws.cell(row=i, column=2, value=name)
        for j, text in enumerate(cells, start=3):
            if text is not None:
                ws.cell(row=i, column=j, value=text)


def problems(path):
    markers = ["P1", "P2", "P3", "'quoted", "Many"]
    rng = random.Random(7)
    rows = []
    for v in range(12):
        cells = [f"{150 + 2 * (v % 3)}/{152 + 2 * (v % 4)}",
                 f"{200 + 4 * (v % 2)}/{204}",
                 f"{100 + v % 5}/{103}",
                 f"{300 + 2 * (v % 3)}/{300 + 2 * (v % 2)}",
                 f"{rng.randrange(100, 999)}/{rng.randrange(100, 999)}"]
        rows.append([f"V{v + 1:02d}", cells])
    rows[1][1][0] = "150/abc"       # not numeric
    rows[2][1][1] = "200/204/208"   # not diploid
    rows[3][1][2] = "103"           # a single allele
    rows[4][1][2] = None            # not typed
    rows[5][1][3] = "0/0"           # size zero
    rows[6][1][0] = "99999/150"     # out of range
    rows[7][0] = "'Apostrophe"
    # "Many" holds more distinct sizes than the allele table takes.
    for v in range(12, 70):
        rows.append([f"W{v:02d}", [None, None, None, None, f"{100 + 2 * v}/{101 + 2 * v}"]])
    wb = openpyxl.Workbook()
    notes = wb.active
    notes.title = "Notes"
    notes["A1"] = "keep me"
    notes["A1"].fill = PatternFill("solid", fgColor="FFFF00")
    notes["B2"] = 42
    notes["C3"] = "=B2*2"
    table(wb.create_sheet("Bad.org"), "Data with problems", markers, rows)
    wb.save(path)


def many(path):
    rng = random.Random(11)
    markers = [f"M{k:03d}" for k in range(1, 252)]
    rows = []
    for v in range(501):
        cells = []
        for _ in markers:
            a, b = sorted(rng.choice(range(100, 120, 2)) for _ in range(2))
            cells.append(None if rng.random() < 0.05 else f"{a}/{b}")
        rows.append([f"C{v + 1:03d}", cells])
    wb = openpyxl.Workbook()
    table(wb.active, "Beyond the limits", markers, rows)
    wb.active.title = "Big.org"
    wb.save(path)


def legacy(path):
    rows = [["L1", ["150/152", "200/200", "AB"]], ["L2", ["152/156", None, "100/103"]],
            ["L3", ["150/150", "204/208", "110/110"]]]
    wb = openpyxl.Workbook()
    table(wb.active, "Legacy", ["X1", "X2", "X3"], rows)
    wb.active.title = "Old.org"
    wb.create_sheet("Other")["A1"] = "untouched"
    wb.save(path)


def grouped(path):
    # P1 = P2 and P5 = P6 at every marker; P3 differs from P1 at G1 alone, P7
    # from P5 at G3 and G4; 200 at G2 only in the north.
    rows = [["P1", ["150/152", "196/198", "120/124", "88/90"]],
            ["P2", ["150/152", "196/198", "120/124", "88/90"]],
            ["P3", ["150/150", "196/198", "120/124", "88/90"]],
            ["P4", ["152/156", "198/200", "124/124", None]],
            ["P5", ["154/156", "196/196", "120/120", "90/92"]],
            ["P6", ["154/156", "196/196", "120/120", "90/92"]],
            ["P7", ["154/156", "196/196", "124/128", "88/88"]],
            ["P8", ["150/156", "194/196", "128/128", "92/92"]]]
    wb = openpyxl.Workbook()
    table(wb.active, "Pear selections by program", ["G1", "G2", "G3", "G4"], rows)
    wb.active.title = "Pear.org"
    groups = wb.create_sheet("Groups")
    groups.append(["Variety", "Population"])
    for k, (name, _) in enumerate(rows):
        groups.append([name, "north" if k < 4 else "south"])
    wb.save(path)


if __name__ == "__main__":
    out = HERE / "inputs"
    out.mkdir(exist_ok=True)
    problems(out / "problems.xlsx")
    many(out / "many.xlsx")
    legacy(out / "legacy.xlsx")
    grouped(out / "grouped.xlsx")
    print("wrote", *sorted(p.name for p in out.iterdir()), file=sys.stderr)
