#!/usr/bin/python3
"""The peer of `etat build` on bench/liste.etf: a list of the rows of a CSV (Num;Nom;Ville)
as a PDF with ReportLab Platypus: one Table of three columns, its header row repeated on each
page, "Page n / total" at the foot. Usage: reportlab_list.py ROWS.csv OUT.pdf"""
import csv
import sys

from reportlab.lib.pagesizes import A4
from reportlab.lib.units import mm
from reportlab.pdfgen import canvas
from reportlab.platypus import SimpleDocTemplate, Table, TableStyle


class NumberedCanvas(canvas.Canvas):
    """Keeps each page's state until the end, so that the total is known when the feet are
    drawn (ReportLab's own way to print "n / total" in one pass)."""

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self._saved = []

    def showPage(self):
        self._saved.append(dict(self.__dict__))
        self._startPage()

    def save(self):
        total = len(self._saved)
        for state in self._saved:
            self.__dict__.update(state)
            self.setFont("Helvetica", 9)
            self.drawCentredString(A4[0] / 2, 12 * mm, "Page %d / %d" % (self._pageNumber, total))
            super().showPage()
        super().save()


def main():
    source, output = sys.argv[1], sys.argv[2]
    with open(source, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f, delimiter=";"))
    table = Table(rows, colWidths=[22 * mm, 83 * mm, 69 * mm], repeatRows=1)
    table.setStyle(TableStyle([
        ("FONT", (0, 0), (-1, 0), "Helvetica-Bold", 10),
        ("FONT", (0, 1), (-1, -1), "Helvetica", 10),
        ("LINEBELOW", (0, 0), (-1, 0), 0.5, (0, 0, 0)),
        ("TOPPADDING", (0, 0), (-1, -1), 1),
        ("BOTTOMPADDING", (0, 0), (-1, -1), 1),
    ]))
    doc = SimpleDocTemplate(output, pagesize=A4, leftMargin=11 * mm, rightMargin=11 * mm,
                            topMargin=14 * mm, bottomMargin=20 * mm)
    doc.build([table], canvasmaker=NumberedCanvas)


if __name__ == "__main__":
    main()
