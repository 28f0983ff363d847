#include "Programa.h"

Programa::Programa(const Servicios& servicios)
    : principal(servicios), despachador(principal), ciclo(principal) {
    principal.Construir();
    // Before any job: the state after closing one.
    DeshabilitarHerramientas(principal);

    despachador.registrar(QStringLiteral("BtnNuevo"), [this] { ciclo.NuevoTrabajo(); });
    despachador.registrar(QStringLiteral("BtnAbrir"), [this] {
        ciclo.AbrirTrabajo();
        ActualizarPegar(principal);
    });
    despachador.registrar(QStringLiteral("BtnGuardar"), [this] { ciclo.Guardar(); });
    despachador.registrar(QStringLiteral("BtnGuardComo"), [this] { ciclo.GuardarComo(); });
    despachador.registrar(QStringLiteral("BtnCerrarTrabajo"), [this] { ciclo.CerrarComando(); });
    despachador.registrar(QStringLiteral("BtnSalir"), [this] {
        if (ciclo.Salir())
            principal.Terminar(0);
    });
}
