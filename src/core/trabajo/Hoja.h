// How a sheet is named to the operator.
#pragma once

#include "core/trabajo/Trabajo.h"

#include <QLocale>

// "Carta (21,59 x 27,94 Cmts)": its name and size in centimetres, two
// decimals with the locale's separator, no digit grouping.
QString TextoHoja(const Trabajo& hoja, const QLocale& idioma);
