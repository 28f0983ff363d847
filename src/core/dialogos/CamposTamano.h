// The paper list and the two size fields (width and height in portrait terms,
// cm) of the page setup dialog and of the options dialog's sheet tab: entering
// a field switches the list to "Personal"; leaving it without typing returns
// to the previous paper, or finds the standard paper the sizes match.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include "core/trabajo/Trabajo.h"

class Mensajes;

class CamposTamano {
public:
    explicit CamposTamano(const QLocale& idioma);

    static constexpr int kPersonal = 6;

    QStringList entradas() const; // the six papers, then "Personal"
    int indice = kPersonal;       // the list's entry
    QString ancho;                // "00.00"
    QString alto;
    bool tamanoEditado = false;
    int indiceAnterior = kPersonal;

    // The list's entry chosen (by the operator or the program).
    void Seleccionar(int i);
    // The sizes in portrait terms, cm, with "Personal".
    void FijarTamano(double anchoCm, double altoCm);
    // A sheet: its paper when the name is one, else its size (twips, as laid
    // out) turned to portrait terms.
    void Cargar(const QString& nombre, qint32 anchoTwips, qint32 altoTwips, bool vertical);
    // Why the fields make no sheet a job file can hold: a field that holds no
    // number, or a side past the limits. Empty when they make one.
    QString ErrorTamano() const;
    // The fields into a sheet: name, orientation and size as laid out. False
    // (the sheet untouched) when ErrorTamano() has something to say.
    bool Aplicar(::Trabajo& hoja, bool vertical) const;
    // A size field gains the focus; its text changes; it loses the focus (false,
    // after its message, when it holds no number or a side past the limits).
    void EntrarCampo();
    void TextoCambiado();
    bool SalirCampo(bool esAncho, Mensajes& mensajes);

    // The selected paper's name, or "Personal".
    QString nombre() const;
    QString Formato(double cm) const; // "00.00"

private:
    QString ErrorLado() const;
    QLocale m_idioma;
};
