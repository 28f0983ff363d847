// The print run: sheet after sheet, every live box printing its next number
// at its position less the printer's correction and printable-area offset.
// Also the printer commands (print, test sheet, printer selection) and the
// export of a run to a PDF file.
#pragma once

#include "core/impresion/ComprobacionPapel.h"
#include "core/puertos/DialogosImpresion.h"
#include "core/trabajo/Cuadro.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Documento;
class Impresora;
class ImpresoraPrograma;
class Mensajes;
class PoliticaFallas;
class Preferencias;
struct Trabajo;

struct Tirada {
    bool unaHoja = false;
    RangoHojas rango;
    double ajusteX = 0; // twips subtracted from every PosX
    double ajusteY = 0;
};

enum class FinTirada { SinHojas, Terminada, Cancelada, Abandonada };

// The sheet loop. `ventana` may be null (no window, no cancel). `entregadas`
// receives the sheets of a document that was ended and delivered (0 for any
// other ending: an abandoned document reaches neither printer nor file).
FinTirada ImprimirHojas(const std::vector<Cuadro>& cuadros, Impresora& imp, const Tirada& tirada,
                        VentanaProgreso* ventana, PoliticaFallas& politica,
                        qint32* entregadas = nullptr);

// The boxes whose text would not land whole on paper: off the sheet, or
// (with `areaImprimible`) outside the printer's printable area once the
// run's correction is applied. One Spanish line per box, in slot order,
// measured on the first and last sheet of the run.
QStringList CuadrosFuera(const std::vector<Cuadro>& cuadros, const ::Trabajo& hoja, Impresora& imp,
                         const Tirada& tirada, bool areaImprimible);

// Why a PDF cannot be written at `ruta` (no folder, a folder, write-protected),
// or at the job's own file `trabajo`; nothing when it can.
std::optional<QString> ErrorDestinoPdf(const QString& ruta, const QString& trabajo = {});

// Whether `a` and `b` are one existing file (also through links).
bool MismoArchivo(const QString& a, const QString& b);
// "El PDF no puede escribirse sobre el propio trabajo (...)".
QString TextoSobreElTrabajo(const QString& trabajo);

// What a cancelled run ("Impresión cancelada. ...") or export says.
QString TextoCancelada(bool exportacion);

// The correction of printer `imp` as the run subtracts it: the stored one for
// its orientation plus the printable area's offset.
void CalcularAjuste(Impresora& imp, const class Ajustes& ajustes, Tirada& tirada);

class Impresion {
public:
    using CrearVentana = std::function<std::unique_ptr<VentanaProgreso>()>;

    Impresion(Documento& documento, Preferencias& preferencias, PoliticaFallas& politica,
              Mensajes& mensajes, ImpresoraPrograma& impresora, DialogosImpresion& dialogos,
              CrearVentana crearVentana, QStringList carpetasAjusteAntiguo);

    // BtnImprimir (false) and BtnPrueba (true).
    void ImprimirTrabajo(bool unaHoja);
    // BtnSeleccionarPrint.
    void SeleccionarImpresora();
    // Sheets `rango` of the run into a PDF file, no correction. Returns the
    // sheets written; nothing when the export failed or was cancelled (the
    // operator was told).
    std::optional<qint32> ExportarPdf(const QString& ruta, const RangoHojas& rango);
    // The operator's choice of sheets to export from a run of `hojas`.
    bool ElegirRangoPdf(qint32 hojas, RangoHojas& rango) {
        return m_dialogos.rangoExportacion(hojas, rango);
    }
    // The margin check of the editor: the program's printer's paper against
    // the sheet (with a warning when they differ) and where its printable
    // area lies on the sheet, twips at zoom 1. Nothing without a printer.
    std::optional<Margenes> ComprobarMargenes();

    // Run after a printer selection changed the printer (the editor redraws
    // its margin lines).
    std::function<void()> alCambiarImpresora;

private:
    Documento& m_doc;
    Preferencias& m_pref;
    PoliticaFallas& m_politica;
    Mensajes& m_mensajes;
    ImpresoraPrograma& m_imp;
    DialogosImpresion& m_dialogos;
    CrearVentana m_crearVentana;
    QStringList m_carpetasAntiguas;
};
