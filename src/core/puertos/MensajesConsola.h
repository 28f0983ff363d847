// Messages for the batch tool: printed on standard error, never answered, so
// every failure that would ask the operator abandons the operation.
#pragma once

#include "core/puertos/Mensajes.h"

class MensajesConsola : public Mensajes {
public:
    Respuesta mostrar(const QString& texto, const QString& titulo, Icono icono,
                      Botones botones) override;
};
