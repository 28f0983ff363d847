#include "ImpresoraQt.h"

#include "platform/Colores.h"
#include "printing/GeometriaImpresora.h"
#include "shell/Falla.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
} // namespace

// --- drawing on any paged device ---

ImpresoraPintor::~ImpresoraPintor() {
    if (m_pintor && m_pintor->isActive())
        m_pintor->end();
}

QPainter& ImpresoraPintor::pintor() {
    if (!m_pintor)
        m_pintor = std::make_unique<QPainter>();
    if (!m_pintor->isActive()) {
        if (!m_pintor->begin(&dispositivo()))
            throw Falla{68, QStringLiteral("No se puede imprimir en %1").arg(nombreDispositivo())};
        m_pintor->setRenderHint(QPainter::TextAntialiasing);
        m_fuentePuesta = false;
    }
    return *m_pintor;
}

const QFont& ImpresoraPintor::fuenteDispositivo() const {
    if (!m_qfont) {
        QFont f = QFontDe(m_fuente);
        // Positions are exact to the device unit: no hinting towards pixels.
        f.setHintingPreference(QFont::PreferNoHinting);
        m_qfont = f;
    }
    return *m_qfont;
}

const QFontMetricsF& ImpresoraPintor::metricas() const {
    if (!m_metricas)
        m_metricas.emplace(fuenteDispositivo(), &dispositivo());
    return *m_metricas;
}

double ImpresoraPintor::ascenso() const {
    if (m_ascenso < 0)
        m_ascenso = metricas().ascent();
    return m_ascenso;
}

double ImpresoraPintor::alto() const {
    if (m_alto < 0)
        m_alto = metricas().height();
    return m_alto;
}

void ImpresoraPintor::ponerFuente(QPainter& p) {
    if (!m_fuentePuesta) {
        p.setFont(fuenteDispositivo());
        m_fuentePuesta = true;
    }
    p.setPen(ColorDeBgr(m_color));
}

void ImpresoraPintor::fijarFuente(const FuenteImpresion& f) {
    const FuenteImpresion& a = m_fuente;
    if (f.nombre == a.nombre && f.puntos == a.puntos && f.negrita == a.negrita &&
        f.cursiva == a.cursiva && f.subrayado == a.subrayado && f.tachado == a.tachado)
        return;
    m_fuente = f;
    m_qfont.reset();
    m_metricas.reset();
    m_ascenso = m_alto = -1;
    m_fuentePuesta = false;
}

void ImpresoraPintor::fijarPosicion(double x, double y) {
    m_x = x;
    m_y = y;
}

void ImpresoraPintor::imprimirTexto(const QString& texto) {
    QPainter& p = pintor();
    ponerFuente(p);
    PintarTexto(p, texto, QPointF(px(m_x), px(m_y)), 0, ascenso());
    m_x = 0;
    m_y += altoCelda();
}

void ImpresoraPintor::imprimirLineaVacia() {
    pintor();
    m_x = 0;
    m_y += altoCelda();
}

void ImpresoraPintor::imprimirTextoRotado(const QString& texto, int grados, double x, double y) {
    QPainter& p = pintor();
    ponerFuente(p);
    PintarTexto(p, texto, QPointF(px(x), px(y)), grados, ascenso());
}

void ImpresoraPintor::dibujarLinea(double x1, double y1, double x2, double y2) {
    QPainter& p = pintor();
    QPen lapiz(ColorDeBgr(m_color));
    lapiz.setWidthF(px(15)); // one screen pixel of a 96 dpi display
    p.setPen(lapiz);
    p.drawLine(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2)));
}

double ImpresoraPintor::anchoTexto(const QString& texto) const {
    return twips(metricas().horizontalAdvance(texto));
}

double ImpresoraPintor::altoCelda() const {
    return twips(alto());
}

void ImpresoraPintor::nuevaPagina() {
    pintor();
    if (!dispositivo().newPage())
        throw Falla{68, QStringLiteral("%1 no aceptó una hoja nueva").arg(nombreDispositivo())};
}

void ImpresoraPintor::terminarDocumento() {
    if (!documentoAbierto())
        return;
    if (!m_pintor->end())
        throw Falla{68, QStringLiteral("No se pudo terminar el documento en %1")
                            .arg(nombreDispositivo())};
}

