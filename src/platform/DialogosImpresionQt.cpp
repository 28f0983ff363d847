#include "DialogosImpresionQt.h"

#include "platform/ImpresoraQt.h"
#include "platform/MensajesQt.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSpinBox>
#include <QToolBar>

#include <algorithm>

namespace {
// Spin boxes take any sheet number, so that a number past the run is refused
// with a message instead of being cut while it is typed.
constexpr int kHojaMaxima = 2147483647;

void Avisar(QWidget* padre, const QString& texto,
            const QString& titulo = QStringLiteral("Hojas a imprimir")) {
    MensajesQt(padre).mostrar(texto, titulo, Icono::Exclamacion, Botones::Aceptar);
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

// "Orden inverso (última hoja primero)": a tab of the dialog's own. Qt's
// reverse page order would reverse the pages of the spooled document, which
// the program draws itself; its box goes.
QCheckBox* OfrecerOrdenInverso(QPrintDialog& d, bool marcado) {
    for (QCheckBox* c : d.findChildren<QCheckBox*>(QStringLiteral("reverse")))
        c->hide();
    auto* hoja = new QWidget;
    hoja->setWindowTitle(QStringLiteral("Orden de las hojas"));
    auto* orden = new QCheckBox(QStringLiteral("Orden in&verso (última hoja primero)"), hoja);
    orden->setObjectName(QStringLiteral("ChkOrdenInverso"));
    orden->setChecked(marcado);
    auto* nota = new QLabel(QStringLiteral("Para impresoras que apilan las hojas boca arriba. "
                                           "Cada hoja lleva los mismos números; sólo cambia el "
                                           "orden en que salen."),
                            hoja);
    nota->setWordWrap(true);
    auto* l = new QVBoxLayout(hoja);
    l->addWidget(orden);
    l->addWidget(nota);
    l->addStretch();
    d.setOptionTabs({hoja});
    return orden;
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

// Sheets `desde`..`hasta` of a run asked on their own, preset to `rango`; a
// range `error` finds fault with is refused with its message, titled `aviso`.
struct PedidoRango {
    QString objeto;
    QString titulo;
    QString encabezado;
    QString aviso;
    std::function<std::optional<QString>(const RangoHojas&)> error;
};

bool PedirRango(QWidget* padre, const PedidoRango& pedido, RangoHojas& rango) {
    QDialog d(padre);
    d.setObjectName(pedido.objeto);
    d.setWindowTitle(pedido.titulo);
    auto* desde = new QSpinBox(&d);
    desde->setObjectName(QStringLiteral("TxtDesde"));
    auto* hasta = new QSpinBox(&d);
    hasta->setObjectName(QStringLiteral("TxtHasta"));
    for (QSpinBox* s : {desde, hasta})
        s->setRange(1, kHojaMaxima);
    desde->setValue(rango.desde);
    hasta->setValue(rango.hasta);
    auto* botones = new QDialogButtonBox(&d);
    botones->addButton(QStringLiteral("&Aceptar"), QDialogButtonBox::AcceptRole);
    botones->addButton(QStringLiteral("&Cancelar"), QDialogButtonBox::RejectRole);
    auto* formulario = new QFormLayout;
    formulario->addRow(QStringLiteral("&Desde la hoja:"), desde);
    formulario->addRow(QStringLiteral("&Hasta la hoja:"), hasta);
    auto* l = new QVBoxLayout(&d);
    auto* etiqueta = new QLabel(pedido.encabezado, &d);
    etiqueta->setObjectName(QStringLiteral("LblHojasTirada"));
    l->addWidget(etiqueta);
    l->addLayout(formulario);
    l->addWidget(botones);
    QObject::connect(botones, &QDialogButtonBox::accepted, &d, [&] {
        if (const auto e = pedido.error({desde->value(), hasta->value()})) {
            Avisar(&d, *e, pedido.aviso);
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

// The preview only shows: the tools that would print, or change the paper
// or orientation the pages were prepared for, go. The rest speak of sheets,
// as the run does. Qt's tools are told apart by their (translated) texts.
void SoloVer(QPrintPreviewDialog& d) {
    const auto qt = [](const char* texto) {
        return QCoreApplication::translate("QPrintPreviewDialog", texto);
    };
    const QStringList fuera = {qt("Print"), qt("Page setup"), qt("Portrait"), qt("Landscape")};
    const QList<std::pair<QString, QString>> textos = {
        {qt("Next page"), QStringLiteral("Hoja siguiente")},
        {qt("Previous page"), QStringLiteral("Hoja anterior")},
        {qt("First page"), QStringLiteral("Primera hoja")},
        {qt("Last page"), QStringLiteral("Última hoja")},
        {qt("Fit width"), QStringLiteral("Ajustar al ancho")},
        {qt("Fit page"), QStringLiteral("Hoja entera")},
        {qt("Zoom in"), QStringLiteral("Acercar")},
        {qt("Zoom out"), QStringLiteral("Alejar")},
        {qt("Show single page"), QStringLiteral("Una hoja")},
        {qt("Show facing pages"), QStringLiteral("Dos hojas enfrentadas")},
        {qt("Show overview of all pages"), QStringLiteral("Todas las hojas")}};
    for (QAction* a : d.findChildren<QAction*>()) {
        if (fuera.contains(a->text())) {
            a->setEnabled(false);
            a->setVisible(false);
            continue;
        }
        for (const auto& [de, nuevo] : textos)
            if (a->text() == de)
                a->setText(nuevo);
    }
}
} // namespace

bool DialogosImpresionQt::imprimir(Impresora& imp, int orientacion, qint32 hojas, RangoHojas& rango,
                                   bool prueba, bool* inverso) {
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
    QCheckBox* orden = inverso ? OfrecerOrdenInverso(d, *inverso) : nullptr;
    const bool propuesto = !prueba && hojas > 1 && (rango.desde > 1 || rango.hasta > 0);
    p.setPrintRange(propuesto ? QPrinter::PageRange : QPrinter::AllPages);
    if (propuesto)
        p.setFromTo(rango.desde, rango.hasta > 0 ? rango.hasta : hojas);
    for (;;) {
        if (d.exec() != QDialog::Accepted)
            return false;
        if (orden)
            *inverso = orden->isChecked();
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
    rango = {1, std::max(hojas, 1)};
    return PedirRango(m_padre,
                      {QStringLiteral("FrmRangoPdf"), QStringLiteral("Exportar a PDF"),
                       TextoHojasTirada(hojas), QStringLiteral("Hojas a imprimir"),
                       [hojas](const RangoHojas& r) { return ErrorRango(r, hojas); }},
                      rango);
}

bool DialogosImpresionQt::rangoVistaPreliminar(qint32 hojas, RangoHojas& rango) {
    if (rango.hasta == 0)
        rango.hasta = std::clamp(hojas, 1, kHojasVistaPreliminar);
    // The limit is news only to a run longer than it.
    QString encabezado = TextoHojasTirada(hojas);
    if (hojas > kHojasVistaPreliminar)
        encabezado += QStringLiteral(" La vista preliminar muestra hasta %1 a la vez.")
                          .arg(kHojasVistaPreliminar);
    const QString vista = QStringLiteral("Vista preliminar");
    return PedirRango(m_padre,
                      {QStringLiteral("FrmRangoVista"), vista, encabezado, vista,
                       [hojas](const RangoHojas& r) { return ErrorRangoVista(r, hojas); }},
                      rango);
}

void DialogosImpresionQt::vistaPreliminar(Impresora& imp, const RangoHojas& hojas, qint32 tirada,
                                          const std::function<void(Impresora&)>& dibujar) {
    vista(imp, hojas, tirada, nullptr, dibujar);
}

void DialogosImpresionQt::vistaPreliminarConFondo(Impresora& imp, const RangoHojas& hojas,
                                                  qint32 tirada, const FondoVista& fondo,
                                                  const std::function<void(Impresora&)>& dibujar) {
    vista(imp, hojas, tirada, &fondo, dibujar);
}

void DialogosImpresionQt::vista(Impresora& imp, const RangoHojas& hojas, qint32 tirada,
                                const FondoVista* fondo,
                                const std::function<void(Impresora&)>& dibujar) {
    auto* qt = dynamic_cast<ImpresoraQt*>(&imp);
    if (!qt)
        return;
    QPrintPreviewDialog d(&qt->qprinter(), m_padre);
    d.setObjectName(QStringLiteral("FrmVistaPreliminar"));
    d.setWindowTitle(QStringLiteral("Vista preliminar — %1 — %2")
                         .arg(imp.nombreDispositivo(),
                              hojas.desde == hojas.hasta
                                  ? QStringLiteral("hoja %1 de %2").arg(hojas.desde).arg(tirada)
                                  : QStringLiteral("hojas %1 a %2 de %3")
                                        .arg(hojas.desde)
                                        .arg(hojas.hasta)
                                        .arg(tirada)));
    SoloVer(d);
    // The preview counts its pages from 1; the operator thinks in the run's
    // sheets. Every sheet of the range is one page: the run's longest series
    // prints on each of them.
    auto* hoja = new QLabel(&d);
    hoja->setObjectName(QStringLiteral("LblHojaVista"));
    hoja->setContentsMargins(8, 0, 8, 0);
    if (auto* barra = d.findChild<QToolBar*>()) {
        barra->addSeparator();
        barra->addWidget(hoja);
    }
    if (auto* vista = d.findChild<QPrintPreviewWidget*>()) {
        const auto seguir = [=] {
            hoja->setText(vista->pageCount() > 0 ? QStringLiteral("Hoja Nº %1 de %2")
                                                       .arg(hojas.desde + vista->currentPage() - 1)
                                                       .arg(tirada)
                                                 : QString());
        };
        // The page changes by scrolling (previewChanged), by the tools and by
        // the page number typed; the last two tell nothing, so look after them.
        QObject::connect(vista, &QPrintPreviewWidget::previewChanged, hoja, seguir);
        for (QAction* a : d.findChildren<QAction*>())
            QObject::connect(a, &QAction::triggered, hoja, seguir);
        for (QLineEdit* e : d.findChildren<QLineEdit*>())
            QObject::connect(e, &QLineEdit::editingFinished, hoja, seguir);
    }
    // The form's picture under the numbers, on the preview's pages only.
    QAction* conFondo = nullptr;
    if (fondo && !fondo->imagen.isNull()) {
        conFondo = new QAction(QStringLiteral("Ver con el fondo"), &d);
        conFondo->setObjectName(QStringLiteral("BtnVerConFondo"));
        conFondo->setCheckable(true);
        conFondo->setToolTip(QStringLiteral("Mostrar la imagen de fondo bajo los números (no se "
                                            "imprime)"));
        if (auto* barra = d.findChild<QToolBar*>()) {
            barra->addSeparator();
            barra->addAction(conFondo);
        }
        if (auto* vista = d.findChild<QPrintPreviewWidget*>())
            QObject::connect(conFondo, &QAction::toggled, vista,
                             &QPrintPreviewWidget::updatePreview);
    }
    QObject::connect(&d, &QPrintPreviewDialog::paintRequested, &d, [&](QPrinter* p) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        qt->fijarVista(p);
        if (conFondo && conFondo->isChecked())
            qt->fijarFondoVista(fondo->imagen, fondo->twips);
        const auto volver = qScopeGuard([&] {
            qt->fijarVista(nullptr);
            QApplication::restoreOverrideCursor();
        });
        dibujar(imp);
    });
    const QWidget* sobre = m_padre ? m_padre->window() : nullptr;
    const QRect area = sobre        ? sobre->geometry()
                       : d.screen() ? d.screen()->availableGeometry()
                                    : QRect(0, 0, 1024, 768);
    d.resize(area.size() * 9 / 10);
    d.exec();
}
