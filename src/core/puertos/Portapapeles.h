// The system text clipboard, shared with other programs and other copies of
// this one.
#pragma once

#include <QString>
#include <optional>

class Portapapeles {
public:
    virtual ~Portapapeles() = default;
    virtual void limpiar() = 0;
    virtual void fijarTexto(const QString& texto) = 0;
    // Nothing when the clipboard holds no text.
    virtual std::optional<QString> texto() const = 0;
};
