#!/usr/bin/python3
"""Checks a workbook the command line saved for make_input.py's input, as a
user's software reads it. Usage: check_output.py KIND PATH [--zoo]. Prints
every difference and exits 1 if there is any."""
import sys

import openpyxl

problems = []


def expect(what, got, want):
    if got != want:
        problems.append(f"{what}: got {got!r}, want {want!r}")


def fill_index(ws, addr):
    c = ws[addr]
    if c.fill is None or c.fill.patternType != "solid":
        return None
    colour = c.fill.fgColor
    return colour.indexed if colour.type == "indexed" else f"rgb:{colour.rgb}"


def check_text(ws, addr, want):
    expect(f"{ws.title}!{addr} (type)", (ws[addr].value, ws[addr].data_type), (want, "s"))


def check_number(ws, addr, want):
    value = ws[addr].value
    expect(f"{ws.title}!{addr} (number)", (value, isinstance(value, (int, float))), (want, True))


def check_notes(wb):
    ws = wb["Notes"]
    expect("Notes A1, fill, C3", (ws["A1"].value, ws["A1"].fill.fgColor.rgb[-6:], ws["C3"].value),
           ("keep me", "FFFF00", "=B2*2"))
    check_number(ws, "B2", 42)


def check_error_log(ws, rows):
    expect("err!B1", ws["B1"].value, "Error Log")
    expect("err headers", [ws[a].value for a in ("B3", "C3", "D3")],
           ["Error Code", "Caltivar", "Marker"])
    for k, row in enumerate(rows):
        expect(f"err row {4 + k}", [ws[f"{c}{4 + k}"].value for c in "BCD"], row)
    expect("err after the last row", ws[f"B{4 + len(rows)}"].value, None)


def check_frame(ws, kind, ruled):
    check_text(ws, "B1", kind)
    expect(f"{ws.title}!B2", ws["B2"].value, "E2E title")
    for j, col in enumerate("CDE"):
        check_text(ws, f"{col}4", f"M{j + 1}")
        expect(f"{ws.title}!{col}4 rotation", ws[f"{col}4"].alignment.textRotation, 180)
    for i in range(4):
        check_text(ws, f"B{5 + i}", f"V{i + 1}")
    has_border = ws["C5"].border.left.style == "thin" and ws["B4"].border.top.style == "thin"
    expect(f"{ws.title} ruled", has_border, ruled)


def check_totals(ws, alleles, genotypes):
    expect(f"{ws.title} labels", [ws[a].value for a in ("A10", "B10", "B11", "B12", "B13")],
           ["Number of", "Allele", "Genotype", "Marker", "Caltiver"])
    for j, col in enumerate("CDE"):
        check_number(ws, f"{col}10", alleles[j])
        check_number(ws, f"{col}11", genotypes[j])
    check_number(ws, "C12", 3)
    check_number(ws, "C13", 4)


def check_options(wb, base, zoo):
    cmb = wb[f"{base}.cmb"]
    check_text(cmb, "B1", "cmb")
    expect("cmb headers", [cmb[a].value for a in ("C4", "F4", "B5", "B8")], ["V1", "V4", "V1", "V4"])
    expect("cmb diagonal grey", fill_index(cmb, "C5"), 22)
    expect("cmb pair counted", isinstance(cmb["D5"].value, (int, float)), True)
    ukai = wb[f"{base}.ukai"]
    expect("ukai heads", [ukai[a].value for a in ("B4", "C4", "D4")], ["*", "f0", "p1"])
    for addr in ("C5", "D8"):
        expect(f"ukai {addr} is a number", isinstance(ukai[addr].value, float), True)
        expect(f"ukai {addr} format", ukai[addr].number_format, "0.0000000000_ ")
    expect("ukai notes", ukai["B10"].value, "f0")
    zoo_sheets = sorted(n for n in wb.sheetnames if n.endswith(".zoo"))
    expect("zoo sheets", zoo_sheets, ["M1.zoo", "M2.zoo", "M3.zoo"] if zoo else [])


def check_ssr(wb, zoo):
    front = "org err ssr cmb gnt all chr pek tssr ukai".split()
    expect("front sheets", wb.sheetnames[:10], [f"Apple.{s}" for s in front])
    expect("last sheet", wb.sheetnames[-1], "Notes")
    check_error_log(wb["Apple.err"], [])
    for suffix, ruled in (("ssr", False), ("tssr", False), ("pek", True), ("chr", False)):
        check_frame(wb[f"Apple.{suffix}"], suffix, ruled)
    ssr, tssr, pek, chr_ = (wb[f"Apple.{s}"] for s in ("ssr", "tssr", "pek", "chr"))
    # The notations themselves are checked in process; here: stored as text.
    check_text(ssr, "E8", "103/110")
    check_text(tssr, "E8", "+3/+10")
    check_text(chr_, "E5", "AC")
    expect("untyped cell stays empty", [s["D7"].value for s in (ssr, tssr, pek, chr_)], [None] * 4)
    # Peak distances and their palette fills: 0 grey, 1-2 red, 3-4 yellow, 5+ none.
    for addr, dist, fill in (("C5", 2, 10), ("C6", 4, 13), ("C7", 0, 22), ("E5", 10, None)):
        check_number(pek, addr, dist)
        expect(f"pek {addr} fill", fill_index(pek, addr), fill)
    expect("pek legend not coloured", fill_index(pek, "B10"), None)
    for ws in (ssr, tssr, chr_):
        check_totals(ws, [3, 3, 3], [4, 3, 4])
    check_text(wb["Apple.all"], "B1", "all")
    check_text(wb["Apple.gnt"], "B1", "gnt")
    check_options(wb, "Apple", zoo)


def check_chr(wb, zoo):
    front = "org err cmb gnt all chr ukai".split()
    expect("front sheets", wb.sheetnames[:7], [f"Rice.{s}" for s in front])
    expect("no SSR sheets", [n for n in wb.sheetnames if n.split(".")[-1] in ("ssr", "tssr", "pek")],
           [])
    check_error_log(wb["Rice.err"], [])
    ws = wb["Rice.chr"]
    check_frame(ws, "chr", False)
    check_text(ws, "E6", "CC")
    expect("untyped cell stays empty", ws["D7"].value, None)
    check_totals(ws, [2, 2, 3], [3, 3, 4])
    check_options(wb, "Rice", zoo)


def check_flagged(wb):
    check_error_log(wb["Apple.err"], [["Data is not Duplex", "V2", "M3"]])
    expect("options skipped", [n for n in wb.sheetnames if n.endswith((".cmb", ".ukai", ".zoo"))],
           [])


def main():
    kind, path = sys.argv[1], sys.argv[2]
    zoo = "--zoo" in sys.argv[3:]
    wb = openpyxl.load_workbook(path)
    check_notes(wb)
    {"ssr": lambda: check_ssr(wb, zoo), "chr": lambda: check_chr(wb, zoo),
     "flagged": lambda: check_flagged(wb)}[kind]()
    sys.exit("\n".join(problems) or 0)


if __name__ == "__main__":
    main()
