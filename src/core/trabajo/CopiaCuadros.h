// The clipboard copy of boxes: "ZUL", then per box the twenty fields of a
// job-file block (numbers in the user's format, the words for true and
// false), separated by tabs and ended by a carriage return. No separator
// line, no slot index. The text comes from any program, so it is read as
// untrusted input.
#pragma once

#include "core/trabajo/Cuadro.h"

#include <QList>
#include <QLocale>
#include <QString>

class Estado;

// The copy of `cuadros` (slots of `estado`), in that order.
QString TextoCopiaCuadros(const QList<int>& cuadros, const Estado& estado, const QLocale& idioma);

struct CopiaCuadros {
    bool esCopia = false;  // the text begins with "ZUL"
    QList<Cuadro> cuadros; // each from the defaults with the copied fields 1 to 19
    QString error;         // why nothing can be pasted; empty when the boxes were read
};

// Reads every block or none: a text that only begins with "ZUL", or a box the
// job file could not hold back, gives no box and the reason.
CopiaCuadros LeerCopiaCuadros(const QString& texto, const Cuadro& defectos);
