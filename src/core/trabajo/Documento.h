// The open job as the program's one model: its sheet, its box table, the
// selection, the file it came from and whether it differs from it. It
// changes only through the functions below, each of which says what changed;
// the editor, the dialogs and the main window listen and never keep a copy.
#pragma once

#include "core/trabajo/Estado.h"

#include <QObject>
#include <functional>

class Documento : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxCuadros = Estado::kMaxCuadros;

    // Gathers the box changes made in its scope into one cuadrosCambiados,
    // sent when the outermost batch ends: a paste or a delete of many boxes
    // is told once.
    class Lote {
    public:
        explicit Lote(Documento& d) : m_d(d) { ++d.m_lotes; }
        ~Lote() { m_d.terminarLote(); }
        Lote(const Lote&) = delete;
        Lote& operator=(const Lote&) = delete;

    private:
        Documento& m_d;
    };

    explicit Documento(QObject* padre = nullptr);

    // A job is open: the editor window shows it. Without one the model holds
    // the stored sheet and one free slot.
    bool abierto() const { return m_abierto; }

    const Estado& estado() const { return m_e; }
    const ::Trabajo& Trabajo() const { return m_e.Trabajo; }
    const std::vector<Cuadro>& Cuadros() const { return m_e.Cuadros; }
    qint16 CuadroActual() const { return m_e.CuadroActual; }
    const QList<qint16>& Seleccion() const { return m_e.Seleccion; }
    bool ModoGrupo() const { return m_e.ModoGrupo; }
    const QString& RutaTrabajo() const { return m_e.RutaTrabajo; }
    bool Modificado() const { return m_e.Modificado; }
    int limiteSuperior() const { return m_e.limiteSuperior(); }
    int cuadrosVivos() const { return m_e.cuadrosVivos(); }
    bool existe(int i) const { return i >= 0 && i <= limiteSuperior(); }

    void fijarAbierto(bool abierto);

    // The sheet (name, size, orientation, zoom and label sizes).
    void fijarHoja(const ::Trabajo& hoja);
    void fijarZoom(float zoom);
    void fijarRuta(const QString& ruta);
    void fijarModificado(bool modificado);

    // The selection: the current box, the listed boxes and group mode, and
    // each box's selected mark. None of these is part of the job's content.
    void fijarCuadroActual(int i);
    void fijarModoGrupo(bool grupo);
    void fijarSeleccion(const QList<qint16>& seleccion);
    void marcarSeleccionado(int i, bool si);

    // See Estado::AgregarCuadro; emits the new slot.
    int agregarCuadro(const Cuadro& defectos, QPoint posicion);
    void liberarCuadro(int i, QPoint posicion = {});
    // Box i takes `x`, `y` (model twips).
    void fijarPosicion(int i, qint32 x, qint32 y);
    // Applies `cambio` to every listed live slot and says so once.
    void cambiarCuadros(const QList<int>& cuadros, const std::function<void(Cuadro&)>& cambio);
    void cambiarCuadro(int i, const std::function<void(Cuadro&)>& cambio) {
        cambiarCuadros({i}, cambio);
    }

    // The box table back to one free slot, the selection with it. Leaves the
    // sheet, the path and the modified state alone.
    void limpiar();
    // The table read from a file takes the place of the open one.
    void cargar(std::vector<Cuadro> cuadros);

signals:
    void abiertoCambiado(bool abierto);
    void hojaCambiada();
    void zoomCambiado();
    void rutaCambiada();
    void modificadoCambiado(bool modificado);
    void seleccionCambiada();
    // Boxes whose record changed (added, freed, moved, edited).
    void cuadrosCambiados(const QList<int>& cuadros);
    // The whole table was replaced.
    void tablaCambiada();

private:
    void avisarCuadros(const QList<int>& cuadros);
    void terminarLote();

    Estado m_e;
    bool m_abierto = false;
    int m_lotes = 0;
    QList<int> m_pendientes; // changed in the open batch
};
