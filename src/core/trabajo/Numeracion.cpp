#include "Numeracion.h"

#include "core/fallas/Falla.h"
#include "core/trabajo/Valores.h"

#include <cmath>
#include <limits>

QString MascaraCifras(const Cuadro& c) {
    return c.Cifras > 0 ? QString(c.Cifras, u'0') : QString();
}

qint64 CopiasCuadro(const Cuadro& c) {
    if (c.Salto == 0)
        throw Falla{CodigoFalla::DivisionPorCero,
                    QStringLiteral("División por cero: el salto de un cuadro es 0.")};
    const double q = std::fabs(c.Fin - c.Inicio) / c.Salto;
    const double copias = std::floor(q) + 1;
    if (copias > std::numeric_limits<qint32>::max())
        throw Falla{CodigoFalla::Desbordamiento,
                    QStringLiteral("Desbordamiento: la serie de un cuadro necesita más de "
                                   "2.147.483.647 hojas.")};
    return static_cast<qint64>(copias);
}

qint32 LongitudTirada(const std::vector<Cuadro>& cuadros) {
    qint64 max = 0;
    for (const Cuadro& c : cuadros) {
        if (!c.EnUso)
            continue;
        const qint64 n = CopiasCuadro(c);
        if (n > max)
            max = n;
    }
    return static_cast<qint32>(max);
}

QString FormatearNumero(qint64 valor, int cifras) {
    QString digitos = QString::number(valor < 0 ? -valor : valor);
    if (cifras > 0 && digitos.size() < cifras)
        digitos.prepend(QString(cifras - digitos.size(), u'0'));
    if (valor < 0)
        digitos.prepend(u'-');
    return digitos;
}

QString TextoCuadroHoja(const Cuadro& c, qint32 k) {
    const bool ascendente = c.Inicio <= c.Fin;
    // In 64 bits a 16-bit step times any sheet index, added to any first
    // number a job holds, is exact: no sheet of a run can overflow.
    const qint64 paso = ascendente ? c.Salto : -static_cast<qint64>(c.Salto);
    const double valor = RedondearPar(c.Inicio + static_cast<double>(paso * k));
    if (!std::isfinite(valor) || std::fabs(valor) > 9007199254740992.0)
        throw Falla{CodigoFalla::Desbordamiento,
                    QStringLiteral("Desbordamiento: el número de la hoja %1 está fuera de "
                                   "límites.")
                        .arg(static_cast<qint64>(k) + 1)};
    // A series that has ended prints nothing, however far past its end the
    // run goes; a descending series ends at Fin just as an ascending one does.
    const bool terminada = ascendente
                               ? valor > RedondearPar(c.Fin)
                               : valor > RedondearPar(c.Inicio) || valor < RedondearPar(c.Fin);
    if (terminada)
        return {};
    return c.TextoIzq + FormatearNumero(static_cast<qint64>(valor), c.Cifras) + c.TextoDer;
}
