// Text forms of the values held in job files, the clipboard and the settings
// store. Numbers are read leniently (either decimal separator, no digit
// grouping) and written in the user's locale.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// Round half to even, as every length and number of the program is rounded.
double RedondearPar(double v);

// A number typed or stored as text: surrounding blanks ignored, a point or a
// comma as decimal separator, an optional exponent. Empty, partial or
// non-finite text gives nothing.
std::optional<double> LeerNumero(QStringView texto);

// "Falso" and "False" (blanks around ignored) are false; any other text is true.
bool LeerBooleano(QStringView texto);

// The words for true and false of the user's language (Spanish or English).
QString PalabraBooleana(bool valor, const QLocale& idioma);

// Centimetres and the like as the operator reads them: two decimals, at
// least `enteros` integer digits ("0.00" is 1, "00.00" is 2), the locale's
// separator, no grouping, a minus only when the shown value is not zero.
QString FormatoFijo(double valor, const QLocale& idioma, int enteros);

// A count or a series number for a message: every three digits grouped with
// the locale's separator, from 1.000 up ("1.000", "1.999.998.000"; Qt's own
// leaves a Spanish 4-digit group bare and joins the first two groups).
QString FormatoMiles(qint64 valor, const QLocale& idioma);

// File form of an integer: " 5 " or "-5 ".
QString EscribirEntero(qint64 valor);

// General form with 7 significant digits and the locale's separator, exponent
// from 10,000,000 upwards (" 0,5 ", " 1,234568E+07 "). With `enteroCompleto`
// a whole number is written with all its digits instead (" 12345678 ").
QString EscribirReal(double valor, const QLocale& idioma, bool enteroCompleto = false);

// The same without the surrounding blanks, for the clipboard and the screen.
QString FormatoGeneral(double valor, const QLocale& idioma, bool enteroCompleto = false);

// Whether typing `tecla` into a numeric field holding `texto` (replacing
// `largo` characters from `desde`) leaves it a number: "0" in front lets a
// lone separator through, and a minus may only lead.
bool TextoSigueSiendoNumero(const QString& texto, int desde, int largo, const QString& tecla);

// Converts a text to an integer field of the given range, rounding half to
// even. Throws Falla TiposNoCoinciden when the text is not a number and
// Desbordamiento on overflow.
qint64 ConvertirEntero(QStringView texto, qint64 minimo, qint64 maximo, const QString& donde);
double ConvertirReal(QStringView texto, const QString& donde);
