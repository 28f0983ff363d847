// "Continuar numeración": the table of the boxes' first and last numbers in
// this run and the next, and OK to move every series on. The decisions are
// ContinuarNumeracion's.
#pragma once

#include "core/dialogos/ContinuarNumeracion.h"

#include <QDialog>

class QTableView;

class FrmContinuar : public QDialog {
    Q_OBJECT
public:
    FrmContinuar(ContinuarNumeracion& continuar, QWidget* padre = nullptr);

    QTableView* tabla() const { return m_tabla; }

private:
    ContinuarNumeracion& m_cont;
    QTableView* m_tabla;
};
