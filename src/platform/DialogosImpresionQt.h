// The print and print-setup dialogs as Qt's print dialog on the printer
// object's QPrinter, the range of sheets of a PDF export or a preview, and
// the print preview as Qt's preview dialog on that QPrinter.
#pragma once

#include "core/puertos/DialogosImpresion.h"

class QWidget;

class DialogosImpresionQt : public DialogosImpresion {
public:
    explicit DialogosImpresionQt(QWidget* padre = nullptr) : m_padre(padre) {}
    void fijarPadre(QWidget* padre) { m_padre = padre; }
    bool imprimir(Impresora& imp, int orientacion, qint32 hojas, RangoHojas& rango, bool prueba,
                  bool* inverso = nullptr) override;
    bool configurar(Impresora& imp, int orientacion) override;
    bool rangoExportacion(qint32 hojas, RangoHojas& rango) override;
    bool rangoVistaPreliminar(qint32 hojas, RangoHojas& rango) override;
    void vistaPreliminar(Impresora& imp, const RangoHojas& hojas, qint32 tirada,
                         const std::function<void(Impresora&)>& dibujar) override;
    void vistaPreliminarConFondo(Impresora& imp, const RangoHojas& hojas, qint32 tirada,
                                 const FondoVista& fondo,
                                 const std::function<void(Impresora&)>& dibujar) override;

private:
    // The preview; with `fondo`, its "Ver con el fondo" tool.
    void vista(Impresora& imp, const RangoHojas& hojas, qint32 tirada, const FondoVista* fondo,
               const std::function<void(Impresora&)>& dibujar);

    QWidget* m_padre;
};
