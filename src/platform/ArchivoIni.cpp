#include "ArchivoIni.h"

#include <QList>
#include <QStringList>

namespace ArchivoIni {
namespace {

struct Linea {
    QByteArray texto; // without its end
    QByteArray fin;   // "\n", "\r\n", "\r" or nothing (the last line)
};

// Calls `linea(texto, fin)` for every line of `datos`; a line ends with
// "\n", "\r\n" or "\r", the last one possibly with nothing.
template <typename F> void PorLinea(QByteArrayView datos, F linea) {
    qsizetype i = 0;
    while (i < datos.size()) {
        qsizetype j = i;
        while (j < datos.size() && datos[j] != '\n' && datos[j] != '\r')
            ++j;
        qsizetype fin = j < datos.size() ? 1 : 0;
        if (fin && datos[j] == '\r' && j + 1 < datos.size() && datos[j + 1] == '\n')
            fin = 2;
        linea(datos.sliced(i, j - i), datos.sliced(j, fin));
        i = j + fin;
    }
}

QList<Linea> Lineas(const QByteArray& datos) {
    QList<Linea> lineas;
    PorLinea(datos, [&](QByteArrayView texto, QByteArrayView fin) {
        lineas.append({texto.toByteArray(), fin.toByteArray()});
    });
    return lineas;
}

// What one line is: a section header (its name), a key line (its name and
// raw value), or neither.
struct Entrada {
    enum Tipo { Nada, Seccion, Clave } tipo = Nada;
    QString nombre;
    QByteArrayView clave; // the key as written, in the line
    QByteArrayView valor;
};

Entrada Analizar(QByteArrayView linea) {
    const QByteArrayView t = linea.trimmed();
    Entrada e;
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('#'))
        return e;
    if (t.startsWith('[')) {
        const qsizetype fin = t.lastIndexOf(']');
        const QByteArrayView nombre = t.sliced(1, (fin > 0 ? fin : t.size()) - 1);
        e.tipo = Entrada::Seccion;
        // "[General]" holds keys outside any section; "[%General]" is a section so named.
        e.nombre =
            nombre.compare("general", Qt::CaseInsensitive) == 0
                ? QString()
                : (nombre == "%General" ? QStringLiteral("General") : DecodificarNombre(nombre));
        return e;
    }
    const qsizetype igual = t.indexOf('=');
    if (igual <= 0)
        return e;
    e.tipo = Entrada::Clave;
    e.clave = t.first(igual).trimmed();
    e.nombre = DecodificarNombre(e.clave);
    e.valor = t.sliced(igual + 1);
    return e;
}

// A section or key the store uses: named, one level.
bool Propio(const QString& seccion, const QString& clave) {
    return !seccion.isEmpty() && !clave.isEmpty() && !seccion.contains(u'/') &&
           !clave.contains(u'/');
}

bool EsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int ValorHex(char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// One backslash escape from `v[i]` (after the backslash) into `r`; returns
// where reading goes on.
qsizetype Escape(QByteArrayView v, qsizetype i, QString& r) {
    static const char nombres[] = "abfnrtv\"?'\\";
    static const char valores[] = "\a\b\f\n\r\t\v\"?'\\";
    const char c = v[i];
    if (const char* p = static_cast<const char*>(memchr(nombres, c, sizeof nombres - 1))) {
        r += QLatin1Char(valores[p - nombres]);
        return i + 1;
    }
    char16_t codigo = 0;
    qsizetype j = i + 1;
    if (c == 'x') {
        for (; j < v.size() && EsHex(v[j]); ++j)
            codigo = static_cast<char16_t>(codigo * 16 + ValorHex(v[j]));
        if (j == i + 1)
            return j; // "\x" with no digit: nothing
    } else if (c >= '0' && c <= '7') {
        codigo = static_cast<char16_t>(c - '0');
        for (; j < v.size() && v[j] >= '0' && v[j] <= '7'; ++j)
            codigo = static_cast<char16_t>(codigo * 8 + (v[j] - '0'));
    } else {
        return j; // an unknown escape is dropped
    }
    r += QChar(codigo);
    return j;
}

// A text written by QSettings for a string that starts with "@" doubles it;
// "@ByteArray(...)" holds plain bytes. Any other "@" form is kept as text:
// the program stores none, and it is never interpreted.
QString Texto(const QString& s) {
    if (s.startsWith(QStringLiteral("@@")))
        return s.mid(1);
    if (s.startsWith(QStringLiteral("@ByteArray(")) && s.endsWith(u')'))
        return s.mid(11, s.size() - 12);
    return s;
}

} // namespace

QString DecodificarNombre(QByteArrayView nombre) {
    const QString d = QString::fromUtf8(nombre);
    QString r;
    r.reserve(d.size());
    for (qsizetype i = 0; i < d.size();) {
        const QChar c = d[i];
        if (c == u'\\') {
            r += u'/';
            ++i;
            continue;
        }
        const qsizetype digitos = i + 1 < d.size() && d[i + 1] == u'U' ? 4 : 2;
        const qsizetype desde = i + 1 + (digitos == 4 ? 1 : 0);
        bool ok = false;
        const ushort codigo =
            c == u'%' && desde + digitos <= d.size() ? d.mid(desde, digitos).toUShort(&ok, 16) : 0;
        if (!ok) {
            r += c;
            ++i;
            continue;
        }
        r += QChar(codigo);
        i = desde + digitos;
    }
    return r;
}

QByteArray CodificarNombre(QStringView nombre) {
    QByteArray r;
    for (const QChar c : nombre) {
        const char16_t u = c.unicode();
        if (u == u'/')
            r += '\\';
        else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                 u == '_' || u == '-' || u == '.')
            r += static_cast<char>(u);
        else if (u <= 0xFF)
            r += '%' + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
        else
            r += "%U" + QByteArray::number(u, 16).toUpper().rightJustified(4, '0');
    }
    return r;
}

