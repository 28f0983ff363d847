// What the sheet editor shows besides the boxes, decided without widgets: the
// zoom entry, the rulers, the central axes and the printer's printable area
// (switched by the tools BtnRegla, BtnEjes and BtnMargenes), and the pointer's
// position in the status bar. The editor widget draws what this says.
#pragma once

#include "core/editor/ElementosHoja.h"
#include "core/editor/GeometriaHoja.h"
#include "core/editor/SeleccionHoja.h"
#include "core/impresion/ComprobacionPapel.h"

#include <QObject>
#include <optional>

class Impresion;
class Principal;

class EditorHoja : public QObject {
    Q_OBJECT
public:
    EditorHoja(Principal& principal, Impresion& impresion, QObject* padre = nullptr);

    bool reglas() const;
    bool ejes() const;
    // The printable area's edges while BtnMargenes is pressed.
    std::optional<Margenes> margenes() const { return m_margenes; }

    // The zoom field: an entry chosen from the list or typed and Enter.
    void CambiarZoom(const QString& texto, OrigenZoom origen);
    // The aids as the tools say; the printable area asked of the printer again.
    void RefrescarVista();
    // The toggles' clicks.
    void AlternarReglas();
    void AlternarEjes();
    void AlternarMargenes();
    // Status panel 1 for a point of the sheet, screen twips.
    void MostrarPosicion(double x, double y);

    // The boxes as shown.
    const ElementosHoja& elementos() const { return m_elementos; }
    SeleccionHoja& seleccion() { return m_seleccion; }
    const SeleccionHoja& seleccion() const { return m_seleccion; }
    // Every box placed and drawn again from the model, then the aids (the
    // printable area asked of the printer again when shown).
    void RedibujarHoja();
    // Only the boxes: after a box command or the properties dialog, which do
    // not touch the sheet's aids.
    void DibujarCuadros();
    // The pointer over box i: it becomes the current box and the status bar
    // shows its place. Returns its tooltip ("X= 01,00 Y= 02,00").
    QString SobreCuadro(int i);

signals:
    void vistaCambiada();

private:
    Principal& m_p;
    Impresion& m_impresion;
    std::optional<Margenes> m_margenes;
    ElementosHoja m_elementos;
    SeleccionHoja m_seleccion{m_p, m_elementos};
};
