#include "TablaPapeles.h"

#include "core/trabajo/Valores.h"

const std::array<Papel, 6>& TablaPapeles() {
    static const std::array<Papel, 6> tabla = {{
        {QStringLiteral("A3"), 29.7, 42},
        {QStringLiteral("A4"), 21, 29.7},
        {QStringLiteral("A5"), 14.8, 21},
        {QStringLiteral("B5"), 18.2, 25.7},
        {QStringLiteral("Carta"), 21.59, 27.94},
        {QStringLiteral("Oficio"), 21.59, 35.56},
    }};
    return tabla;
}

void IdentificarPapel(Trabajo& hoja) {
    // 3 x size is an integer product (64-bit here, so no overflow), then a real division.
    const double a = static_cast<double>(3 * static_cast<qint64>(hoja.HAncho)) / 100.0;
    const double b = static_cast<double>(3 * static_cast<qint64>(hoja.HAlto)) / 100.0;
    const double anchoMin = (hoja.HAncho - a) / kTwipsPorCm;
    const double anchoMax = (hoja.HAncho + a) / kTwipsPorCm;
    const double altoMin = (hoja.HAlto - b) / kTwipsPorCm;
    const double altoMax = (hoja.HAlto + b) / kTwipsPorCm;
    hoja.HOrienta = hoja.HAncho < hoja.HAlto;
    hoja.HName = kPapelPersonal;
    for (const Papel& p : TablaPapeles()) {
        const double w = hoja.HOrienta ? p.ancho : p.alto;
        const double h = hoja.HOrienta ? p.alto : p.ancho;
        if (w >= anchoMin && w <= anchoMax && h >= altoMin && h <= altoMax) {
            hoja.HName = p.nombre;
            break;
        }
    }
}

void FijarCarta(Trabajo& hoja) {
    const Papel& carta = TablaPapeles()[kFilaCarta];
    hoja.HName = carta.nombre;
    hoja.HAncho = static_cast<qint32>(RedondearPar(carta.ancho * kTwipsPorCm));
    hoja.HAlto = static_cast<qint32>(RedondearPar(carta.alto * kTwipsPorCm));
    hoja.HOrienta = true;
}
