// "Ajuste Impresora": the operator prints a test page, measures where its two
// marks landed and types the differences; the correction is stored for the
// printer and orientation.
#pragma once

#include "core/impresion/AjusteImpresora.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

class FrmSetup : public QDialog {
    Q_OBJECT
public:
    FrmSetup(AjusteImpresora& ajuste, QWidget* padre = nullptr);
    ~FrmSetup() override;

    QPushButton* botonSeguir() const { return m_seguir; }
    QLineEdit* campoX() const { return m_x; }
    QLineEdit* campoY() const { return m_y; }
    QRadioButton* opcionCentimetros() const { return m_cm; }
    QLabel* titulo() const { return m_titulo; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void continuar();
    void aplicar();
    void configurar();
    void cambiarUnidad();
    void mostrarValores();
    void parpadear(QLabel* etiqueta);
    bool milimetros() const;
    double valor(const QLineEdit* campo) const;

    AjusteImpresora& m_ajuste;
    QPlainTextEdit* m_instrucciones;
    QWidget* m_valores;
    QLabel* m_titulo;
    QLabel* m_orientacion;
    QLabel* m_etiquetaX;
    QLabel* m_etiquetaY;
    QLabel* m_guardado; // "Corrección guardada para ..." after Aplicar
    QLineEdit* m_x;
    QLineEdit* m_y;
    QRadioButton* m_mm;
    QRadioButton* m_cm;
    QPushButton* m_seguir;
    QTimer* m_reloj;
    QLabel* m_parpadea = nullptr;
    bool m_etapaAplicar = false;
    bool m_cmElegido = false;
};
