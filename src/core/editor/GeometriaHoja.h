// The sheet editor's geometry, without widgets: the zoom entry, the rulers'
// ticks, the central axes, the position readout. Lengths are screen twips
// (model twips x Zoom) with the origin at the sheet's top-left corner.
#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

// Rulers are this thick; the window adds this border right of and below the sheet.
inline constexpr int kGrosorRegla = 467;
inline constexpr int kBordeHoja = 50;

// A typed or chosen zoom. `zoom` is what Trabajo.Zoom becomes (nothing when
// the entry is refused and the zoom stays); `mensaje` is the message to show
// (empty: none), `textoCampo` what the zoom field shows afterwards.
struct EntradaZoom {
    std::optional<float> zoom;
    QString mensaje;
    bool exclamacion = false;
    QString textoCampo;
};
enum class OrigenZoom { Lista, Intro };
EntradaZoom CambiarZoom(const QString& texto, OrigenZoom origen);

// One tick of a ruler: its position along the ruler (screen twips from the
// ruler's start), where it starts across the ruler (it ends at the ruler's
// inner edge), and the number printed beside it, if any.
struct Marca {
    int posicion = 0;
    double desde = 0;
    QString numero;
};
// Ticks every millimetre on screen (the pitch rounded once to whole twips)
// from `inicio` up to `largo`; centimetre, half-centimetre and (above 100 %)
// millimetre ticks, numbers at every centimetre. Only the ticks between
// `desde` and `hasta` (the part in view) are made, numbered as in the whole
// ruler, so a sheet of any size costs what its visible part costs.
QList<Marca> MarcasRegla(double inicio, double largo, float zoom, double desde = 0,
                         double hasta = 1e12);

// "X=03,50 Y=12,25 Cms" for a point of the sheet in screen twips.
QString TextoPosicion(double x, double y, float zoom, const QLocale& idioma);

// Point size of the position label: TamTip x Zoom, at most 14.
double TamanoEtiqueta(int tamTip, float zoom);
