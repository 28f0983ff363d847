// Which text each box prints on each sheet of a run. Pure functions of a box
// record and a sheet index k (0 = first sheet); failures (a step of 0, a
// series of more than 2,147,483,647 sheets) are thrown as Falla.
#pragma once

#include "core/trabajo/Cuadro.h"

#include <QString>
#include <vector>

// Cifras zeros; empty for Cifras <= 0.
QString MascaraCifras(const Cuadro& c);

// Sheets the box's series needs: floor(|Fin - Inicio| / Salto) + 1. Not
// dependent on direction; 1 or less for a negative step.
qint64 CopiasCuadro(const Cuadro& c);

// The largest copy count over the live boxes; 0 when nothing is to print.
qint32 LongitudTirada(const std::vector<Cuadro>& cuadros);

// TextoIzq, the number padded to Cifras digits, TextoDer; empty once the
// series has passed its end (in either direction), on every later sheet.
QString TextoCuadroHoja(const Cuadro& c, qint32 k);

// The number alone, with the digit mask.
QString FormatearNumero(qint64 valor, int cifras);
