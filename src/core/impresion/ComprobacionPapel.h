// The printer's paper against the job's sheet, and where the printable area
// lies on the sheet for the editor's margin lines.
#pragma once

#include "core/trabajo/Trabajo.h"

class Impresora;

// 0 agrees (or the printer's orientation is unknown), 1 size differs, 2 the
// paper is the sheet turned, 3 orientation differs and the turned size too.
int VerificarPapel(const ::Trabajo& hoja, int orientacion, double anchoPagina, double altoPagina);
int VerificarPapel(const ::Trabajo& hoja, const Impresora& imp);

// The printable area's four edges on the sheet, twips at zoom 1.
struct Margenes {
    double izquierdo = 0;
    double derecho = 0;
    double superior = 0;
    double inferior = 0;
};
Margenes PosicionesMargenes(const Impresora& imp);
