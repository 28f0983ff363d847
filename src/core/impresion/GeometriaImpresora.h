// Where the printer's printable area lies on the paper (centimetres), and how
// a rotated box text is laid out: the rectangle it fills, whose top-left
// corner is the box's position, and the point its cell starts from.
#pragma once

#include "core/trabajo/Cuadro.h"

#include <QFont>
#include <QPointF>
#include <QSizeF>

class Impresora;
class QPainter;
struct GeometriaDispositivo;
struct FuenteImpresion;

// Margins of the current printer, cm. A zero resolution throws Falla DivisionPorCero.
float MargenIzquierdo(const Impresora& imp);
float MargenSuperior(const Impresora& imp);
float AnchoFisico(const Impresora& imp);
float AltoFisico(const Impresora& imp);
float MargenDerecho(const Impresora& imp);
float MargenInferior(const Impresora& imp);

// Twips of a device length along one axis.
double TwipsDeDispositivo(double unidades, double porPulgada);

struct TextoRotado {
    QSizeF tamano;  // the rectangle the text fills, twips, already turned
    QPointF inicio; // where the cell's top-left corner goes, from the rectangle's corner
};

// Layout of a text `ancho` wide with a cell `alto` high, rotated
// counter-clockwise by `grados` (0, 90, 180 or 270; any other angle starts at
// the corner). `extra180` moves the start of upside-down text right (the
// screen's picture leaves that room).
TextoRotado CalcularTextoRotado(int grados, double ancho, double alto, double extra180 = 0);

// The font a box prints in, at `puntos` points, and as the printer object takes it.
QFont FuenteCuadro(const Cuadro& c, double puntos);
FuenteImpresion FuenteDeCuadro(const Cuadro& c);
// The other way: the font fields of box `c` from `f`.
void EscribirFuente(Cuadro& c, const FuenteImpresion& f);
// The printer object's font as a QFont, and back (a font chooser's answer).
QFont QFontDe(const FuenteImpresion& f);
FuenteImpresion FuenteDe(const QFont& f);

// Prints a box's text rotated by its Rotacion, filling the rectangle whose
// top-left corner is (x, y) in printer twips.
void ImprimirTextoRotado(Impresora& imp, const Cuadro& c, const QString& texto, double x, double y);

// The screen twin of ImprimirTextoRotado, for the sheet editor: draws a
// box's text into its picture at `zoom`, the font at Zoom x FontSize, the
// picture `ancho` x `alto` twips as measured at zoom 1 (turned for 90 and
// 270). Returns the picture's size in the painter's units. One geometry for
// screen and paper, so what the operator places is what prints.
QSizeF DibujarTextoRotado(QPainter& p, const Cuadro& c, const QString& texto, double zoom,
                          double ancho, double alto, double unidadesPorTwip);

// Draws `texto` in the painter's font with its cell's top-left corner at
// `esquina`, rotated counter-clockwise by `grados` around it, on any painter
// (printer, PDF or screen), as vector text with a transparent background.
// `ascenso` is the font's ascent in the painter's units.
void PintarTexto(QPainter& p, const QString& texto, QPointF esquina, int grados, double ascenso);
