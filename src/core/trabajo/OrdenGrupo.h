// How a group of boxes programmed as one series shares its numbers out, and
// the order the group's boxes are taken in. Only the standard box fields
// (Inicio, Fin, Salto) come out of it: a job programmed here prints the same
// in every installation that reads the file.
//
// The series is inicio, inicio + salto, ... up to fin, or down to fin when
// inicio is above fin; salto is at least 1. Box k is the k-th box in reading
// order (0 first).
#pragma once

#include <QList>
#include <QRectF>
#include <QStringList>
#include <utility>

enum class OrdenGrupo {
    Consecutivos,  // each sheet carries the next N numbers: 1 2 3 4 / 5 6 7 8 / ...
    CortarYApilar, // box k carries the k-th pile: the piles laid on each other run in order
    MismoNumero,   // every box carries the same number (stub and ticket)
};

// The texts of the orders' list, in the order of the enum.
QStringList TextosOrdenGrupo();

struct SerieGrupo {
    double inicio = 1;
    double fin = 1;
    qint64 salto = 1;
    bool descendente() const { return inicio > fin; }
};

// What one box of the group is written.
struct SerieCuadro {
    double inicio = 0;
    double fin = 0;
    qint64 salto = 1;
    bool operator==(const SerieCuadro&) const = default;
};

// How many numbers the series has: floor(|fin - inicio| / salto) + 1.
qint64 NumerosSerie(const SerieGrupo& s);

// Sheets the group's run lasts in that order, with `cuadros` boxes: the
// length of a pile (one number a sheet per box) or of the whole series.
qint64 HojasGrupo(const SerieGrupo& s, qint64 cuadros, OrdenGrupo orden);

// Box k's series. Consecutive: inicio + k salto, stepping cuadros x salto.
// Cut and stack: pile length R = ceil(count / cuadros); box k starts at
// inicio + k R salto and ends R - 1 steps later (or at fin). Same number:
// the whole series. A descending series is mirrored: every "+" a "-".
SerieCuadro SerieDeCuadro(const SerieGrupo& s, qint64 cuadros, OrdenGrupo orden, qint64 k);

// The first box (in reading order) that would get no number at all: its
// first number would lie past fin, and the box would count the other way.
// -1 when every box gets at least one.
qint64 CuadroSinNumero(const SerieGrupo& s, qint64 cuadros, OrdenGrupo orden);

// The boxes (index, picture at zoom 1) in reading order: rows from top to
// bottom, a box whose top lies within half the row's first box height of
// that box's top joining its row; left to right within a row. Ties keep the
// index order, so the result never depends on how the list was given.
QList<int> OrdenDeLectura(QList<std::pair<int, QRectF>> cuadros);
