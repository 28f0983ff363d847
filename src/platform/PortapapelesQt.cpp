#include "PortapapelesQt.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void PortapapelesQt::limpiar() {
    QGuiApplication::clipboard()->clear();
}

void PortapapelesQt::fijarTexto(const QString& texto) {
    QGuiApplication::clipboard()->setText(texto);
}

std::optional<QString> PortapapelesQt::texto() const {
    const QMimeData* datos = QGuiApplication::clipboard()->mimeData();
    if (!datos || !datos->hasText())
        return std::nullopt;
    return datos->text();
}
