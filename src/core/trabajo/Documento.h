// The open job as the program's one model: its sheet, its box table, the
// selection, the file it came from and whether it differs from it. It
// changes only through the functions below, each of which says what changed;
// the editor, the dialogs and the main window listen and never keep a copy.
#pragma once

#include "core/trabajo/Estado.h"

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <map>
#include <optional>

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

    // One step of the job's history: every change to the job made in its
    // scope is undone and redone as one ("mover 3 cuadros"). `texto` names
    // it; "%n" in it becomes "1 cuadro" or "N cuadros", the boxes it touched.
    // Steps nest: the outermost one names the whole. A change made outside
    // any step is a step of its own. Steps of the same `fusion` (not 0) on
    // the same boxes, one after another, become one (the arrow keys).
    class Paso {
    public:
        Paso(Documento& d, const QString& texto, int fusion = 0);
        ~Paso();
        Paso(const Paso&) = delete;
        Paso& operator=(const Paso&) = delete;

    private:
        Documento& m_d;
    };
    static constexpr int kFusionEmpujar = 1;

    explicit Documento(QObject* padre = nullptr);
    ~Documento() override;

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
    // The job differs from its file (or, never saved, holds a change): the
    // history is off its clean point.
    bool Modificado() const { return !m_historia.isClean(); }
    int limiteSuperior() const { return m_e.limiteSuperior(); }
    int cuadrosVivos() const { return m_e.cuadrosVivos(); }
    bool existe(int i) const { return i >= 0 && i <= limiteSuperior(); }

    void fijarAbierto(bool abierto);

    // The sheet (name, size, orientation, zoom and label sizes).
    void fijarHoja(const ::Trabajo& hoja);
    void fijarZoom(float zoom);
    void fijarRuta(const QString& ruta);

    // The history of changes since the job was opened, made or saved.
    const QUndoStack& historia() const { return m_historia; }
    // Takes back (or makes again) the last step; nothing while a step is open.
    void deshacer();
    void rehacer();
    // The job now equals its file (it was saved): unmodified, and undoing
    // back to this point makes it so again.
    void marcarGuardado();
    // The job differs from its file though no step says so (a damaged file
    // read only in part): modified until saved.
    void marcarDistinto();
    // A job opened, made or closed: no history, unmodified.
    void olvidarHistoria();

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
    // A step was undone or redone: the selection was let go.
    void historiaAplicada();
    void seleccionCambiada();
    // Boxes whose record changed (added, freed, moved, edited).
    void cuadrosCambiados(const QList<int>& cuadros);
    // The whole table was replaced.
    void tablaCambiada();

private:
    friend class PasoHistoria;
    // What a step changed: the table's size and every touched slot as it
    // was (none: the slot did not exist), and the sheet when it changed.
    struct Foto {
        int tamano = 0;
        std::map<int, std::optional<Cuadro>> cuadros;
        std::optional<::Trabajo> hoja;
    };
    struct Registro {
        QString texto;
        int fusion = 0;
        Foto antes;
    };
    void avisarCuadros(const QList<int>& cuadros);
    void terminarLote();
    // Slot i (or the sheet) is about to change inside the open step.
    void anotar(int i);
    void anotarHoja();
    void empezarPaso(const QString& texto, int fusion);
    void terminarPaso();
    void aplicar(const Foto& foto);
    // The same job content: the selection marks and the view's zoom aside.
    static bool mismoContenido(const Foto& a, const Foto& b);

    Estado m_e;
    bool m_abierto = false;
    int m_lotes = 0;
    QList<int> m_pendientes; // changed in the open batch
    QUndoStack m_historia;
    int m_pasos = 0;          // open steps
    bool m_aplicando = false; // a step is being undone or redone
    std::optional<Registro> m_registro;
};
