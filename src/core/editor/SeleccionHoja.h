// Picking, selecting, dragging and nudging boxes on the sheet, as plain logic
// fed with points (screen twips inside the sheet), buttons and keys. Every
// move is written into the job at once (position / Zoom, halves to even) and
// marks it modified; the widget only shows the result. The tools' states are
// said through alCambiarHerramientas: the selection knows no toolbar.
#pragma once

#include "core/trabajo/Documento.h"

#include <QLocale>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>
#include <optional>

class ElementosHoja;

enum class Boton { Izquierdo, Derecho };
enum class Arrastre { Ninguno, Cuadro, Banda, Grupo };
enum class EstadoArrastre { Entra = 0, Sale = 1, Sobre = 2 };
enum class DondeSuelta { Hoja, Regla, Fuera };
// The pop-up menu a press opens: the box's or the sheet's.
enum class Emergente { Ninguno, Cuadro, Hoja };

// What the selection asks of the box tools, step by step as it changes: a
// field left empty is left as it is. The main window's tools reflect it.
struct HerramientasCuadro {
    std::optional<bool> cuadro;     // cut, copy, delete, properties, guide lines, lock
    std::optional<bool> alinear;    // the two align tools
    std::optional<bool> lineasGuia; // the guide-lines toggle pressed
    std::optional<bool> bloqueado;  // the lock toggle pressed
    bool operator==(const HerramientasCuadro&) const = default;
};

// Where the sheet was last right-clicked (screen twips): a new or pasted box
// chosen from the sheet's pop-up menu goes there.
struct PuntoInsercion {
    QPointF punto;
    bool marcado = false;
};

// What the arrow keys move a box, in the help's words, with the distances on
// the sheet at `zoom` (none when no sheet is shown).
QString TextoFlechas(std::optional<float> zoom, const QLocale& idioma);

class SeleccionHoja {
public:
    SeleccionHoja(Documento& documento, ElementosHoja& elementos, const QLocale& idioma);

    // Told of every change the selection makes to the box tools.
    std::function<void(const HerramientasCuadro&)> alCambiarHerramientas;

    PuntoInsercion& puntoInsercion() { return m_insercion; }

    // Mouse press on box i, at `enCuadro` from its top-left corner. Returns
    // the pop-up menu to open, if any.
    Emergente PulsarCuadro(int i, Boton boton, bool mayusculas, QPointF enCuadro);
    // Mouse press on the empty sheet: the sheet's menu for the right button.
    Emergente PulsarHoja(Boton boton, QPointF punto);
    // The pointer moves during a drag (it may be outside the sheet).
    void Arrastrar(QPointF punto, EstadoArrastre estado);
    // The button is released.
    void Soltar(QPointF punto, DondeSuelta donde);
    // A key on the current box; `ctrl` and `mayusculas` as held.
    void Tecla(int i, int tecla, bool mayusculas, bool ctrl);
    void SoltarTecla();
    // A box takes or loses the keyboard focus.
    void Foco(int i, bool gana);

    Arrastre arrastre() const { return m_arrastre; }
    // The rubber band, or the group's outline, while it is shown.
    bool cajaVisible() const { return m_cajaVisible; }
    QRectF caja() const { return m_caja; }
    // The current box has the keyboard focus (after a click or drop on it).
    int cuadroConFoco() const { return m_foco; }
    // A drag or a key is writing into the job the place its picture already
    // shows: the editor need not place that box again.
    bool escribiendo() const { return m_escribiendo; }

    // A step was undone or redone: nothing is selected, focused or dragged.
    void Olvidar();

    // Selection steps.
    bool VerPosicion();
    void QuitarSeleccion();
    void AlternarSeleccion(int i);
    // Every live box, as a group (none: nothing is selected).
    void SeleccionarTodo();
    void ArmarSeleccion();
    bool SeleccionarEnRectangulo(const QRectF& rect);
    void HabilitarHerramientasGrupo();
    void DeshabilitarHerramientasCuadro();

private:
    static constexpr double kBorde = 50; // a box's corner stays this far inside the sheet
    QSizeF hoja() const;
    void escribirPosicion(int i);
    void lineasGuia(int i);
    void iniciarGrupo(int i, QPointF enCuadro);
    void prepararArrastreGrupo();
    void arrastrarGrupo(QPointF punto, bool saliendo);
    void terminarGrupo();

    void herramientas(const HerramientasCuadro& h) {
        if (alCambiarHerramientas)
            alCambiarHerramientas(h);
    }

    Documento& m_doc;
    ElementosHoja& m_el;
    QLocale m_idioma;
    PuntoInsercion m_insercion;
    Arrastre m_arrastre = Arrastre::Ninguno;
    QPointF m_desvio;
    QPointF m_origen;
    QRectF m_caja;
    bool m_cajaVisible = false;
    QPointF m_fuente; // the group source's top-left
    double m_limIzq = 0, m_limSup = 0, m_limDer = 0, m_limInf = 0;
    int m_foco = -1;
    bool m_escribiendo = false;
    std::optional<Documento::Paso> m_paso; // the drag under way
};
