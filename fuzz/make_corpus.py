#!/usr/bin/python3
"""Writes the seed corpus of the fuzz targets into corpus/<target>/: the
bundled examples and golden inputs, small workbooks made here with openpyxl
(each a feature the reader handles: shared and inline strings, formulas,
booleans, errors, styles, merges, a stored-entry package) and, for the run,
text tables cut from the examples' source sheets. Usage: make_corpus.py"""
import os
import pathlib
import shutil
import subprocess
import tempfile
import zipfile

import openpyxl
from openpyxl.styles import Alignment, Border, PatternFill, Side

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent
CORPUS = HERE / "corpus"
SMALL = [ROOT / "examples" / "ssr_example.xlsx", ROOT / "examples" / "chr_example.xlsx",
         ROOT / "tests" / "golden" / "inputs" / "problems.xlsx"]
LEGACY = [ROOT / "tests" / "golden" / "inputs" / "legacy.xls", ROOT / "tests" / "host" / "data" / "apple.xls"]


def source_sheet(ws, rows):
    ws["B2"] = "Fuzz seed"
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value is not None:
                ws.cell(row=4 + r, column=2 + c, value=value)


def styled_book(path):
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "Tiny.org"
    source_sheet(ws, [["Name", "M1", "M2"], ["A", "150/152", "200/204"],
                      ["B", "152/152", None], ["C", 154, "x/1"]])
    ws["C5"].fill = PatternFill("solid", fgColor="FFFF00")
    ws["D5"].border = Border(top=Side("thin"), left=Side("medium", color="FF0000"))
    ws["B4"].alignment = Alignment(textRotation=90, wrap_text=True, horizontal="center")
    ws["C6"].number_format = "0.00"
    ws.merge_cells("B2:D2")
    other = wb.create_sheet("Other")
    other["A1"] = True
    other["A2"] = "=A1*2"
    other["A3"] = 1.5e-300
    other["A4"] = "_x000B_ tab\tand line\nend "
    other.column_dimensions["A"].width = 30
    wb.save(path)


def stored_copy(src, dst):
    with zipfile.ZipFile(src) as zin, zipfile.ZipFile(dst, "w", zipfile.ZIP_STORED) as zout:
        for item in zin.infolist():
            zout.writestr(item.filename, zin.read(item.filename), zipfile.ZIP_STORED)


def legacy_copies(sources, folder):
    """The same workbooks as BIFF8, converted by LibreOffice when it is here."""
    soffice = shutil.which("soffice")
    if not soffice:
        return
    with tempfile.TemporaryDirectory() as profile:
        subprocess.run([soffice, f"-env:UserInstallation=file://{profile}", "--headless",
                        "--norestore", "--convert-to", "xls:MS Excel 97", "--outdir", str(folder),
                        *map(str, sources)], capture_output=True, timeout=300, check=False)


def table_text(path, sheet, rows, columns):
    ws = openpyxl.load_workbook(path)[sheet]
    lines = []
    for row in ws.iter_rows(min_row=4, max_row=3 + rows, min_col=2, max_col=1 + columns,
                            values_only=True):
        lines.append("\t".join("" if v is None else (f"={v}" if isinstance(v, (int, float))
                                                      else str(v)) for v in row))
    return "\n".join(lines) + "\n"


TABLES = {
    "ssr_small.txt": "Name\tM1\tM2\tM3\nA\t150/152\t200/204\t100/100\nB\t150/150\t\t102/104\n"
                     "C\t152/156\t200/200\t100/104\n",
    "ssr_problems.txt": "Name\tM1\tM1\tM2\nA\t150/abc\t200/204/206\t-5/0\nB\t0/0\t99999/1\t=12\n"
                        "C\t\t\t\n",
    "chr_small.txt": "Name\tX\tY\nA\tAB\tCC\nB\tA\tCD\nC\tABC\t\n",
    "chr_unicode.txt": "\tマーカー\tM\u000b2\n品種1\tアイ\t\U0001F600a\n品種2\tイイ\t'ab\n",
    "empty_corner.txt": "\tM1\nV1\t=150\nV2\t150/150\n",
}


def main():
    for target in ("open_read", "xls_import", "run"):
        shutil.rmtree(CORPUS / target, ignore_errors=True)
        (CORPUS / target).mkdir(parents=True)
    for path in SMALL:
        for target in ("open_read", "run"):
            shutil.copy(path, CORPUS / target / path.name)
    with tempfile.TemporaryDirectory() as tmp:
        styled = pathlib.Path(tmp) / "styled.xlsx"
        styled_book(styled)
        for target in ("open_read", "run"):
            shutil.copy(styled, CORPUS / target / "styled.xlsx")
        stored_copy(ROOT / "examples" / "ssr_example.xlsx", CORPUS / "open_read" / "stored.xlsx")
        legacy_copies([styled, *SMALL], CORPUS / "xls_import")
    for path in LEGACY:
        shutil.copy(path, CORPUS / "xls_import" / path.name)
    shutil.copy(LEGACY[0], CORPUS / "run" / LEGACY[0].name)
    tables = dict(TABLES)
    tables["ssr_example.txt"] = table_text(SMALL[0], "Apple.org", 9, 8)
    tables["chr_example.txt"] = table_text(SMALL[1], "Rice.org", 9, 8)
    for name, text in tables.items():
        (CORPUS / "run" / name).write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
