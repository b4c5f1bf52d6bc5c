#!/usr/bin/python3
"""The peer of `etat build` on the bench lists: the rows of a CSV (Num;Nom;Ville) as a PDF with
ReportLab Platypus: one Table of three columns, its header row repeated on each page,
"Page n / total" at the foot. Without option, the shape of bench/liste.json; with --grille,
that of bench/liste_grille.json (a title on each page, every cell framed, numbers on the
right, Times). Usage: reportlab_list.py [--grille] ROWS.csv OUT.pdf"""
import csv
import sys

from reportlab.lib.pagesizes import A4
from reportlab.lib.units import mm
from reportlab.pdfgen import canvas
from reportlab.platypus import SimpleDocTemplate, Table, TableStyle

GRID = "--grille" in sys.argv[1:]
FOOT_FONT = ("Times-Italic", 9) if GRID else ("Helvetica", 9)


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
            self.setFont(*FOOT_FONT)
            text = "Page %d / %d" % (self._pageNumber, total)
            if GRID:
                self.setFont("Times-Bold", 14)
                self.drawString(13 * mm, A4[1] - 16 * mm, "Liste des adh\u00e9rents")
                self.setFont(*FOOT_FONT)
                self.drawString(13 * mm, 10 * mm, text)
            else:
                self.drawCentredString(A4[0] / 2, 12 * mm, text)
            super().showPage()
        super().save()


def main():
    args = [a for a in sys.argv[1:] if a != "--grille"]
    source, output = args[0], args[1]
    with open(source, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f, delimiter=";"))
    if GRID:
        rows[0][0] = "Num\u00e9ro"
        table = Table(rows, colWidths=[24 * mm, 87 * mm, 53 * mm], rowHeights=15,
                      repeatRows=1)
        table.setStyle(TableStyle([
            ("FONT", (0, 0), (-1, 0), "Times-Bold", 11),
            ("FONT", (0, 1), (-1, -1), "Times-Roman", 11),
            ("ALIGN", (0, 0), (0, -1), "RIGHT"),
            ("GRID", (0, 0), (-1, -1), 0.75, (0, 0, 0)),
            ("TOPPADDING", (0, 0), (-1, -1), 1),
            ("BOTTOMPADDING", (0, 0), (-1, -1), 2),
        ]))
        margins = dict(leftMargin=13 * mm, rightMargin=13 * mm, topMargin=24 * mm,
                       bottomMargin=17 * mm)
    else:
        table = Table(rows, colWidths=[22 * mm, 83 * mm, 69 * mm], repeatRows=1)
        table.setStyle(TableStyle([
            ("FONT", (0, 0), (-1, 0), "Helvetica-Bold", 10),
            ("FONT", (0, 1), (-1, -1), "Helvetica", 10),
            ("LINEBELOW", (0, 0), (-1, 0), 0.5, (0, 0, 0)),
            ("TOPPADDING", (0, 0), (-1, -1), 1),
            ("BOTTOMPADDING", (0, 0), (-1, -1), 1),
        ]))
        margins = dict(leftMargin=11 * mm, rightMargin=11 * mm, topMargin=14 * mm,
                       bottomMargin=20 * mm)
    doc = SimpleDocTemplate(output, pagesize=A4, **margins)
    doc.build([table], canvasmaker=NumberedCanvas)


if __name__ == "__main__":
    main()
