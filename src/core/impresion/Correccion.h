// The per-printer position correction: how far right (X) and down (Y) a
// printer puts marks compared with where it was told, in twips, kept per
// printer and orientation; the test page it is measured on; and the older
// per-printer ".ini" file taken over once.
#pragma once

#include "core/trabajo/Unidades.h"

#include <QLocale>
#include <QPointF>
#include <QString>
#include <QStringList>

class Ajustes;
class Impresora;
class PoliticaFallas;

// A correction measures how far a printer misses; past 5 cm either way it is
// no printer's error but a damaged setting, and would print everything off
// the sheet.
inline constexpr double kMaxCorreccion = TwipsDeCm(5); // twips

// Keys "Xx"/"Yx" (portrait, orientation 1) or "Xy"/"Yy" (any other). Throws
// Falla for a stored value past kMaxCorreccion.
QPointF LeerCorreccion(const Ajustes& ajustes, const QString& impresora, int orientacion);
// Why the correction could not be stored for the next start (it holds until
// the program closes); empty when stored.
QString GenerarIniPrinter(Ajustes& ajustes, const QString& impresora, int orientacion, double x,
                          float y, const QLocale& idioma = QLocale());

// The legacy file of `impresora` in the first of `carpetas` that holds one.
QString RutaAjusteAntiguo(const QStringList& carpetas, const QString& impresora);

// Takes a legacy file over into "Xx"/"Yx" and deletes it. A file without the
// marker is left alone, unless `sinMarcaEsCero` (the adjustment dialog): then
// it counts as 0 and 0. Returns true when a file was taken over.
bool MigrarAjusteAntiguo(Ajustes& ajustes, const QString& impresora, const QStringList& carpetas,
                         PoliticaFallas& politica, const QLocale& idioma = QLocale(),
                         bool sinMarcaEsCero = false);

// The test page: two marks that should lie 10 cm from the paper's top and
// left edges, with their captions. The correction is not applied.
void ImprimirPrueba(Impresora& imp);

inline const QString kMarcaAjuste = QStringLiteral("<{ZUL54-091-560202}>");
