// Step and repeat, without widgets: the selected boxes (the group, or the
// current box) laid out again in a grid of copies across and down, each copy
// a pitch (centimetres) from the one before. The grid counts the originals as
// its first cell, so "1 across, 4 down" makes three copies below them. The
// copies keep every property of their originals; copies that would not lie
// whole on the sheet are refused before anything is made. The copies are one
// step of the job's history, and the whole grid is selected afterwards, ready
// to be programmed as a group.
#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <optional>

class Documento;
class Mensajes;
class Preferencias;
class SeleccionHoja;

class RepetirCuadros {
public:
    RepetirCuadros(Documento& documento, SeleccionHoja& seleccion, Preferencias& preferencias,
                   Mensajes& mensajes);

    // The fields: copies across and down (whole numbers from 1), and the
    // pitch across and down, centimetres in the user's locale.
    QString columnas, filas, pasoX, pasoY;

    // Takes the originals and fills the fields: one copy each way, pitches
    // the size of the originals' outline. False when no box is selected.
    bool Abrir();

    // The boxes repeated (slots), and their outline (model twips).
    const QList<int>& originales() const { return m_originales; }
    QRectF contorno() const { return m_contorno; }

    // One box of a copy as it would land, model twips.
    struct Copia {
        QRectF rect;
        bool fuera = false; // not whole on the sheet
    };
    // Every new box the fields make, as they stand; empty while a field is
    // not valid.
    QList<Copia> copias() const;
    // One line on what Aceptar would do, or why it would not.
    QString resumen() const;

    // OK: -1 once the copies are made; else the field to mend (0 columnas,
    // 1 filas, 2 pasoX, 3 pasoY; 4 none), after its message.
    int Aceptar();

private:
    struct Rejilla {
        int columnas = 1, filas = 1;
        double pasoX = 0, pasoY = 0; // twips
    };
    // The grid the fields give, or the field that is wrong and why.
    std::optional<Rejilla> rejilla(int* campo = nullptr, QString* error = nullptr) const;
    // The offset of cell (columna, fila), whole twips.
    static QPoint desvio(const Rejilla& r, int columna, int fila);
    qint64 nuevos(const Rejilla& r) const;

    Documento& m_doc;
    SeleccionHoja& m_seleccion;
    Preferencias& m_pref;
    Mensajes& m_mensajes;
    QList<int> m_originales;
    QRectF m_contorno;
};
