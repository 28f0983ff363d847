#include "LugarVentana.h"

#include <algorithm>

namespace {
qint64 Area(const QRect& r) {
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

// A place made to fit `pantalla` with its border (`extra` in width and
// height): cut to size, then moved the least that puts it wholly inside.
QRect Dentro(const QRect& lugar, const QRect& pantalla, QSize extra) {
    const QSize libre = (pantalla.size() - extra).expandedTo(QSize(1, 1));
    QRect todo(lugar.topLeft(), lugar.size().boundedTo(libre) + extra);
    todo.moveLeft(std::clamp(todo.left(), pantalla.left(), pantalla.right() + 1 - todo.width()));
    todo.moveTop(std::clamp(todo.top(), pantalla.top(), pantalla.bottom() + 1 - todo.height()));
    return QRect(todo.topLeft(), todo.size() - extra);
}
} // namespace

QRect LugarVentana(const std::optional<QRect>& guardado, const QList<QRect>& pantallas,
                   QSize preferido, QMargins borde) {
    if (pantallas.isEmpty())
        return guardado.value_or(QRect(QPoint(), preferido));
    const QSize extra(borde.left() + borde.right(), borde.top() + borde.bottom());
    if (guardado) {
        const QRect todo(guardado->topLeft(), guardado->size() + extra);
        // Left there last time, and still wholly on a screen.
        for (const QRect& p : pantallas)
            if (p.contains(todo))
                return *guardado;
        // The screen that shows most of it; none when it lies off them all
        // (a screen taken away, a hand-edited setting).
        const auto donde = std::max_element(
            pantallas.begin(), pantallas.end(), [&](const QRect& a, const QRect& b) {
                return Area(a.intersected(todo)) < Area(b.intersected(todo));
            });
        if (Area(donde->intersected(todo)) > 0)
            return Dentro(*guardado, *donde, extra);
    }
    const QRect& principal = pantallas.first();
    const QSize tamano = guardado ? guardado->size() : preferido;
    QRect todo(QPoint(), tamano.boundedTo(principal.size() - extra) + extra);
    todo.moveCenter(principal.center());
    return Dentro(QRect(todo.topLeft(), tamano), principal, extra);
}
