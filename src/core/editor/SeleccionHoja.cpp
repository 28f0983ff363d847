#include "SeleccionHoja.h"

#include "core/editor/ElementosHoja.h"
#include "core/editor/Vista.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/Valores.h"

#include <QScopeGuard>
#include <QtGui/qtguiglobal.h>

namespace {
constexpr double kMilimetro = kTwipsPorCm / 10.0; // screen twips moved by Ctrl+arrow: 1 mm at 100 %
constexpr double kPaso = 2;                       // by a plain arrow
} // namespace

QString TextoFlechas(std::optional<float> zoom, const QLocale& idioma) {
    QString texto =
        QStringLiteral(
            "Las flechas del teclado mueven el cuadro %1 twips de pantalla; con Ctrl, un "
            "milímetro de pantalla. En la hoja eso depende del zoom: al 100 % es un milímetro "
            "con Ctrl.")
            .arg(kPaso);
    if (zoom && *zoom > 0) {
        // Screen twips over the zoom are the sheet's twips; kMilimetro of them a millimetre.
        texto += QStringLiteral(" Al zoom actual (%1 %), cada pulsación mueve %2 mm de la hoja, "
                                "y %3 mm con Ctrl.")
                     .arg(FormatoGeneral(static_cast<double>(*zoom) * 100, idioma),
                          idioma.toString(kPaso / *zoom / kMilimetro, 'f', 2),
                          idioma.toString(kMilimetro / *zoom / kMilimetro, 'f', 2));
    }
    return texto;
}

SeleccionHoja::SeleccionHoja(Documento& documento, ElementosHoja& elementos, const QLocale& idioma)
    : m_doc(documento), m_el(elementos), m_idioma(idioma) {}

QSizeF SeleccionHoja::hoja() const {
    const ::Trabajo& t = m_doc.Trabajo();
    return {t.HAncho * static_cast<double>(t.Zoom), t.HAlto * static_cast<double>(t.Zoom)};
}

void SeleccionHoja::escribirPosicion(int i) {
    const Elemento& el = m_el.elementos().at(i);
    const QRectF r = el.rect;
    // A box shown at the edge and not moved from there keeps its position.
    if (el.enBorde && r.topLeft() == el.borde)
        return;
    const QPoint p = Vista(m_doc.Trabajo().Zoom).aModelo(r.topLeft());
    m_escribiendo = true;
    m_doc.fijarPosicion(i, p.x(), p.y());
    m_escribiendo = false;
}

void SeleccionHoja::lineasGuia(int i) {
    m_el.MostrarLineas(i, m_doc.Cuadros()[i].LineasGuia);
}

bool SeleccionHoja::VerPosicion() {
    const int c = m_doc.CuadroActual();
    QPointF p = m_el.elementos().at(c).rect.topLeft();
    const QPointF antes = p;
    const QSizeF h = hoja();
    p.setX(std::clamp(p.x(), 0.0, std::max(0.0, h.width() - kBorde)));
    p.setY(std::clamp(p.y(), 0.0, std::max(0.0, h.height() - kBorde)));
    m_el.Mover(c, p);
    return p != antes;
}

void SeleccionHoja::Olvidar() {
    m_paso.reset();
    m_arrastre = Arrastre::Ninguno;
    m_cajaVisible = false;
    m_foco = -1;
    for (int i = 0; i < static_cast<int>(m_el.elementos().size()); ++i)
        m_el.OcultarManijas(i);
    m_el.OcultarEtiqueta();
    DeshabilitarHerramientasCuadro();
}

void SeleccionHoja::QuitarSeleccion() {
    for (qint16 s : m_doc.Seleccion()) {
        if (!m_doc.existe(s))
            continue;
        m_el.OcultarManijas(s);
        m_doc.marcarSeleccionado(s, false);
    }
    m_doc.fijarSeleccion({0});
    herramientas({.alinear = false});
}

