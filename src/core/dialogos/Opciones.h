// The options dialog's values, without widgets: defaults for new sheets and
// boxes, the start-up view, and the printer to print on; loaded from the
// settings store and written back ("A&plicar") every key in its order.
#pragma once

#include "core/dialogos/CamposTamano.h"
#include "core/puertos/Impresora.h"
#include "core/trabajo/Preferencias.h"

#include <QStringList>

class CatalogoImpresoras;
class Documento;
class Mensajes;
class Preferencias;

// The stored values it edits (view, font, colour, guide lines, digits,
// rotation) are its OpcionesGuardadas part.
class Opciones : public OpcionesGuardadas {
public:
    Opciones(Documento& documento, Preferencias& preferencias, CatalogoImpresoras& impresoras,
             Mensajes& mensajes);

    QStringList impresoras;
    int impresora = -1; // selected entry of the list
    bool siempreEstaImpresora = false;
    // The operator chose a printer or a printer option since the last apply:
    // only then are "Printer" and "PrinterDefault" written.
    bool impresoraElegida = false;
    CamposTamano hoja; // the sheet of new jobs; the open job keeps its own
    bool vertical = true;
    bool cambiado = false; // "A&plicar" enabled

    void Cargar();
    // Writes every key; shows "Cambio de opciones".
    void Aplicar();
    // "&Aceptar": applies only when something changed.
    void Aceptar();

    // A size field of the sheet tab loses the focus.
    bool SalirCampoHoja(bool esAncho);
    void ElegirImpresora(int i);
    void SiempreEstaImpresora(bool si);
    static int SiguienteRotacion(int r) { return (r + 90) % 360; }

private:
    void AplicarImpresora();
    void AplicarHoja();

    Documento& m_doc;
    Preferencias& m_pref;
    CatalogoImpresoras& m_impresoras;
    Mensajes& m_mensajes;
};
