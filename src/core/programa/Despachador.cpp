#include "Despachador.h"
#include "core/programa/Herramientas.h"

#include "core/editor/SeleccionHoja.h"
#include "core/programa/Principal.h"
#include "core/puertos/Portapapeles.h"

namespace {
// Sets tool states inside an update, so the dispatcher ignores any
// notification the change itself causes.
void Fijar(Principal& p, std::initializer_list<QString> ids, bool si) {
    BarraHerramientas::Actualizar actualizando(p.barra);
    for (const QString& id : ids)
        p.barra.habilitar(id, si);
}

void HabilitarHerramientas(Principal& p) {
    Fijar(p,
          {herramienta::CboMag, herramienta::TxtHoja, herramienta::BtnImprimir,
           herramienta::BtnPrueba, herramienta::BtnEjes, herramienta::BtnRegla,
           herramienta::BtnGuardar, herramienta::BtnNuevocuadro, herramienta::BtnMargenes,
           herramienta::BtnGuardComo, herramienta::BtnCerrarTrabajo, herramienta::BtnExportarPdf,
           herramienta::BtnVistaPreliminar, herramienta::BtnSeleccionarTodo,
           herramienta::BtnAcercar, herramienta::BtnAlejar, herramienta::BtnContinuarNumeracion},
          true);
}

void DeshabilitarHerramientas(Principal& p) {
    Fijar(p,
          {herramienta::CboMag,
           herramienta::TxtHoja,
           herramienta::BtnLineasGuia,
           herramienta::BtnPropiedades,
           herramienta::BtnCortar,
           herramienta::BtnBloquear,
           herramienta::BtnMargenes,
           herramienta::BtnRegla,
           herramienta::BtnNuevocuadro,
           herramienta::BtnEjes,
           herramienta::BtnGuardar,
           herramienta::BtnCerrarTrabajo,
           herramienta::BtnBorrar,
           herramienta::BtnImprimir,
           herramienta::BtnPrueba,
           herramienta::BtnCopiar,
           herramienta::BtnGuardComo,
           herramienta::BtnExportarPdf,
           herramienta::BtnVistaPreliminar,
           herramienta::BtnSeleccionarTodo,
           herramienta::BtnAcercar,
           herramienta::BtnAlejar,
           herramienta::BtnRepetir,
           herramienta::BtnContinuarNumeracion},
          false);
}
} // namespace

Despachador::Despachador(Principal& principal, QObject* padre) : QObject(padre), m_p(principal) {
    connect(&m_p.barra, &BarraHerramientas::clic, this, &Despachador::ejecutar);
    // The tools that are never disabled.
    Fijar(m_p,
          {herramienta::BtnNuevo, herramienta::BtnAbrir, herramienta::MnuRecientes,
           herramienta::BtnSalir, herramienta::BtnConfigurarHoja, herramienta::BtnSeleccionarPrint,
           herramienta::BtnAjustesImpresion, herramienta::BtnHistorialTiradas,
           herramienta::BtnOpciones, herramienta::BtnAyuda, herramienta::BtnHelp,
           herramienta::BtnAcercade},
          true);
}

void Despachador::registrar(const QString& id, std::function<void()> accion) {
    m_acciones.insert(id.toCaseFolded(), std::move(accion));
    m_p.barra.marcarImplementada(id);
}

bool Despachador::registrada(const QString& id) const {
    return m_acciones.contains(id.toCaseFolded());
}

void Despachador::ejecutar(const QString& id) {
    if (m_p.barra.actualizando())
        return;
    const auto it = m_acciones.constFind(id.toCaseFolded());
    if (it != m_acciones.cend() && m_p.barra.habilitada(id))
        (*it)();
}

void ActualizarHerramientas(Principal& p) {
    if (p.documento.abierto()) {
        HabilitarHerramientas(p);
        p.RecuperarVistas();
        return;
    }
    DeshabilitarHerramientas(p);
    p.SoltarVistas();
    // No box, so no box's state: the box toggles stand up.
    BarraHerramientas::Actualizar actualizando(p.barra);
    p.barra.fijarPulsada(herramienta::BtnLineasGuia, false);
    p.barra.fijarPulsada(herramienta::BtnBloquear, false);
}

void ReflejarHerramientasCuadro(Principal& p, const HerramientasCuadro& h) {
    BarraHerramientas::Actualizar actualizando(p.barra);
    if (h.cuadro)
        for (const QString& id :
             {herramienta::BtnCortar, herramienta::BtnLineasGuia, herramienta::BtnPropiedades,
              herramienta::BtnCopiar, herramienta::BtnBorrar, herramienta::BtnBloquear,
              herramienta::BtnRepetir})
            p.barra.habilitar(id, *h.cuadro);
    if (h.alinear)
        for (const QString& id :
             {herramienta::BtnAlinearHorizontal, herramienta::BtnAlinearvertical})
            p.barra.habilitar(id, *h.alinear);
    if (h.lineasGuia)
        p.barra.fijarPulsada(herramienta::BtnLineasGuia, *h.lineasGuia);
    if (h.bloqueado)
        p.barra.fijarPulsada(herramienta::BtnBloquear, *h.bloqueado);
}

void ActualizarHistoria(Principal& p) {
    const QUndoStack& h = p.documento.historia();
    const bool abierto = p.documento.abierto();
    BarraHerramientas::Actualizar actualizando(p.barra);
    const auto fijar = [&](const QString& id, const QString& verbo, bool puede,
                           const QString& texto) {
        const QString que = puede && !texto.isEmpty() ? u' ' + texto : QString();
        p.barra.fijarTitulo(id, u'&' + verbo + que, verbo + que);
        p.barra.habilitar(id, abierto && puede);
    };
    fijar(herramienta::BtnDeshacer, QStringLiteral("Deshacer"), h.canUndo(), h.undoText());
    fijar(herramienta::BtnRehacer, QStringLiteral("Rehacer"), h.canRedo(), h.redoText());
}

void ActualizarPegar(Principal& p) {
    const auto texto = p.portapapeles().texto();
    if (!texto)
        return;
    BarraHerramientas::Actualizar actualizando(p.barra);
    p.barra.habilitar(herramienta::BtnPegar, texto->startsWith(QStringLiteral("ZUL")));
}
