// The options dialog: defaults for new sheets and boxes, the start-up view
// and the printer to print on. The values are Opciones'.
#pragma once

#include "core/dialogos/Opciones.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

class FrmOpciones : public QDialog {
    Q_OBJECT
public:
    FrmOpciones(Opciones& opciones, QWidget* padre = nullptr);

    QPushButton* botonAplicar() const { return m_aplicar; }
    QTabWidget* pestanas() const { return m_pestanas; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QWidget* pestanaHoja();
    QWidget* pestanaNumeradores();
    QWidget* pestanaImpresora();
    void mostrar();
    void mostrarFuente();
    void cambio();

    Opciones& m_op;
    QTabWidget* m_pestanas;
    QPushButton* m_aplicar;
    // sheet
    class MarcoTamano* m_tamanoHoja;
    QRadioButton* m_vertical;
    QRadioButton* m_horizontal;
    QLabel* m_imagenHoja;
    QButtonGroup* m_vistas[3];
    // boxes
    QLabel* m_fuente;
    QLabel* m_tamano;
    QLabel* m_tipo[2];
    QLabel* m_color;
    QCheckBox* m_guias;
    QLabel* m_imagenGuias;
    QComboBox* m_cifras;
    QComboBox* m_rotacion;
    QLabel* m_imagenRotacion;
    // printer
    QListWidget* m_impresoras;
    QRadioButton* m_siempre;
    QRadioButton* m_elegir;
    bool m_actualizando = false;
};
