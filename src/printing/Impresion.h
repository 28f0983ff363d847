// The print run: sheet after sheet, every live box printing its next number
// at its position less the printer's correction and printable-area offset.
// Also the printer commands (print, test sheet, printer selection) and the
// export of a run to a PDF file.
#pragma once

#include "job/Cuadro.h"
#include "platform/DialogosImpresion.h"
#include "printing/ComprobacionPapel.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Impresora;
class ImpresoraPrograma;
class PoliticaFallas;
class Principal;

struct Tirada {
    bool unaHoja = false;
    RangoHojas rango;
    double ajusteX = 0; // twips subtracted from every PosX
    double ajusteY = 0;
};

enum class FinTirada { SinHojas, Terminada, Cancelada, Abandonada };

// The sheet loop. `ventana` may be null (no window, no cancel).
FinTirada ImprimirHojas(const std::vector<Cuadro>& cuadros, Impresora& imp, const Tirada& tirada,
                        VentanaProgreso* ventana, PoliticaFallas& politica);

// The correction of printer `imp` as the run subtracts it: the stored one for
// its orientation plus the printable area's offset.
void CalcularAjuste(Impresora& imp, const class Ajustes& ajustes, Tirada& tirada);

class Impresion {
public:
    using CrearVentana = std::function<std::unique_ptr<VentanaProgreso>()>;

    Impresion(Principal& principal, ImpresoraPrograma& impresora, DialogosImpresion& dialogos,
              CrearVentana crearVentana, QStringList carpetasAjusteAntiguo);

    // BtnImprimir (false) and BtnPrueba (true).
    void ImprimirTrabajo(bool unaHoja);
    // BtnSeleccionarPrint.
    void SeleccionarImpresora();
    // The run into a PDF file, no correction; false when it was not written.
    bool ExportarPdf(const QString& ruta);
    // The margin check of the editor: the program's printer's paper against
    // the sheet (with a warning when they differ) and where its printable
    // area lies on the sheet, in screen twips. Nothing without a printer.
    std::optional<Margenes> ComprobarMargenes();

    // Run after a printer selection changed the printer (the editor redraws
    // its margin lines).
    std::function<void()> alCambiarImpresora;

private:
    // The program's printer: setting "Printer", else the current one.
    QString ImpresoraDelPrograma() const;

    Principal& m_p;
    ImpresoraPrograma& m_imp;
    DialogosImpresion& m_dialogos;
    CrearVentana m_crearVentana;
    QStringList m_carpetasAntiguas;
};