void SeleccionHoja::ArmarSeleccion() {
    QList<qint16> seleccion;
    for (int i = 0; i <= m_doc.limiteSuperior(); ++i) {
        if (!m_el.elementos().at(i).visible)
            continue;
        if (m_doc.Cuadros()[i].Seleccionado) {
            seleccion.append(static_cast<qint16>(i));
            m_el.MostrarManijas(i);
        } else {
            m_el.OcultarManijas(i);
        }
    }
    m_doc.fijarModoGrupo(!seleccion.isEmpty());
    m_doc.fijarSeleccion(seleccion);
}

void SeleccionHoja::SeleccionarTodo() {
    if (m_foco >= 0)
        Foco(m_foco, false);
    for (int i = 0; i <= m_doc.limiteSuperior(); ++i)
        m_doc.marcarSeleccionado(i, m_doc.Cuadros()[i].EnUso);
    ArmarSeleccion();
    if (m_doc.ModoGrupo())
        HabilitarHerramientasGrupo();
    else
        DeshabilitarHerramientasCuadro();
}

void SeleccionHoja::AlternarSeleccion(int i) {
    const Cuadro& c = m_doc.Cuadros()[i];
    m_doc.marcarSeleccionado(i, m_doc.ModoGrupo() ? !c.Seleccionado : true);
    ArmarSeleccion();
}

bool SeleccionHoja::SeleccionarEnRectangulo(const QRectF& r) {
    bool alguno = false;
    QList<qint16> seleccion;
    for (int i = 0; i <= m_doc.limiteSuperior(); ++i) {
        const Elemento& el = m_el.elementos().at(i);
        if (!el.visible)
            continue;
        const QRectF b = el.rect;
        const bool dentro = b.top() > r.top() && b.left() > r.left() &&
                            b.bottom() < r.top() + r.height() && b.right() < r.left() + r.width();
        m_doc.marcarSeleccionado(i, dentro);
        if (dentro) {
            seleccion.append(static_cast<qint16>(i));
            m_el.MostrarManijas(i);
            alguno = true;
        } else {
            m_el.OcultarManijas(i);
        }
    }
    m_doc.fijarSeleccion(seleccion);
    return alguno;
}

void SeleccionHoja::HabilitarHerramientasGrupo() {
    bool lineas = true, bloqueados = true;
    for (qint16 s : m_doc.Seleccion()) {
        if (!m_doc.existe(s))
            continue;
        lineas = lineas && m_doc.Cuadros()[s].LineasGuia;
        bloqueados = bloqueados && m_doc.Cuadros()[s].Bloqueado;
    }
    herramientas({.cuadro = true, .alinear = true, .lineasGuia = lineas, .bloqueado = bloqueados});
}

void SeleccionHoja::DeshabilitarHerramientasCuadro() {
    herramientas({.cuadro = false, .alinear = false});
    m_el.OcultarEtiqueta();
}

void SeleccionHoja::Foco(int i, bool gana) {
    if (!m_doc.existe(i))
        return;
    if (gana) {
        m_foco = i;
        const Cuadro& c = m_doc.Cuadros()[i];
        herramientas({.cuadro = true, .lineasGuia = c.LineasGuia, .bloqueado = c.Bloqueado});
        return;
    }
    if (m_foco == i)
        m_foco = -1;
    if (!m_doc.ModoGrupo())
        m_el.OcultarManijas(i);
    else
        HabilitarHerramientasGrupo();
}

Emergente SeleccionHoja::PulsarCuadro(int i, Boton boton, bool mayusculas, QPointF enCuadro) {
    m_paso.reset(); // a drag whose release never came ends here
    m_doc.fijarCuadroActual(i);
    const Cuadro& c = m_doc.Cuadros()[i];
    if (boton == Boton::Derecho) {
        herramientas({.lineasGuia = c.LineasGuia});
        m_el.MostrarManijas(i);
        return Emergente::Cuadro;
    }
    if (mayusculas) {
        if (m_foco >= 0)
            Foco(m_foco, false);
        AlternarSeleccion(i);
        if (m_doc.ModoGrupo())
            HabilitarHerramientasGrupo();
        return Emergente::Ninguno;
    }
    if (m_doc.ModoGrupo() && !c.Seleccionado) {
        QuitarSeleccion();
        m_doc.fijarModoGrupo(false);
    } else if (m_doc.ModoGrupo() && !c.Bloqueado) {
        iniciarGrupo(i, enCuadro);
        return Emergente::Ninguno;
    }
    if (m_foco >= 0 && m_foco != i)
        Foco(m_foco, false);
    if (c.Bloqueado) {
        m_el.MostrarManijas(i);
        m_el.PosicionLbl(m_doc.estado(), hoja(), m_idioma);
        Foco(i, true);
        return Emergente::Ninguno;
    }
    m_arrastre = Arrastre::Cuadro;
    m_paso.emplace(m_doc, QStringLiteral("mover %n"));
    m_desvio = enCuadro;
    m_el.OcultarManijas(i);
    return Emergente::Ninguno;
}

