#include "Despachador.h"

#include "core/puertos/Portapapeles.h"
#include "core/programa/Principal.h"

namespace {
// Sets tool states with Actualizando raised, so the dispatcher ignores any
// notification the change itself causes.
void Fijar(Principal& p, std::initializer_list<const char*> ids, bool si) {
    Estado::Actualizar actualizando(p.estado);
    for (const char* id : ids)
        p.barra.habilitar(QString::fromLatin1(id), si);
}
} // namespace

Despachador::Despachador(Principal& principal, QObject* padre) : QObject(padre), m_p(principal) {
    connect(&m_p.barra, &BarraHerramientas::clic, this, &Despachador::ejecutar);
    // The tools that are never disabled.
    Fijar(m_p,
          {"BtnNuevo", "BtnAbrir", "BtnSalir", "BtnConfigurarHoja", "BtnSeleccionarPrint",
           "BtnAjustesImpresion", "BtnOpciones", "BtnAyuda", "BtnHelp", "BtnAcercade"},
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
    if (m_p.estado.Actualizando)
        return;
    const auto it = m_acciones.constFind(id.toCaseFolded());
    if (it != m_acciones.cend() && m_p.barra.habilitada(id))
        (*it)();
}

void HabilitarHerramientas(Principal& p) {
    Fijar(p,
          {"CboMag", "BtnImprimir", "BtnPrueba", "BtnEjes", "BtnRegla", "BtnGuardar",
           "BtnNuevocuadro", "BtnMargenes", "BtnGuardComo", "BtnCerrarTrabajo", "BtnExportarPdf"},
          true);
}

void DeshabilitarHerramientas(Principal& p) {
    Fijar(p,
          {"CboMag", "BtnLineasGuia", "BtnPropiedades", "BtnCortar", "BtnBloquear", "BtnMargenes",
           "BtnRegla", "BtnNuevocuadro", "BtnEjes", "BtnGuardar", "BtnCerrarTrabajo", "BtnBorrar",
           "BtnImprimir", "BtnPrueba", "BtnCopiar", "BtnGuardComo", "BtnExportarPdf"},
          false);
}

void HabilitarHerramientasGrupo(Principal& p) {
    Fijar(p,
          {"BtnCortar", "BtnLineasGuia", "BtnPropiedades", "BtnCopiar", "BtnBorrar", "BtnBloquear",
           "BtnAlinearHorizontal", "BtnAlinearvertical"},
          true);
}

void DeshabilitarHerramientasCuadro(Principal& p) {
    Fijar(p,
          {"BtnCortar", "BtnLineasGuia", "BtnPropiedades", "BtnCopiar", "BtnBorrar", "BtnBloquear",
           "BtnAlinearHorizontal", "BtnAlinearvertical"},
          false);
}

void ActualizarPegar(Principal& p) {
    const auto texto = p.portapapeles().texto();
    if (!texto)
        return;
    Estado::Actualizar actualizando(p.estado);
    p.barra.habilitar(QStringLiteral("BtnPegar"), texto->startsWith(QStringLiteral("ZUL")));
}
