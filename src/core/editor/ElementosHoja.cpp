#include "ElementosHoja.h"

#include "core/editor/GeometriaHoja.h"
#include "core/fallas/Falla.h"
#include "core/impresion/GeometriaImpresora.h"
#include "core/trabajo/Numeracion.h"
#include "core/trabajo/Unidades.h"
#include "core/trabajo/Valores.h"

#include <QFontMetricsF>
#include <QImage>

namespace {
// A device of 1440 dots per inch: its pixels are twips.
const QImage& DispositivoTwips() {
    static const QImage img = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(static_cast<int>(std::lround(kTwipsPorPulgada / 0.0254)));
        i.setDotsPerMeterY(static_cast<int>(std::lround(kTwipsPorPulgada / 0.0254)));
        return i;
    }();
    return img;
}

} // namespace

Elemento& ElementosHoja::elemento(int i) {
    if (static_cast<size_t>(i) >= m_elementos.size())
        m_elementos.resize(i + 1);
    return m_elementos[i];
}

void ElementosHoja::indexar(int i) {
    const Elemento& e = m_elementos[i];
    m_indice.Poner(i, e.rect, e.visible, e.lineas);
}

void ElementosHoja::Mover(int i, QPointF esquina) {
    elemento(i).rect.moveTopLeft(esquina);
    indexar(i);
}

void ElementosHoja::Mostrar(int i, bool si) {
    elemento(i).visible = si;
    indexar(i);
}

void ElementosHoja::MostrarLineas(int i, bool si) {
    elemento(i).lineas = si;
    indexar(i);
}

QString ElementosHoja::PrimerTexto(const Cuadro& c) {
    return c.TextoIzq + FormatearNumero(static_cast<qint64>(RedondearPar(c.Inicio)), c.Cifras) +
           c.TextoDer;
}

QString ElementosHoja::TextoEnHoja(const Cuadro& c, qint32 k) {
    try {
        return TextoCuadroHoja(c, k);
    } catch (const Falla&) {
        return {}; // the print run reports it; the editor shows a blank box
    }
}

QRectF ElementosHoja::Rectangulo(const Cuadro& c) {
    const QSizeF t = MedirTexto(c, PrimerTexto(c));
    return {QPointF(c.PosX, c.PosY), CalcularTextoRotado(c.Rotacion, t.width(), t.height()).tamano};
}

QList<int> ElementosHoja::FueraDeHoja(const std::vector<Cuadro>& cuadros, const ::Trabajo& hoja) {
    const QRectF papel(0, 0, hoja.HAncho, hoja.HAlto);
    QList<int> fuera;
    for (int i = 0; i < static_cast<int>(cuadros.size()); ++i)
        if (cuadros[i].EnUso && !papel.contains(Rectangulo(cuadros[i])))
            fuera.append(i);
    return fuera;
}

QSizeF ElementosHoja::MedirTexto(const Cuadro& c, const QString& texto) {
    // Font metrics overflow past 16,384 pixels (about 800 points here): a
    // larger font is measured at 400 points and scaled, as text scales then.
    const double puntos = c.FontSize > 0 ? c.FontSize : 10;
    const double medida = std::min(puntos, 400.0);
    // The box's font as the printer and the drawing take it.
    const QFontMetricsF m(FuenteCuadro(c, medida), &DispositivoTwips());
    const double k = puntos / medida;
    return {m.horizontalAdvance(texto) * k, m.height() * k};
}

QSizeF ElementosHoja::MedirEtiqueta(const QString& texto, double puntos) {
    QFont f;
    f.setPointSizeF(puntos > 0 ? puntos : 8);
    const QFontMetricsF m(f, &DispositivoTwips());
    return {m.horizontalAdvance(texto) + 60, m.height() + 30};
}

void ElementosHoja::DibujarCuadro(const Estado& estado, int i) {
    const Cuadro& c = estado.Cuadros[i];
    Elemento& e = elemento(i);
    e.texto = TextoEnHoja(c, m_hoja);
    e.vacio = e.texto.isEmpty();
    const float zoom = estado.Trabajo.Zoom;
    const QSizeF t = MedirTexto(c, e.vacio ? PrimerTexto(c) : e.texto);
    const TextoRotado r = CalcularTextoRotado(c.Rotacion, t.width() * zoom, t.height() * zoom);
    e.rect.setSize(r.tamano);
    e.fondo = c.ColorFondo;
    indexar(i);
}

void ElementosHoja::vaciarIndice(const Estado& estado) {
    const float zoom = estado.Trabajo.Zoom;
    m_indicePara = estado.cuadrosVivos();
    m_indice.Vaciar(QSizeF(zoom * estado.Trabajo.HAncho, zoom * estado.Trabajo.HAlto),
                    m_indicePara);
}

void ElementosHoja::RedibujarHoja(const Estado& estado) {
    m_elementos.resize(estado.Cuadros.size());
    vaciarIndice(estado);
    for (int i = 0; i < static_cast<int>(estado.Cuadros.size()); ++i)
        ColocarCuadro(estado, i);
}

void ElementosHoja::RedibujarCuadros(const Estado& estado, const QList<int>& cuadros) {
    for (size_t i = estado.Cuadros.size(); i < m_elementos.size(); ++i)
        m_indice.Quitar(static_cast<int>(i));
    m_elementos.resize(estado.Cuadros.size());
    // A grid laid for far fewer boxes (a new job that grew box by box, a
    // large paste) would list many in each cell: it is laid anew for them.
    if (estado.cuadrosVivos() > 2 * m_indicePara + 64) {
        vaciarIndice(estado);
        for (int i = 0; i < static_cast<int>(m_elementos.size()); ++i)
            indexar(i);
    }
    for (int i : cuadros)
        if (i >= 0 && i < static_cast<int>(estado.Cuadros.size()))
            ColocarCuadro(estado, i);
}

