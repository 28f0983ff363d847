#include "DialogosImpresionQt.h"

#include "platform/ImpresoraQt.h"

#include <QPrintDialog>
#include <QPrinter>

bool DialogosImpresionQt::imprimir(Impresora& imp, int orientacion, qint32 hojas,
                                   RangoHojas& rango) {
    auto* qt = dynamic_cast<ImpresoraQt*>(&imp);
    if (!qt)
        return true;
    QPrinter& p = qt->qprinter();
    imp.fijarOrientacion(orientacion);
    QPrintDialog d(&p, m_padre);
    d.setWindowTitle(QStringLiteral("Imprimir"));
    d.setOption(QAbstractPrintDialog::PrintToFile, false);
    d.setOption(QAbstractPrintDialog::PrintSelection, false);
    d.setOption(QAbstractPrintDialog::PrintPageRange, hojas > 1);
    d.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (hojas > 0)
        d.setMinMax(1, hojas);
    p.setPrintRange(QPrinter::AllPages);
    if (d.exec() != QDialog::Accepted)
        return false;
    // The sheets of the run are printed by the program, not as copies of pages.
    rango = {};
    if (p.printRange() == QPrinter::PageRange && p.fromPage() > 0) {
        rango.desde = p.fromPage();
        rango.hasta = p.toPage();
    }
    p.setPrintRange(QPrinter::AllPages);
    p.setFromTo(0, 0);
    return true;
}

bool DialogosImpresionQt::configurar(Impresora& imp, int orientacion) {
    auto* qt = dynamic_cast<ImpresoraQt*>(&imp);
    if (!qt)
        return false;
    QPrinter& p = qt->qprinter();
    imp.fijarOrientacion(orientacion);
    QPrintDialog d(&p, m_padre);
    d.setWindowTitle(QStringLiteral("Configurar impresora"));
    d.setOption(QAbstractPrintDialog::PrintToFile, false);
    d.setOption(QAbstractPrintDialog::PrintPageRange, false);
    d.setOption(QAbstractPrintDialog::PrintSelection, false);
    return d.exec() == QDialog::Accepted;
}
