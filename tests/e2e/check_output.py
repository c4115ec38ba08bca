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


def cell(ws, addr):
    return ws[addr].value


def fill_index(ws, addr):
    c = ws[addr]
    if c.fill is None or c.fill.patternType != "solid":
        return None
    colour = c.fill.fgColor
    return colour.indexed if colour.type == "indexed" else f"rgb:{colour.rgb}"


def check_text(ws, addr, want):
    expect(f"{ws.title}!{addr}", cell(ws, addr), want)
    expect(f"{ws.title}!{addr} type", ws[addr].data_type, "s")


def check_number(ws, addr, want):
    value = cell(ws, addr)
    expect(f"{ws.title}!{addr}", value, want)
    expect(f"{ws.title}!{addr} is a number", isinstance(value, (int, float)), True)


def check_notes(wb):
    ws = wb["Notes"]
    expect("Notes!A1", cell(ws, "A1"), "keep me")
    expect("Notes!A1 fill", ws["A1"].fill.fgColor.rgb[-6:], "FFFF00")
    check_number(ws, "B2", 42)
    expect("Notes!C3", cell(ws, "C3"), "=B2*2")


def check_error_log(ws, rows):
    expect("err!B1", cell(ws, "B1"), "Error Log")
    expect("err headers", [cell(ws, a) for a in ("B3", "C3", "D3")],
           ["Error Code", "Caltivar", "Marker"])
    for k, row in enumerate(rows):
        expect(f"err row {4 + k}", [cell(ws, f"{c}{4 + k}") for c in "BCD"], row)
    expect("err after the last row", cell(ws, f"B{4 + len(rows)}"), None)


def check_frame(ws, kind, ruled):
    check_text(ws, "B1", kind)
    expect(f"{ws.title}!B2", cell(ws, "B2"), "E2E title")
    for j, col in enumerate("CDE"):
        check_text(ws, f"{col}4", f"M{j + 1}")
        expect(f"{ws.title}!{col}4 rotation", ws[f"{col}4"].alignment.textRotation, 180)
    for i in range(4):
        check_text(ws, f"B{5 + i}", f"V{i + 1}")
    has_border = ws["C5"].border.left.style == "thin" and ws["B4"].border.top.style == "thin"
    expect(f"{ws.title} ruled", has_border, ruled)


def check_totals(ws, alleles, genotypes):
    expect(f"{ws.title} labels", [cell(ws, a) for a in ("A10", "B10", "B11", "B12", "B13")],
           ["Number of", "Allele", "Genotype", "Marker", "Caltiver"])
    for j, col in enumerate("CDE"):
        check_number(ws, f"{col}10", alleles[j])
        check_number(ws, f"{col}11", genotypes[j])
    check_number(ws, "C12", 3)
    check_number(ws, "C13", 4)


def check_options(wb, base, zoo):
    cmb = wb[f"{base}.cmb"]
    check_text(cmb, "B1", "cmb")
    expect("cmb headers", [cell(cmb, a) for a in ("C4", "F4", "B5", "B8")], ["V1", "V4", "V1", "V4"])
    expect("cmb diagonal grey", fill_index(cmb, "C5"), 22)
    expect("cmb pair counted", isinstance(cell(cmb, "D5"), (int, float)), True)
    ukai = wb[f"{base}.ukai"]
    expect("ukai heads", [cell(ukai, a) for a in ("B4", "C4", "D4")], ["*", "f0", "p1"])
    for addr in ("C5", "D8"):
        expect(f"ukai {addr} is a number", isinstance(cell(ukai, addr), float), True)
        expect(f"ukai {addr} format", ukai[addr].number_format, "0.0000000000_ ")
    expect("ukai notes", cell(ukai, "B10"), "f0")
    zoo_sheets = sorted(n for n in wb.sheetnames if n.endswith(".zoo"))
    expect("zoo sheets", zoo_sheets, ["M1.zoo", "M2.zoo", "M3.zoo"] if zoo else [])


def check_ssr(wb, zoo):
    front = ["Apple.org", "Apple.err", "Apple.ssr", "Apple.cmb", "Apple.gnt", "Apple.all",
             "Apple.chr", "Apple.pek", "Apple.tssr", "Apple.ukai"]
    expect("front sheets", wb.sheetnames[:10], front)
    expect("last sheet", wb.sheetnames[-1], "Notes")
    check_error_log(wb["Apple.err"], [])
    for suffix, ruled in (("ssr", False), ("tssr", False), ("pek", True), ("chr", False)):
        check_frame(wb[f"Apple.{suffix}"], suffix, ruled)
    ssr, tssr, pek, chr_ = (wb[f"Apple.{s}"] for s in ("ssr", "tssr", "pek", "chr"))
    # The notations themselves are checked in process; here: stored as text.
    check_text(ssr, "E8", "103/110")
    check_text(tssr, "E8", "+3/+10")
    check_text(chr_, "E5", "AC")
    expect("untyped cell stays empty", [cell(s, "D7") for s in (ssr, tssr, pek, chr_)], [None] * 4)
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
    front = ["Rice.org", "Rice.err", "Rice.cmb", "Rice.gnt", "Rice.all", "Rice.chr", "Rice.ukai"]
    expect("front sheets", wb.sheetnames[:7], front)
    expect("no SSR sheets", [n for n in wb.sheetnames if n.split(".")[-1] in ("ssr", "tssr", "pek")],
           [])
    check_error_log(wb["Rice.err"], [])
    ws = wb["Rice.chr"]
    check_frame(ws, "chr", False)
    check_text(ws, "E6", "CC")
    expect("untyped cell stays empty", cell(ws, "D7"), None)
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
    for p in problems:
        print(p)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
