// What the printer adjustment dialog does, without widgets: while it is open
// the program's printer is the current one; it loads the stored correction of
// that printer and orientation, stores a new one typed in millimetres or
// centimetres, prints the test page and changes the printer.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/impresion/ImpresoraPrograma.h"

class DialogosImpresion;
class Mensajes;
class PoliticaFallas;
class Preferencias;

class AjusteImpresora {
public:
    AjusteImpresora(Preferencias& preferencias, PoliticaFallas& politica, Mensajes& mensajes,
                    DialogosImpresion& dialogos, ImpresoraPrograma& impresora,
                    QStringList carpetasAjusteAntiguo);

    // Opening and closing the dialog.
    void Abrir();
    void Cerrar();

    struct Valores {
        QString x; // in the chosen unit, "0.00"
        QString y;
        QString titulo;      // "Valores actuales para <printer> :"
        QString orientacion; // "Orientación  Vertical" / "Horizontal"
    };
    // The correction of the current printer and orientation (after taking an
    // older file over). Empty texts when there is no printer.
    Valores BuscarIniPrinter(bool milimetros);
    // Stores x and y typed in the chosen unit for the current printer, and
    // says so ("Corrección guardada para <impresora>"). Nothing, after its
    // message, for a correction past 5 cm or one that could not be stored.
    std::optional<QString> Aplicar(double x, double y, bool milimetros);
    void ImprimirPrueba();
    // The print-setup dialog; true when a printer was chosen.
    bool Configurar();

    QString Formato(double v) const; // "0.00" in the user's locale
    static double Twips(double valor, bool milimetros);
    static double DeTwips(double twips, bool milimetros);

private:
    Preferencias& m_pref;
    PoliticaFallas& m_politica;
    Mensajes& m_mensajes;
    DialogosImpresion& m_dialogos;
    ImpresoraPrograma& m_imp;
    QStringList m_carpetas;
    std::optional<ConImpresora> m_con; // while the dialog is open
};
