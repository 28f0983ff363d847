#include "ImpresoraQt.h"

#include "ImpresoraPdfPropia.h"

#include "core/fallas/Falla.h"
#include "core/impresion/GeometriaImpresora.h"
#include "core/impresion/Impresion.h"
#include "core/trabajo/Colores.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTemporaryFile>

#include <cups/cups.h>

namespace {
// The CUPS options the operator's settings in the print dialog stand for:
// the paper, copies, sides and orientation, and what the dialog's own
// option pages added (held by the print engine under this key).
constexpr auto kOpcionesCups = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QString MotivoCups(ipp_status_t estado, const QString& cola) {
    // A queue removed meanwhile may come back as a server error: look.
    if (cups_dest_t* d =
            cupsGetNamedDest(CUPS_HTTP_DEFAULT, cola.toLocal8Bit().constData(), nullptr))
        cupsFreeDests(1, d);
    else if (estado != IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
        return QStringLiteral("La impresora %1 no existe.").arg(cola);
    switch (estado) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return QStringLiteral("La impresora %1 no acepta trabajos.").arg(cola);
    case IPP_STATUS_ERROR_NOT_FOUND:
        return QStringLiteral("La impresora %1 no existe.").arg(cola);
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_FORBIDDEN:
        return QStringLiteral("No tiene permiso para imprimir en %1.").arg(cola);
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_INTERNAL:
        return QStringLiteral("El servidor de impresión no responde.");
    default:
        return QStringLiteral("El servidor de impresión rechazó el trabajo para %1 (%2).")
            .arg(cola, QString::fromLocal8Bit(cupsLastErrorString()));
    }
}

// The job CUPS made must be there and not thrown out at once (a filter that
// failed on arrival, a queue that cancels what it gets).
void ComprobarTrabajoCups(const QString& cola, int id) {
    cups_job_t* trabajos = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &trabajos, cola.toLocal8Bit().constData(), 0,
                               CUPS_WHICHJOBS_ALL);
    const auto liberar = qScopeGuard([&] { cupsFreeJobs(n, trabajos); });
    if (n < 0)
        return; // the list cannot be read: the submission itself was accepted
    for (int i = 0; i < n; ++i) {
        if (trabajos[i].id != id)
            continue;
        if (trabajos[i].state == IPP_JSTATE_CANCELED || trabajos[i].state == IPP_JSTATE_ABORTED)
            throw Falla{CodigoFalla::SalidaFallida,
                        QStringLiteral("La impresora %1 anuló el trabajo Nº %2 al "
                                       "recibirlo. Revise la impresora y la cola.")
                            .arg(cola)
                            .arg(id)};
        return;
    }
}

// Submits the PDF at `ruta` to the queue as one job; returns the job's id.
int EnviarACups(const QString& cola, const QString& ruta, const QString& titulo, QPrinter& p) {
    cups_option_t* opciones = nullptr;
    int n = 0;
    const auto liberar = qScopeGuard([&] { cupsFreeOptions(n, opciones); });
    const auto agregar = [&](const QString& nombre, const QString& valor) {
        n = cupsAddOption(nombre.toLocal8Bit().constData(), valor.toLocal8Bit().constData(), n,
                          &opciones);
    };
    const QPageLayout l = p.pageLayout();
    agregar(QStringLiteral("media"), l.pageSize().key());
    if (p.copyCount() > 1) {
        agregar(QStringLiteral("copies"), QString::number(p.copyCount()));
        if (p.collateCopies())
            agregar(QStringLiteral("Collate"), QStringLiteral("True"));
    }
    const bool vertical = l.orientation() == QPageLayout::Portrait;
    switch (p.duplex()) {
    case QPrinter::DuplexNone:
        agregar(QStringLiteral("sides"), QStringLiteral("one-sided"));
        break;
    case QPrinter::DuplexAuto:
        agregar(QStringLiteral("sides"), vertical ? QStringLiteral("two-sided-long-edge")
                                                  : QStringLiteral("two-sided-short-edge"));
        break;
    case QPrinter::DuplexLongSide:
        agregar(QStringLiteral("sides"), QStringLiteral("two-sided-long-edge"));
        break;
    case QPrinter::DuplexShortSide:
        agregar(QStringLiteral("sides"), QStringLiteral("two-sided-short-edge"));
        break;
    }
    if (!vertical)
        agregar(QStringLiteral("landscape"), QString());
    const QStringList delDialogo = p.printEngine()->property(kOpcionesCups).toStringList();
    for (qsizetype i = 0; i + 1 < delDialogo.size(); i += 2)
        agregar(delDialogo[i], delDialogo[i + 1]);

    const int id = cupsPrintFile2(CUPS_HTTP_DEFAULT, cola.toLocal8Bit().constData(),
                                  QFile::encodeName(ruta).constData(),
                                  titulo.toLocal8Bit().constData(), n, opciones);
    if (id <= 0)
        throw Falla{CodigoFalla::SalidaFallida,
                    MotivoCups(cupsLastError(), cola) + QStringLiteral(" No se imprimió nada.")};
    ComprobarTrabajoCups(cola, id);
    return id;
}
} // namespace

