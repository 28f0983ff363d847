// A run-time failure of a file or device step: its code, a description and,
// for a failure inside a file, where in it (the line and the field), shown
// after the message so the operator can find what to mend.
// Thrown inside one step and caught by the failure policy of the operation;
// it never leaves the operation.
#pragma once

#include "core/fallas/CodigoFalla.h"

#include <QString>
#include <QtGlobal>

struct Falla {
    CodigoFalla codigo{};
    QString descripcion;
    QString lugar = {};

    // The number the operator is shown.
    qint32 numero() const { return static_cast<qint32>(codigo); }
};
