// Herramientas > "Historial de tiradas...": the table of runs, newest first
// (date, job, printer, sheets, sheets sent, outcome), with "Reimprimir
// hojas..." and "Continuar" for the run chosen. What they do is
// HistorialTiradas'; the dialog closes before the print dialog opens.
#pragma once

#include "core/programa/HistorialTiradas.h"

#include <QDialog>

class Programa;
class QLabel;
class QPushButton;
class QTableWidget;

class FrmHistorial : public QDialog {
    Q_OBJECT
public:
    FrmHistorial(HistorialTiradas& historial, QWidget* padre = nullptr);

    QTableWidget* tabla() const { return m_tabla; }
    QPushButton* botonReimprimir() const { return m_reimprimir; }
    QPushButton* botonContinuar() const { return m_continuar; }

    // What the operator chose, run after the dialog closed.
    enum class Accion { Ninguna, Reimprimir, Continuar };
    Accion accion() const { return m_accion; }
    const RegistroTirada* elegida() const;

private:
    void llenar();
    void seleccionCambiada();
    void elegir(Accion accion);

    HistorialTiradas& m_h;
    QTableWidget* m_tabla;
    QLabel* m_avisos;
    QPushButton* m_reimprimir;
    QPushButton* m_continuar;
    Accion m_accion = Accion::Ninguna;
    int m_fila = -1;
};

// The dialog over the program's run log, and the operator's choice carried out.
void MostrarHistorialTiradas(Programa& programa, QWidget* padre);
