// What the sheet editor shows besides the boxes, decided without widgets: the
// zoom, the rulers, the central axes and the printer's printable area (its
// own view state; the main window's toggles reflect it), the sheet of the run
// whose texts the boxes show, and the pointer's position for the status bar. It follows the open
// job's changes; the editor widget draws what this says.
#pragma once

#include "core/editor/ElementosHoja.h"
#include "core/editor/GeometriaHoja.h"
#include "core/editor/SeleccionHoja.h"
#include "core/impresion/ComprobacionPapel.h"

#include <QLocale>
#include <QObject>
#include <functional>
#include <optional>

class Documento;
class Mensajes;

// The aids the operator switches on and off.
struct VistaEditor {
    bool reglas = false;
    bool ejes = false;
    bool margenes = false;
};

// A step through the run's sheets (Re Pág, Av Pág, Inicio, Fin).
enum class PasoHoja { Anterior, Siguiente, Primera, Ultima };

class EditorHoja : public QObject {
    Q_OBJECT
public:
    EditorHoja(Documento& documento, Mensajes& mensajes, const QLocale& idioma,
               QObject* padre = nullptr);

    // The printable area of the program's printer on the sheet, model twips
    // (after the paper check, which may warn); nothing without a printer.
    std::function<std::optional<Margenes>()> comprobarMargenes;

    const VistaEditor& vista() const { return m_vista; }
    bool reglas() const { return m_vista.reglas; }
    bool ejes() const { return m_vista.ejes; }
    // The printable area's edges while shown, screen twips.
    std::optional<Margenes> margenes() const;

    // The zoom field: an entry chosen from the list or typed and Enter. The
    // text the field must show when it changes (a value out of range is put
    // back, after its message).
    std::optional<QString> CambiarZoom(const QString& texto, OrigenZoom origen);
    // The printable area asked of the printer again (after the printer or
    // the sheet changed).
    void RefrescarVista();
    // The toggles.
    void AlternarReglas(bool si);
    void AlternarEjes(bool si);
    void AlternarMargenes(bool si);
    // Status text for a point of the sheet, screen twips (see posicionCambiada).
    void MostrarPosicion(double x, double y);

    // The sheet of the run the boxes show (1 the first) and the run's length
    // R (at least 1). View state: never written to the job, never a step of
    // its history. Sheet 1 when a job opens or is made; held to R when the
    // run gets shorter.
    qint32 hojaMostrada() const { return m_elementos.hoja() + 1; }
    qint32 hojasTirada() const { return m_hojasTirada; }
    // Shows sheet k; false, and nothing changes, outside 1..R.
    bool MostrarHoja(qint32 k);
    void PasarHoja(PasoHoja paso);
    // The Hoja field's text on Enter: a whole number 1..R is shown; anything
    // else is refused with a message. The text the field must show.
    QString IntroducirHoja(const QString& texto);

    // The boxes as shown.
    const ElementosHoja& elementos() const { return m_elementos; }
    SeleccionHoja& seleccion() { return m_seleccion; }
    const SeleccionHoja& seleccion() const { return m_seleccion; }
    // Every box placed and drawn again from the model.
    void RedibujarHoja();
    // Only the boxes: after a box command or the properties dialog, which do
    // not touch the sheet's aids.
    void DibujarCuadros();
    // Every box on the sheet, as a group.
    void SeleccionarTodo();
    // The pointer over box i: it becomes the current box and the status bar
    // shows its place. Returns its tooltip ("X= 01,00 Y= 02,00").
    QString SobreCuadro(int i);

signals:
    void vistaCambiada();
    // The status bar's position panel ("X= 01,00 Y= 02,00").
    void posicionCambiada(const QString& texto);
    // The sheet shown or the run's length changed.
    void hojaMostradaCambiada();

private:
    // The run's length measured again after the boxes changed; the sheet
    // shown held to it. True when the sheet shown changed (every box must be
    // drawn again).
    bool MedirTirada();
    void VolverAPrimeraHoja();

    Documento& m_doc;
    Mensajes& m_mensajes;
    QLocale m_idioma;
    VistaEditor m_vista;
    std::optional<Margenes> m_margenes; // model twips
    qint32 m_hojasTirada = 1;
    ElementosHoja m_elementos;
    SeleccionHoja m_seleccion{m_doc, m_elementos, m_idioma};
};
