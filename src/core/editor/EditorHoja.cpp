#include "EditorHoja.h"
#include "core/programa/Herramientas.h"

#include "core/impresion/Impresion.h"
#include "core/programa/Despachador.h"
#include "core/programa/Principal.h"
#include "core/puertos/Mensajes.h"

EditorHoja::EditorHoja(Principal& principal, Impresion& impresion, QObject* padre)
    : QObject(padre), m_p(principal), m_impresion(impresion) {
    connect(&m_p, &Principal::refrescarVista, this, &EditorHoja::RefrescarVista);
    connect(&m_p, &Principal::redibujarHoja, this, &EditorHoja::RedibujarHoja);
    connect(&m_p, &Principal::editorAbiertoCambiado, this, [this](bool abierto) {
        if (!abierto)
            m_margenes.reset();
    });
}

bool EditorHoja::reglas() const {
    return m_p.barra.pulsada(herramienta::BtnRegla);
}

bool EditorHoja::ejes() const {
    return m_p.barra.pulsada(herramienta::BtnEjes);
}

void EditorHoja::CambiarZoom(const QString& texto, OrigenZoom origen) {
    const EntradaZoom e = ::CambiarZoom(texto, origen);
    if (!e.mensaje.isEmpty())
        m_p.mensajes().mostrar(e.mensaje, QStringLiteral("Error"),
                               e.exclamacion ? Icono::Exclamacion : Icono::Ninguno,
                               Botones::Aceptar);
    if (!e.zoom)
        return;
    Estado& estado = m_p.estado;
    if (e.textoCampo != m_p.barra.textoZoom()) {
        Estado::Actualizar actualizando(estado);
        m_p.barra.fijarTextoZoom(e.textoCampo);
    }
    estado.Trabajo.Zoom = *e.zoom;
    m_p.AjustarHoja();
    m_p.RedibujarHoja();
    if (origen == OrigenZoom::Lista)
        ActualizarPegar(m_p);
}

void EditorHoja::RefrescarVista() {
    if (m_p.editorAbierto() && m_p.barra.pulsada(herramienta::BtnMargenes))
        m_margenes = m_impresion.ComprobarMargenes();
    else
        m_margenes.reset();
    emit vistaCambiada();
}

void EditorHoja::AlternarReglas() {
    emit vistaCambiada();
}

void EditorHoja::AlternarEjes() {
    emit vistaCambiada();
}

void EditorHoja::AlternarMargenes() {
    if (m_p.barra.pulsada(herramienta::BtnMargenes))
        m_margenes = m_impresion.ComprobarMargenes();
    else
        m_margenes.reset();
    emit vistaCambiada();
}

void EditorHoja::MostrarPosicion(double x, double y) {
    m_p.fijarPanel(1, TextoPosicion(x, y, m_p.estado.Trabajo.Zoom, m_p.idioma));
}

void EditorHoja::RedibujarHoja() {
    m_elementos.RedibujarHoja(m_p.estado);
    RefrescarVista();
}

QString EditorHoja::SobreCuadro(int i) {
    Estado& e = m_p.estado;
    if (i < 0 || i > e.limiteSuperior())
        return {};
    e.CuadroActual = static_cast<qint16>(i);
    const Elemento& el = m_elementos.elementos().at(i);
    const QPointF esquina = el.rect.topLeft();
    MostrarPosicion(esquina.x(), esquina.y());
    if (!el.fuera)
        return ElementosHoja::TextoUbicacion(esquina, e.Trabajo.Zoom, m_p.idioma);
    // Where the box really is, not where it is shown.
    const Cuadro& c = e.Cuadros[i];
    const QPointF real(c.PosX * double(e.Trabajo.Zoom), c.PosY * double(e.Trabajo.Zoom));
    return ElementosHoja::TextoUbicacion(real, e.Trabajo.Zoom, m_p.idioma) +
           QStringLiteral("\nFuera de la hoja: arrástrelo a su sitio");
}

void EditorHoja::DibujarCuadros() {
    m_elementos.RedibujarHoja(m_p.estado);
    emit vistaCambiada();
}
