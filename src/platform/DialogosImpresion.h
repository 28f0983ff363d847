// The print and print-setup dialogs, on a printer object, and the progress
// window of a print run.
#pragma once

#include <QString>

class Impresora;

// Sheets of a run, numbered from 1; 0 as `hasta` means to the end.
struct RangoHojas {
    qint32 desde = 1;
    qint32 hasta = 0;
};

class DialogosImpresion {
public:
    virtual ~DialogosImpresion() = default;
    // The print dialog, preset to `orientacion` (1 portrait, 2 landscape),
    // offering sheets 1..`hojas` as a range. The printer chosen in it becomes
    // the printer object's. False when the operator cancelled.
    virtual bool imprimir(Impresora& imp, int orientacion, qint32 hojas, RangoHojas& rango) = 0;
    // The print-setup dialog. False when cancelled.
    virtual bool configurar(Impresora& imp, int orientacion) = 0;
};

class VentanaProgreso {
public:
    virtual ~VentanaProgreso() = default;
    virtual void mostrar(qint32 maximo) = 0;
    virtual void actualizar(qint32 valor, const QString& texto) = 0;
    // Lets pending window events run (the cancel button and Escape).
    virtual void procesarEventos() = 0;
    // True once after the operator asked to cancel.
    virtual bool tomarCancelacion() = 0;
    virtual void cerrar() = 0;
};