// --- drawing on any paged device ---

ImpresoraPintor::~ImpresoraPintor() = default;

QPainter& ImpresoraPintor::pintor() {
    if (!m_pintor)
        m_pintor = std::make_unique<QPainter>();
    if (!m_pintor->isActive() && m_vista) {
        m_falla.reset();
        if (!m_pintor->begin(m_vista))
            throw Falla{CodigoFalla::SalidaFallida,
                        QStringLiteral("No se puede mostrar la vista preliminar.")};
        m_pintor->setRenderHint(QPainter::TextAntialiasing);
        m_fuentePuesta = false;
        dibujarFondoVista(*m_pintor);
    }
    if (!m_pintor->isActive()) {
        m_falla.reset();
        m_archivo = &abrirArchivo();
        m_lienzo = std::make_unique<QPdfWriter>(m_archivo);
        m_lienzo->setResolution(qRound(resolucion()));
        m_lienzo->setPageLayout(dispositivo().pageLayout());
        m_lienzo->setCreator(QStringLiteral("ZUL Velquira"));
        m_lienzo->setTitle(tituloDocumento());
        if (!m_pintor->begin(m_lienzo.get())) {
            soltarArchivo();
            throw Falla{CodigoFalla::SalidaFallida,
                        QStringLiteral("No se puede imprimir en %1.").arg(destino())};
        }
        m_pintor->setRenderHint(QPainter::TextAntialiasing);
        m_fuentePuesta = false;
    }
    return *m_pintor;
}

QPagedPaintDevice& ImpresoraPintor::hoja() const {
    if (m_vista)
        return *m_vista;
    return *m_lienzo;
}

void ImpresoraPintor::fijarVista(QPagedPaintDevice* vista) {
    abortarDocumento();
    m_vista = vista;
    if (!vista)
        fijarFondoVista({}, {});
}

void ImpresoraPintor::fijarFondoVista(const QImage& imagen, const QRectF& twips) {
    m_fondoVista = imagen;
    m_rectFondoVista = twips;
}

void ImpresoraPintor::dibujarFondoVista(QPainter& p) {
    if (!m_vista || m_fondoVista.isNull())
        return;
    const QRectF r(px(m_rectFondoVista.x()), px(m_rectFondoVista.y()), px(m_rectFondoVista.width()),
                   px(m_rectFondoVista.height()));
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(r, m_fondoVista);
    p.restore();
}

void ImpresoraPintor::fallar(const QString& descripcion) {
    m_falla = descripcion;
    throw Falla{CodigoFalla::SalidaFallida, descripcion};
}

void ImpresoraPintor::comprobarArchivo() {
    if (m_falla)
        throw Falla{CodigoFalla::SalidaFallida, *m_falla};
    if (m_archivo && m_archivo->error() != QFileDevice::NoError)
        fallar(TextoEscrituraFallida(destino()) + QStringLiteral(" No se entregó nada."));
}

QString ImpresoraPintor::TextoEscrituraFallida(const QString& destino) {
    return QStringLiteral("No se pudo escribir %1: el disco está lleno o no acepta más datos.")
        .arg(destino);
}

void ImpresoraPintor::soltarArchivo() {
    m_lienzo.reset();
    descartarArchivo();
    m_archivo = nullptr;
}

void ImpresoraPintor::cerrarPintor() {
    if (!documentoAbierto())
        return;
    m_pintor->end();
    soltarArchivo();
}

