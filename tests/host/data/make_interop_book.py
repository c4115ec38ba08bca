"""Writes the workbook the interoperability tests edit: charts, merged cells,
a formula, a sheet-scoped defined name, a comment and styled cells, written by
openpyxl. With --calc-chain a calculation chain is added the way the
spreadsheet program stores one."""
import sys
import zipfile

import openpyxl
from openpyxl.chart import BarChart, Reference
from openpyxl.comments import Comment
from openpyxl.styles import Font, PatternFill
from openpyxl.workbook.defined_name import DefinedName


def build(path):
    wb = openpyxl.Workbook()
    data = wb.active
    data.title = "Data"
    data["A1"] = "Variety"
    data["B1"] = "Size"
    for i in range(2, 8):
        data.cell(row=i, column=1, value=f"V{i - 1}")
        data.cell(row=i, column=2, value=i * 10.5)
    data["C1"] = "=B2*2"
    data["A1"].font = Font(bold=True)
    data["B1"].fill = PatternFill("solid", fgColor="FFCC00")
    data["A1"].comment = Comment("marker table", "breeder")
    data.merge_cells("A10:B11")
    data["A10"] = "merged"
    data["D2"] = "  padded  "
    data.column_dimensions["A"].width = 20
    chart = BarChart()
    chart.add_data(Reference(data, min_col=2, min_row=1, max_row=7), titles_from_data=True)
    data.add_chart(chart, "F2")

    notes = wb.create_sheet("Notes")
    notes["A1"] = "kept as is"
    notes["B2"] = 42
    chart2 = BarChart()
    chart2.add_data(Reference(data, min_col=2, min_row=1, max_row=7), titles_from_data=True)
    notes.add_chart(chart2, "D2")
    wb.create_sheet("Last")["A1"] = "last"
    wb.defined_names.append(DefinedName("NotesCorner", localSheetId=1, attr_text="Notes!$A$1"))
    wb.save(path)


def add_calc_chain(path):
    with zipfile.ZipFile(path) as z:
        items = [(i, z.read(i.filename)) for i in z.infolist()]
    ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
    chain = f'<?xml version="1.0" encoding="UTF-8"?><calcChain xmlns="{ns}"><c r="C1" i="1"/></calcChain>'
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for info, body in items:
            if info.filename == "[Content_Types].xml":
                body = body.replace(b"</Types>", b'<Override PartName="/xl/calcChain.xml" ContentType='
                                    b'"application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"/></Types>')
            if info.filename == "xl/_rels/workbook.xml.rels":
                body = body.replace(b"</Relationships>", b'<Relationship Id="rIdCalc" Type="http://schemas.'
                                    b'openxmlformats.org/officeDocument/2006/relationships/calcChain" '
                                    b'Target="calcChain.xml"/></Relationships>')
            z.writestr(info, body)
        z.writestr("xl/calcChain.xml", chain)


if __name__ == "__main__":
    build(sys.argv[1])
    if "--calc-chain" in sys.argv[2:]:
        add_calc_chain(sys.argv[1])
