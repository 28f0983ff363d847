// Windows-1252, the code page job files are written in. Qt has no codec for it,
// and the table is small.
#pragma once

#include <QByteArray>
#include <QString>

QString DecodificarCp1252(QByteArrayView bytes);

// Encodes text; characters the code page cannot hold become '?'. Returns false
// when any character was replaced.
bool CodificarCp1252(QStringView texto, QByteArray& salida);

// A line read from a job file: UTF-8 when it is valid UTF-8 holding non-ASCII
// characters (a file edited on another system), Windows-1252 otherwise.
QString DecodificarLinea(QByteArrayView bytes);
