#include "SeleccionHoja.h"
#include "core/programa/Herramientas.h"

#include "core/editor/ElementosHoja.h"
#include "core/programa/Despachador.h"
#include "core/programa/Principal.h"
#include "core/trabajo/Valores.h"

#include <limits>

namespace {
constexpr double kMilimetro = 56.7; // screen twips moved by Ctrl+arrow: 1 mm at 100 %
constexpr double kPaso = 2;         // by a plain arrow
} // namespace

SeleccionHoja::SeleccionHoja(Principal& principal, ElementosHoja& elementos)
    : m_p(principal), m_el(elementos) {}

QSizeF SeleccionHoja::hoja() const {
    const ::Trabajo& t = m_p.estado.Trabajo;
    return {t.HAncho * static_cast<double>(t.Zoom), t.HAlto * static_cast<double>(t.Zoom)};
}

void SeleccionHoja::escribirPosicion(int i) {
    Estado& e = m_p.estado;
    const Elemento& el = m_el.elementos().at(i);
    const QRectF r = el.rect;
    // A box shown at the edge and not moved from there keeps its position.
    if (el.enBorde && r.topLeft() == el.borde)
        return;
    const double zoom = e.Trabajo.Zoom > 0 ? e.Trabajo.Zoom : 1;
    const auto aEntero = [](double v) {
        v = RedondearPar(v);
        return static_cast<qint32>(std::clamp(v, double(std::numeric_limits<qint32>::min()),
                                              double(std::numeric_limits<qint32>::max())));
    };
    e.Cuadros[i].PosX = aEntero(r.left() / zoom);
    e.Cuadros[i].PosY = aEntero(r.top() / zoom);
}

void SeleccionHoja::lineasGuia(int i) {
    m_el.MostrarLineas(i, m_p.estado.Cuadros[i].LineasGuia);
}

bool SeleccionHoja::VerPosicion() {
    const int c = m_p.estado.CuadroActual;
    QPointF p = m_el.elementos().at(c).rect.topLeft();
    const QPointF antes = p;
    const QSizeF h = hoja();
    p.setX(std::clamp(p.x(), 0.0, std::max(0.0, h.width() - kBorde)));
    p.setY(std::clamp(p.y(), 0.0, std::max(0.0, h.height() - kBorde)));
    m_el.Mover(c, p);
    return p != antes;
}

void SeleccionHoja::QuitarSeleccion() {
    Estado& e = m_p.estado;
    for (qint16 s : e.Seleccion) {
        if (s < 0 || s > e.limiteSuperior())
            continue;
        m_el.OcultarManijas(s);
        e.Cuadros[s].Seleccionado = false;
    }
    e.Seleccion = {0};
    Estado::Actualizar actualizando(e);
    m_p.barra.habilitar(herramienta::BtnAlinearHorizontal, false);
    m_p.barra.habilitar(herramienta::BtnAlinearvertical, false);
}

void SeleccionHoja::ArmarSeleccion() {
    Estado& e = m_p.estado;
    e.Seleccion.clear();
    e.ModoGrupo = false;
    for (int i = 0; i <= e.limiteSuperior(); ++i) {
        if (!m_el.elementos().at(i).visible)
            continue;
        if (e.Cuadros[i].Seleccionado) {
            e.ModoGrupo = true;
            e.Seleccion.append(static_cast<qint16>(i));
            m_el.MostrarManijas(i);
        } else {
            m_el.OcultarManijas(i);
        }
    }
    if (e.Seleccion.isEmpty())
        e.Seleccion = {0};
}

void SeleccionHoja::AlternarSeleccion(int i) {
    Estado& e = m_p.estado;
    Cuadro& c = e.Cuadros[i];
    c.Seleccionado = e.ModoGrupo ? !c.Seleccionado : true;
    ArmarSeleccion();
}

