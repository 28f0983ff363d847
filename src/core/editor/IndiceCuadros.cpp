#include "IndiceCuadros.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace {
// About one box a cell, and never more cells than this (1.5 MB of lists).
constexpr int kMaxCeldas = 256 * 256;
} // namespace

void IndiceCuadros::Vaciar(QSizeF hoja, int cuadros) {
    const double ancho = std::max(1.0, hoja.width());
    const double alto = std::max(1.0, hoja.height());
    const double celdas = std::clamp(cuadros, 1, kMaxCeldas);
    m_columnas =
        std::clamp(static_cast<int>(std::ceil(std::sqrt(celdas * ancho / alto))), 1, kMaxCeldas);
    m_filas =
        std::clamp(static_cast<int>(std::ceil(celdas / m_columnas)), 1, kMaxCeldas / m_columnas);
    m_anchoCelda = ancho / m_columnas;
    m_altoCelda = alto / m_filas;
    m_celdas.assign(static_cast<size_t>(m_columnas) * m_filas, {});
    m_lugares.clear();
    m_arriba.clear();
    m_izquierda.clear();
    m_visto.clear();
}

QRect IndiceCuadros::celdas(const QRectF& r) const {
    // Beyond the grid a rectangle falls in its edge cells; NaN lands in the first.
    const auto columna = [&](double x) {
        const double c = std::floor(x / m_anchoCelda);
        return c >= m_columnas ? m_columnas - 1 : c > 0 ? static_cast<int>(c) : 0;
    };
    const auto fila = [&](double y) {
        const double f = std::floor(y / m_altoCelda);
        return f >= m_filas ? m_filas - 1 : f > 0 ? static_cast<int>(f) : 0;
    };
    const QRectF n = r.normalized();
    return QRect(QPoint(columna(n.left()), fila(n.top())),
                 QPoint(columna(n.right()), fila(n.bottom())));
}

void IndiceCuadros::quitarDeCeldas(int i, const QRect& celdas) {
    for (int f = celdas.top(); f <= celdas.bottom(); ++f)
        for (int c = celdas.left(); c <= celdas.right(); ++c) {
            std::vector<int>& lista = m_celdas[static_cast<size_t>(f) * m_columnas + c];
            const auto it = std::find(lista.begin(), lista.end(), i);
            if (it != lista.end()) {
                *it = lista.back();
                lista.pop_back();
            }
        }
}

void IndiceCuadros::Poner(int i, const QRectF& rect, bool visible, bool lineas) {
    if (i < 0)
        return;
    if (static_cast<size_t>(i) >= m_lugares.size())
        m_lugares.resize(i + 1);
    Lugar& lugar = m_lugares[i];
    const QRect nuevas = visible ? celdas(rect) : QRect();
    if (nuevas != lugar.celdas) {
        quitarDeCeldas(i, lugar.celdas);
        for (int f = nuevas.top(); f <= nuevas.bottom(); ++f)
            for (int c = nuevas.left(); c <= nuevas.right(); ++c)
                m_celdas[static_cast<size_t>(f) * m_columnas + c].push_back(i);
        lugar.celdas = nuevas;
    }
    const auto listar = [i](std::set<std::pair<double, int>>& lista, std::optional<double>& donde,
                            std::optional<double> ahora) {
        if (donde == ahora)
            return;
        if (donde)
            lista.erase({*donde, i});
        if (ahora)
            lista.emplace(*ahora, i);
        donde = ahora;
    };
    // A position that is not a number has no place in a sorted list.
    const bool conLineas =
        visible && lineas && std::isfinite(rect.top()) && std::isfinite(rect.left());
    listar(m_arriba, lugar.arriba, conLineas ? std::optional(rect.top()) : std::nullopt);
    listar(m_izquierda, lugar.izquierda, conLineas ? std::optional(rect.left()) : std::nullopt);
}

void IndiceCuadros::Quitar(int i) {
    if (i >= 0 && static_cast<size_t>(i) < m_lugares.size())
        Poner(i, {}, false, false);
}

std::vector<int> IndiceCuadros::En(const QRectF& zona) const {
    std::vector<int> cuadros;
    if (m_visto.size() < m_lugares.size())
        m_visto.resize(m_lugares.size(), 0);
    if (++m_vuelta == 0) {
        // Wrapped around: old marks would read as this pass's.
        std::fill(m_visto.begin(), m_visto.end(), 0);
        m_vuelta = 1;
    }
    const QRect z = celdas(zona);
    for (int f = z.top(); f <= z.bottom(); ++f)
        for (int c = z.left(); c <= z.right(); ++c)
            for (int i : m_celdas[static_cast<size_t>(f) * m_columnas + c])
                if (m_visto[i] != m_vuelta) {
                    m_visto[i] = m_vuelta;
                    cuadros.push_back(i);
                }
    std::sort(cuadros.begin(), cuadros.end());
    return cuadros;
}

void IndiceCuadros::Lineas(bool horizontal, double desde, double hasta,
                           const std::function<void(int)>& cada) const {
    const std::set<std::pair<double, int>>& lista = horizontal ? m_arriba : m_izquierda;
    auto it = lista.lower_bound({desde, std::numeric_limits<int>::min()});
    while (it != lista.end() && it->first <= hasta) {
        // Past every box at this position; the one before is the highest.
        const auto siguiente = lista.lower_bound({it->first, std::numeric_limits<int>::max()});
        cada(std::prev(siguiente)->second);
        it = siguiente;
    }
}
