#include "Continuacion.h"

#include "core/fallas/Falla.h"
#include "core/trabajo/Numeracion.h"
#include "core/trabajo/Valores.h"

#include <algorithm>
#include <limits>

namespace {
// What box c prints on sheet k, as the run computes it.
qint64 NumeroHoja(const Cuadro& c, qint64 k) {
    const qint64 paso = c.Inicio <= c.Fin ? c.Salto : -static_cast<qint64>(c.Salto);
    return static_cast<qint64>(RedondearPar(c.Inicio + static_cast<double>(paso * k)));
}
} // namespace

Continuacion CalcularContinuacion(const std::vector<Cuadro>& cuadros, const QLocale& idioma) {
    Continuacion k;
    bool sube = false, baja = false;
    for (const Cuadro& c : cuadros) {
        if (!c.EnUso)
            continue;
        sube = sube || c.Inicio < c.Fin;
        baja = baja || c.Inicio > c.Fin;
    }
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    qint64 altoSube = kMin, bajoSube = kMax, altoBaja = kMin, bajoBaja = kMax;
    for (int i = 0; i < static_cast<int>(cuadros.size()); ++i) {
        const Cuadro& c = cuadros[i];
        if (!c.EnUso)
            continue;
        if (c.Salto <= 0) {
            k.error = QStringLiteral("No se puede continuar la numeración: el cuadro Nº %1 tiene "
                                     "salto %2.")
                          .arg(i + 1)
                          .arg(c.Salto);
            return k;
        }
        qint64 copias = 0;
        try {
            copias = CopiasCuadro(c);
        } catch (const Falla& f) {
            k.error = QStringLiteral("No se puede continuar la numeración: %1").arg(f.descripcion);
            return k;
        }
        FilaContinuacion f;
        f.cuadro = i;
        f.descendente = c.Inicio > c.Fin || (c.Inicio == c.Fin && baja && !sube);
        f.primero = NumeroHoja(c, 0);
        f.ultimo = NumeroHoja(c, copias - 1);
        // A one-number box going down: its one number is its highest and lowest.
        const qint64 alto = std::max(f.primero, f.ultimo), bajo = std::min(f.primero, f.ultimo);
        if (f.descendente) {
            altoBaja = std::max(altoBaja, alto);
            bajoBaja = std::min(bajoBaja, bajo);
        } else {
            altoSube = std::max(altoSube, alto);
            bajoSube = std::min(bajoSube, bajo);
        }
        k.filas.push_back(f);
    }
    if (k.filas.empty()) {
        k.error = QStringLiteral("El trabajo no tiene cuadros que numerar.");
        return k;
    }
    if (altoSube != kMin)
        k.subida = altoSube - bajoSube + 1;
    if (altoBaja != kMin)
        k.bajada = altoBaja - bajoBaja + 1;
    for (FilaContinuacion& f : k.filas) {
        const qint64 d = f.descendente ? -k.bajada : k.subida;
        f.siguientePrimero = f.primero + d;
        f.siguienteUltimo = f.ultimo + d;
        for (qint64 v : {f.siguientePrimero, f.siguienteUltimo}) {
            if (v > kMaxNumeroContinuado || v < -kMaxNumeroContinuado) {
                k.error =
                    QStringLiteral("No se puede continuar la numeración: el cuadro Nº %1 "
                                   "llegaría al %2, y los números no pasan de %3.")
                        .arg(f.cuadro + 1)
                        .arg(FormatoMiles(v, idioma),
                             FormatoMiles(v > 0 ? kMaxNumeroContinuado : -kMaxNumeroContinuado,
                                          idioma));
                return k;
            }
        }
    }
    return k;
}

void Continuar(Cuadro& c, const FilaContinuacion& f, const Continuacion& k) {
    const double d = static_cast<double>(f.descendente ? -k.bajada : k.subida);
    c.Inicio += d;
    c.Fin += d;
}
