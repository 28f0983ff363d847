// What a job file can hold. The reader refuses anything past these limits, so
// every place that makes a value to be saved (the size fields, the stored
// sheet, the box texts, the writer itself) holds to the same ones: a job the
// program saved always opens again.
#pragma once

#include "core/trabajo/Trabajo.h"

#include <QtGlobal>

// One line of the file, in bytes (a character is one byte in Windows-1252).
inline constexpr qint64 kMaxLinea = 65536;
inline constexpr qint64 kMaxArchivo = 128LL * 1024 * 1024;

// A sheet's side, twips: more than nothing, at most 5 m.
inline constexpr qint32 kMinLadoHoja = 1;
inline constexpr qint32 kMaxLadoHoja = 500 * kTwipsPorCm;

// A box's font size, points: past this no printer or screen makes the font.
inline constexpr double kMaxTamLetra = 1638;

// A series' first and last number, either sign.
inline constexpr double kMaxNumeroSerie = 2147483647.0;

inline constexpr bool LadoHojaValido(qint64 twips) {
    return twips >= kMinLadoHoja && twips <= kMaxLadoHoja;
}

inline constexpr bool TamLetraValido(double puntos) {
    return puntos > 0 && puntos <= kMaxTamLetra;
}