void SeleccionHoja::iniciarGrupo(int i, QPointF enCuadro) {
    m_fuente = m_el.elementos().at(i).rect.topLeft();
    m_desvio = enCuadro;
    prepararArrastreGrupo();
    m_limIzq = RedondearPar(m_fuente.x() + enCuadro.x() - m_caja.left());
    m_limSup = RedondearPar(m_fuente.y() + enCuadro.y() - m_caja.top());
    const QSizeF h = hoja();
    m_limDer = RedondearPar(h.width() - m_caja.width() + m_limIzq);
    m_limInf = RedondearPar(h.height() + m_limSup - m_caja.height());
    m_arrastre = Arrastre::Grupo;
    m_paso.emplace(m_doc, QStringLiteral("mover %n"));
}

void SeleccionHoja::prepararArrastreGrupo() {
    const QSizeF h = hoja();
    double top = h.height(), left = h.width(), bottom = 0, right = 0;
    for (qint16 s : m_doc.Seleccion()) {
        const QRectF r = m_el.elementos().at(s).rect;
        top = std::min(top, r.top());
        left = std::min(left, r.left());
        bottom = std::max(bottom, RedondearPar(r.bottom()));
        right = std::max(right, r.right());
        m_el.MostrarLineas(s, false);
        m_el.Mostrar(s, false);
        m_el.OcultarManijas(s);
    }
    m_caja = QRectF(QPointF(left, top), QPointF(right, bottom));
    m_cajaVisible = true;
}

Emergente SeleccionHoja::PulsarHoja(Boton boton, QPointF p) {
    m_paso.reset();
    if (boton == Boton::Derecho) {
        m_insercion.punto = QPointF(RedondearPar(p.x()), RedondearPar(p.y()));
        m_insercion.marcado = true;
        return Emergente::Hoja;
    }
    if (m_foco >= 0)
        Foco(m_foco, false);
    if (m_doc.ModoGrupo())
        QuitarSeleccion();
    m_doc.fijarSeleccion({0});
    m_doc.fijarModoGrupo(false);
    m_arrastre = Arrastre::Banda;
    m_origen = p;
    m_caja = QRectF(p, QSizeF(1, 1));
    m_cajaVisible = true;
    return Emergente::Ninguno;
}

void SeleccionHoja::Arrastrar(QPointF p, EstadoArrastre estado) {
    switch (m_arrastre) {
    case Arrastre::Cuadro: {
        const int c = m_doc.CuadroActual();
        m_el.Mover(c, p - m_desvio);
        if (estado == EstadoArrastre::Sale) {
            m_el.OcultarEtiqueta();
            m_el.MostrarManijas(c);
            VerPosicion();
            escribirPosicion(c);
            lineasGuia(c);
            return;
        }
        m_el.OcultarManijas(c);
        escribirPosicion(c);
        m_el.EtiquetaArrastre(m_doc.estado(), p, hoja(), m_idioma);
        lineasGuia(c);
        return;
    }
    case Arrastre::Banda:
        m_caja = QRectF(m_origen, p).normalized();
        return;
    case Arrastre::Grupo:
        arrastrarGrupo(p, estado == EstadoArrastre::Sale);
        return;
    case Arrastre::Ninguno:
        return;
    }
}

