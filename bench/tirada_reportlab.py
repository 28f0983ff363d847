#!/usr/bin/python3
"""The same document velquira-cli pdf writes for bench/bench_pdf.sh's job,
written by a straightforward reportlab script: one A4 page per sheet, four
numbers in Liberation Sans (the face fontconfig gives for Arial) embedded,
the fourth turned 90 degrees counter-clockwise."""
import sys

from reportlab.pdfbase import pdfmetrics
from reportlab.pdfbase.ttfonts import TTFont
from reportlab.pdfgen import canvas

hojas, salida = int(sys.argv[1]), sys.argv[2]
pdfmetrics.registerFont(
    TTFont("Arial", "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"))
ancho, alto = 11907 / 20, 16840 / 20  # points
cajas = [(567, 567, 0), (5670, 567, 0), (567, 5670, 0), (5670, 5670, 90)]  # twips, like the job
c = canvas.Canvas(salida, pagesize=(ancho, alto))
ascenso = 0.905 * 12  # the face's ascent at 12 pt: the number's top at the box's corner
for k in range(hojas):
    c.setFont("Arial", 12)
    for j, (x, y, grados) in enumerate(cajas):
        texto = " %06d " % (1 + 4 * k + j)
        if grados == 0:
            c.drawString(x / 20, alto - y / 20 - ascenso, texto)
            continue
        # Running upwards from the box's lower left corner, the cell to its right.
        largo = pdfmetrics.stringWidth(texto, "Arial", 12)
        c.saveState()
        c.translate(x / 20 + ascenso, alto - y / 20 - largo)
        c.rotate(grados)
        c.drawString(0, 0, texto)
        c.restoreState()
    c.showPage()
c.save()
