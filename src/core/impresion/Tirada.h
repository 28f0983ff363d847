// A print run, one pipeline for the desktop program, the batch tool and the
// PDF export: its preparation (the run's length, the printer's orientation,
// the paper verdict, the printer correction, the boxes off the paper) and the
// sheet loop. Positions are twips; sheets are numbered from 1. The steps
// compute verdicts; the caller says them (message boxes, standard error).
#pragma once

#include "core/puertos/DialogosImpresion.h"
#include "core/trabajo/Cuadro.h"

#include <QLocale>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class Ajustes;
class Impresora;
class PoliticaFallas;
struct Trabajo;

struct Tirada {
    bool unaHoja = false;
    RangoHojas rango;
    double ajusteX = 0; // twips subtracted from every PosX
    double ajusteY = 0;
    // The run's length in sheets, measured once for the whole run; unset,
    // the sheet loop and the off-paper check measure it themselves.
    std::optional<qint32> hojas;
};

enum class FinTirada { SinHojas, Terminada, Cancelada, Abandonada };

// The run's length, measured under the failure policy (a series that cannot
// be numbered is reported there); nothing when the policy gave up on it.
std::optional<qint32> MedirTirada(const std::vector<Cuadro>& cuadros, PoliticaFallas& politica);

// Where a run goes.
enum class DestinoTirada {
    Impresora, // its paper is checked; its correction and printable area apply
    Pdf,       // pages are the sheet itself: no paper check, no correction
};

// What a run is asked for.
struct PedidoTirada {
    DestinoTirada destino = DestinoTirada::Impresora;
    // Turn the printer to the sheet first (the desktop program's print
    // dialog did it already, and the operator may have changed it there).
    bool orientar = false;
    Tirada tirada; // the sheets asked for, and the run's length when measured
};

// What the preparation reads and writes besides the job and the printer.
struct EntornoTirada {
    Ajustes& ajustes;             // the stored corrections
    QStringList carpetasAntiguas; // where older per-printer correction files may lie
    QLocale idioma;               // the number format of a correction taken over
    PoliticaFallas& politica;
};

// The caller's answer to a verdict, asked the moment it is reached: true goes
// on. No function: go on.
struct Veredictos {
    std::function<bool(int papel)> papel;                // VerificarPapel's verdict, 1 to 3
    std::function<bool(const QStringList& fuera)> fuera; // CuadrosFuera's lines, not empty
};

struct PreparacionTirada {
    // False when a step failed (the policy told) or the caller stopped at a verdict.
    bool lista = false;
    int papel = 0;     // the paper against the sheet, as VerificarPapel says
    QStringList fuera; // the boxes off the paper
    Tirada tirada;     // with its length and the printer's correction
};

// Prepares the run `pedido` of the job (`hoja`, `cuadros`) on `imp`, in the
// order the operator hears of it: the run's length (when not measured yet),
// the orientation, the paper verdict, the older correction file taken over,
// the correction, the boxes off the paper.
PreparacionTirada PrepararTirada(const ::Trabajo& hoja, const std::vector<Cuadro>& cuadros,
                                 Impresora& imp, const PedidoTirada& pedido,
                                 const EntornoTirada& entorno, const Veredictos& veredictos = {});

// The sheet loop. `ventana` may be null (no window, no cancel). `entregadas`
// receives the sheets of a document that was ended and delivered (0 for any
// other ending: an abandoned document reaches neither printer nor file).
FinTirada ImprimirHojas(const std::vector<Cuadro>& cuadros, Impresora& imp, const Tirada& tirada,
                        VentanaProgreso* ventana, PoliticaFallas& politica,
                        qint32* entregadas = nullptr);

// The boxes whose text would not land whole on paper: off the sheet, or
// (with `areaImprimible`) outside the printer's printable area once the
// run's correction is applied. One Spanish line per box, in slot order,
// measured on the first and last sheet of the run. Throws Falla when the
// run's length is not given and cannot be measured.
QStringList CuadrosFuera(const std::vector<Cuadro>& cuadros, const ::Trabajo& hoja, Impresora& imp,
                         const Tirada& tirada, bool areaImprimible);

// The correction of printer `imp` as the run subtracts it: the stored one for
// its orientation plus the printable area's offset.
void CalcularAjuste(Impresora& imp, const Ajustes& ajustes, Tirada& tirada);

// What a cancelled run ("Impresión cancelada. ...") or export says.
QString TextoCancelada(bool exportacion);
