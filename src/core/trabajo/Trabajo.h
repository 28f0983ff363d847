// The sheet of the open job. Lengths are twips at zoom 1; Zoom 1.0 = 100 %.
#pragma once

#include "core/trabajo/Unidades.h"

#include <QString>
#include <QtGlobal>

struct Trabajo {
    QString HName;
    bool HOrienta = true; // true = portrait
    qint32 HAlto = 0;
    qint32 HAncho = 0;
    float Zoom = 0.5f;
    qint32 AltoCuadro = 310;
    qint32 AnchoCuadro = 500;
    qint16 TamTip = 10;

    bool operator==(const Trabajo&) const = default;
};
