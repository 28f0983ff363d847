// "Configuración de página": the sheet's paper and orientation.
#pragma once

#include "core/dialogos/ConfiguracionPagina.h"

#include <QDialog>

class MarcoTamano;
class QLabel;
class QRadioButton;

class FrmPapel : public QDialog {
    Q_OBJECT
public:
    FrmPapel(ConfiguracionPagina& configuracion, QWidget* padre = nullptr);

    MarcoTamano* tamano() const { return m_tamano; }
    QRadioButton* horizontal() const { return m_horizontal; }

private:
    void mostrarOrientacion();
    void aceptar();

    ConfiguracionPagina& m_conf;
    MarcoTamano* m_tamano;
    QRadioButton* m_vertical;
    QRadioButton* m_horizontal;
    QLabel* m_imagen;
};