bool SeleccionHoja::SeleccionarEnRectangulo(const QRectF& r) {
    Estado& e = m_p.estado;
    bool alguno = false;
    QList<qint16> seleccion;
    for (int i = 0; i <= e.limiteSuperior(); ++i) {
        const Elemento& el = m_el.elementos().at(i);
        if (!el.visible)
            continue;
        const QRectF b = el.rect;
        const bool dentro = b.top() > r.top() && b.left() > r.left() &&
                            b.bottom() < r.top() + r.height() && b.right() < r.left() + r.width();
        e.Cuadros[i].Seleccionado = dentro;
        if (dentro) {
            seleccion.append(static_cast<qint16>(i));
            m_el.MostrarManijas(i);
            alguno = true;
        } else {
            m_el.OcultarManijas(i);
        }
    }
    e.Seleccion = seleccion.isEmpty() ? QList<qint16>{0} : seleccion;
    return alguno;
}

void SeleccionHoja::HabilitarHerramientasGrupo() {
    ::HabilitarHerramientasGrupo(m_p);
    Estado& e = m_p.estado;
    bool lineas = true, bloqueados = true;
    for (qint16 s : e.Seleccion) {
        if (s < 0 || s > e.limiteSuperior())
            continue;
        lineas = lineas && e.Cuadros[s].LineasGuia;
        bloqueados = bloqueados && e.Cuadros[s].Bloqueado;
    }
    Estado::Actualizar actualizando(e);
    m_p.barra.fijarPulsada(herramienta::BtnLineasGuia, lineas);
    m_p.barra.fijarPulsada(herramienta::BtnBloquear, bloqueados);
}

void SeleccionHoja::DeshabilitarHerramientasCuadro() {
    ::DeshabilitarHerramientasCuadro(m_p);
    m_el.OcultarEtiqueta();
}

void SeleccionHoja::Foco(int i, bool gana) {
    Estado& e = m_p.estado;
    if (i < 0 || i > e.limiteSuperior())
        return;
    if (gana) {
        m_foco = i;
        Estado::Actualizar actualizando(e);
        for (const QString& id :
             {herramienta::BtnCortar, herramienta::BtnLineasGuia, herramienta::BtnPropiedades,
              herramienta::BtnCopiar, herramienta::BtnBorrar, herramienta::BtnBloquear})
            m_p.barra.habilitar(id, true);
        m_p.barra.fijarPulsada(herramienta::BtnLineasGuia, e.Cuadros[i].LineasGuia);
        m_p.barra.fijarPulsada(herramienta::BtnBloquear, e.Cuadros[i].Bloqueado);
        return;
    }
    if (m_foco == i)
        m_foco = -1;
    if (!e.ModoGrupo)
        m_el.OcultarManijas(i);
    else
        HabilitarHerramientasGrupo();
}

QString SeleccionHoja::PulsarCuadro(int i, Boton boton, bool mayusculas, QPointF enCuadro) {
    Estado& e = m_p.estado;
    e.CuadroActual = static_cast<qint16>(i);
    Cuadro& c = e.Cuadros[i];
    if (boton == Boton::Derecho) {
        {
            Estado::Actualizar actualizando(e);
            m_p.barra.fijarPulsada(herramienta::BtnLineasGuia, c.LineasGuia);
        }
        m_el.MostrarManijas(i);
        return herramienta::MnuCuadro;
    }
    if (mayusculas) {
        if (m_foco >= 0)
            Foco(m_foco, false);
        AlternarSeleccion(i);
        if (e.ModoGrupo)
            HabilitarHerramientasGrupo();
        return {};
    }
    if (e.ModoGrupo && !c.Seleccionado) {
        QuitarSeleccion();
        e.ModoGrupo = false;
    } else if (e.ModoGrupo && !c.Bloqueado) {
        iniciarGrupo(i, enCuadro);
        return {};
    }
    if (m_foco >= 0 && m_foco != i)
        Foco(m_foco, false);
    if (c.Bloqueado) {
        m_el.MostrarManijas(i);
        m_el.PosicionLbl(e, hoja(), m_p.idioma);
        Foco(i, true);
        return {};
    }
    m_arrastre = Arrastre::Cuadro;
    m_desvio = enCuadro;
    m_el.OcultarManijas(i);
    return {};
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
}

