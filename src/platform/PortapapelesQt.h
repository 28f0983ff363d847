// The system clipboard through QClipboard.
#pragma once

#include "core/puertos/Portapapeles.h"

class PortapapelesQt : public Portapapeles {
public:
    void limpiar() override;
    void fijarTexto(const QString& texto) override;
    std::optional<QString> texto() const override;
};
