// A job as a value: its sheet, its box table, the selection, the file it came
// from and whether it differs from it. The open job is one of these inside
// Documento, which alone changes it; the file reader fills a scratch one.
//
// Index i of Cuadros is also the index of box i's picture, handles and guide
// lines in the editor. The table always has at least one slot; the highest
// index is the working upper bound N.
#pragma once

#include "core/trabajo/Cuadro.h"
#include "core/trabajo/Trabajo.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <algorithm>
#include <vector>

class Estado {
public:
    Estado();

    ::Trabajo Trabajo;
    std::vector<Cuadro> Cuadros;

    qint16 CuadroActual = 0;
    QList<qint16> Seleccion;
    QString RutaTrabajo;
    bool Modificado = false;
    bool ModoGrupo = false;

    // At most this many box slots (indexes are 16-bit).
    static constexpr int kMaxCuadros = 32767;

    int limiteSuperior() const { return static_cast<int>(Cuadros.size()) - 1; }
    int cuadrosVivos() const;

    // Takes the lowest free slot or adds one, fills it from `defectos`, places
    // it at `posicion` (model twips) and sets Modificado. Returns the index,
    // or -1 when the table already holds kMaxCuadros slots.
    int AgregarCuadro(const Cuadro& defectos, QPoint posicion = {});

    // Frees slot i for reuse (the delete command); the free slot keeps
    // `posicion`.
    void LiberarCuadro(int i, QPoint posicion = {});

    // Whoever sets EnUso false on a slot other than through LiberarCuadro
    // (a job file may hold a block marked unused) says so here, so the next
    // new box still takes the lowest free slot.
    void NotarRanuraLibre(int i) { m_libreDesde = std::min(m_libreDesde, i); }
    // The slot the next AgregarCuadro fills: the lowest free one, or the
    // table's size when it would grow.
    int SiguienteRanura() const;

    // Empties the box table back to one free slot. Leaves Trabajo, RutaTrabajo
    // and Modificado alone.
    void LimpiarTrabajo();

    // Background colour of a new element n, continuing the cycle from the
    // colour of element n - 1.
    static qint32 SiguienteColorFondo(qint32 anterior);

private:
    // Every slot below this index is live: the search for a free slot starts
    // here, so reading a job of thousands of boxes stays linear.
    int m_libreDesde = 0;
};
