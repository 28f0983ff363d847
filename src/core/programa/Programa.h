// Everything the program is made of, without widgets: the main window's model,
// the dispatcher and the job lifecycle, wired together with the commands that
// need no window. The one place where the tools meet the editor, the box
// commands and the print run. The desktop program and the tests build one.
#pragma once

#include "core/editor/ComandosCuadro.h"
#include "core/editor/EditorHoja.h"
#include "core/editor/FondoHoja.h"
#include "core/impresion/Impresion.h"
#include "core/impresion/ImpresoraPrograma.h"
#include "core/programa/CicloTrabajo.h"
#include "core/programa/Despachador.h"
#include "core/programa/Principal.h"

class Programa {
public:
    explicit Programa(const Servicios& servicios);

    Principal principal;
    Despachador despachador;
    CicloTrabajo ciclo;
    ImpresoraPrograma impresora;
    Impresion impresion;
    EditorHoja editor;
    ComandosCuadro comandos;
    // The form's picture under the boxes, on screen only.
    FondoHoja fondo;

    Documento& documento() { return principal.documento; }
    Preferencias& preferencias() { return principal.preferencias; }
    BarraHerramientas& barra() { return principal.barra; }

    // "Exportar a PDF...": the run into a PDF file chosen by the operator.
    void ExportarPdf();

private:
    // The commands wired to the tools: the job's, the view's, the boxes'.
    void OrdenesTrabajo();
    void OrdenesVista();
    void OrdenesCuadro();
    // Undo and redo, their captions following the history.
    void OrdenesHistoria();
    // "Imagen de fondo..." and "Quitar imagen de fondo", their states
    // following the job and its picture; the picture follows the saves.
    void OrdenesFondo();
    // The editor's aids as the toggles stand.
    void SincronizarVista();
    // The zoom field's entry: the editor's zoom, the field's text.
    void CambiarZoom(const QString& texto, OrigenZoom origen);
    // The Hoja field and status panel 4 as the editor's sheet stands.
    void MostrarHojaTirada();

public:
    // One step of the common zooms in (1) or out (-1): the keys and the wheel.
    void PasoZoom(int sentido);
};
