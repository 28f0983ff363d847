#include "LectorLineas.h"

#include "core/trabajo/Cp1252.h"
#include "core/trabajo/Limites.h"

#include <QIODevice>

LectorLineas::Estado LectorLineas::siguiente(QByteArray& linea) {
    linea.clear();
    bool larga = false;
    for (;;) {
        if (m_pos >= m_buf.size()) {
            if (m_total > kMaxArchivo)
                return Estado::Grande;
            if (!rellenar())
                return m_error ? Estado::Error
                               : (linea.isEmpty() && !m_pendiente ? Estado::Fin : terminar(larga));
        }
        const char* p = m_buf.constData() + m_pos;
        const qsizetype n = m_buf.size() - m_pos;
        if (m_saltarLf) {
            m_saltarLf = false;
            if (*p == '\n') {
                ++m_pos;
                continue;
            }
        }
        qsizetype j = 0;
        while (j < n && p[j] != '\n' && p[j] != '\r')
            ++j;
        if (!larga) {
            if (linea.size() + j > kMaxLinea) {
                larga = true;
                linea.clear();
            } else {
                linea.append(p, j);
            }
        }
        m_pendiente = true;
        m_pos += j;
        if (j < n) {
            m_saltarLf = p[j] == '\r';
            ++m_pos;
            return terminar(larga);
        }
    }
}

LectorLineas::Estado LectorLineas::terminar(bool larga) {
    m_pendiente = false;
    ++m_numero;
    return larga ? Estado::Larga : Estado::Linea;
}

bool LectorLineas::rellenar() {
    m_buf.resize(64 * 1024);
    const qint64 n = m_f.read(m_buf.data(), m_buf.size());
    if (n < 0) {
        m_error = true;
        m_buf.clear();
        m_pos = 0;
        return false;
    }
    m_buf.resize(n);
    m_pos = 0;
    m_total += n;
    m_utf8.agregar(m_buf);
    return n > 0;
}
