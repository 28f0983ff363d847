// What the editor shows of each box, decided without widgets: the box's
// picture (the text it prints on the sheet of the run shown, sized by its
// font at the zoom),
// its six handles, its two guide lines and the position label. Index i is box
// i. Lengths are screen twips inside the sheet (model twips x Zoom).
#pragma once

#include "core/editor/IndiceCuadros.h"
#include "core/trabajo/Estado.h"

#include <QList>
#include <QLocale>
#include <QRectF>
#include <QString>
#include <array>
#include <vector>

struct Elemento {
    QRectF rect;          // the box's picture
    bool visible = false; // the slot holds a live box
    bool manijas = false; // its handles are shown
    bool lineas = false;  // its guide lines are shown
    QString texto;        // what it prints on the sheet shown
    qint32 fondo = 0;     // background colour, 0x00BBGGRR
    // Its picture does not lie whole on the sheet. One wholly off it is shown
    // at the sheet's edge (its record keeps its position) so it can be
    // dragged back.
    bool fuera = false;
    bool enBorde = false; // shown at the sheet's edge, not at its position
    QPointF borde;        // where, while it stays there
    // Its series has ended before the sheet shown: an empty frame of the
    // size of its first number, so it can still be grabbed.
    bool vacio = false;
};

struct Etiqueta {
    QRectF rect;
    QString texto;
    bool visible = false;
};

class ElementosHoja {
public:
    const std::vector<Elemento>& elementos() const { return m_elementos; }
    const Etiqueta& etiqueta() const { return m_etiqueta; }
    // Where the shown boxes and their guide lines are.
    const IndiceCuadros& indice() const { return m_indice; }

    // Every box placed and drawn again from its record; handles for the
    // selected boxes of a group, guide lines where set.
    void RedibujarHoja(const Estado& estado);
    // The same for the listed boxes only (their records changed).
    void RedibujarCuadros(const Estado& estado, const QList<int>& cuadros);
    // Box i's text and size, at its current place.
    void DibujarCuadro(const Estado& estado, int i);
    // The sheet of the run the boxes show their texts for, 0 the first.
    // Taken by the next placing or drawing of a box.
    void fijarHoja(qint32 k) { m_hoja = k; }
    qint32 hoja() const { return m_hoja; }

    void MostrarManijas(int i) { elemento(i).manijas = true; }
    void OcultarManijas(int i) { elemento(i).manijas = false; }
    // Handle k (0 top-left, 1 first middle, 2 top-right, 3 bottom-left,
    // 4 second middle, 5 bottom-right) of box i.
    QRectF Manija(const Estado& estado, int i, int k) const;

    // The label beside the current box, with its position ("X= 01,00 Y= 02,00").
    void PosicionLbl(const Estado& estado, QSizeF hoja, const QLocale& idioma);
    void OcultarEtiqueta() { m_etiqueta.visible = false; }

    // The tooltip and label text of a box's picture at (left, top).
    static QString TextoUbicacion(QPointF esquina, float zoom, const QLocale& idioma,
                                  const QString& separadorY = QStringLiteral(" Y= "));

    // The text of a box's first number with its texts.
    static QString PrimerTexto(const Cuadro& c);
    // The text box c prints on sheet k of the run (0 the first), as the print
    // run has it; empty once its series has ended or cannot be numbered.
    static QString TextoEnHoja(const Cuadro& c, qint32 k);
    // Box c's picture at zoom 1, twips on the sheet.
    static QRectF Rectangulo(const Cuadro& c);
    // The live boxes whose picture does not lie whole on sheet `hoja`.
    static QList<int> FueraDeHoja(const std::vector<Cuadro>& cuadros, const ::Trabajo& hoja);

    // Text size at zoom 1, twips, in the box's font (bold, italic, face, size).
    static QSizeF MedirTexto(const Cuadro& c, const QString& texto);
    // The label's size for a text at a point size, twips.
    static QSizeF MedirEtiqueta(const QString& texto, double puntos);

    // The topmost live box under a point, or -1.
    int CuadroEn(QPointF punto) const;

    // Moving pictures (screen twips); the caller writes positions back.
    void Mover(int i, QPointF esquina);
    void Mostrar(int i, bool si);
    void MostrarLineas(int i, bool si);
    // The label beside the pointer during a drag of the current box.
    void EtiquetaArrastre(const Estado& estado, QPointF puntero, QSizeF hoja,
                          const QLocale& idioma);

private:
    Elemento& elemento(int i);
    void ColocarCuadro(const Estado& estado, int i);
    // Box i listed again where it is now shown.
    void indexar(int i);
    // An empty index, its grid laid over the sheet for the job's boxes.
    void vaciarIndice(const Estado& estado);
    std::vector<Elemento> m_elementos;
    Etiqueta m_etiqueta;
    IndiceCuadros m_indice;
    int m_indicePara = 0; // the boxes the index's grid was laid for
    qint32 m_hoja = 0;
};
