// The lines of a job file, read with bounds: LF, CR LF or a lone CR ends a
// line; a line longer than kMaxLinea bytes is reported, never held; reading
// stops once more than kMaxArchivo bytes came in (a pipe or a device has no
// size to check beforehand). Every byte read also goes to a DetectorUtf8,
// which decides the file's encoding.
#pragma once

#include <QByteArray>
#include <QtGlobal>

class DetectorUtf8;
class QIODevice;

class LectorLineas {
public:
    LectorLineas(QIODevice& f, DetectorUtf8& utf8) : m_f(f), m_utf8(utf8) {}

    // Linea: `linea` holds the next line, without its end. Fin: nothing is
    // left. Larga: the line was too long (`linea` is empty). Error: the
    // device failed. Grande: the file is too large.
    enum class Estado { Linea, Fin, Larga, Error, Grande };

    Estado siguiente(QByteArray& linea);

    // Lines given so far (Linea and Larga), so the next one is numero() + 1.
    qint64 numero() const { return m_numero; }

private:
    Estado terminar(bool larga);
    bool rellenar();

    QIODevice& m_f;
    DetectorUtf8& m_utf8;
    QByteArray m_buf;
    qsizetype m_pos = 0;
    bool m_saltarLf = false;
    bool m_pendiente = false;
    bool m_error = false;
    qint64 m_numero = 0;
    qint64 m_total = 0;
};