void ImpresoraPintor::abortarDocumento() {
    if (!documentoAbierto())
        return;
    if (auto* impresora = dynamic_cast<QPrinter*>(&dispositivo()))
        impresora->abort();
    m_pintor->end();
    descartar();
}

// --- a CUPS queue ---

ImpresoraQt::ImpresoraQt(const QString& nombre)
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    m_printer->setPrinterName(nombre);
    m_printer->setCreator(QStringLiteral("ZUL Velquira"));
}

ImpresoraQt::~ImpresoraQt() {
    if (documentoAbierto())
        ImpresoraPintor::terminarDocumento();
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

GeometriaDispositivo ImpresoraQt::geometria() const {
    const int r = m_printer->resolution();
    const QPageLayout l = m_printer->pageLayout();
    const QRect papel = l.fullRectPixels(r);
    const QRect imprimible = l.paintRectPixels(r);
    GeometriaDispositivo g;
    g.puntosPorPulgadaX = g.puntosPorPulgadaY = r;
    g.desplazamientoX = imprimible.left();
    g.desplazamientoY = imprimible.top();
    g.anchoFisico = papel.width();
    g.altoFisico = papel.height();
    g.anchoImprimible = imprimible.width();
    g.altoImprimible = imprimible.height();
    return g;
}

QPagedPaintDevice& ImpresoraQt::dispositivo() const {
    return *m_printer;
}

double ImpresoraQt::resolucion() const {
    return m_printer->resolution();
}

// --- a PDF file ---

ImpresoraPdf::ImpresoraPdf(const QString& ruta, qint32 ancho, qint32 alto)
    : m_ruta(ruta), m_writer(std::make_unique<QPdfWriter>(ruta)) {
    m_writer->setResolution(kResolucion);
    m_writer->setCreator(QStringLiteral("ZUL Velquira"));
    const QSizeF puntos(std::min(ancho, alto) / 20.0, std::max(ancho, alto) / 20.0);
    m_writer->setPageLayout(QPageLayout(QPageSize(puntos, QPageSize::Point, QString(),
                                                  QPageSize::ExactMatch),
                                        ancho > alto ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait,
                                        QMarginsF(0, 0, 0, 0)));
}

ImpresoraPdf::~ImpresoraPdf() {
    if (documentoAbierto())
        ImpresoraPintor::terminarDocumento();
}

int ImpresoraPdf::orientacion() const {
    return m_writer->pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

void ImpresoraPdf::fijarOrientacion(int o) {
    m_writer->setPageOrientation(o == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

GeometriaDispositivo ImpresoraPdf::geometria() const {
    const QRect papel = m_writer->pageLayout().fullRectPixels(kResolucion);
    GeometriaDispositivo g;
    g.puntosPorPulgadaX = g.puntosPorPulgadaY = kResolucion;
    g.anchoFisico = g.anchoImprimible = papel.width();
    g.altoFisico = g.altoImprimible = papel.height();
    return g;
}

QPagedPaintDevice& ImpresoraPdf::dispositivo() const {
    return *m_writer;
}

void ImpresoraPdf::descartar() {
    QFile::remove(m_ruta);
}

// --- the installed printers ---

QStringList CatalogoImpresorasQt::impresoras() const {
    return QPrinterInfo::availablePrinterNames();
}

QString CatalogoImpresorasQt::predeterminada() const {
    // CUPS may have printers and no default; the first one stands in, as a
    // desktop with printers always has a default.
    const QString defecto = QPrinterInfo::defaultPrinterName();
    if (!defecto.isEmpty())
        return defecto;
    const QStringList todas = QPrinterInfo::availablePrinterNames();
    return todas.isEmpty() ? QString() : todas.first();
}

std::unique_ptr<Impresora> CatalogoImpresorasQt::crear(const QString& nombre) {
    if (nombre.isEmpty() || QPrinterInfo::printerInfo(nombre).isNull())
        return {};
    return std::make_unique<ImpresoraQt>(nombre);
}

std::unique_ptr<Impresora> CatalogoImpresorasQt::crearPdf(const QString& ruta, qint32 ancho,
                                                          qint32 alto) {
    return std::make_unique<ImpresoraPdf>(ruta, ancho, alto);
}
