#!/usr/bin/python3
"""Writes the bundled example workbooks into examples/.

  examples/ssr_example.xlsx  an SSR source sheet "Apple.org" and a "Notes" sheet
  examples/chr_example.xlsx  a character-data source sheet "Rice.org" and a "Readme" sheet

The data are drawn from a seeded generator, so every run writes the same
tables. They are clean (two alleles per typed cell, numeric sizes, far below
the allele and genotype limits), so a run finishes normally and every option
runs. Run with Debian's interpreter, which has openpyxl: /usr/bin/python3.
"""
import datetime
import pathlib
import random
import re
import zipfile

import openpyxl
from openpyxl.styles import Font

ROOT = pathlib.Path(__file__).resolve().parent.parent
FIXED_TIME = datetime.datetime(2024, 1, 1, 0, 0, 0)


def variety_names(prefix, count):
    return [f"{prefix}-{i:02d}" for i in range(1, count + 1)]


def draw_pair(rng, alleles, weights):
    a, b = rng.choices(alleles, weights=weights, k=2)
    return (a, b) if a <= b else (b, a)


def write_source(ws, title, markers, varieties, cell_text):
    ws["B2"] = title
    ws["B2"].font = Font(bold=True, size=12)
    ws["B4"] = "Cultivar"
    for j, marker in enumerate(markers, start=3):
        ws.cell(row=4, column=j, value=marker)
    for i, variety in enumerate(varieties, start=5):
        ws.cell(row=i, column=2, value=variety)
        for j in range(len(markers)):
            text = cell_text(i - 5, j)
            if text:
                ws.cell(row=i, column=j + 3, value=text)


def fix_times(wb):
    wb.properties.created = FIXED_TIME
    wb.properties.modified = FIXED_TIME


def ssr_example(path):
    rng = random.Random(20240601)
    markers = [f"SSR{k:02d}" for k in range(1, 11)]
    varieties = variety_names("Apple", 36)
    # Per marker: a dinucleotide ladder of 5 to 9 fragment sizes with uneven
    # frequencies, as real SSR loci have.
    ladders = []
    for _ in markers:
        start = rng.randrange(120, 240, 2)
        sizes = [start + 2 * step for step in sorted(rng.sample(range(0, 20), rng.randint(5, 9)))]
        weights = [rng.uniform(0.3, 3.0) for _ in sizes]
        ladders.append((sizes, weights))

    def cell_text(v, m):
        # The first variety is typed everywhere; a few other cells are missing.
        if v > 0 and rng.random() < 0.04:
            return None
        a, b = draw_pair(rng, *ladders[m])
        return f"{a}/{b}"

    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "Apple.org"
    write_source(ws, "Apple cultivars, 10 SSR markers (example data)", markers, varieties,
                 cell_text)
    notes = wb.create_sheet("Notes")
    notes["A1"] = "Example workbook for AlleleScope"
    notes["A2"] = "Apple.org holds fragment sizes in base pairs, two alleles per cell."
    notes["A3"] = "Empty cells are varieties not typed at that marker."
    notes["A5"] = "Varieties"
    notes["B5"] = len(varieties)
    notes["A6"] = "Markers"
    notes["B6"] = len(markers)
    fix_times(wb)
    wb.save(path)


def chr_example(path):
    rng = random.Random(20240602)
    markers = [f"M{k:02d}" for k in range(1, 9)]
    varieties = variety_names("Rice", 30)
    patterns = []
    for _ in markers:
        letters = "ABCDE"[: rng.randint(2, 5)]
        weights = [rng.uniform(0.5, 3.0) for _ in letters]
        patterns.append((list(letters), weights))

    def cell_text(v, m):
        if v > 0 and rng.random() < 0.04:
            return None
        a, b = draw_pair(rng, *patterns[m])
        return a + b

    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "Rice.org"
    write_source(ws, "Rice lines, 8 markers as band patterns (example data)", markers, varieties,
                 cell_text)
    readme = wb.create_sheet("Readme")
    readme["A1"] = "Example workbook for AlleleScope"
    readme["A2"] = "Rice.org holds one letter per allele (band pattern), two per cell."
    readme["A4"] = "Lines"
    readme["B4"] = len(varieties)
    fix_times(wb)
    wb.save(path)


def make_repeatable(path):
    """Rewrites the package with fixed entry times and document dates, so that
    regenerating the examples leaves the committed files byte for byte alike."""
    with zipfile.ZipFile(path) as package:
        entries = [(info.filename, package.read(info)) for info in package.infolist()]
    stamp = FIXED_TIME.strftime("%Y-%m-%dT%H:%M:%SZ").encode()
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as package:
        for name, data in entries:
            if name == "docProps/core.xml":
                data = re.sub(rb"(<dcterms:(created|modified)[^>]*>)[^<]*", rb"\g<1>" + stamp,
                              data)
            info = zipfile.ZipInfo(name, date_time=FIXED_TIME.timetuple()[:6])
            info.compress_type = zipfile.ZIP_DEFLATED
            package.writestr(info, data)


def main():
    out = ROOT / "examples"
    out.mkdir(exist_ok=True)
    ssr_example(out / "ssr_example.xlsx")
    chr_example(out / "chr_example.xlsx")
    make_repeatable(out / "ssr_example.xlsx")
    make_repeatable(out / "chr_example.xlsx")
    print(f"wrote {out / 'ssr_example.xlsx'} and {out / 'chr_example.xlsx'}")


if __name__ == "__main__":
    main()
