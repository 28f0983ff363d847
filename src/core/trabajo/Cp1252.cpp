#include "Cp1252.h"

#include <array>

namespace {
// 0x80..0x9F; 0 marks the five bytes the code page leaves undefined (read as
// the same-valued control character, like Windows does).
constexpr std::array<char16_t, 32> kAlto = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QString DecodificarCp1252(QByteArrayView bytes) {
    QString s;
    s.resize(bytes.size());
    QChar* d = s.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        char16_t c = b;
        if (b >= 0x80 && b <= 0x9F && kAlto[b - 0x80] != 0)
            c = kAlto[b - 0x80];
        d[i] = QChar(c);
    }
    return s;
}

bool CodificarCp1252(QStringView texto, QByteArray& salida) {
    bool completo = true;
    salida.reserve(salida.size() + texto.size());
    for (const QChar ch : texto) {
        const char16_t c = ch.unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            salida.append(static_cast<char>(c));
            continue;
        }
        int encontrado = -1;
        for (int j = 0; j < 32; ++j) {
            if (kAlto[j] == c || (kAlto[j] == 0 && c == 0x80 + j)) {
                encontrado = j;
                break;
            }
        }
        if (encontrado >= 0) {
            salida.append(static_cast<char>(0x80 + encontrado));
        } else {
            salida.append('?');
            completo = false;
        }
    }
    return completo;
}

void DetectorUtf8::agregar(QByteArrayView bytes) {
    // Well-formed UTF-8 as Unicode defines it: no overlong forms, no
    // surrogates, nothing past U+10FFFF.
    for (const char ch : bytes) {
        if (!m_valido)
            return;
        const auto b = static_cast<unsigned char>(ch);
        if (m_faltan > 0) {
            m_valido = b >= m_min && b <= m_max;
            m_min = 0x80;
            m_max = 0xBF;
            --m_faltan;
            continue;
        }
        if (b < 0x80)
            continue;
        m_noAscii = true;
        if (b >= 0xC2 && b <= 0xDF) {
            m_faltan = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            m_faltan = 2;
            m_min = b == 0xE0 ? 0xA0 : 0x80;
            m_max = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            m_faltan = 3;
            m_min = b == 0xF0 ? 0x90 : 0x80;
            m_max = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            m_valido = false;
        }
    }
}
