#include "DialogosImpresionQt.h"

#include "platform/ImpresoraQt.h"
#include "platform/MensajesQt.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>

namespace {
// Spin boxes take any sheet number, so that a number past the run is refused
// with a message instead of being cut while it is typed.
constexpr int kHojaMaxima = 2147483647;

void Avisar(QWidget* padre, const QString& texto) {
    MensajesQt(padre).mostrar(texto, QStringLiteral("Hojas a imprimir"), Icono::Exclamacion,
                              Botones::Aceptar);
}

// Qt's print dialog names its confirm button "Print"; ours says what it does.
// Its cancel button takes the access letter it has in every other dialog.
void TextoConfirmar(QDialog& d, const QString& texto) {
    for (QDialogButtonBox* b : d.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = b->button(QDialogButtonBox::Ok))
            ok->setText(texto);
        if (QPushButton* cancelar = b->button(QDialogButtonBox::Cancel))
            cancelar->setText(QStringLiteral("&Cancelar"));
    }
}

// The run is printed in sheets: the dialog's range speaks of sheets (Qt's
// Spanish catalogue leaves its list of ranges in English).
void RangoEnHojas(QDialog& d) {
    for (QAbstractButton* b : d.findChildren<QAbstractButton*>()) {
        const QString n = b->objectName();
        if (n == u"printAll")
            b->setText(QStringLiteral("&Toda la tirada"));
        else if (n == u"printRange")
            b->setText(QStringLiteral("&Hojas desde"));
        else if (n == u"pageRange" || b->text() == u"Pages")
            b->setText(QStringLiteral("&Lista de hojas"));
    }
}

// A line above the dialog's own content.
void Encabezar(QDialog& d, const QString& texto) {
    auto* etiqueta = new QLabel(texto, &d);
    etiqueta->setObjectName(QStringLiteral("LblHojasTirada"));
    if (auto* caja = qobject_cast<QBoxLayout*>(d.layout()))
        caja->insertWidget(0, etiqueta);
    else
        d.setWindowTitle(d.windowTitle() + QStringLiteral(" — ") + texto);
}
} // namespace

bool DialogosImpresionQt::imprimir(Impresora& imp, int orientacion, qint32 hojas, RangoHojas& rango,
                                   bool prueba) {
    auto* qt = dynamic_cast<ImpresoraQt*>(&imp);
    if (!qt)
        return true;
    QPrinter& p = qt->qprinter();
    imp.fijarOrientacion(orientacion);
    QPrintDialog d(&p, m_padre);
    d.setWindowTitle(prueba ? QStringLiteral("Impresión de prueba") : QStringLiteral("Imprimir"));
    d.setOption(QAbstractPrintDialog::PrintToFile, false);
    d.setOption(QAbstractPrintDialog::PrintSelection, false);
    d.setOption(QAbstractPrintDialog::PrintPageRange, hojas > 1 && !prueba);
    d.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (hojas > 0)
        d.setMinMax(1, kHojaMaxima);
    Encabezar(d, prueba ? QStringLiteral("Se imprime la primera hoja de la tirada.")
                        : TextoHojasTirada(hojas));
    TextoConfirmar(d, QStringLiteral("&Imprimir"));
    RangoEnHojas(d);
    p.setPrintRange(QPrinter::AllPages);
    for (;;) {
        if (d.exec() != QDialog::Accepted)
            return false;
        // The sheets of the run are printed by the program, not as copies of pages.
        rango = {};
        if (!prueba && p.printRange() == QPrinter::PageRange && p.fromPage() > 0) {
            rango.desde = p.fromPage();
            rango.hasta = p.toPage();
        }
        const bool unIntervalo = p.pageRanges().toRangeList().size() <= 1;
        const auto error =
            unIntervalo ? ErrorRango(rango, hojas)
                        : std::optional<QString>(QStringLiteral(
                              "Indique un solo intervalo de hojas: desde una hoja hasta otra."));
        if (!error || hojas <= 0)
            break;
        Avisar(m_padre, *error);
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
    // Choosing a printer prints nothing.
    TextoConfirmar(d, QStringLiteral("&Aceptar"));
    return d.exec() == QDialog::Accepted;
}

bool DialogosImpresionQt::rangoExportacion(qint32 hojas, RangoHojas& rango) {
    QDialog d(m_padre);
    d.setObjectName(QStringLiteral("FrmRangoPdf"));
    d.setWindowTitle(QStringLiteral("Exportar a PDF"));
    auto* desde = new QSpinBox(&d);
    desde->setObjectName(QStringLiteral("TxtDesde"));
    auto* hasta = new QSpinBox(&d);
    hasta->setObjectName(QStringLiteral("TxtHasta"));
    for (QSpinBox* s : {desde, hasta})
        s->setRange(1, kHojaMaxima);
    desde->setValue(1);
    hasta->setValue(std::max(hojas, 1));
    auto* botones = new QDialogButtonBox(&d);
    botones->addButton(QStringLiteral("&Aceptar"), QDialogButtonBox::AcceptRole);
    botones->addButton(QStringLiteral("&Cancelar"), QDialogButtonBox::RejectRole);
    auto* formulario = new QFormLayout;
    formulario->addRow(QStringLiteral("&Desde la hoja:"), desde);
    formulario->addRow(QStringLiteral("&Hasta la hoja:"), hasta);
    auto* l = new QVBoxLayout(&d);
    l->addWidget(new QLabel(TextoHojasTirada(hojas), &d));
    l->addLayout(formulario);
    l->addWidget(botones);
    QObject::connect(botones, &QDialogButtonBox::accepted, &d, [&] {
        const RangoHojas r{desde->value(), hasta->value()};
        if (const auto error = ErrorRango(r, hojas)) {
            Avisar(&d, *error);
            return;
        }
        d.accept();
    });
    QObject::connect(botones, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    if (d.exec() != QDialog::Accepted)
        return false;
    rango = {desde->value(), hasta->value()};
    return true;
}
