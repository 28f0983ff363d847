// velquira-cli: batch work on job files over the same core as the desktop
// program. No windows and no questions: a failure prints its Spanish message
// on standard error and the command is abandoned.
#pragma once

#include <QStringList>
#include <cstdio>
#include <functional>

class Ajustes;
class CatalogoImpresoras;

namespace cli {
enum Salida { Exito = 0, Fallo = 1, Uso = 2, NoLeido = 3 };

struct Entorno {
    Ajustes& ajustes;
    CatalogoImpresoras& impresoras;
    QStringList carpetasAjusteAntiguo; // where older per-printer correction files may lie
    // True once the tool was asked to stop (Ctrl+C, SIGTERM): a run in
    // progress abandons the part it is drawing; the parts sent stay sent,
    // and the tool says which sheets they were.
    std::function<bool()> interrumpido = {};
    // The run log's folder; empty keeps no log.
    QString carpetaTiradas = {};
};

// Runs the command line (without the program name). Output goes to `salida`
// (UTF-8), messages to `errores`.
int Ejecutar(const QStringList& argumentos, Entorno& entorno, std::FILE* salida,
             std::FILE* errores);

QString TextoUso();
} // namespace cli
