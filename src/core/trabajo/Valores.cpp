#include "Valores.h"

#include "core/fallas/Falla.h"

#include <cfenv>
#include <cmath>
#include <limits>

double RedondearPar(double v) {
    // nearbyint honours the current rounding mode, which is to-nearest-even
    // unless someone changed it; make sure.
    if (std::fegetround() != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    return std::nearbyint(v);
}

std::optional<double> LeerNumero(QStringView texto) {
    const QStringView t = texto.trimmed();
    if (t.isEmpty() || t.size() > 64)
        return std::nullopt;
    QByteArray a;
    a.reserve(t.size());
    int separadores = 0;
    for (const QChar ch : t) {
        const char16_t c = ch.unicode();
        if (c == ',' || c == '.') {
            a.append('.');
            ++separadores;
        } else if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'e' || c == 'E') {
            a.append(static_cast<char>(c));
        } else {
            return std::nullopt;
        }
    }
    if (separadores > 1)
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(QLatin1StringView(a), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool LeerBooleano(QStringView texto) {
    const QStringView t = texto.trimmed();
    return !(t == u"Falso" || t == u"False");
}

QString PalabraBooleana(bool valor, const QLocale& idioma) {
    if (idioma.language() == QLocale::Spanish)
        return valor ? QStringLiteral("Verdadero") : QStringLiteral("Falso");
    return valor ? QStringLiteral("True") : QStringLiteral("False");
}

QString EscribirEntero(qint64 valor) {
    QString s = QString::number(valor);
    if (valor >= 0)
        s.prepend(u' ');
    s.append(u' ');
    return s;
}

QString FormatoGeneral(double valor, const QLocale& idioma, bool enteroCompleto) {
    QString s;
    if (enteroCompleto && valor == std::floor(valor) && std::fabs(valor) < 1e15) {
        s = QString::number(static_cast<qint64>(valor));
    } else {
        s = QString::number(valor, 'g', 7); // exponent below 1e-5 and from 1e7
        const qsizetype e = s.indexOf(u'e');
        if (e >= 0)
            s[e] = u'E';
        s.replace(u'.', idioma.decimalPoint());
    }
    return s;
}

QString EscribirReal(double valor, const QLocale& idioma, bool enteroCompleto) {
    QString s = FormatoGeneral(valor, idioma, enteroCompleto);
    if (!s.startsWith(u'-'))
        s.prepend(u' ');
    s.append(u' ');
    return s;
}

qint64 ConvertirEntero(QStringView texto, qint64 minimo, qint64 maximo, const QString& donde) {
    const auto v = LeerNumero(texto);
    if (!v)
        throw Falla{CodigoFalla::TiposNoCoinciden,
                    QStringLiteral("No coinciden los tipos: %1 no es un número («%2»).")
                        .arg(donde, texto.left(40).toString())};
    const double r = RedondearPar(*v);
    if (r < static_cast<double>(minimo) || r > static_cast<double>(maximo))
        throw Falla{CodigoFalla::Desbordamiento,
                    QStringLiteral("Desbordamiento: %1 está fuera de límites («%2»).")
                        .arg(donde, texto.left(40).toString())};
    return static_cast<qint64>(r);
}

double ConvertirReal(QStringView texto, const QString& donde) {
    const auto v = LeerNumero(texto);
    if (!v)
        throw Falla{CodigoFalla::TiposNoCoinciden,
                    QStringLiteral("No coinciden los tipos: %1 no es un número («%2»).")
                        .arg(donde, texto.left(40).toString())};
    return *v;
}

bool TextoSigueSiendoNumero(const QString& texto, int desde, int largo, const QString& tecla) {
    QString t = texto;
    t.replace(desde, largo, tecla);
    const QString prueba = t.startsWith(u'-') ? QStringLiteral("-0") + t.mid(1) : u'0' + t;
    return t == u"-" || LeerNumero(prueba).has_value();
}

QString FormatoFijo(double valor, const QLocale& idioma, int enteros) {
    QString s = QString::number(std::fabs(valor), 'f', 2).rightJustified(enteros + 3, u'0');
    const bool cero = s.count(u'0') == s.size() - 1; // only zeros and the point
    s.replace(u'.', idioma.decimalPoint());
    return valor < 0 && !cero ? u'-' + s : s;
}

QString FormatoMiles(qint64 valor, const QLocale& idioma) {
    QString digitos = QString::number(valor < 0 ? -(valor + 1) + quint64{1} : quint64(valor));
    for (qsizetype i = digitos.size() - 3; i > 0; i -= 3)
        digitos.insert(i, idioma.groupSeparator());
    return valor < 0 ? idioma.negativeSign() + digitos : digitos;
}
