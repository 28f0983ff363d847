// "Repetir": copies of the selected boxes across and down, with a miniature
// of the sheet outlining where the copies land as the fields are typed. The
// decisions are RepetirCuadros'.
#pragma once

#include "core/editor/RepetirCuadros.h"

#include <QDialog>
#include <array>

class Documento;
class QLabel;
class QLineEdit;

class FrmRepetir : public QDialog {
    Q_OBJECT
public:
    FrmRepetir(RepetirCuadros& repetir, const Documento& documento, QWidget* padre = nullptr);

    // 0 copies across, 1 down, 2 pitch across, 3 pitch down.
    QLineEdit* campo(int k) const { return m_campos[k]; }
    QLabel* resumen() const { return m_resumen; }
    QWidget* muestra() const { return m_muestra; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void cambiado();
    void aceptar();

    RepetirCuadros& m_rep;
    std::array<QLineEdit*, 4> m_campos{};
    QLabel* m_resumen;
    QWidget* m_muestra;
};
