#include "ImpresoraPdfPropia.h"

#include "EscritorPdf.h"
#include "ImpresoraQt.h"
#include "core/fallas/Falla.h"
#include "core/impresion/GeometriaImpresora.h"
#include "core/impresion/Impresion.h"
#include "core/trabajo/Colores.h"
#include "core/trabajo/Unidades.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLineF>
#include <QPdfWriter>
#include <QRawFont>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cmath>
#include <cstdio>

namespace {
constexpr int kResolucion = 1200; // ImpresoraPdf's
// Qt's font engine draws nothing past this many device pixels: ImpresoraPintor
// sets a larger font smaller and scales the painter, and so does this writer.
constexpr double kMaxPixelesFuente = 8000;
} // namespace

enum class ImpresoraPdfPropia::Op : quint8 {
    Color,
    Fuente,
    Posicion,
    Texto,
    Vacia,
    Rotado,
    Linea,
    Pagina,
    Orientacion,
};

bool ImpresoraPdfPropia::Admite(const QString& ruta) {
    if (qgetenv("VELQUIRA_PDF") == "qt")
        return false;
    // A device or a pipe is written straight to: what went out cannot be
    // taken back, so there the document is Qt's from the start.
    const QFileInfo info(ruta);
    return !info.exists() || info.isFile();
}

ImpresoraPdfPropia::ImpresoraPdfPropia(const QString& ruta, qint32 ancho, qint32 alto)
    : m_ruta(ruta), m_ancho(ancho), m_alto(alto),
      m_plantilla(std::make_unique<QPdfWriter>(QString())),
      m_escritor(std::make_unique<EscritorPdf>()) {
    // The page exactly as ImpresoraPdf lays it out.
    m_plantilla->setResolution(kResolucion);
    m_plantilla->setPageLayout(PaginaPdfExacta(ancho, alto));
}

// An export never ended leaves the path as it was.
ImpresoraPdfPropia::~ImpresoraPdfPropia() {
    descartar();
}

// --- the page ---