const QFont& ImpresoraPintor::fuenteDispositivo() const {
    if (!m_qfont) {
        // The font engine draws nothing past about 16,000 device pixels (a
        // 1,000-point font at 1,200 dpi): a larger font is set smaller and
        // the painter scaled, as vector text scales exactly.
        const double puntos = m_fuente.puntos > 0 ? m_fuente.puntos : 10;
        const double pixeles = puntos * resolucion() / 72.0;
        m_escala = pixeles > kMaxPixelesFuente ? pixeles / kMaxPixelesFuente : 1.0;
        FuenteImpresion reducida = m_fuente;
        reducida.puntos = puntos / m_escala;
        QFont f = QFontDe(reducida);
        // Positions are exact to the device unit: no hinting towards pixels.
        f.setHintingPreference(QFont::PreferNoHinting);
        m_qfont = f;
    }
    return *m_qfont;
}

void ImpresoraPintor::pintar(QPainter& p, const QString& texto, QPointF esquina, int grados) {
    if (m_escala == 1.0) {
        PintarTexto(p, texto, esquina, grados, ascenso());
        return;
    }
    p.save();
    p.translate(esquina);
    p.scale(m_escala, m_escala);
    PintarTexto(p, texto, QPointF(0, 0), grados, ascenso() / m_escala);
    p.restore();
}

const QFontMetricsF& ImpresoraPintor::metricas() const {
    if (!m_metricas)
        m_metricas.emplace(fuenteDispositivo(), &dispositivo());
    return *m_metricas;
}

double ImpresoraPintor::ascenso() const {
    if (m_ascenso < 0)
        m_ascenso = metricas().ascent() * escala();
    return m_ascenso;
}

double ImpresoraPintor::alto() const {
    if (m_alto < 0)
        m_alto = metricas().height() * escala();
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
    pintar(p, texto, QPointF(px(m_x), px(m_y)), 0);
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
    pintar(p, texto, QPointF(px(x), px(y)), grados);
}

void ImpresoraPintor::dibujarLinea(double x1, double y1, double x2, double y2) {
    QPainter& p = pintor();
    QPen lapiz(ColorDeBgr(m_color));
    lapiz.setWidthF(px(15)); // one screen pixel of a 96 dpi display
    p.setPen(lapiz);
    p.drawLine(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2)));
}

double ImpresoraPintor::anchoTexto(const QString& texto) const {
    return twips(metricas().horizontalAdvance(texto) * escala());
}

double ImpresoraPintor::altoCelda() const {
    return twips(alto());
}

void ImpresoraPintor::nuevaPagina() {
    pintor();
    comprobarArchivo();
    if (!hoja().newPage())
        fallar(QStringLiteral("%1 no aceptó una hoja nueva.").arg(destino()));
    dibujarFondoVista(*m_pintor);
}

void ImpresoraPintor::terminarDocumento() {
    if (m_falla)
        throw Falla{CodigoFalla::SalidaFallida, *m_falla};
    if (!documentoAbierto())
        return;
    if (m_vista) {
        m_pintor->end(); // the preview keeps the pages; nothing is sent
        return;
    }
    // The writer puts the rest of the PDF (fonts, cross-reference) into the
    // file here; only a file that took every byte is delivered.
    const bool terminado = m_pintor->end();
    m_lienzo.reset();
    const bool escrito =
        terminado && m_archivo->flush() && m_archivo->error() == QFileDevice::NoError;
    if (!escrito) {
        soltarArchivo();
        fallar(TextoEscrituraFallida(destino()) + QStringLiteral(" No se entregó nada."));
    }
    m_archivo = nullptr;
    try {
        entregarArchivo();
    } catch (const Falla& f) {
        m_falla = f.descripcion;
        throw;
    }
}

void ImpresoraPintor::abortarDocumento() {
    m_falla.reset();
    cerrarPintor();
}

// --- a CUPS queue ---

ImpresoraQt::ImpresoraQt(const QString& nombre)
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    m_printer->setPrinterName(nombre);
    m_printer->setCreator(QStringLiteral("ZUL Velquira"));
}

