// The six standard papers (portrait sizes in cm) and the identification of a
// sheet's name and orientation from its size in twips.
#pragma once

#include "core/trabajo/Trabajo.h"

#include <QString>
#include <array>

struct Papel {
    QString nombre;
    double ancho; // cm, portrait
    double alto;  // cm, portrait
};

const std::array<Papel, 6>& TablaPapeles();

inline constexpr int kFilaCarta = 4;
inline const QString kPapelPersonal = QStringLiteral("Personal");

// Sets HName and HOrienta from HAncho and HAlto: the first paper within 3 % of
// the sheet, either way round; a square sheet counts as landscape.
void IdentificarPapel(Trabajo& hoja);

// The default sheet: "Carta", portrait, 12242 x 15842 twips.
void FijarCarta(Trabajo& hoja);
