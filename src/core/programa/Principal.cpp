#include "Principal.h"
#include "core/programa/Herramientas.h"

#include "core/puertos/Ajustes.h"
#include "core/puertos/Impresora.h"
#include "core/trabajo/Hoja.h"
#include "core/trabajo/TablaPapeles.h"

Principal::Principal(const Servicios& s, QObject* padre)
    : QObject(padre), preferencias(s.ajustes), politica(s.mensajes, [this] { Terminar(1); }),
      m_s(s) {
    // The status bar follows the job's sheet and the program's printer.
    connect(&documento, &Documento::hojaCambiada, this, [this] {
        if (!documento.Trabajo().HName.isEmpty())
            MostrarPanelHoja();
    });
    connect(&preferencias, &Preferencias::impresoraCambiada, this, &Principal::MostrarImpresora);
}

void Principal::Construir() {
    fijarTitulo(kTituloAplicacion);
    documento.limpiar();
    {
        BarraHerramientas::Actualizar actualizando(barra);
        for (int z = 10; z <= 200; z += 5)
            barra.agregarEntradaZoom(QString::number(z));
        barra.fijarTextoZoom(QStringLiteral("50"));
    }
    LeerHoja();
    MostrarHoja();
    MostrarImpresora();
}

void Principal::MostrarImpresora() {
    const QString impresora = preferencias.impresora().value_or(impresoras().predeterminada());
    fijarPanel(3, impresora.isEmpty() ? QStringLiteral("No hay impresora") : impresora);
}

void Principal::fijarTitulo(const QString& t) {
    if (m_titulo == t)
        return;
    m_titulo = t;
    emit tituloCambiado(t);
}

void Principal::fijarPanel(int n, const QString& texto) {
    m_paneles.at(n - 1) = texto;
    emit panelCambiado(n);
}

void Principal::LeerHoja() {
    documento.fijarHoja(preferencias.conHojaGuardada(documento.Trabajo()));
}

void Principal::PapelPorDefecto() {
    ::Trabajo h = documento.Trabajo();
    FijarCarta(h);
    documento.fijarHoja(h);
    preferencias.guardarHoja(h);
}

void Principal::MostrarHoja() {
    if (documento.Trabajo().HName.isEmpty())
        PapelPorDefecto();
    MostrarPanelHoja();
}

void Principal::MostrarPanelHoja() {
    m_vertical = documento.Trabajo().HOrienta;
    fijarPanel(2, TextoHoja(documento.Trabajo(), idioma()));
}

void Principal::AplicarVistaInicial() {
    const VistaInicial v = preferencias.vistaInicial();
    const std::pair<const QString&, std::optional<bool>> vistas[] = {
        {herramienta::BtnRegla, v.reglas},
        {herramienta::BtnMargenes, v.margenes},
        {herramienta::BtnEjes, v.ejes}};
    for (const auto& [herramienta, si] : vistas)
        if (si)
            barra.fijarPulsada(herramienta, *si);
}

void Principal::GuardarVistas() {
    const std::array<bool, 3> v = m_vistasSinTrabajo.value_or(std::array<bool, 3>{
        barra.pulsada(herramienta::BtnRegla), barra.pulsada(herramienta::BtnMargenes),
        barra.pulsada(herramienta::BtnEjes)});
    preferencias.guardarVistas(v[0], v[1], v[2]);
}

void Principal::SoltarVistas() {
    if (m_vistasSinTrabajo)
        return;
    m_vistasSinTrabajo = {barra.pulsada(herramienta::BtnRegla),
                          barra.pulsada(herramienta::BtnMargenes),
                          barra.pulsada(herramienta::BtnEjes)};
    BarraHerramientas::Actualizar actualizando(barra);
    for (const QString& id :
         {herramienta::BtnRegla, herramienta::BtnMargenes, herramienta::BtnEjes})
        barra.fijarPulsada(id, false);
}

void Principal::RecuperarVistas() {
    if (!m_vistasSinTrabajo)
        return;
    const std::array<bool, 3> v = *m_vistasSinTrabajo;
    m_vistasSinTrabajo.reset();
    BarraHerramientas::Actualizar actualizando(barra);
    barra.fijarPulsada(herramienta::BtnRegla, v[0]);
    barra.fijarPulsada(herramienta::BtnMargenes, v[1]);
    barra.fijarPulsada(herramienta::BtnEjes, v[2]);
}