QString DecodificarValor(QByteArrayView v) {
    QStringList partes;
    QString actual;
    bool entreComillas = false, citado = false;
    qsizetype protegido = 0; // what an escape or quotes produced is not trimmed
    qsizetype i = 0;
    const auto saltarBlancos = [&] {
        while (i < v.size() && (v[i] == ' ' || v[i] == '\t'))
            ++i;
    };
    const auto cerrar = [&] {
        while (!citado && actual.size() > protegido &&
               (actual.back() == u' ' || actual.back() == u'\t'))
            actual.chop(1);
        partes.append(Texto(actual));
        actual.clear();
        citado = false;
        protegido = 0;
    };
    saltarBlancos();
    while (i < v.size()) {
        const char c = v[i];
        if (c == '\\') {
            if (i + 1 >= v.size())
                break;
            i = Escape(v, i + 1, actual);
            protegido = actual.size();
        } else if (c == '"') {
            entreComillas = !entreComillas;
            citado = true;
            ++i;
            if (!entreComillas)
                saltarBlancos();
        } else if (!entreComillas && c == ',') {
            cerrar();
            ++i;
            saltarBlancos();
        } else if (!entreComillas && c == ';') {
            break; // a comment to the end of the line
        } else {
            qsizetype j = i + 1;
            while (j < v.size() && v[j] != '\\' && v[j] != '"' && v[j] != ',' && v[j] != ';')
                ++j;
            actual += QString::fromUtf8(v.sliced(i, j - i));
            i = j;
        }
    }
    cerrar();
    // A list reads as its items joined by commas, as the store always gave it.
    return partes.join(u',');
}

