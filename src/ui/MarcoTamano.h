// The frame "Tamaño del papel" with the paper list and the two size fields,
// shown by the page setup dialog and by the options dialog's sheet tab. The
// behaviour is CamposTamano's; this is its one set of widgets.
#pragma once

#include "core/dialogos/CamposTamano.h"

#include <QGroupBox>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;

class MarcoTamano : public QGroupBox {
    Q_OBJECT
public:
    // `salir` runs CamposTamano::SalirCampo with the program's messages.
    MarcoTamano(CamposTamano& campos, std::function<bool(bool esAncho)> salir,
                QWidget* padre = nullptr);

    // Enter in the lower field (the dialog's OK), and any change the operator makes.
    std::function<void()> alAceptar;
    std::function<void()> alCambiar;

    void mostrar();
    // The fields' texts into the model.
    void leer();
    // "Ancho :" / "Alto :", exchanged in landscape.
    void fijarOrientacion(bool vertical);

    QComboBox* lista() const { return m_lista; }
    QLineEdit* campoAncho() const { return m_ancho; }
    QLineEdit* campoAlto() const { return m_alto; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    CamposTamano& m_campos;
    std::function<bool(bool)> m_salir;
    QComboBox* m_lista;
    QLineEdit* m_ancho;
    QLineEdit* m_alto;
    QLabel* m_etiquetaAncho;
    QLabel* m_etiquetaAlto;
    bool m_actualizando = false;
};

// The orientation picture: a page upright or lying, with lines of text.
QPixmap ImagenOrientacion(bool vertical, int lado = 48);
