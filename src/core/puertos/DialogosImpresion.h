// The print and print-setup dialogs, on a printer object, and the progress
// window of a print run.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <functional>
#include <optional>

class Impresora;

// Sheets of a run, numbered from 1; 0 as `hasta` means to the end.
struct RangoHojas {
    qint32 desde = 1;
    qint32 hasta = 0;
};

// Why `rango` cannot be printed from a run of `hojas` sheets, as the message
// to show; nothing when it can. A range is never cut to fit.
inline std::optional<QString> ErrorRango(const RangoHojas& rango, qint32 hojas) {
    const auto fuera = [hojas](qint32 hoja) {
        return hojas == 1
                   ? QStringLiteral("La tirada tiene 1 hoja: la hoja %1 no existe.").arg(hoja)
                   : QStringLiteral("La tirada tiene %1 hojas: la hoja %2 no existe.")
                         .arg(hojas)
                         .arg(hoja);
    };
    if (rango.desde < 1)
        return QStringLiteral("La primera hoja de la tirada es la 1.");
    if (rango.desde > hojas)
        return fuera(rango.desde);
    if (rango.hasta > hojas)
        return fuera(rango.hasta);
    if (rango.hasta != 0 && rango.desde > rango.hasta)
        return QStringLiteral("La hoja inicial (%1) no puede ser mayor que la final (%2).")
            .arg(rango.desde)
            .arg(rango.hasta);
    return std::nullopt;
}

// The most sheets one print preview shows: every sheet is drawn before the
// preview opens and kept as a picture while it is open, so a run of
// thousands is previewed a stretch at a time.
constexpr qint32 kHojasVistaPreliminar = 500;

// Why `rango` cannot be previewed from a run of `hojas` sheets: what
// ErrorRango says, or a stretch longer than one preview shows.
inline std::optional<QString> ErrorRangoVista(const RangoHojas& rango, qint32 hojas) {
    if (auto error = ErrorRango(rango, hojas))
        return error;
    const qint32 hasta = rango.hasta != 0 ? rango.hasta : hojas;
    if (hasta - rango.desde >= kHojasVistaPreliminar)
        return QStringLiteral("La vista preliminar muestra hasta %1 hojas a la vez: desde la "
                              "hoja %2 puede verse hasta la %3.")
            .arg(kHojasVistaPreliminar)
            .arg(rango.desde)
            .arg(rango.desde + kHojasVistaPreliminar - 1);
    return std::nullopt;
}

// "La tirada tiene 250 hojas."
inline QString TextoHojasTirada(qint32 hojas) {
    return hojas == 1 ? QStringLiteral("La tirada tiene 1 hoja.")
                      : QStringLiteral("La tirada tiene %1 hojas.").arg(hojas);
}

// The form's picture under a preview's pages: `imagen` stretched over
// `twips`, where the sheet lies in the printer object's coordinates (from the
// printable area's corner, with the run's correction), so the numbers sit on
// it as they will on the pre-printed sheet.
struct FondoVista {
    QImage imagen;
    QRectF twips;
};

class DialogosImpresion {
public:
    virtual ~DialogosImpresion() = default;
    // The print dialog ("Impresión de prueba" for the test sheet), preset to
    // `orientacion` (1 portrait, 2 landscape), saying how many sheets the run
    // has and offering sheets 1..`hojas` as a range, preset to `rango` when
    // it is not the whole run; a range past the run is refused there with a
    // message. With `inverso`, it offers "Orden inverso (última hoja
    // primero)", preset to and answered in it. The printer chosen in it
    // becomes the printer object's. False when the operator cancelled.
    virtual bool imprimir(Impresora& imp, int orientacion, qint32 hojas, RangoHojas& rango,
                          bool prueba, bool* inverso = nullptr) = 0;
    // The sheets of a run of `hojas` to export to PDF, as for printing.
    // False when the operator cancelled.
    virtual bool rangoExportacion(qint32 hojas, RangoHojas& rango) = 0;
    // The print-setup dialog. False when cancelled.
    virtual bool configurar(Impresora& imp, int orientacion) = 0;
    // The sheets of a run of `hojas` to preview, preset to `rango`; a range
    // ErrorRangoVista refuses is refused there with its message. False when
    // the operator cancelled.
    virtual bool rangoVistaPreliminar(qint32 hojas, RangoHojas& rango) = 0;
    // The print preview of sheets `hojas` (both ends given) of a run of
    // `tirada`, on printer `imp`: `dibujar` draws the pages, each time the
    // preview needs them, on the printer object it is handed (`imp` itself,
    // turned to the preview: its document goes to the screen, and ending it
    // sends nothing to the printer). The preview offers no way to print.
    virtual void vistaPreliminar(Impresora& imp, const RangoHojas& hojas, qint32 tirada,
                                 const std::function<void(Impresora&)>& dibujar) = 0;
    // The same preview offering "Ver con el fondo", which draws the pages
    // again with `fondo` under the numbers; on screen only.
    virtual void vistaPreliminarConFondo(Impresora& imp, const RangoHojas& hojas, qint32 tirada,
                                         const FondoVista& fondo,
                                         const std::function<void(Impresora&)>& dibujar) {
        Q_UNUSED(fondo);
        vistaPreliminar(imp, hojas, tirada, dibujar);
    }
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
    // Whether a cancel request is confirmed with the operator first (not when
    // the batch tool was interrupted: nobody is there to answer).
    virtual bool confirmarCancelacion() const { return true; }
    virtual void cerrar() = 0;
};
