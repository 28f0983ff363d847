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
    // The last sheet first. Each sheet keeps its numbers; only the order of
    // the pages changes.
    bool inverso = false;
    // Sheets per document handed to the destination; 0 sends the whole run
    // as one. A printer gets its run in parts, so that a run that stops
    // (a cancel, a fault, a killed program) has sent a known number of
    // sheets, and the printer starts before the last sheet is drawn.
    qint32 hojasPorEntrega = 0;
};

// The parts a printer run is sent in: a few dozen print jobs for the longest
// runs, well under the spooler's limit of jobs.
constexpr qint32 kHojasPorEntrega = 100;

enum class FinTirada { SinHojas, Terminada, Cancelada, Abandonada };

// What the sheet loop tells as it goes (the run log listens).
class SeguimientoTirada {
public:
    virtual ~SeguimientoTirada() = default;
    // The first `hojas` sheets are being handed over (the part that ends
    // them is on its way): a program killed now may have sent them or not.
    virtual void enviando(qint32 hojas) { Q_UNUSED(hojas); }
    // The first `hojas` sheets of the run, in its order, reached the
    // printer or the file.
    virtual void entregadas(qint32 hojas) = 0;
    // The run ended. `hoja` is the sheet it was at when a cancel or a
    // failure stopped it (0 when it had none); `falla` the failure's message.
    virtual void terminada(FinTirada fin, qint32 hoja, const QString& falla) = 0;
};

// The sheets a run prints, numbered from 1, out of a run of `n`: the
// range asked for, cut to the run (the dialogs refuse a range past it), one
// sheet for the test sheet. Nothing when none is left.
std::optional<std::pair<qint32, qint32>> HojasDeTirada(const Tirada& t, qint32 n);

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
// receives the sheets of the documents that were ended and delivered (an
// abandoned document reaches neither printer nor file; the parts sent before
// it did). `seguimiento`, when given, hears of every part sent and of the end.
FinTirada ImprimirHojas(const std::vector<Cuadro>& cuadros, Impresora& imp, const Tirada& tirada,
                        VentanaProgreso* ventana, PoliticaFallas& politica,
                        qint32* entregadas = nullptr, SeguimientoTirada* seguimiento = nullptr);

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
// What a printer run that stopped (cancelled at sheet `hoja`, or failed)
// had sent: sheets `desde`..`hasta` in the run's order; nothing sent reads
// as TextoCancelada says it.
QString TextoCanceladaConEnviadas(qint32 hoja, qint32 desde, qint32 hasta);
