// Where the main window opens: the place it was left while the whole window
// (its border included) still lies on one screen; else, on the screen that
// shows most of it, moved and cut to fit; else centred on the main screen.
// Its size is the one it was left with (or the preferred one), never larger
// than the screen's free area.
//
// A place is given as Qt's move() and resize() take it: the top-left corner
// of the window's frame (the window manager's border included) and the size
// inside the border, in screen pixels.
#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <optional>

// `pantallas`: the free area (without panels and docks) of every screen, the
// main screen first. `borde`: the border the window manager draws around the
// window (the title bar on top).
QRect LugarVentana(const std::optional<QRect>& guardado, const QList<QRect>& pantallas,
                   QSize preferido, QMargins borde = {});
