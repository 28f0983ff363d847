// The progress window of a print run, with its cancel button (also Escape).
#pragma once

#include "core/puertos/DialogosImpresion.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class FrmBar : public QDialog, public VentanaProgreso {
    Q_OBJECT
public:
    explicit FrmBar(QWidget* padre = nullptr);

    void mostrar(qint32 maximo) override;
    void actualizar(qint32 valor, const QString& texto) override;
    void procesarEventos() override;
    bool tomarCancelacion() override;
    void cerrar() override;

    QPushButton* botonCancelar() const { return m_cancelar; }
    QLabel* etiqueta() const { return m_texto; }
    QProgressBar* barra() const { return m_barra; }

protected:
    void reject() override; // Escape and the window's close button cancel
    void showEvent(QShowEvent* e) override;

private:
    QProgressBar* m_barra;
    QLabel* m_texto;
    QPushButton* m_cancelar;
    bool m_cancelacion = false;
};
