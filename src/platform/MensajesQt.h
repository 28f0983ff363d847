// Message boxes as modal Qt dialogs with Spanish buttons.
#pragma once

#include "core/puertos/Mensajes.h"

class QWidget;

class MensajesQt : public Mensajes {
public:
    explicit MensajesQt(QWidget* padre = nullptr) : m_padre(padre) {}
    void fijarPadre(QWidget* padre) { m_padre = padre; }
    Respuesta mostrar(const QString& texto, const QString& titulo, Icono icono,
                      Botones botones) override;

private:
    QWidget* m_padre;
};
