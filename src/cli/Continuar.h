// velquira-cli continuar: a job's numbering moved on to its next run, as
// "Continuar numeración" does in the desktop program, and the job written
// atomically (to another file with --salida).
#pragma once

#include "core/trabajo/ArchivoTrabajo.h"

#include <QString>
#include <cstdio>

class PoliticaFallas;

namespace cli {
// Writes the job `lectura` read from `archivo`, moved on, to `destino`. On
// `salida` one line a box: its number, then TAB-separated the first and last
// numbers of this run and of the next. Returns the exit code.
int ContinuarTrabajo(const LecturaTrabajo& lectura, const QString& destino, const QLocale& idioma,
                     PoliticaFallas& politica, std::FILE* salida, std::FILE* errores);
} // namespace cli