int ImpresoraPdfPropia::orientacion() const {
    if (m_qt)
        return m_qt->orientacion();
    return m_plantilla->pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

void ImpresoraPdfPropia::fijarOrientacion(int o) {
    if (m_qt)
        return m_qt->fijarOrientacion(o);
    anotar(Op::Orientacion);
    *m_diario << qint32(o);
    m_plantilla->setPageOrientation(o == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

GeometriaDispositivo ImpresoraPdfPropia::geometria() const {
    if (m_qt)
        return m_qt->geometria();
    const QRect papel = m_plantilla->pageLayout().fullRectPixels(kResolucion);
    GeometriaDispositivo g;
    g.puntosPorPulgadaX = g.puntosPorPulgadaY = kResolucion;
    g.anchoFisico = g.anchoImprimible = papel.width();
    g.altoFisico = g.altoImprimible = papel.height();
    return g;
}

double ImpresoraPdfPropia::px(double t) const {
    return UnidadesDeTwips(t, kResolucion);
}

double ImpresoraPdfPropia::twips(double p) const {
    return TwipsDeUnidades(p, kResolucion);
}

// --- the journal ---

QDataStream& ImpresoraPdfPropia::diario() {
    if (!m_diario) {
        m_diarioArchivo = std::make_unique<QTemporaryFile>(
            QDir::tempPath() + QStringLiteral("/velquira-diario-XXXXXX"));
        if (!m_diarioArchivo->open()) {
            m_diarioArchivo.reset();
            throw Falla{CodigoFalla::SalidaFallida,
                        QStringLiteral("No se pudo preparar %1: no se puede escribir en la "
                                       "carpeta temporal %2.")
                            .arg(destino(), QDir::toNativeSeparators(QDir::tempPath()))};
        }
        m_diario = std::make_unique<QDataStream>(m_diarioArchivo.get());
        // The state the document starts from.
        *m_diario << quint8(Op::Orientacion)
                  << qint32(m_plantilla->pageLayout().orientation() == QPageLayout::Landscape ? 2
                                                                                              : 1);
        *m_diario << quint8(Op::Color) << m_color;
        *m_diario << quint8(Op::Fuente) << m_fuente.nombre << m_fuente.puntos << m_fuente.negrita
                  << m_fuente.cursiva << m_fuente.subrayado << m_fuente.tachado;
        *m_diario << quint8(Op::Posicion) << m_x << m_y;
    }
    return *m_diario;
}

void ImpresoraPdfPropia::anotar(Op op) {
    diario() << quint8(op);
}

void ImpresoraPdfPropia::reiniciarDiario() {
    m_diario.reset();
    m_diarioArchivo.reset();
}

void ImpresoraPdfPropia::recurrir(const QString& motivo) {
    m_motivo = motivo;
    std::fprintf(
        stderr, "%s\n",
        qPrintable(
            QStringLiteral("El PDF se escribe con el motor de Qt, más lento: %1.").arg(motivo)));
    auto qt = std::make_unique<ImpresoraPdf>(m_ruta, m_ancho, m_alto);
    // Nothing of this writer's document stays: Qt's starts from the first call.
    descartar();
    diario();
    m_diario.reset();
    m_diarioArchivo->flush();
    m_diarioArchivo->seek(0);
    QDataStream d(m_diarioArchivo.get());
    m_qt = std::move(qt);
    Impresora& imp = *m_qt;
    // The document as the run asked for it, up to and with the call that
    // could not be drawn here.
    while (!d.atEnd() && d.status() == QDataStream::Ok) {
        quint8 op = 0;
        d >> op;
        switch (Op(op)) {
        case Op::Color: {
            qint32 c = 0;
            d >> c;
            imp.fijarColor(c);
            break;
        }
        case Op::Fuente: {
            FuenteImpresion f;
            d >> f.nombre >> f.puntos >> f.negrita >> f.cursiva >> f.subrayado >> f.tachado;
            imp.fijarFuente(f);
            break;
        }
        case Op::Posicion: {
            double x = 0, y = 0;
            d >> x >> y;
            imp.fijarPosicion(x, y);
            break;
        }
        case Op::Texto: {
            QString t;
            d >> t;
            imp.imprimirTexto(t);
            break;
        }
        case Op::Vacia:
            imp.imprimirLineaVacia();
            break;
        case Op::Rotado: {
            QString t;
            qint32 g = 0;
            double x = 0, y = 0;
            d >> t >> g >> x >> y;
            imp.imprimirTextoRotado(t, g, x, y);
            break;
        }
        case Op::Linea: {
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            d >> x1 >> y1 >> x2 >> y2;
            imp.dibujarLinea(x1, y1, x2, y2);
            break;
        }
        case Op::Pagina:
            imp.nuevaPagina();
            break;
        case Op::Orientacion: {
            qint32 o = 1;
            d >> o;
            imp.fijarOrientacion(o);
            break;
        }
        }
    }
    const bool leido = d.status() == QDataStream::Ok;
    m_diarioArchivo.reset();
    if (!leido)
        fallar(QStringLiteral("No se pudo rehacer %1 con el motor de Qt: la carpeta temporal "
                              "no devolvió lo anotado.")
                   .arg(destino()));
}

template <typename F> void ImpresoraPdfPropia::intentar(F&& dibujar) {
    try {
        dibujar();
    } catch (const NoExacto& e) {
        recurrir(e.motivo);
    }
}

// --- the file ---

QString ImpresoraPdfPropia::destino() const {
    return QStringLiteral("el archivo %1").arg(QDir::toNativeSeparators(m_ruta));
}

void ImpresoraPdfPropia::fallar(const QString& descripcion) {
    m_falla = descripcion;
    throw Falla{CodigoFalla::SalidaFallida, descripcion};
}

void ImpresoraPdfPropia::abrir() {
    if (m_abierto)
        return;
    m_falla.reset();
    if (const auto error = ErrorDestinoPdf(m_ruta))
        throw Falla{CodigoFalla::SalidaFallida, *error};
    // Written beside the path and renamed over it only when complete, so a
    // failed export leaves whatever was there.
    auto f = std::make_unique<QSaveFile>(m_ruta);
    f->setDirectWriteFallback(false);
    if (!f->open(QIODevice::WriteOnly))
        throw Falla{CodigoFalla::SalidaFallida,
                    QStringLiteral("No se pudo crear %1.").arg(destino())};
    m_archivo = std::move(f);
    const QRect puntos = m_plantilla->pageLayout().fullRectPoints();
    m_escritor->abrir(*m_archivo, puntos.width(), puntos.height(), kResolucion,
                      QStringLiteral("ZUL Velquira"));
    m_abierto = true;
}

void ImpresoraPdfPropia::descartar() {
    m_escritor->descartar();
    if (m_archivo)
        m_archivo->cancelWriting(); // the temporary file beside the path goes
    m_archivo.reset();
    m_abierto = false;
}

bool ImpresoraPdfPropia::documentoAbierto() const {
    return m_qt ? m_qt->documentoAbierto() : m_abierto;
}

void ImpresoraPdfPropia::nuevaPagina() {
    if (m_qt)
        return m_qt->nuevaPagina();
    if (m_falla)
        throw Falla{CodigoFalla::SalidaFallida, *m_falla};
    anotar(Op::Pagina);
    intentar([&] { abrir(); });
    if (m_qt)
        return m_qt->nuevaPagina();
    if (m_escritor->fallo() || m_archivo->error() != QFileDevice::NoError)
        fallar(ImpresoraPintor::TextoEscrituraFallida(destino()) +
               QStringLiteral(" No se entregó nada."));
    m_escritor->nuevaPagina();
}

void ImpresoraPdfPropia::terminarDocumento() {
    if (m_qt)
        return m_qt->terminarDocumento();
    if (m_falla)
        throw Falla{CodigoFalla::SalidaFallida, *m_falla};
    if (!m_abierto)
        return;
    bool escrito = false;
    try {
        escrito = m_escritor->terminar();
    } catch (const NoExacto& e) {
        recurrir(e.motivo);
        return m_qt->terminarDocumento();
    }
    const bool entregado =
        escrito && m_archivo->error() == QFileDevice::NoError && m_archivo->commit();
    m_archivo.reset();
    m_abierto = false;
    reiniciarDiario();
    if (!entregado)
        fallar(ImpresoraPintor::TextoEscrituraFallida(destino()) +
               QStringLiteral(" No se entregó nada."));
}

void ImpresoraPdfPropia::abortarDocumento() {
    if (m_qt)
        return m_qt->abortarDocumento();
    m_falla.reset();
    descartar();
    reiniciarDiario();
}

// --- fonts ---

void ImpresoraPdfPropia::fijarColor(qint32 color) {
    if (m_qt)
        return m_qt->fijarColor(color);
    if (color == m_color)
        return;
    anotar(Op::Color);
    *m_diario << color;
    m_color = color;
}

void ImpresoraPdfPropia::fijarFuente(const FuenteImpresion& f) {
    if (m_qt)
        return m_qt->fijarFuente(f);
    const FuenteImpresion& a = m_fuente;
    if (f.nombre == a.nombre && f.puntos == a.puntos && f.negrita == a.negrita &&
        f.cursiva == a.cursiva && f.subrayado == a.subrayado && f.tachado == a.tachado)
        return;
    anotar(Op::Fuente);
    *m_diario << f.nombre << f.puntos << f.negrita << f.cursiva << f.subrayado << f.tachado;
    m_fuente = f;
    m_actual = nullptr;
}

const ImpresoraPdfPropia::FuenteLista& ImpresoraPdfPropia::fuente() const {
    if (m_actual)
        return *m_actual;
    const FuenteImpresion& f = m_fuente;
    const QString clave = f.nombre + QChar(0) + QString::number(f.puntos, 'g', 17) +
                          QChar(u'0' + f.negrita) + QChar(u'0' + f.cursiva) +
                          QChar(u'0' + f.subrayado) + QChar(u'0' + f.tachado);
    auto it = m_fuentes.find(clave);
    if (it == m_fuentes.end()) {
        // As ImpresoraPintor builds the device's font.
        FuenteLista l;
        const double puntos = f.puntos > 0 ? f.puntos : 10;
        const double pixeles = puntos * kResolucion / 72.0;
        l.escala = pixeles > kMaxPixelesFuente ? pixeles / kMaxPixelesFuente : 1.0;
        FuenteImpresion reducida = f;
        reducida.puntos = puntos / l.escala;
        l.puntos = reducida.puntos;
        l.qfont = QFontDe(reducida);
        l.qfont.setHintingPreference(QFont::PreferNoHinting);
        const QFontMetricsF m(l.qfont, m_plantilla.get());
        l.ascenso = m.ascent();
        l.alto = m.height();
        l.descenso = m.descent();
        l.grosor = m.lineWidth();
        l.subrayado = m.underlinePos();
        it = m_fuentes.insert(clave, l);
    }
    m_actual = &*it;
    return *m_actual;
}

TamanoCara& ImpresoraPdfPropia::tamano(const FuenteLista& l) const {
    if (!l.tamano) {
        // The face Qt's engine draws this font with on the device.
        const QRawFont raw = QRawFont::fromFont(QFont(l.qfont, m_plantilla.get()));
        l.tamano = &m_escritor->tamano(raw, l.puntos);
    }
    return *l.tamano;
}

double ImpresoraPdfPropia::anchoTexto(const QString& texto) const {
    if (m_qt)
        return m_qt->anchoTexto(texto);
    const FuenteLista& l = fuente();
    try {
        return twips(m_escritor->formar(tamano(l), texto).ancho / 64.0 * l.escala);
    } catch (const NoExacto&) {
        // Drawing it sends the document to Qt; until then Qt measures it.
        return twips(QFontMetricsF(l.qfont, m_plantilla.get()).horizontalAdvance(texto) * l.escala);
    }
}

double ImpresoraPdfPropia::altoCelda() const {
    if (m_qt)
        return m_qt->altoCelda();
    const FuenteLista& l = fuente();
    return twips(l.alto * l.escala);
}

// --- drawing ---

void ImpresoraPdfPropia::fijarPosicion(double x, double y) {
    if (m_qt)
        return m_qt->fijarPosicion(x, y);
    anotar(Op::Posicion);
    *m_diario << x << y;
    m_x = x;
    m_y = y;
}

void ImpresoraPdfPropia::imprimirTexto(const QString& texto) {
    if (m_qt)
        return m_qt->imprimirTexto(texto);
    anotar(Op::Texto);
    *m_diario << texto;
    const double alto = altoCelda();
    intentar([&] {
        abrir();
        pintar(texto, m_x, m_y, 0);
    });
    m_x = 0;
    m_y += alto;
}

void ImpresoraPdfPropia::imprimirLineaVacia() {
    if (m_qt)
        return m_qt->imprimirLineaVacia();
    anotar(Op::Vacia);
    const double alto = altoCelda();
    intentar([&] { abrir(); });
    m_x = 0;
    m_y += alto;
}

void ImpresoraPdfPropia::imprimirTextoRotado(const QString& texto, int grados, double x, double y) {
    if (m_qt)
        return m_qt->imprimirTextoRotado(texto, grados, x, y);
    anotar(Op::Rotado);
    *m_diario << texto << qint32(grados) << x << y;
    intentar([&] {
        abrir();
        pintar(texto, x, y, grados);
    });
}

void ImpresoraPdfPropia::dibujarLinea(double x1, double y1, double x2, double y2) {
    if (m_qt)
        return m_qt->dibujarLinea(x1, y1, x2, y2);
    anotar(Op::Linea);
    *m_diario << x1 << y1 << x2 << y2;
    intentar([&] {
        abrir();
        // As ImpresoraPintor: one screen pixel of a 96 dpi display, square ends.
        m_escritor->linea(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2)), px(15), true,
                          ColorDeBgr(m_color));
    });
}

void ImpresoraPdfPropia::pintar(const QString& texto, double x, double y, int grados) {
    if (texto.isEmpty())
        return;
    const FuenteLista& l = fuente();
    TamanoCara& t = tamano(l);
    const TextoFormado& f = m_escritor->formar(t, texto);
    // The painter's transformation and the baseline's start, as
    // ImpresoraPintor::pintar and PintarTexto set them.
    const QPointF esquina(px(x), px(y));
    QTransform m;
    QPointF origen(0, l.ascenso);
    if (l.escala == 1 && grados == 0) {
        origen += esquina;
    } else {
        m.translate(esquina.x(), esquina.y());
        if (l.escala != 1)
            m.scale(l.escala, l.escala);
        if (grados != 0)
            m.rotate(-grados);
    }
    const QColor color = ColorDeBgr(m_color);
    m_escritor->texto(t, f, m, origen, color, EscritorPdf::CursivaSintetica(t),
                      EscritorPdf::NegritaSintetica(t) ? 0.5 * l.grosor : 0);
    if (!m_fuente.subrayado && !m_fuente.tachado)
        return;
    // Underline and strike-out as QPainter draws a text item's decoration.
    const double x1 = std::floor(origen.x());
    const double x2 = std::floor(origen.x() + f.ancho / 64.0);
    const double grosor = l.grosor * l.escala;
    if (m_fuente.subrayado) {
        double ajuste = std::ceil(l.subrayado) + 0.5;
        if (l.subrayado <= l.descenso)
            ajuste = std::min(ajuste, l.descenso - 0.5);
        const double yl = origen.y() + ajuste;
        m_escritor->linea(m.map(QPointF(x1, yl)), m.map(QPointF(x2, yl)), grosor, false, color);
    }
    if (m_fuente.tachado) {
        const double yl = origen.y() - l.ascenso / 3.0;
        m_escritor->linea(m.map(QPointF(x1, yl)), m.map(QPointF(x2, yl)), grosor, false, color);
    }
}
