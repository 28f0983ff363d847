// A run-time failure of a file or device step: the classic failure number and
// a description. Thrown inside one step and caught by the failure policy of
// the operation; it never leaves the operation.
#pragma once

#include <QString>
#include <QtGlobal>

struct Falla {
    qint32 numero = 0;
    QString descripcion;
};
