// The print and print-setup dialogs as Qt's print dialog on the printer
// object's QPrinter.
#pragma once

#include "platform/DialogosImpresion.h"

class QWidget;

class DialogosImpresionQt : public DialogosImpresion {
public:
    explicit DialogosImpresionQt(QWidget* padre = nullptr) : m_padre(padre) {}
    void fijarPadre(QWidget* padre) { m_padre = padre; }
    bool imprimir(Impresora& imp, int orientacion, qint32 hojas, RangoHojas& rango) override;
    bool configurar(Impresora& imp, int orientacion) override;

private:
    QWidget* m_padre;
};
