#!/usr/bin/python3
"""Prints a workbook as a user's spreadsheet reads it, one line per fact, in a
fixed order: sheet order and state, views, column widths, row heights, merges,
and every stored cell with its value, type and format, then the formats the
cells name. Two workbooks that print the same look the same. Usage: dump_workbook.py WORKBOOK [--compact]"""
import hashlib
import sys

import openpyxl


def colour(c):
    if c is None:
        return "-"
    if c.type == "indexed":
        return f"i{c.indexed}"
    if c.type == "theme":
        return f"t{c.theme}{'+%g' % c.tint if c.tint else ''}"
    return f"r{str(c.rgb)[-6:]}"


def side(s):
    return f"{s.style}:{colour(s.color)}" if s is not None and s.style else "-"


def cell_format(cell):
    f, fill, b, a = cell.font, cell.fill, cell.border, cell.alignment
    font = f"{f.name},{f.sz},{'b' if f.b else ''}{'i' if f.i else ''}{'u' if f.u else ''},{colour(f.color)}"
    pattern = f"{fill.fill_type}:{colour(fill.fgColor)}" if fill.fill_type else "-"
    border = "|".join(side(getattr(b, k)) for k in
                      ("left", "right", "top", "bottom", "diagonal"))
    border += f"|{int(bool(b.diagonalUp))}{int(bool(b.diagonalDown))}"
    align = (f"{a.horizontal},{a.vertical},{int(bool(a.wrap_text))},{a.text_rotation or 0},"
             f"{int(bool(a.shrink_to_fit))},{a.indent or 0},{a.readingOrder or 0}")
    quote = int(bool(cell._style.quotePrefix)) if cell.has_style else 0
    return f"font={font} fill={pattern} border={border} align={align} " \
           f"numfmt={cell.number_format!r} quote={quote}"


def format_id(text, formats):
    """A short name for a format, the same wherever it occurs: a new format
    elsewhere in the workbook leaves the names of the others as they are."""
    key = hashlib.sha1(text.encode("utf-8")).hexdigest()[:8]
    formats[key] = text
    return key


# A sheet of more cells than this is listed by its first cells and a digest
# of the rest, so that the committed listing of a very large result stays
# small enough to read in a diff.
LISTED_CELLS = 2000


class _Cells:
    """The cell lines of one sheet, cut to LISTED_CELLS when `compact`."""

    def __init__(self, out, compact):
        self.out, self.compact, self.count = out, compact, 0
        self.digest = hashlib.sha1()

    def write(self, line):
        self.count += 1
        if not self.compact or self.count <= LISTED_CELLS:
            self.out.write(line)
        else:
            self.digest.update(line.encode("utf-8"))

    def close(self):
        if self.count > LISTED_CELLS and self.compact:
            self.out.write(f"... {self.count - LISTED_CELLS} more cells, "
                           f"sha1 {self.digest.hexdigest()}\n")


def dump(path, out, compact=False):
    """Writes the listing; each format is named by a short id on the cell lines
    and spelt out once at the end. `compact` cuts the cells of a very large
    sheet to the first ones and a digest of the rest."""
    formats = {}
    wb = openpyxl.load_workbook(path)
    out.write(f"sheets {[ws.title for ws in wb.worksheets]!r}\n")
    out.write(f"active {wb.active.title!r}\n")
    for name in sorted(wb.defined_names):
        out.write(f"name {name} {wb.defined_names[name].attr_text!r}\n")
    for ws in wb.worksheets:
        out.write(f"== {ws.title!r} state={ws.sheet_state} freeze={ws.freeze_panes} "
                  f"tab={ws.sheet_properties.tabColor and colour(ws.sheet_properties.tabColor)}\n")
        for key in sorted(ws.column_dimensions):
            d = ws.column_dimensions[key]
            if d.customWidth or d.hidden:
                out.write(f"col {key}-{d.max} width={d.width} hidden={int(bool(d.hidden))}\n")
        for key in sorted(ws.row_dimensions):
            d = ws.row_dimensions[key]
            if d.ht is not None or d.hidden:
                out.write(f"row {key} height={d.ht} hidden={int(bool(d.hidden))}\n")
        for rng in sorted(str(r) for r in ws.merged_cells.ranges):
            out.write(f"merge {rng}\n")
        cells = _Cells(out, compact)
        for (row, column) in sorted(ws._cells):
            cell = ws._cells[(row, column)]
            value = cell.value
            if value is None and not cell.has_style:
                continue
            cells.write(f"{cell.coordinate} {cell.data_type} {value!r} "
                        f"{format_id(cell_format(cell), formats)}\n")
        cells.close()
    for key in sorted(formats):
        out.write(f"format {key} {formats[key]}\n")


if __name__ == "__main__":
    dump(sys.argv[1], sys.stdout, compact="--compact" in sys.argv[2:])
