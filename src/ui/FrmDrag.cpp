#include "FrmDrag.h"

#include "core/editor/EditorHoja.h"
#include "core/editor/FondoHoja.h"
#include "core/impresion/GeometriaImpresora.h"
#include "core/programa/Herramientas.h"
#include "core/trabajo/Colores.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/Unidades.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>
#include <memory>
#include <optional>

namespace {
constexpr int kMargenEscritorio = 8; // desk around the window's content, pixels
const QColor kColorRegla(0xF4, 0xF1, 0xE4);
const QColor kColorReglaFuera(0xD6, 0xD3, 0xC6); // the ruler past the sheet's edges

// Draws a box's text at the painter's origin, over background `fondo` (in a
// colour that reads on it). Glyph metrics overflow past 16,384 pixels: a
// larger font is drawn smaller through a scaled painter.
void PintarCuadro(QPainter& p, const Cuadro& cuadro, qint32 fondo, const QString& texto, float zoom,
                  double unidadesPorTwip) {
    Cuadro c = cuadro;
    c.Color = ColorLegible(cuadro.Color, fondo);
    const QSizeF medida = ElementosHoja::MedirTexto(c, texto);
    const double k = std::max(1.0, c.FontSize * 20.0 * zoom * unidadesPorTwip / 4000);
    p.save();
    p.scale(k, k);
    p.setRenderHint(QPainter::TextAntialiasing);
    DibujarTextoRotado(p, c, texto, zoom, medida.width(), medida.height(), unidadesPorTwip / k);
    p.restore();
}

// A box that prints nothing on the sheet shown: only its outline, in a
// darker shade of its background, where it can still be grabbed.
void PintarMarcoVacio(QPainter& p, const QRectF& r, qint32 fondo) {
    p.save();
    p.setPen(QPen(ColorDeBgr(fondo).darker(170), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
}

// Page Up / Down, Home and End step through the run's sheets.
std::optional<PasoHoja> PasoDeTecla(const QKeyEvent* e) {
    if (e->modifiers() & ~Qt::KeypadModifier)
        return std::nullopt;
    switch (e->key()) {
    case Qt::Key_PageUp:
        return PasoHoja::Anterior;
    case Qt::Key_PageDown:
        return PasoHoja::Siguiente;
    case Qt::Key_Home:
        return PasoHoja::Primera;
    case Qt::Key_End:
        return PasoHoja::Ultima;
    default:
        return std::nullopt;
    }
}
} // namespace

VistaHoja::VistaHoja(const Documento& documento, EditorHoja& editor, QWidget* padre)
    : QWidget(padre), m_doc(documento), m_editor(editor) {
    setObjectName(QStringLiteral("Hoja"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    ajustar();
}

float VistaHoja::zoom() const {
    const float z = m_doc.Trabajo().Zoom;
    return z > 0 ? z : 0.5f;
}

void VistaHoja::tomarPantalla() {
    m_porPulgada = logicalDpiX() > 0 ? logicalDpiX() : 96;
    m_escala = devicePixelRatioF();
}

double VistaHoja::pixeles(double twips) const {
    return UnidadesDeTwips(twips, m_porPulgada);
}

double VistaHoja::twips(double pixeles) const {
    return TwipsDeUnidades(pixeles, m_porPulgada);
}

QSize VistaHoja::tamanoHoja() const {
    const ::Trabajo& t = m_doc.Trabajo();
    // No widget is larger than this; nor is the sheet drawn larger.
    const auto lado = [&](double twips) {
        return static_cast<int>(
            std::min<double>(std::lround(pixeles(twips * zoom())), QWIDGETSIZE_MAX));
    };
    return {lado(t.HAncho), lado(t.HAlto)};
}

QPoint VistaHoja::origenHoja() const {
    return {kMargenEscritorio, kMargenEscritorio};
}

void VistaHoja::ajustar() {
    tomarPantalla();
    const int borde = static_cast<int>(std::lround(pixeles(kBordeHoja)));
    setFixedSize(tamanoHoja() + QSize(origenHoja().x() + borde + kMargenEscritorio,
                                      origenHoja().y() + borde + kMargenEscritorio));
    update();
}

void VistaHoja::paintEvent(QPaintEvent* evento) {
    tomarPantalla();
    QPainter p(this);
    const QRect zona = evento->rect();
    p.fillRect(rect(), QColor(0x80, 0x80, 0x80));
    const QRect hoja(origenHoja(), tamanoHoja());
    p.fillRect(hoja.translated(3, 3), QColor(0x50, 0x50, 0x50));
    // The form's picture is opaque: where it is drawn the white sheet is not.
    if (!dibujarFondo(p, hoja, zona))
        p.fillRect(hoja, Qt::white);

    p.save();
    p.translate(hoja.topLeft());
    p.setClipRect(QRect(QPoint(0, 0), hoja.size()));
    if (m_editor.ejes()) {
        QPen lapiz(QColor(0x20, 0x60, 0xC0), 1, Qt::DashDotLine);
        p.setPen(lapiz);
        const double cx = hoja.width() / 2.0;
        const double cy = hoja.height() / 2.0;
        p.drawLine(QPointF(0, cy), QPointF(hoja.width(), cy));
        p.drawLine(QPointF(cx, 0), QPointF(cx, hoja.height()));
    }
    if (const auto m = m_editor.margenes()) {
        QPen lapiz(QColor(0xC0, 0x30, 0x30), 1, Qt::DashLine);
        p.setPen(lapiz);
        const double izq = pixeles(m->izquierdo), der = pixeles(m->derecho);
        const double sup = pixeles(m->superior), inf = pixeles(m->inferior);
        p.drawLine(QPointF(0, sup), QPointF(hoja.width(), sup));
        p.drawLine(QPointF(0, inf), QPointF(hoja.width(), inf));
        p.drawLine(QPointF(izq, 0), QPointF(izq, hoja.height()));
        p.drawLine(QPointF(der, 0), QPointF(der, hoja.height()));
    }
    // A drag repaints a few thin strips (an outline's edges) far apart:
    // each is drawn alone, so the boxes between them are not looked at.
    const QRegion region = evento->region();
    if (region.rectCount() > 1 && region.rectCount() <= 16) {
        for (const QRect& parte : region) {
            const QRect local = parte.translated(-hoja.topLeft());
            p.save();
            p.setClipRect(local, Qt::IntersectClip);
            dibujarCuadros(p, local);
            p.restore();
        }
    } else {
        dibujarCuadros(p, zona.translated(-hoja.topLeft()));
    }
    p.restore();
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.drawRect(hoja.adjusted(0, 0, -1, -1));
}

size_t qHash(const VistaHoja::ClaveImagen& c, size_t semilla) {
    return qHashMulti(semilla, c.texto, c.fuente, c.tamano, c.estilo, c.color, c.fondo, c.rotacion,
                      c.zoom, c.escala, c.vacio, c.ancho, c.alto);
}

void VistaHoja::fijarFondo(const FondoHoja* fondo) {
    if (m_fondo)
        disconnect(m_fondo, nullptr, this, nullptr);
    m_fondo = fondo;
    m_fondoPixmap = QPixmap();
    if (m_fondo)
        connect(m_fondo, &FondoHoja::cambiado, this, [this] {
            m_fondoPixmap = QPixmap();
            update();
        });
    update();
}

bool VistaHoja::dibujarFondo(QPainter& p, const QRect& hoja, const QRect& zona) {
    if (!m_fondo || m_fondo->imagen().isNull() || hoja.isEmpty())
        return false;
    const QRect destino = zona & hoja;
    if (destino.isEmpty())
        return true;
    const QImage& imagen = m_fondo->imagen();
    // Made once per zoom: the copy at the sheet's size is blitted, not
    // scaled, on every paint. Past kMaxPixelesFondo (high zooms) the exposed
    // part is scaled from the picture itself each time instead.
    const QSize pantalla = (QSizeF(hoja.size()) * m_escala).toSize();
    const bool guardar = qint64(pantalla.width()) * pantalla.height() <= kMaxPixelesFondo;
    const auto clave = std::make_tuple(m_fondo->version(), pantalla);
    if (guardar && (m_fondoPixmap.isNull() || clave != m_claveFondo)) {
        m_fondoPixmap = QPixmap::fromImage(
            imagen.scaled(pantalla, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_claveFondo = clave;
    } else if (!guardar) {
        m_fondoPixmap = QPixmap();
    }
    // The part of the picture under `destino`, in its own pixels.
    const QSizeF origen = guardar ? QSizeF(m_fondoPixmap.size()) : QSizeF(imagen.size());
    const double sx = origen.width() / hoja.width(), sy = origen.height() / hoja.height();
    const QRectF local = QRectF(destino).translated(-hoja.topLeft());
    const QRectF fuente(local.x() * sx, local.y() * sy, local.width() * sx, local.height() * sy);
    if (guardar) {
        p.drawPixmap(QRectF(destino), m_fondoPixmap, fuente);
    } else {
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(destino), imagen, fuente);
        p.restore();
    }
    return true;
}

const QPixmap* VistaHoja::imagenCuadro(int i) {
    const Estado& estado = m_doc.estado();
    const Cuadro& c = estado.Cuadros[i];
    const Elemento& e = m_editor.elementos().elementos()[i];
    const qreal dpr = m_escala;
    const ClaveImagen clave{e.texto,
                            c.FontName,
                            c.FontSize,
                            int(c.FontBold) | int(c.FontItalic) << 1 | int(c.FontUnderline) << 2 |
                                int(c.FontStrikethru) << 3,
                            c.Color,
                            e.fondo,
                            c.Rotacion,
                            estado.Trabajo.Zoom,
                            dpr,
                            e.vacio,
                            e.rect.width(),
                            e.rect.height()};
    if (const QPixmap* hecha = m_imagenes.object(clave))
        return hecha;
    // A look not seen at this box before (another sheet of the run shown,
    // every box's text new) is drawn directly this once: a picture pays for
    // itself only from its second use.
    const size_t huella = qHash(clave);
    if (static_cast<size_t>(i) >= m_vistas.size())
        m_vistas.resize(i + 1, 0);
    if (m_vistas[i] != huella) {
        m_vistas[i] = huella;
        return nullptr;
    }
    const QSizeF t = enPixeles(e.rect).size() * dpr;
    const QSize lado(std::max(1, int(std::ceil(t.width()))),
                     std::max(1, int(std::ceil(t.height()))));
    const qint64 area = qint64(lado.width()) * lado.height();
    if (area > kMaxPixelesImagen)
        return nullptr;
    auto imagen = std::make_unique<QPixmap>(lado);
    imagen->setDevicePixelRatio(dpr);
    imagen->fill(e.vacio ? QColor(Qt::transparent) : ColorDeBgr(e.fondo));
    {
        QPainter p(imagen.get());
        if (e.vacio)
            PintarMarcoVacio(p, QRectF(QPointF(), imagen->deviceIndependentSize()), e.fondo);
        else
            PintarCuadro(p, c, e.fondo, e.texto, estado.Trabajo.Zoom, pixeles(1));
    }
    // Older pictures make room for it; the cache owns it from here.
    if (!m_imagenes.insert(clave, imagen.release(), area))
        return nullptr;
    return m_imagenes.object(clave);
}

void VistaHoja::dibujarCuadroDirecto(QPainter& p, int i, const QRectF& r) {
    const Estado& estado = m_doc.estado();
    const Cuadro& c = estado.Cuadros[i];
    const Elemento& e = m_editor.elementos().elementos()[i];
    if (e.vacio) {
        PintarMarcoVacio(p, r, e.fondo);
        return;
    }
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.fillRect(r, ColorDeBgr(e.fondo));
    p.translate(r.topLeft());
    PintarCuadro(p, c, e.fondo, e.texto, estado.Trabajo.Zoom, pixeles(1));
    p.restore();
}

QRectF VistaHoja::enPixeles(const QRectF& twips) const {
    return QRectF(pixeles(twips.left()), pixeles(twips.top()), pixeles(twips.width()),
                  pixeles(twips.height()));
}

void VistaHoja::dibujarCuadros(QPainter& p, const QRect& zona) {
    const Estado& estado = m_doc.estado();
    const ElementosHoja& el = m_editor.elementos();
    const auto& elementos = el.elementos();
    const int n = std::min<int>(static_cast<int>(elementos.size()), estado.limiteSuperior() + 1);
    // Only what lies in the painted part is looked at: the index lists the
    // boxes there and the guide lines that cross it.
    const double margen = twips(2);
    // Guide lines under the boxes, in each box's background colour.
    const auto lineas = [&](bool horizontal) {
        const double desde = horizontal ? zona.top() - 1 : zona.left() - 1;
        const double hasta = horizontal ? zona.bottom() + 1 : zona.right() + 1;
        el.indice().Lineas(horizontal, twips(desde) - margen, twips(hasta) + margen, [&](int i) {
            const Elemento& e = elementos[i];
            if (i >= n || !e.visible || !e.lineas)
                return;
            const double d = pixeles(horizontal ? e.rect.top() : e.rect.left());
            if (d < desde || d > hasta)
                return;
            p.setPen(QPen(ColorDeBgr(e.fondo), 1));
            if (horizontal)
                p.drawLine(QPointF(zona.left(), d), QPointF(zona.right() + 1, d));
            else
                p.drawLine(QPointF(d, zona.top()), QPointF(d, zona.bottom() + 1));
        });
    };
    lineas(true);
    lineas(false);
    const QRectF zonaTwips =
        QRectF(twips(zona.left()), twips(zona.top()), twips(zona.width()), twips(zona.height()))
            .adjusted(-200 - margen, -200 - margen, 200 + margen, 200 + margen);
    for (int i : el.indice().En(zonaTwips)) {
        const Elemento& e = elementos[i];
        if (i >= n || !e.visible)
            continue;
        const QRectF r = enPixeles(e.rect);
        const QRectF conManijas =
            r.adjusted(-pixeles(200), -pixeles(200), pixeles(200), pixeles(200));
        if (!conManijas.intersects(zona))
            continue;
        if (const QPixmap* imagen = imagenCuadro(i))
            p.drawPixmap(r.topLeft(), *imagen);
        else
            dibujarCuadroDirecto(p, i, r);
        if (e.fuera) {
            // Not whole on the sheet: it would not print whole either.
            p.save();
            p.setPen(QPen(QColor(0xD0, 0x10, 0x10), 2, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(-1, -1, 1, 1));
            p.restore();
        }
        const Cuadro& c = estado.Cuadros[i];
        if (e.manijas) {
            const bool bloqueado = c.Bloqueado;
            p.setPen(bloqueado ? QColor(Qt::black) : QColor(192, 192, 192));
            for (int k = 0; k < 6; ++k) {
                const QRectF m = enPixeles(el.Manija(estado, i, k));
                p.fillRect(m, bloqueado ? QColor(Qt::white) : ColorDeBgr(e.fondo));
                p.drawRect(m.adjusted(0, 0, -1, -1));
            }
        }
    }
    SeleccionHoja& sel = m_editor.seleccion();
    if (sel.cajaVisible()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(enPixeles(sel.caja()));
    }
    const Etiqueta& lbl = m_editor.elementos().etiqueta();
    if (lbl.visible) {
        const QRectF r = enPixeles(rectEtiqueta());
        p.fillRect(r, QColor(0xFF, 0xFF, 0xE1));
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        // The size the label was measured at: TamTip x Zoom points.
        QFont f;
        f.setPointSizeF(TamanoEtiqueta(estado.Trabajo.TamTip, estado.Trabajo.Zoom));
        p.setFont(f);
        p.drawText(r, Qt::AlignCenter, lbl.texto);
    }
}

QRectF VistaHoja::rectEtiqueta() const {
    // Measured for the sheet; the screen's hinted font may need a little
    // more, and the label grows to hold its whole text.
    const Etiqueta& lbl = m_editor.elementos().etiqueta();
    QFont f;
    f.setPointSizeF(TamanoEtiqueta(m_doc.Trabajo().TamTip, m_doc.Trabajo().Zoom));
    const QFontMetricsF m(f, this);
    QRectF r = lbl.rect;
    r.setWidth(std::max(r.width(), twips(m.horizontalAdvance(lbl.texto) + 6)));
    r.setHeight(std::max(r.height(), twips(m.height() + 2)));
    return r;
}

QPointF VistaHoja::enHoja(QPointF pixel) const {
    const QPointF p = pixel - QPointF(origenHoja());
    return {twips(p.x()), twips(p.y())};
}

bool VistaHoja::dentroDeHoja(QPointF pixel) const {
    return QRectF(origenHoja(), tamanoHoja()).contains(pixel);
}

bool VistaHoja::sobreRegla(QPointF pixel) const {
    return sobreReglas && sobreReglas(mapToGlobal(pixel.toPoint()));
}

QRegion VistaHoja::zonaArrastre() const {
    const SeleccionHoja& s = m_editor.seleccion();
    const QPoint o = origenHoja();
    const auto aPixeles = [&](const QRectF& twips) {
        return QRectF(o.x() + pixeles(twips.left()), o.y() + pixeles(twips.top()),
                      pixeles(twips.width()), pixeles(twips.height()))
            .toAlignedRect()
            .adjusted(-3, -3, 3, 3);
    };
    QRegion r;
    const ElementosHoja& el = m_editor.elementos();
    if (el.etiqueta().visible)
        r += aPixeles(rectEtiqueta());
    if (s.cajaVisible()) {
        // Only the outline is drawn (a group's boxes are hidden while it
        // moves): its four edges.
        const QRect c = aPixeles(s.caja());
        constexpr int g = 7;
        r += QRect(c.left(), c.top(), c.width(), g);
        r += QRect(c.left(), c.bottom() - g + 1, c.width(), g);
        r += QRect(c.left(), c.top(), g, c.height());
        r += QRect(c.right() - g + 1, c.top(), g, c.height());
    }
    const int c = m_doc.CuadroActual();
    if (s.arrastre() == Arrastre::Cuadro && c >= 0 &&
        static_cast<size_t>(c) < el.elementos().size()) {
        const QRect b = aPixeles(el.elementos()[c].rect.adjusted(-200, -200, 200, 200));
        r += b;
        // Its guide lines run across the whole sheet.
        r += QRect(o.x(), b.top(), tamanoHoja().width(), 7);
        r += QRect(b.left(), o.y(), 7, tamanoHoja().height());
    }
    return r;
}

void VistaHoja::mouseMoveEvent(QMouseEvent* e) {
    SeleccionHoja& s = m_editor.seleccion();
    const QPointF punto = enHoja(e->position());
    const bool dentro = dentroDeHoja(e->position());
    if (s.arrastre() != Arrastre::Ninguno) {
        // Only what the move changes is painted again.
        QRegion sucio = zonaArrastre();
        const bool grupoAntes = s.arrastre() == Arrastre::Grupo && s.cajaVisible();
        if (dentro)
            s.Arrastrar(punto, m_dentro ? EstadoArrastre::Sobre : EstadoArrastre::Entra);
        else if (m_dentro)
            s.Arrastrar(punto, EstadoArrastre::Sale);
        sucio += zonaArrastre();
        // A group shown again on leaving, or hidden on entering, changes everywhere.
        if (s.arrastre() == Arrastre::Grupo && grupoAntes != s.cajaVisible())
            sucio = QRegion(rect());
        m_dentro = dentro;
        if (dentro)
            m_editor.MostrarPosicion(punto.x(), punto.y());
        update(sucio);
        return;
    }
    if (dentro) {
        const int i = m_editor.elementos().CuadroEn(punto);
        if (i >= 0) {
            setToolTip(m_editor.SobreCuadro(i));
        } else {
            setToolTip({});
            m_editor.MostrarPosicion(punto.x(), punto.y());
        }
    }
    QWidget::mouseMoveEvent(e);
}

void VistaHoja::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton)
        return;
    setFocus();
    if (!dentroDeHoja(e->position()))
        return;
    SeleccionHoja& s = m_editor.seleccion();
    const Boton boton = e->button() == Qt::LeftButton ? Boton::Izquierdo : Boton::Derecho;
    const QPointF punto = enHoja(e->position());
    const int i = m_editor.elementos().CuadroEn(punto);
    m_dentro = true;
    const Emergente menu =
        i >= 0 ? s.PulsarCuadro(i, boton, e->modifiers() & Qt::ShiftModifier,
                                punto - m_editor.elementos().elementos()[i].rect.topLeft())
               : s.PulsarHoja(boton, punto);
    update();
    if (menu != Emergente::Ninguno && abrirMenu)
        abrirMenu(menu == Emergente::Cuadro ? herramienta::MnuCuadro : herramienta::MnuHoja);
}

void VistaHoja::mouseReleaseEvent(QMouseEvent* e) {
    SeleccionHoja& s = m_editor.seleccion();
    if (s.arrastre() == Arrastre::Ninguno)
        return;
    // A release over a box or the label is a release on the sheet point under it.
    const DondeSuelta donde = dentroDeHoja(e->position()) ? DondeSuelta::Hoja
                              : sobreRegla(e->position()) ? DondeSuelta::Regla
                                                          : DondeSuelta::Fuera;
    s.Soltar(enHoja(e->position()), donde);
    update();
}

void VistaHoja::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !dentroDeHoja(e->position()))
        return;
    const int i = m_editor.elementos().CuadroEn(enHoja(e->position()));
    if (i >= 0 && abrirPropiedades) {
        m_editor.seleccion().Soltar(enHoja(e->position()), DondeSuelta::Hoja);
        abrirPropiedades(i);
        update();
    }
}

void VistaHoja::keyPressEvent(QKeyEvent* e) {
    SeleccionHoja& s = m_editor.seleccion();
    if (const auto paso = PasoDeTecla(e)) {
        // Not while a drag holds boxes where the pointer put them.
        if (s.arrastre() == Arrastre::Ninguno)
            m_editor.PasarHoja(*paso);
        return;
    }
    if (s.cuadroConFoco() < 0) {
        QWidget::keyPressEvent(e);
        return;
    }
    s.Tecla(s.cuadroConFoco(), e->key(), e->modifiers() & Qt::ShiftModifier,
            e->modifiers() & Qt::ControlModifier);
    update();
}

void VistaHoja::keyReleaseEvent(QKeyEvent* e) {
    m_editor.seleccion().SoltarTecla();
    update();
    QWidget::keyReleaseEvent(e);
}

ReglaHoja::ReglaHoja(Qt::Orientation orientacion, const VistaHoja& hoja, QWidget* padre)
    : QWidget(padre), m_orientacion(orientacion), m_hoja(hoja) {
    setObjectName(orientacion == Qt::Horizontal ? QStringLiteral("ReglaHorizontal")
                                                : QStringLiteral("ReglaVertical"));
}

void ReglaHoja::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const bool horizontal = m_orientacion == Qt::Horizontal;
    const QRect zona = e->rect();
    // Where the sheet's corner is now, in this ruler; past the sheet the ruler is shaded.
    const QPoint o = mapFromGlobal(m_hoja.mapToGlobal(m_hoja.origenHoja()));
    const int origen = horizontal ? o.x() : o.y();
    const int largo = horizontal ? m_hoja.tamanoHoja().width() : m_hoja.tamanoHoja().height();
    const int grosor = horizontal ? height() : width();
    p.fillRect(rect(), kColorReglaFuera);
    const QRect sobreHoja =
        horizontal ? QRect(origen, 0, largo, grosor) : QRect(0, origen, grosor, largo);
    // The horizontal ruler also fills the corner above the vertical one.
    const QRect util = horizontal ? QRect(grosor, 0, width() - grosor, grosor) : rect();
    p.setClipRect(util);
    p.fillRect(sobreHoja, kColorRegla);
    p.setPen(QColor(0x90, 0x90, 0x90));
    if (horizontal)
        p.drawLine(0, grosor - 1, width(), grosor - 1);
    else
        p.drawLine(grosor - 1, 0, grosor - 1, height());

    QFont f = font();
    f.setPointSizeF(6);
    p.setFont(f);
    p.setPen(Qt::black);
    const QFontMetricsF m(f);
    // Only the ticks in the part being painted, and a number's width either side.
    const double holgura = m.horizontalAdvance(QStringLiteral("00000"));
    const int desde = horizontal ? zona.left() : zona.top();
    const int hasta = horizontal ? zona.right() : zona.bottom();
    const QList<Marca> marcas =
        MarcasRegla(0, m_hoja.twips(largo), m_hoja.zoom(), m_hoja.twips(desde - origen - holgura),
                    m_hoja.twips(hasta - origen + holgura));
    // At small zooms the numbers would run into each other: then only every
    // 2nd, 5th, 10th... centimetre is numbered.
    const double pixelesCm = m_hoja.pixeles(kTwipsPorCm * static_cast<double>(m_hoja.zoom()));
    const double hueco =
        (horizontal
             ? m.horizontalAdvance(QString::number(qint64(m_hoja.twips(largo) / kTwipsPorCm)))
             : m.ascent()) +
        3;
    int cada = 1;
    for (int paso : {2, 5, 10, 20, 50, 100, 200, 500, 1000})
        if (cada * pixelesCm < hueco)
            cada = paso;
    for (const Marca& marca : marcas) {
        // Whole pixels: a painter without antialiasing would round some ticks down.
        const double d = std::round(origen + m_hoja.pixeles(marca.posicion));
        const double punta = m_hoja.pixeles(marca.desde) * grosor / m_hoja.pixeles(kGrosorRegla);
        const bool cero = marca.numero == u"0";
        const bool numerada = !marca.numero.isEmpty() && marca.numero.toLongLong() % cada == 0;
        if (horizontal) {
            // Ticks hang from the bottom edge; the 0 stands right of its tick.
            p.drawLine(QPointF(d, grosor), QPointF(d, punta));
            if (numerada)
                p.drawText(QPointF(cero ? d + 2 : d - m.horizontalAdvance(marca.numero) / 2,
                                   m.ascent() + 1),
                           marca.numero);
        } else {
            p.drawLine(QPointF(grosor, d), QPointF(punta, d));
            if (numerada)
                p.drawText(QPointF(2, cero ? d + m.ascent() + 1 : d + m.ascent() / 2),
                           marca.numero);
        }
    }
}

FrmDrag::FrmDrag(const Documento& documento, EditorHoja& editor, QWidget* padre)
    : QScrollArea(padre), m_editor(editor) {
    setObjectName(QStringLiteral("FrmDrag"));
    m_hoja = new VistaHoja(documento, editor, this);
    setWidget(m_hoja);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
    m_reglaX = new ReglaHoja(Qt::Horizontal, *m_hoja, this);
    m_reglaY = new ReglaHoja(Qt::Vertical, *m_hoja, this);
    m_hoja->sobreReglas = [this](QPoint global) {
        for (const ReglaHoja* r : {m_reglaX, m_reglaY})
            if (r->isVisible() && r->rect().contains(r->mapFromGlobal(global)))
                return true;
        return false;
    };
    // A new sheet or zoom reaches the widget through the editor, which places
    // the boxes anew first.
    connect(&editor, &EditorHoja::vistaCambiada, m_hoja, &VistaHoja::ajustar);
    connect(&editor, &EditorHoja::vistaCambiada, this, &FrmDrag::mostrarReglas);
    mostrarReglas();
    // The job may already be drawn when the window is made.
    editor.DibujarCuadros();
}

void FrmDrag::mostrarReglas() {
    const int g =
        m_editor.reglas() ? static_cast<int>(std::lround(m_hoja->pixeles(kGrosorRegla))) : 0;
    setViewportMargins(g, g, 0, 0);
    m_reglaX->setVisible(g > 0);
    m_reglaY->setVisible(g > 0);
    colocarReglas();
}

void FrmDrag::colocarReglas() {
    if (!m_reglaX->isVisible())
        return;
    const QRect vp = viewport()->geometry();
    const int g = viewportMargins().top();
    m_reglaX->setGeometry(vp.left() - g, vp.top() - g, vp.width() + g, g);
    m_reglaY->setGeometry(vp.left() - g, vp.top(), g, vp.height());
    m_reglaX->update();
    m_reglaY->update();
}

bool FrmDrag::eventFilter(QObject* objeto, QEvent* e) {
    // The sheet moves when scrolled, zoomed or centred: the ticks follow it.
    if (objeto == m_hoja && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) {
        m_reglaX->update();
        m_reglaY->update();
    }
    return QScrollArea::eventFilter(objeto, e);
}

bool FrmDrag::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::Resize)
        colocarReglas();
    return QScrollArea::viewportEvent(e);
}

void VistaHoja::wheelEvent(QWheelEvent* e) {
    if (!(e->modifiers() & Qt::ControlModifier) || !pasoZoom) {
        m_rueda = 0;
        e->ignore(); // the scroll area scrolls
        return;
    }
    e->accept();
    m_rueda += e->angleDelta().y();
    constexpr int kMuesca = 120;
    while (std::abs(m_rueda) >= kMuesca) {
        const int sentido = m_rueda > 0 ? 1 : -1;
        m_rueda -= sentido * kMuesca;
        pasoZoom(sentido);
    }
}