QByteArray CodificarValor(QStringView valor) {
    QString s = valor.toString();
    if (s.startsWith(u'@'))
        s.prepend(u'@');
    QString r;
    bool comillas = false, escaparHex = false;
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        comillas = comillas || u == ';' || u == ',' || u == '=';
        // After a numeric escape a hex digit would be read as part of it.
        if (escaparHex && u < 0x80 && EsHex(static_cast<char>(u))) {
            r += QStringLiteral("\\x") + QString::number(u, 16);
            continue;
        }
        escaparHex = false;
        static const char16_t especiales[] = u"\a\b\f\n\r\t\v\"\\";
        static const char nombres[] = "abfnrtv\"\\";
        const char16_t* p = std::char_traits<char16_t>::find(especiales, 9, u);
        if (u == 0) {
            r += QStringLiteral("\\0");
            escaparHex = true;
        } else if (p) {
            r += u'\\';
            r += QLatin1Char(nombres[p - especiales]);
        } else if (u <= 0x1F) {
            r += QStringLiteral("\\x") + QString::number(u, 16);
            escaparHex = true;
        } else {
            r += c;
        }
    }
    if (comillas || (!r.isEmpty() && (r.front().isSpace() || r.back().isSpace())))
        r = u'"' + r + u'"';
    return r.toUtf8();
}

Claves Leer(const QByteArray& datos) {
    Claves claves;
    QString seccion;
    PorLinea(datos, [&](QByteArrayView texto, QByteArrayView) {
        const Entrada e = Analizar(texto);
        if (e.tipo == Entrada::Seccion) {
            seccion = e.nombre;
        } else if (e.tipo == Entrada::Clave && Propio(seccion, e.nombre)) {
            const QString llave = seccion + u'/' + e.nombre;
            claves.insert(llave.toCaseFolded(), {llave, DecodificarValor(e.valor)});
        }
    });
    return claves;
}

QByteArray Escribir(const QByteArray& datos, const QString& seccion, const QString& clave,
                    const QString& valor) {
    QList<Linea> lineas = Lineas(datos);
    const QByteArray codificado = CodificarValor(valor);
    QString actual;
    bool cambiada = false;
    qsizetype despuesDeSeccion = -1; // where a new key line of the section goes
    for (qsizetype n = 0; n < lineas.size(); ++n) {
        const Entrada e = Analizar(lineas[n].texto);
        if (e.tipo == Entrada::Seccion) {
            actual = e.nombre;
            if (actual.compare(seccion, Qt::CaseInsensitive) == 0)
                despuesDeSeccion = n + 1;
        } else if (e.tipo == Entrada::Clave && actual.compare(seccion, Qt::CaseInsensitive) == 0) {
            despuesDeSeccion = n + 1;
            if (e.nombre.compare(clave, Qt::CaseInsensitive) == 0) {
                lineas[n].texto = e.clave.toByteArray() + '=' + codificado;
                cambiada = true;
            }
        }
    }
    // New lines end as the file's first one does.
    const QByteArray salto =
        lineas.isEmpty() || lineas.first().fin.isEmpty() ? QByteArray("\n") : lineas.first().fin;
    if (!cambiada) {
        const Linea nueva{CodificarNombre(clave) + '=' + codificado, salto};
        if (despuesDeSeccion < 0) {
            if (!lineas.isEmpty() && lineas.last().fin.isEmpty())
                lineas.last().fin = salto;
            if (!lineas.isEmpty() && !lineas.last().texto.trimmed().isEmpty())
                lineas.append({{}, salto});
            lineas.append({'[' + CodificarNombre(seccion) + ']', salto});
            lineas.append(nueva);
        } else {
            if (lineas[despuesDeSeccion - 1].fin.isEmpty())
                lineas[despuesDeSeccion - 1].fin = salto;
            lineas.insert(despuesDeSeccion, nueva);
        }
    }
    QByteArray r;
    r.reserve(datos.size() + codificado.size() + 64);
    for (const Linea& l : lineas)
        r += l.texto + l.fin;
    return r;
}

} // namespace ArchivoIni
