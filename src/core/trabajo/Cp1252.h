// Windows-1252, the code page job files are written in. Qt has no codec for it,
// and the table is small.
#pragma once

#include <QByteArray>
#include <QString>

QString DecodificarCp1252(QByteArrayView bytes);

// Encodes text; characters the code page cannot hold become '?'. Returns false
// when any character was replaced.
bool CodificarCp1252(QStringView texto, QByteArray& salida);

// Tells, from a file's bytes given in pieces, whether the whole file is UTF-8
// holding non-ASCII characters (a job edited on another system); any other
// file is Windows-1252. Decided for the whole file, never line by line: a
// legacy line such as "Ã©" is valid UTF-8 too, and must stay as it is.
class DetectorUtf8 {
public:
    void agregar(QByteArrayView bytes);
    bool esUtf8() const { return m_valido && m_faltan == 0 && m_noAscii; }
    // Nothing added later can make the file UTF-8.
    bool descartado() const { return !m_valido; }

private:
    bool m_valido = true;
    bool m_noAscii = false;
    int m_faltan = 0;                         // continuation bytes still owed
    unsigned char m_min = 0x80, m_max = 0xBF; // range of the next one
};
