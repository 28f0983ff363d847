// The one open job and the variables the editor, the commands and the dialogs
// share. Created once by the program (a test makes a fresh one) and passed by
// reference; nothing else holds a copy of the model.
//
// Index i of Cuadros is also the index of box i's picture, handles and guide
// lines in the editor. The table always has at least one slot; the highest
// index is the working upper bound N.
#pragma once

#include "core/trabajo/Cuadro.h"
#include "core/trabajo/Trabajo.h"

#include <QList>
#include <QString>
#include <algorithm>
#include <vector>

class Ajustes;

class Estado {
public:
    // Raises Actualizando for a scope: the program is itself changing tool
    // states, list entries or field texts, and the events this causes do nothing.
    class Actualizar {
    public:
        explicit Actualizar(Estado& e) : m_e(e), m_antes(e.Actualizando) { e.Actualizando = true; }
        ~Actualizar() { m_e.Actualizando = m_antes; }
        Actualizar(const Actualizar&) = delete;
        Actualizar& operator=(const Actualizar&) = delete;

    private:
        Estado& m_e;
        bool m_antes;
    };

    Estado();

    ::Trabajo Trabajo;
    std::vector<Cuadro> Cuadros;

    qint16 CuadroActual = 0;
    QList<qint16> Seleccion;
    QString RutaTrabajo;
    bool Modificado = false;
    bool DialogoCancelado = false;
    bool ModoGrupo = false;
    qint32 PuntoX = 0; // screen twips
    qint32 PuntoY = 0;
    bool PuntoMarcado = false;
    bool Actualizando = false;

    // At most this many box slots (indexes are 16-bit).
    static constexpr int kMaxCuadros = 32767;

    int limiteSuperior() const { return static_cast<int>(Cuadros.size()) - 1; }
    int cuadrosVivos() const;

    // The new-box defaults stored by the options dialog (missing keys give the
    // built-in ones). Position fields are left at 0.
    static Cuadro DefectosCuadro(const Ajustes& ajustes);

    // Takes the lowest free slot or adds one, places it at PuntoX/PuntoY
    // (divided by Zoom), fills it from `defectos` and sets Modificado. Returns
    // the index, or -1 when the table already holds kMaxCuadros slots.
    int AgregarCuadro(const Cuadro& defectos);

    // Frees slot i for reuse (the delete command).
    void LiberarCuadro(int i);

    // Whoever sets EnUso false on a slot other than through LiberarCuadro
    // (a job file may hold a block marked unused) says so here, so the next
    // new box still takes the lowest free slot.
    void NotarRanuraLibre(int i) { m_libreDesde = std::min(m_libreDesde, i); }

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
