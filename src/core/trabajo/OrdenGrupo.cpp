#include "OrdenGrupo.h"

#include <algorithm>
#include <cmath>

QStringList TextosOrdenGrupo() {
    return {QStringLiteral("Consecutivos en cada hoja"), QStringLiteral("Para cortar y apilar"),
            QStringLiteral("El mismo número en todos")};
}

qint64 NumerosSerie(const SerieGrupo& s) {
    const qint64 salto = std::max<qint64>(s.salto, 1);
    return static_cast<qint64>(std::floor(std::fabs(s.fin - s.inicio) / salto)) + 1;
}

namespace {
qint64 LargoPila(const SerieGrupo& s, qint64 cuadros) {
    const qint64 n = std::max<qint64>(cuadros, 1);
    return (NumerosSerie(s) + n - 1) / n;
}
} // namespace

qint64 HojasGrupo(const SerieGrupo& s, qint64 cuadros, OrdenGrupo orden) {
    return orden == OrdenGrupo::MismoNumero ? NumerosSerie(s) : LargoPila(s, cuadros);
}

SerieCuadro SerieDeCuadro(const SerieGrupo& s, qint64 cuadros, OrdenGrupo orden, qint64 k) {
    const double signo = s.descendente() ? -1 : 1;
    const qint64 salto = std::max<qint64>(s.salto, 1);
    switch (orden) {
    case OrdenGrupo::Consecutivos:
        return {s.inicio + signo * static_cast<double>(k * salto), s.fin, cuadros * salto};
    case OrdenGrupo::CortarYApilar: {
        const qint64 r = LargoPila(s, cuadros);
        const double inicio = s.inicio + signo * static_cast<double>(k * r * salto);
        const double ultimo = s.inicio + signo * static_cast<double>(((k + 1) * r - 1) * salto);
        return {inicio, s.descendente() ? std::max(ultimo, s.fin) : std::min(ultimo, s.fin), salto};
    }
    case OrdenGrupo::MismoNumero:
        break;
    }
    return {s.inicio, s.fin, salto};
}

qint64 CuadroSinNumero(const SerieGrupo& s, qint64 cuadros, OrdenGrupo orden) {
    // The last box starts furthest along: if any box is left without a
    // number, it is the first past the series' end.
    for (qint64 k = 0; k < cuadros; ++k) {
        const double inicio = SerieDeCuadro(s, cuadros, orden, k).inicio;
        if (s.descendente() ? inicio < s.fin : inicio > s.fin)
            return k;
    }
    return -1;
}

QList<int> OrdenDeLectura(QList<std::pair<int, QRectF>> cuadros) {
    std::sort(cuadros.begin(), cuadros.end(), [](const auto& a, const auto& b) {
        return std::pair(a.second.top(), a.first) < std::pair(b.second.top(), b.first);
    });
    QList<int> orden;
    orden.reserve(cuadros.size());
    for (auto fila = cuadros.begin(); fila != cuadros.end();) {
        const double limite = fila->second.top() + fila->second.height() / 2;
        auto fin = std::find_if(fila, cuadros.end(),
                                [&](const auto& c) { return c.second.top() > limite; });
        std::sort(fila, fin, [](const auto& a, const auto& b) {
            return std::pair(a.second.left(), a.first) < std::pair(b.second.left(), b.first);
        });
        for (auto it = fila; it != fin; ++it)
            orden.append(it->first);
        fila = fin;
    }
    return orden;
}
