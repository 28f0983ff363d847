// A run-time failure of a file or device step: the classic failure number, a
// description and, for a failure inside a file, where in it (the line and the
// field), shown after the message so the operator can find what to mend.
// Thrown inside one step and caught by the failure policy of the operation;
// it never leaves the operation.
#pragma once

#include <QString>
#include <QtGlobal>

struct Falla {
    qint32 numero = 0;
    QString descripcion;
    QString lugar = {};
};
