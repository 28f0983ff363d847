// What the sheet editor shows besides the boxes, decided without widgets: the
// zoom, the rulers, the central axes and the printer's printable area (its
// own view state; the main window's toggles reflect it), and the pointer's
// position for the status bar. It follows the open job's changes; the editor
// widget draws what this says.
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

private:
    Documento& m_doc;
    Mensajes& m_mensajes;
    QLocale m_idioma;
    VistaEditor m_vista;
    std::optional<Margenes> m_margenes; // model twips
    ElementosHoja m_elementos;
    SeleccionHoja m_seleccion{m_doc, m_elementos, m_idioma};
};
