// The print and print-setup dialogs as Qt's print dialog on the printer
// object's QPrinter, and the range of sheets of a PDF export.
#pragma once

#include "core/puertos/DialogosImpresion.h"

class QWidget;

class DialogosImpresionQt : public DialogosImpresion {
public:
    explicit DialogosImpresionQt(QWidget* padre = nullptr) : m_padre(padre) {}
    void fijarPadre(QWidget* padre) { m_padre = padre; }
    bool imprimir(Impresora& imp, int orientacion, qint32 hojas, RangoHojas& rango,
                  bool prueba) override;
    bool configurar(Impresora& imp, int orientacion) override;
    bool rangoExportacion(qint32 hojas, RangoHojas& rango) override;

private:
    QWidget* m_padre;
};