void SeleccionHoja::arrastrarGrupo(QPointF p, bool saliendo) {
    // The pointer is held so that the group's outline stays on the sheet.
    const double x = std::min(std::max(p.x(), m_limIzq), m_limDer);
    const double y = std::min(std::max(p.y(), m_limSup), m_limInf);
    const double dx = (x - m_desvio.x()) - m_fuente.x();
    const double dy = (y - m_desvio.y()) - m_fuente.y();
    m_fuente += QPointF(dx, dy);
    m_caja.translate(dx, dy);
    for (qint16 s : m_doc.Seleccion()) {
        m_el.Mover(s, m_el.elementos().at(s).rect.topLeft() + QPointF(dx, dy));
        escribirPosicion(s);
        m_el.Mostrar(s, saliendo);
    }
    const int actual = m_doc.CuadroActual();
    m_el.MostrarLineas(actual, m_doc.Cuadros()[actual].LineasGuia && saliendo);
    m_el.EtiquetaArrastre(m_doc.estado(), QPointF(x, y), hoja(), m_idioma);
    m_cajaVisible = !saliendo;
    if (saliendo)
        m_el.OcultarEtiqueta();
}

void SeleccionHoja::terminarGrupo() {
    m_cajaVisible = false;
    for (qint16 s : m_doc.Seleccion()) {
        m_el.Mostrar(s, true);
        m_el.MostrarManijas(s);
        lineasGuia(s);
    }
    m_el.OcultarEtiqueta();
}

void SeleccionHoja::Soltar(QPointF p, DondeSuelta donde) {
    // The whole drag is one step, ended with it.
    const auto fin = qScopeGuard([this] { m_paso.reset(); });
    const Arrastre a = m_arrastre;
    m_arrastre = Arrastre::Ninguno;
    switch (a) {
    case Arrastre::Cuadro: {
        const int c = m_doc.CuadroActual();
        // Off the sheet the box lands where the pointer left it, kept inside.
        m_el.Mover(c, p - m_desvio);
        VerPosicion();
        m_el.MostrarManijas(c);
        m_el.OcultarEtiqueta();
        escribirPosicion(c);
        lineasGuia(c);
        Foco(c, true);
        return;
    }
    case Arrastre::Banda: {
        m_cajaVisible = false;
        const bool grupo = SeleccionarEnRectangulo(m_caja);
        m_doc.fijarModoGrupo(grupo);
        if (donde == DondeSuelta::Hoja) {
            if (grupo)
                HabilitarHerramientasGrupo();
            else
                DeshabilitarHerramientasCuadro();
        }
        m_el.OcultarEtiqueta();
        return;
    }
    case Arrastre::Grupo:
        terminarGrupo();
        return;
    case Arrastre::Ninguno:
        return;
    }
}

void SeleccionHoja::Tecla(int i, int tecla, bool mayusculas, bool ctrl) {
    constexpr int kIzquierda = Qt::Key_Left, kArriba = Qt::Key_Up, kDerecha = Qt::Key_Right,
                  kAbajo = Qt::Key_Down;
    const bool flecha = tecla >= kIzquierda && tecla <= kAbajo;
    if (!flecha && !mayusculas && !ctrl)
        return;
    m_doc.fijarCuadroActual(i);
    const double paso = ctrl && !mayusculas ? kMilimetro : kPaso;
    QPointF d;
    if (tecla == kIzquierda)
        d = {-paso, 0};
    else if (tecla == kDerecha)
        d = {paso, 0};
    else if (tecla == kArriba)
        d = {0, -paso};
    else if (tecla == kAbajo)
        d = {0, paso};
    if (!d.isNull()) {
        // Only a real move counts as a change: holding Ctrl to see the label
        // changes nothing. A run of nudges of one box is one step.
        Documento::Paso paso(m_doc, QStringLiteral("mover %n"), Documento::kFusionEmpujar);
        m_el.Mover(i, m_el.elementos().at(i).rect.topLeft() + d);
        VerPosicion();
        escribirPosicion(i);
    }
    m_el.PosicionLbl(m_doc.estado(), hoja(), m_idioma);
    lineasGuia(i);
    m_el.MostrarManijas(i);
}

void SeleccionHoja::SoltarTecla() {
    m_el.OcultarEtiqueta();
}
