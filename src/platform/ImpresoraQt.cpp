#include "ImpresoraQt.h"

#include "shell/Falla.h"

#include <QFontMetricsF>
#include <QPrinterInfo>

namespace {
constexpr double kTwipsPorPulgada = 1440.0;

QColor ColorBgr(qint32 c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
} // namespace

ImpresoraQt::ImpresoraQt(const QString& nombre)
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    if (!nombre.isEmpty())
        m_printer->setPrinterName(nombre);
    m_printer->setFullPage(true); // positions are computed against the printable area ourselves
}

ImpresoraQt::~ImpresoraQt() {
    if (m_pintor && m_pintor->isActive())
        m_pintor->end();
}

QString ImpresoraQt::nombreDispositivo() const {
    return m_printer->printerName();
}

int ImpresoraQt::orientacion() const {
    return m_printer->pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

void ImpresoraQt::fijarOrientacion(int o) {
    m_printer->setPageOrientation(o == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

qint32 ImpresoraQt::anchoPagina() const {
    return qRound(m_printer->pageLayout().fullRect(QPageLayout::Inch).width() * kTwipsPorPulgada);
}

qint32 ImpresoraQt::altoPagina() const {
    return qRound(m_printer->pageLayout().fullRect(QPageLayout::Inch).height() * kTwipsPorPulgada);
}

qint32 ImpresoraQt::desplazamientoX() const {
    return qRound(m_printer->pageLayout().paintRect(QPageLayout::Inch).left() * kTwipsPorPulgada);
}

qint32 ImpresoraQt::desplazamientoY() const {
    return qRound(m_printer->pageLayout().paintRect(QPageLayout::Inch).top() * kTwipsPorPulgada);
}

QPainter& ImpresoraQt::pintor() {
    if (!m_pintor)
        m_pintor = std::make_unique<QPainter>();
    if (!m_pintor->isActive()) {
        if (!m_pintor->begin(m_printer.get()))
            throw Falla{68, QStringLiteral("La impresora %1 no está disponible")
                                .arg(m_printer->printerName())};
        // Twips from the printable area's corner (the painter's origin is the paper's).
        const double escala = m_printer->resolution() / kTwipsPorPulgada;
        m_pintor->scale(escala, escala);
        m_pintor->translate(desplazamientoX(), desplazamientoY());
    }
    return *m_pintor;
}

void ImpresoraQt::fijarFuente(const FuenteImpresion& f) {
    m_fuente = QFont(f.nombre);
    m_fuente.setPointSizeF(f.puntos > 0 ? f.puntos : 10);
    m_fuente.setBold(f.negrita);
    m_fuente.setItalic(f.cursiva);
    m_fuente.setUnderline(f.subrayado);
    m_fuente.setStrikeOut(f.tachado);
}

void ImpresoraQt::fijarColor(qint32 color) {
    m_color = ColorBgr(color);
}

void ImpresoraQt::fijarPosicion(qint32 x, qint32 y) {
    m_x = x;
    m_y = y;
}

void ImpresoraQt::imprimirTexto(const QString& texto) {
    QPainter& p = pintor();
    // The painter works in twips; a font sized for the device would come out
    // scaled. Size it so one device "pixel" of the font is one twip.
    QFont f = m_fuente;
    f.setPointSizeF(m_fuente.pointSizeF() * kTwipsPorPulgada / p.device()->logicalDpiY());
    p.setFont(f);
    p.setPen(m_color);
    const QFontMetricsF m(f, p.device());
    p.drawText(QPointF(m_x, m_y + m.ascent()), texto);
    m_x = 0;
    m_y += m.height();
}

void ImpresoraQt::dibujarLinea(qint32 x1, qint32 y1, qint32 x2, qint32 y2) {
    QPainter& p = pintor();
    p.setPen(m_color);
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void ImpresoraQt::nuevaPagina() {
    pintor();
    if (!m_printer->newPage())
        throw Falla{68, QStringLiteral("La impresora %1 no aceptó una hoja nueva")
                            .arg(m_printer->printerName())};
}

void ImpresoraQt::terminarDocumento() {
    if (m_pintor && m_pintor->isActive() && !m_pintor->end())
        throw Falla{68, QStringLiteral("No se pudo enviar el trabajo a la impresora %1")
                            .arg(m_printer->printerName())};
}

void ImpresoraQt::abortarDocumento() {
    if (m_pintor && m_pintor->isActive()) {
        m_printer->abort();
        m_pintor->end();
    }
}

QStringList CatalogoImpresorasQt::impresoras() const {
    return QPrinterInfo::availablePrinterNames();
}

QString CatalogoImpresorasQt::predeterminada() const {
    return QPrinterInfo::defaultPrinterName();
}
