// Where the shown boxes are, so that finding the box under the pointer and
// painting a part of the sheet cost what lies there, not the whole job: a
// grid of cells over the sheet, each listing the boxes whose picture touches
// it, and the shown guide lines sorted by where they run. A box anywhere
// (off the sheet too) is listed: the cells at the grid's edges hold
// everything beyond them.
#pragma once

#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <functional>
#include <optional>
#include <set>
#include <utility>
#include <vector>

class IndiceCuadros {
public:
    // Forgets every box; the grid is laid over a sheet of `hoja` (screen
    // twips) for about `cuadros` boxes.
    void Vaciar(QSizeF hoja, int cuadros);
    // Box i as it is shown now: its picture, whether it is shown, and whether
    // its guide lines are.
    void Poner(int i, const QRectF& rect, bool visible, bool lineas);
    void Quitar(int i);

    // The shown boxes whose picture may meet `zona`, in ascending order (the
    // order they are drawn in). A superset: callers test the rectangles.
    std::vector<int> En(const QRectF& zona) const;
    // Where shown guide lines run within [desde, hasta]: horizontal ones (at
    // boxes' tops) or vertical ones (at their lefts), in the order of their
    // position. Each position once, with the last box drawn there (the
    // highest), whose line is the one seen: a row of boxes has one line.
    void Lineas(bool horizontal, double desde, double hasta,
                const std::function<void(int)>& cada) const;

private:
    struct Lugar {
        QRect celdas;                            // the cells it is listed in; empty when not listed
        std::optional<double> arriba, izquierda; // where its guide lines are listed
    };
    QRect celdas(const QRectF& r) const;
    void quitarDeCeldas(int i, const QRect& celdas);

    double m_anchoCelda = 1, m_altoCelda = 1;
    int m_columnas = 1, m_filas = 1;
    std::vector<std::vector<int>> m_celdas = std::vector<std::vector<int>>(1);
    std::vector<Lugar> m_lugares;
    std::set<std::pair<double, int>> m_arriba, m_izquierda;
    mutable std::vector<unsigned> m_visto;
    mutable unsigned m_vuelta = 0;
};
