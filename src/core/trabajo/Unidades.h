// The program's units. A job's lengths are twips: 1440 to the inch and 567 to
// the centimetre (the rounded figure every stored job was measured in).
// Screens and printers count device units, so many to the inch.
#pragma once

#include <QtGlobal>

inline constexpr int kTwipsPorCm = 567;
inline constexpr int kTwipsPorPulgada = 1440;
inline constexpr double kCmPorPulgada = 2.54;

// Centimetres of a length in twips, and back (not rounded).
constexpr double CmDeTwips(double twips) {
    return twips / kTwipsPorCm;
}
constexpr double TwipsDeCm(double cm) {
    return cm * kTwipsPorCm;
}

// Device units at `porPulgada` to the inch, and back.
constexpr double UnidadesDeTwips(double twips, double porPulgada) {
    return twips * porPulgada / kTwipsPorPulgada;
}
constexpr double TwipsDeUnidades(double unidades, double porPulgada) {
    return unidades * kTwipsPorPulgada / porPulgada;
}

// A length as a position is stored: whole twips, halves to the even
// neighbour, held to what a qint32 holds.
qint32 TwipsEnteros(double twips);