void SeleccionHoja::prepararArrastreGrupo() {
    const Estado& e = m_p.estado;
    const QSizeF h = hoja();
    double top = h.height(), left = h.width(), bottom = 0, right = 0;
    for (qint16 s : e.Seleccion) {
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

QString SeleccionHoja::PulsarHoja(Boton boton, QPointF p) {
    Estado& e = m_p.estado;
    if (boton == Boton::Derecho) {
        e.PuntoX = static_cast<qint32>(RedondearPar(p.x()));
        e.PuntoY = static_cast<qint32>(RedondearPar(p.y()));
        e.PuntoMarcado = true;
        return herramienta::MnuHoja;
    }
    if (m_foco >= 0)
        Foco(m_foco, false);
    if (e.ModoGrupo)
        QuitarSeleccion();
    e.Seleccion = {0};
    e.ModoGrupo = false;
    m_arrastre = Arrastre::Banda;
    m_origen = p;
    m_caja = QRectF(p, QSizeF(1, 1));
    m_cajaVisible = true;
    return {};
}

void SeleccionHoja::Arrastrar(QPointF p, EstadoArrastre estado) {
    Estado& e = m_p.estado;
    switch (m_arrastre) {
    case Arrastre::Cuadro: {
        const int c = e.CuadroActual;
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
        m_el.EtiquetaArrastre(e, p, hoja(), m_p.idioma);
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
    Estado& e = m_p.estado;
    // The pointer is held so that the group's outline stays on the sheet.
    const double x = std::min(std::max(p.x(), m_limIzq), m_limDer);
    const double y = std::min(std::max(p.y(), m_limSup), m_limInf);
    const double dx = (x - m_desvio.x()) - m_fuente.x();
    const double dy = (y - m_desvio.y()) - m_fuente.y();
    m_fuente += QPointF(dx, dy);
    m_caja.translate(dx, dy);
    for (qint16 s : e.Seleccion) {
        m_el.Mover(s, m_el.elementos().at(s).rect.topLeft() + QPointF(dx, dy));
        escribirPosicion(s);
        m_el.Mostrar(s, saliendo);
    }
    m_el.MostrarLineas(e.CuadroActual, e.Cuadros[e.CuadroActual].LineasGuia && saliendo);
    m_el.EtiquetaArrastre(e, QPointF(x, y), hoja(), m_p.idioma);
    m_cajaVisible = !saliendo;
    if (saliendo)
        m_el.OcultarEtiqueta();
}

void SeleccionHoja::terminarGrupo() {
    Estado& e = m_p.estado;
    e.Modificado = true;
    m_cajaVisible = false;
    for (qint16 s : e.Seleccion) {
        m_el.Mostrar(s, true);
        m_el.MostrarManijas(s);
        lineasGuia(s);
    }
    m_el.OcultarEtiqueta();
}

void SeleccionHoja::Soltar(QPointF p, DondeSuelta donde) {
    Estado& e = m_p.estado;
    const Arrastre a = m_arrastre;
    m_arrastre = Arrastre::Ninguno;
    switch (a) {
    case Arrastre::Cuadro: {
        const int c = e.CuadroActual;
        e.Modificado = true;
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
        e.ModoGrupo = grupo;
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
    static const int kIzquierda = 0x01000012, kArriba = 0x01000013, kDerecha = 0x01000014,
                     kAbajo = 0x01000015; // Qt::Key_Left .. Qt::Key_Down
    const bool flecha = tecla >= kIzquierda && tecla <= kAbajo;
    if (!flecha && !mayusculas && !ctrl)
        return;
    Estado& e = m_p.estado;
    e.CuadroActual = static_cast<qint16>(i);
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
        m_el.Mover(i, m_el.elementos().at(i).rect.topLeft() + d);
        VerPosicion();
        escribirPosicion(i);
        // Only a real move counts as a change: holding Ctrl to see the label
        // changes nothing.
        e.Modificado = true;
    }
    m_el.PosicionLbl(e, hoja(), m_p.idioma);
    lineasGuia(i);
    m_el.MostrarManijas(i);
}

void SeleccionHoja::SoltarTecla() {
    m_el.OcultarEtiqueta();
}
