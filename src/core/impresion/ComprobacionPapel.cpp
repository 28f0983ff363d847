#include "ComprobacionPapel.h"

#include "core/impresion/GeometriaImpresora.h"
#include "core/puertos/Impresora.h"

int VerificarPapel(const ::Trabajo& h, int orientacion, double pw, double ph) {
    // 3 x size is an integer product (64-bit here), then a real division.
    const double a = static_cast<double>(static_cast<qint64>(h.HAncho) * 3) / 100.0;
    const double b = static_cast<double>(static_cast<qint64>(h.HAlto) * 3) / 100.0;
    const double wlo = h.HAncho - a, whi = h.HAncho + a;
    const double hlo = h.HAlto - b, hhi = h.HAlto + b;
    if (orientacion != 1 && orientacion != 2)
        return 0;
    const bool igual = (orientacion == 1) == h.HOrienta;
    if (igual)
        return wlo <= pw && pw <= whi && hlo <= ph && ph <= hhi ? 0 : 1;
    return wlo <= ph && ph <= whi && hlo <= pw && pw <= hhi ? 2 : 3;
}

int VerificarPapel(const ::Trabajo& h, const Impresora& imp) {
    return VerificarPapel(h, imp.orientacion(), imp.anchoPagina(), imp.altoPagina());
}

Margenes PosicionesMargenes(const Impresora& imp) {
    Margenes m;
    m.izquierdo = MargenIzquierdo(imp) * kTwipsPorCm;
    m.derecho = imp.anchoPagina() - MargenDerecho(imp) * kTwipsPorCm;
    m.superior = MargenSuperior(imp) * kTwipsPorCm;
    m.inferior = imp.altoPagina() - MargenInferior(imp) * kTwipsPorCm;
    return m;
}
