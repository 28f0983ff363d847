// "Configuración de página": the sheet's paper and orientation.
#pragma once

#include "pagesetup/ConfiguracionPagina.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class FrmPapel : public QDialog {
    Q_OBJECT
public:
    FrmPapel(ConfiguracionPagina& configuracion, QWidget* padre = nullptr);

    QComboBox* lista() const { return m_lista; }
    QLineEdit* campoAncho() const { return m_ancho; }
    QLineEdit* campoAlto() const { return m_alto; }
    QRadioButton* horizontal() const { return m_horizontal; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void mostrar();
    void mostrarOrientacion();
    void aceptar();

    ConfiguracionPagina& m_conf;
    QComboBox* m_lista;
    QLineEdit* m_ancho;
    QLineEdit* m_alto;
    QLabel* m_etiquetaAncho;
    QLabel* m_etiquetaAlto;
    QRadioButton* m_vertical;
    QRadioButton* m_horizontal;
    QLabel* m_imagen;
    bool m_actualizando = false;
};
