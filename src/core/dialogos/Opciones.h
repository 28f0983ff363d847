// The options dialog's values, without widgets: defaults for new sheets and
// boxes, the start-up view, and the printer to print on; loaded from the
// settings store and written back ("A&plicar") every key in its order.
#pragma once

#include "core/dialogos/CamposTamano.h"
#include "core/puertos/Impresora.h"

#include <QStringList>

class CatalogoImpresoras;
class Documento;
class Mensajes;
class Preferencias;

class Opciones {
public:
    Opciones(Documento& documento, Preferencias& preferencias, CatalogoImpresoras& impresoras,
             Mensajes& mensajes);

    QStringList impresoras;
    int impresora = -1; // selected entry of the list
    bool siempreEstaImpresora = false;
    // The operator chose a printer or a printer option since the last apply:
    // only then are "Printer" and "PrinterDefault" written.
    bool impresoraElegida = false;
    int verRegla = 0, verMargen = 2, verEjes = 2; // 0 as last time, 1 always, 2 never
    FuenteImpresion fuente;
    qint32 color = 0;
    bool lineasGuia = true;
    int cifras = 5;    // 1..30
    int rotacion = 0;  // 0, 90, 180, 270
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
