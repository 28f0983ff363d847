// How the editor shows the sheet: a position in model twips times the zoom is
// a point in screen twips (the widget turns those into pixels at its own
// resolution). A point the operator gives goes back to the model once, here,
// in whole twips with halves to even.
#pragma once

#include "core/trabajo/Unidades.h"

#include <QPoint>
#include <QPointF>

struct Vista {
    // A zoom of 0 or less (never set) counts as 100 %.
    explicit Vista(float zoomTrabajo) : zoom(zoomTrabajo > 0 ? zoomTrabajo : 1.0f) {}

    float zoom;

    // Where the model point `x`, `y` is drawn.
    QPointF aPantalla(qint32 x, qint32 y) const { return {zoom * x, zoom * y}; }
    // The model point under the screen point `p`.
    QPoint aModelo(QPointF p) const {
        return {TwipsEnteros(p.x() / double(zoom)), TwipsEnteros(p.y() / double(zoom))};
    }
};
