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

// The output of a print run or an export failed (the queue refused the job,
// the disk filled up, the device went away). The description is the whole
// message; nothing is retried, as the document cannot be written again.
inline constexpr qint32 kFallaSalida = 482;