// A document still open here was never ended by the program: it is not sent.
ImpresoraQt::~ImpresoraQt() {
    cerrarPintor();
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

QString ImpresoraQt::destino() const {
    return QStringLiteral("el trabajo para la impresora %1").arg(nombreDispositivo());
}

QString ImpresoraQt::tituloDocumento() const {
    const QString nombre = m_printer->docName();
    return nombre.isEmpty() ? ImpresoraPintor::tituloDocumento() : nombre;
}

QFileDevice& ImpresoraQt::abrirArchivo() {
    // The spool file lives in the temporary folder until CUPS has it.
    m_archivo =
        std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/velquira-XXXXXX.pdf"));
    if (!m_archivo->open()) {
        m_archivo.reset();
        throw Falla{CodigoFalla::SalidaFallida,
                    QStringLiteral("No se pudo preparar el trabajo para la impresora %1: no se "
                                   "puede escribir en la carpeta temporal %2.")
                        .arg(nombreDispositivo(), QDir::toNativeSeparators(QDir::tempPath()))};
    }
    m_trabajoCups = 0;
    return *m_archivo;
}

void ImpresoraQt::descartarArchivo() {
    m_archivo.reset(); // the temporary file goes with it
}

void ImpresoraQt::entregarArchivo() {
    const auto limpiar = qScopeGuard([this] { m_archivo.reset(); });
    m_archivo->close();
    const QString cola = nombreDispositivo().section(u'/', 0, 0); // without the instance
    const int id = EnviarACups(cola, m_archivo->fileName(), tituloDocumento(), *m_printer);
    m_trabajoCups = id;
}

// --- a PDF file ---

QPageLayout PaginaPdfExacta(qint32 ancho, qint32 alto) {
    const QSizeF puntos(std::min(ancho, alto) / 20.0, std::max(ancho, alto) / 20.0);
    return QPageLayout(QPageSize(puntos, QPageSize::Point, QString(), QPageSize::ExactMatch),
                       ancho > alto ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

ImpresoraPdf::ImpresoraPdf(const QString& ruta, qint32 ancho, qint32 alto)
    : m_ruta(ruta), m_plantilla(std::make_unique<QPdfWriter>(QString())) {
    m_plantilla->setResolution(kResolucion);
    m_plantilla->setPageLayout(PaginaPdfExacta(ancho, alto));
}

// An export never ended leaves the path as it was.
ImpresoraPdf::~ImpresoraPdf() {
    cerrarPintor();
}

int ImpresoraPdf::orientacion() const {
    return m_plantilla->pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

void ImpresoraPdf::fijarOrientacion(int o) {
    m_plantilla->setPageOrientation(o == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

GeometriaDispositivo ImpresoraPdf::geometria() const {
    const QRect papel = m_plantilla->pageLayout().fullRectPixels(kResolucion);
    GeometriaDispositivo g;
    g.puntosPorPulgadaX = g.puntosPorPulgadaY = kResolucion;
    g.anchoFisico = g.anchoImprimible = papel.width();
    g.altoFisico = g.altoImprimible = papel.height();
    return g;
}

QPagedPaintDevice& ImpresoraPdf::dispositivo() const {
    return *m_plantilla;
}

QString ImpresoraPdf::destino() const {
    return QStringLiteral("el archivo %1").arg(QDir::toNativeSeparators(m_ruta));
}

QFileDevice& ImpresoraPdf::abrirArchivo() {
    if (const auto error = ErrorDestinoPdf(m_ruta))
        throw Falla{CodigoFalla::SalidaFallida, *error};
    const QFileInfo info(m_ruta);
    if (info.exists() && !info.isFile()) {
        // A device or a pipe: written straight to, never replaced or removed.
        auto f = std::make_unique<QFile>(m_ruta);
        if (f->open(QIODevice::WriteOnly))
            m_archivo = std::move(f);
    } else {
        // Written beside the path and renamed over it only when complete, so
        // a failed export leaves whatever was there.
        auto f = std::make_unique<QSaveFile>(m_ruta);
        f->setDirectWriteFallback(false);
        if (f->open(QIODevice::WriteOnly))
            m_archivo = std::move(f);
    }
    if (!m_archivo)
        throw Falla{CodigoFalla::SalidaFallida,
                    QStringLiteral("No se pudo crear %1.").arg(destino())};
    return *m_archivo;
}

void ImpresoraPdf::entregarArchivo() {
    const auto limpiar = qScopeGuard([this] { m_archivo.reset(); });
    bool hecho = true;
    if (auto* guardado = dynamic_cast<QSaveFile*>(m_archivo.get()))
        hecho = guardado->commit();
    else
        m_archivo->close();
    if (!hecho || m_archivo->error() != QFileDevice::NoError)
        throw Falla{CodigoFalla::SalidaFallida, TextoEscrituraFallida(destino())};
}

void ImpresoraPdf::descartarArchivo() {
    if (auto* guardado = dynamic_cast<QSaveFile*>(m_archivo.get()))
        guardado->cancelWriting(); // the temporary file beside the path goes
    m_archivo.reset();
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
    if (ImpresoraPdfPropia::Admite(ruta))
        return std::make_unique<ImpresoraPdfPropia>(ruta, ancho, alto);
    return std::make_unique<ImpresoraPdf>(ruta, ancho, alto);
}
