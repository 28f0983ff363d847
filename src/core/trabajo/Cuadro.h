// One numbering box of a job. Lengths are twips at zoom 1 (567 per cm);
// colours are 0x00BBGGRR. Inicio and Fin are doubles so every whole number up to
// 999,999,999 (and well beyond) is held exactly.
#pragma once

#include <QString>
#include <QtGlobal>

struct Cuadro {
    qint16 Cifras = 0;
    double Inicio = 0;
    double Fin = 0;
    qint16 Salto = 0;
    QString TextoIzq;
    QString TextoDer;
    bool LineasGuia = false;
    QString FontName;
    float FontSize = 0;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;
    qint32 PosY = 0;
    qint32 PosX = 0;
    bool EnUso = false;
    qint32 Color = 0;
    bool Bloqueado = false;
    qint16 Rotacion = 0;
    qint32 ColorFondo = 0;
    bool Seleccionado = false;

    bool operator==(const Cuadro&) const = default;
};
