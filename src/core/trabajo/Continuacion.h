// Continuing a job's numbering in its next run: every box's series moves on
// by what the whole run printed, so next week's run starts right after this
// one whatever order the boxes share their numbers in.
//
// Ascending boxes move up by D = (highest number any ascending box prints)
// - (lowest first number of an ascending box) + 1; descending boxes move
// down by the mirrored amount. A box of one number (Inicio = Fin) goes the
// way of the others when every other box counts down; otherwise it counts
// as ascending, as the run takes it.
#pragma once

#include "core/trabajo/Cuadro.h"

#include <QLocale>
#include <QString>
#include <vector>

// The numbers a run may reach once continued.
inline constexpr qint64 kMaxNumeroContinuado = 999999999;

struct FilaContinuacion {
    int cuadro = 0; // slot
    bool descendente = false;
    qint64 primero = 0, ultimo = 0;                   // this run
    qint64 siguientePrimero = 0, siguienteUltimo = 0; // the next one
};

struct Continuacion {
    std::vector<FilaContinuacion> filas; // the live boxes, in slot order
    qint64 subida = 0;                   // D of the ascending boxes (0: none)
    qint64 bajada = 0;                   // of the descending ones
    // Why the numbering cannot be continued (Spanish); empty when it can.
    QString error;
};

Continuacion CalcularContinuacion(const std::vector<Cuadro>& cuadros, const QLocale& idioma);

// Box c moved on as row f says (the row's box).
void Continuar(Cuadro& c, const FilaContinuacion& f, const Continuacion& k);
