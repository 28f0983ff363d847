// The desktop program's printer commands (print, test sheet, print preview,
// printer selection, margin check) and the export of a run to a PDF file, over the
// print pipeline of Tirada.h; and the checks of a PDF's destination.
#pragma once

#include "core/impresion/ComprobacionPapel.h"
#include "core/impresion/RegistroTiradas.h"
#include "core/impresion/Tirada.h"
#include "core/puertos/DialogosImpresion.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class Documento;
class ImpresoraPrograma;
class Mensajes;
class PoliticaFallas;
class Preferencias;

// Why a PDF cannot be written at `ruta` (no folder, a folder, write-protected),
// or at the job's own file `trabajo`; nothing when it can.
std::optional<QString> ErrorDestinoPdf(const QString& ruta, const QString& trabajo = {});

// Whether `a` and `b` are one existing file (also through links).
bool MismoArchivo(const QString& a, const QString& b);
// "El PDF no puede escribirse sobre el propio trabajo (...)".
QString TextoSobreElTrabajo(const QString& trabajo);

class Impresion {
public:
    using CrearVentana = std::function<std::unique_ptr<VentanaProgreso>()>;

    Impresion(Documento& documento, Preferencias& preferencias, PoliticaFallas& politica,
              Mensajes& mensajes, ImpresoraPrograma& impresora, DialogosImpresion& dialogos,
              CrearVentana crearVentana, QStringList carpetasAjusteAntiguo,
              QString carpetaTiradas = {});

    // BtnImprimir (false) and BtnPrueba (true). A job whose last run did not
    // complete is offered to go on from the sheet after the last one sent.
    // Every run is noted in the run log.
    void ImprimirTrabajo(bool unaHoja);
    // The print dialog with run `r`'s sheets, order and printer (the open
    // job is that run's): for the sheets a jam spoiled.
    void Reimprimir(const RegistroTirada& r);
    // Run `r` (of the open job) from the sheet after the last one sent, in
    // its order and on its printer, if the job still prints what it printed;
    // otherwise a warning naming what changed.
    void Continuar(const RegistroTirada& r);
    RegistroTiradas& registro() { return m_registro; }
    // BtnVistaPreliminar: sheets the operator chooses, prepared and drawn as
    // the print run prepares and draws them on the program's printer (its
    // correction and printable area included), shown on screen only. The
    // sheets offered start at `desde` (the sheet the editor shows).
    void VistaPreliminar(qint32 desde = 1);
    // BtnSeleccionarPrint.
    void SeleccionarImpresora();
    // Sheets `rango` of the run (of `hojas` sheets, as measured by the caller)
    // into a PDF file, no correction. Returns the sheets written; nothing when
    // the export failed or was cancelled (the operator was told).
    std::optional<qint32> ExportarPdf(const QString& ruta, const RangoHojas& rango, qint32 hojas);
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
    // The form's picture the preview may lay under the numbers (faded; null
    // when the job has none). Never drawn into a printed or exported run.
    std::function<QImage()> fondoVista;

private:
    // What a print starts with besides the job.
    struct Propuesta {
        std::optional<RangoHojas> rango; // preset in the print dialog
        std::optional<bool> inverso;     // the order; unset: the setting's
        QString impresora;               // offered first; empty: the program's
        QString continuaDe;              // the run it goes on with
    };
    void Imprimir(bool unaHoja, Propuesta propuesta);
    // The question of a job whose last run did not complete; false when the
    // operator cancelled.
    bool OfrecerContinuar(Propuesta& propuesta);
    // Says where a run that did not complete stopped and what it sent, and
    // a log that could not be kept up to date (`sinRegistro`: the operator
    // knew before the run that it could not be begun).
    void AvisarFin(FinTirada fin, const AnotacionTirada& nota, bool sinRegistro);

    // The job's run prepared on `imp`, asking the operator what to do with
    // boxes off the paper ("se imprimirá", "se verá").
    PreparacionTirada preparar(Impresora& imp, const PedidoTirada& pedido, const QString& suerte);

    Documento& m_doc;
    Preferencias& m_pref;
    PoliticaFallas& m_politica;
    Mensajes& m_mensajes;
    ImpresoraPrograma& m_imp;
    DialogosImpresion& m_dialogos;
    CrearVentana m_crearVentana;
    QStringList m_carpetasAntiguas;
    RegistroTiradas m_registro;
};
