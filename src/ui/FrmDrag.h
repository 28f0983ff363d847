// The editor window: the sheet at its zoom on a grey desk, with the central
// axes and the printer's printable area when their tools are pressed, and the
// rulers along the window's top and left edges. It scrolls when larger than
// the main window; the rulers stay at the edges and follow the sheet.
#pragma once

#include <QCache>
#include <QPixmap>
#include <QRegion>
#include <QScrollArea>
#include <functional>
#include <tuple>
#include <vector>

class EditorHoja;
class Documento;
class FondoHoja;

class VistaHoja : public QWidget {
    Q_OBJECT
public:
    VistaHoja(const Documento& documento, EditorHoja& editor, QWidget* padre = nullptr);
    // The sheet's size and place in this widget, pixels.
    QSize tamanoHoja() const;
    QPoint origenHoja() const;
    void ajustar();

    // Screen twips <-> pixels of this widget.
    double pixeles(double twips) const;
    double twips(double pixeles) const;
    // A point of this widget in screen twips from the sheet's corner.
    QPointF enHoja(QPointF pixel) const;
    // What a move of the current drag may change on screen (widget pixels):
    // the moved outline or box, its guide lines and the label.
    QRegion zonaArrastre() const;
    // A box picture is kept only up to 16 MiB, and all of them up to 128 MiB
    // (the least recently drawn go first): a huge font at a high zoom would
    // otherwise ask for gigabytes.
    static constexpr qint64 kMaxPixelesImagen = 4 * 1024 * 1024;
    static constexpr qint64 kMaxPixelesImagenes = 32 * 1024 * 1024;
    // Pixels held by the kept box pictures.
    qint64 pixelesGuardados() const { return m_imagenes.totalCost(); }

    // Opens a pop-up menu of the main window ("MnuHoja", "MnuCuadro") at the pointer.
    std::function<void(const QString&)> abrirMenu;
    // A double click on a box opens its properties.
    std::function<void(int)> abrirPropiedades;
    // Ctrl and the wheel: one zoom step in (1) or out (-1) per notch.
    std::function<void(int)> pasoZoom;
    // Whether a point of the screen lies on a ruler (a drag released there).
    std::function<bool(QPoint)> sobreReglas;

    float zoom() const;

    // The form's picture drawn faint under the boxes (none when null); the
    // view follows its changes.
    void fijarFondo(const FondoHoja* fondo);
    // The picture is kept at the sheet's size on screen up to 64 MiB.
    static constexpr qint64 kMaxPixelesFondo = 16 * 1024 * 1024;
    // Pixels held by the picture made for the current zoom.
    qint64 pixelesFondo() const { return qint64(m_fondoPixmap.width()) * m_fondoPixmap.height(); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    void dibujarCuadros(QPainter& p, const QRect& zona);
    QRectF enPixeles(const QRectF& twips) const;
    // The position label's place (screen twips), wide enough for its text
    // in the screen's font.
    QRectF rectEtiqueta() const;

    // A box's picture, made at the second paint of a look and kept while its
    // text, font, colours, rotation and the zoom stay: moving boxes never
    // draws text again, and boxes that look alike share one. None the first
    // time, and for a box beyond the limits above: it is drawn directly,
    // only where painted.
    const QPixmap* imagenCuadro(int i);
    void dibujarCuadroDirecto(QPainter& p, int i, const QRectF& rect);

    // The form's picture over `hoja` (widget pixels), only inside `zona`.
    // False when there is none to draw.
    bool dibujarFondo(QPainter& p, const QRect& hoja, const QRect& zona);

    bool dentroDeHoja(QPointF pixel) const;
    bool sobreRegla(QPointF pixel) const;
    // The screen's dots to the inch and device pixel ratio, taken again at
    // every layout and paint: asking the screen for them costs more than
    // drawing a small box, and a paint asks for every box.
    void tomarPantalla();
    double m_porPulgada = 96;
    qreal m_escala = 1;

    const Documento& m_doc;
    EditorHoja& m_editor;
    bool m_dentro = true; // the pointer is over the sheet during a drag
    int m_rueda = 0;      // wheel turn not yet a whole notch (fine-grained wheels)
public:
    // What a box's picture depends on. An empty frame (the box prints
    // nothing on the sheet shown) has no text, and its size.
    struct ClaveImagen {
        QString texto, fuente;
        float tamano = 0;
        int estilo = 0;
        qint32 color = 0, fondo = 0;
        qint16 rotacion = 0;
        float zoom = 0;
        qreal escala = 1;
        bool vacio = false;
        double ancho = 0, alto = 0;
        bool operator==(const ClaveImagen& o) const = default;
    };

private:
    // The cost of a picture is its pixels; none is null.
    QCache<ClaveImagen, QPixmap> m_imagenes{kMaxPixelesImagenes};
    // Per box, the look it was last drawn directly with (its hash).
    std::vector<size_t> m_vistas;
    // The picture at the sheet's size on screen, made once per zoom and
    // picture; past kMaxPixelesFondo it is drawn from the picture.
    const FondoHoja* m_fondo = nullptr;
    QPixmap m_fondoPixmap;
    std::tuple<quint64, QSize> m_claveFondo;
};

size_t qHash(const VistaHoja::ClaveImagen& c, size_t semilla = 0);

// A ruler in the editor window's margin: centimetres of the sheet from its
// corner, drawn where the sheet is now.
class ReglaHoja : public QWidget {
    Q_OBJECT
public:
    ReglaHoja(Qt::Orientation orientacion, const VistaHoja& hoja, QWidget* padre);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Qt::Orientation m_orientacion;
    const VistaHoja& m_hoja;
};

class FrmDrag : public QScrollArea {
    Q_OBJECT
public:
    FrmDrag(const Documento& documento, EditorHoja& editor, QWidget* padre = nullptr);
    VistaHoja* hoja() const { return m_hoja; }
    ReglaHoja* reglaHorizontal() const { return m_reglaX; }
    ReglaHoja* reglaVertical() const { return m_reglaY; }

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    // Shows or hides the rulers with their tool, making room for them.
    void mostrarReglas();
    void colocarReglas();

    EditorHoja& m_editor;
    VistaHoja* m_hoja;
    ReglaHoja* m_reglaX;
    ReglaHoja* m_reglaY;
};
