// The box properties dialog: numbering, texts, digits, position, rotation,
// font and colour of one box, or of the selection (optionally programmed as
// one interleaved series). The decisions are PropiedadesCuadro's.
#pragma once

#include "core/dialogos/PropiedadesCuadro.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class FrmProp : public QDialog {
    Q_OBJECT
public:
    FrmProp(PropiedadesCuadro& propiedades, QWidget* padre = nullptr);

    QLineEdit* campo(int k) const { return m_campos[k]; }
    QLabel* sentido() const { return m_sentido; }
    QLineEdit* posicionX() const { return m_posX; }
    QLineEdit* posicionY() const { return m_posY; }
    QComboBox* rotacion() const { return m_rotacion; }
    QComboBox* orden() const { return m_orden; }
    QPushButton* botonAceptar() const { return m_aceptar; }

    // The dialog's fields from the presenter's values.
    void mostrar();

    // Where the dialog's inside stood when it closed: the place to open it at
    // next time. The inside, not the frame: window managers report the
    // frame's corner otherwise than they place it, and the dialog crept.
    QPoint lugarAlCerrar() const { return m_lugarAlCerrar; }
    void done(int resultado) override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void leerCampos();
    void aceptar();
    void elegirFuente();
    void elegirColor();
    void mostrarFuente();
    // The copy count and, beside it, whether the series counts down.
    void mostrarCopias();
    QWidget* siguiente(QObject* desde) const;

    PropiedadesCuadro& m_prop;
    std::array<QLineEdit*, 8> m_campos{};
    QLineEdit* m_posX;
    QLineEdit* m_posY;
    QComboBox* m_rotacion;
    QComboBox* m_orden; // a group's order, shown for a group's series
    QLabel* m_ordenEtiqueta;
    QLabel* m_fuente;
    QLabel* m_tamano;
    QLabel* m_tipo[2];
    QLabel* m_color;
    QLabel* m_sentido;
    QPoint m_lugarAlCerrar;
    QPushButton* m_aceptar;
    bool m_llenando = false;
};