void ElementosHoja::ColocarCuadro(const Estado& estado, int i) {
    const float zoom = estado.Trabajo.Zoom;
    const Cuadro& c = estado.Cuadros[i];
    Elemento& e = m_elementos[i];
    e.rect.moveTopLeft(QPointF(zoom * c.PosX, zoom * c.PosY));
    e.visible = c.EnUso;
    e.fuera = false;
    if (!c.EnUso) {
        e.manijas = e.lineas = false;
        indexar(i);
        return;
    }
    DibujarCuadro(estado, i);
    const QRectF hoja(0, 0, zoom * estado.Trabajo.HAncho, zoom * estado.Trabajo.HAlto);
    const bool conHoja = !hoja.isEmpty(); // no sheet yet: nothing to hold boxes to
    e.fuera = conHoja && !hoja.contains(e.rect);
    e.enBorde = conHoja && !e.rect.intersects(hoja);
    if (e.enBorde) {
        // Wholly off the sheet (a turned or smaller sheet): held at its edge.
        e.rect.moveLeft(
            std::clamp(e.rect.left(), 0.0, std::max(0.0, hoja.width() - e.rect.width())));
        e.rect.moveTop(
            std::clamp(e.rect.top(), 0.0, std::max(0.0, hoja.height() - e.rect.height())));
        e.borde = e.rect.topLeft();
    }
    e.lineas = c.LineasGuia;
    e.manijas = estado.ModoGrupo && c.Seleccionado;
    indexar(i);
}

QRectF ElementosHoja::Manija(const Estado& estado, int i, int k) const {
    const Elemento& e = m_elementos.at(i);
    const double lado = 100.0 * estado.Trabajo.Zoom;
    const double s = RedondearPar(lado);
    const double l = e.rect.left(), t = e.rect.top(), w = e.rect.width(), h = e.rect.height();
    const int rot = estado.Cuadros[i].Rotacion;
    const bool lados = rot == 90 || rot == 270;
    QPointF p;
    switch (k) {
    case 0:
        p = {l - s, t - s};
        break;
    case 1:
        p = lados ? QPointF(l - s, t + h / 2 - s / 2) : QPointF(l + w / 2 - s / 2, t - s);
        break;
    case 2:
        p = {l + w, t - s};
        break;
    case 3:
        p = {l - s, t + h};
        break;
    case 4:
        p = lados ? QPointF(l + w, t + h / 2 - s / 2) : QPointF(l + w / 2 - s / 2, t + h);
        break;
    default:
        p = {l + w, t + h};
        break;
    }
    p.setY(RedondearPar(p.y()));
    return {p, QSizeF(lado, lado)};
}

QString ElementosHoja::TextoUbicacion(QPointF esquina, float zoom, const QLocale& idioma,
                                      const QString& separadorY) {
    return QStringLiteral("X= ") + FormatoFijo(CmDeTwips(esquina.x() / zoom), idioma, 2) +
           separadorY + FormatoFijo(CmDeTwips(esquina.y() / zoom), idioma, 2);
}

void ElementosHoja::PosicionLbl(const Estado& estado, QSizeF hoja, const QLocale& idioma) {
    const int c = estado.CuadroActual;
    if (c < 0 || static_cast<size_t>(c) >= m_elementos.size())
        return;
    const QRectF r = m_elementos[c].rect;
    m_etiqueta.texto = TextoUbicacion(r.topLeft(), estado.Trabajo.Zoom, idioma);
    const QSizeF t =
        MedirEtiqueta(m_etiqueta.texto, TamanoEtiqueta(estado.Trabajo.TamTip, estado.Trabajo.Zoom));
    double top = r.bottom() + 30;
    double left = r.left();
    if (top + t.height() >= hoja.height())
        top = r.top() - (t.height() + 30);
    if (left + t.width() >= hoja.width())
        left = r.left() - t.width();
    if (left < 0)
        left = 0;
    m_etiqueta.rect = QRectF(QPointF(left, top), t);
    m_etiqueta.visible = true;
}

int ElementosHoja::CuadroEn(QPointF punto) const {
    const std::vector<int> cerca = m_indice.En(QRectF(punto, QSizeF(0, 0)));
    for (auto it = cerca.rbegin(); it != cerca.rend(); ++it)
        if (m_elementos[*it].visible && m_elementos[*it].rect.contains(punto))
            return *it;
    return -1;
}

void ElementosHoja::EtiquetaArrastre(const Estado& estado, QPointF puntero, QSizeF hoja,
                                     const QLocale& idioma) {
    const int c = estado.CuadroActual;
    if (c < 0 || static_cast<size_t>(c) >= m_elementos.size())
        return;
    const QRectF r = m_elementos[c].rect;
    m_etiqueta.texto =
        TextoUbicacion(r.topLeft(), estado.Trabajo.Zoom, idioma, QStringLiteral(" Y = "));
    const QSizeF t =
        MedirEtiqueta(m_etiqueta.texto, TamanoEtiqueta(estado.Trabajo.TamTip, estado.Trabajo.Zoom));
    double top = puntero.y() + r.height();
    double left = puntero.x() + t.height();
    if (top + t.height() >= hoja.height())
        top = puntero.y() - r.height() - t.height();
    if (left + t.width() >= hoja.width())
        left = puntero.x() - t.width();
    if (left < 0)
        left = 0;
    m_etiqueta.rect = QRectF(QPointF(left, top), t);
    m_etiqueta.visible = true;
}
