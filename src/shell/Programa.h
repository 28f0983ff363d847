// Everything the program is made of, without widgets: the main window's model,
// the dispatcher and the job lifecycle, wired together with the commands that
// need no window. The desktop program and the tests build one.
#pragma once

#include "editor/ComandosCuadro.h"
#include "editor/EditorHoja.h"
#include "job/CicloTrabajo.h"
#include "printing/Impresion.h"
#include "printing/ImpresoraPrograma.h"
#include "shell/Despachador.h"
#include "shell/Principal.h"

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

    Estado& estado() { return principal.estado; }
    BarraHerramientas& barra() { return principal.barra; }

    // "Exportar a PDF...": the run into a PDF file chosen by the operator.
    void ExportarPdf();
};
