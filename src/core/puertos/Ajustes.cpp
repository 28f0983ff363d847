#include "Ajustes.h"

#include "core/trabajo/Valores.h"

#include <QHash>

QString Ajustes::texto(Aplicacion app, const QString& clave, const QString& defecto) const {
    return leer(app, kSeccionAjustes, clave).value_or(defecto);
}

qint64 Ajustes::entero(Aplicacion app, const QString& clave, qint64 defecto) const {
    const auto t = leer(app, kSeccionAjustes, clave);
    if (!t)
        return defecto;
    const auto v = LeerNumero(*t);
    if (!v || std::abs(*v) > 9e15)
        return defecto;
    return static_cast<qint64>(RedondearPar(*v));
}

double Ajustes::real(Aplicacion app, const QString& clave, double defecto) const {
    const auto t = leer(app, kSeccionAjustes, clave);
    if (!t)
        return defecto;
    return LeerNumero(*t).value_or(defecto);
}

bool Ajustes::booleano(Aplicacion app, const QString& clave, bool defecto) const {
    const auto t = leer(app, kSeccionAjustes, clave);
    return t ? LeerBooleano(*t) : defecto;
}

void Ajustes::escribirTexto(Aplicacion app, const QString& clave, const QString& valor) {
    escribir(app, kSeccionAjustes, clave, valor);
}

void Ajustes::escribirEntero(Aplicacion app, const QString& clave, qint64 valor) {
    escribir(app, kSeccionAjustes, clave, QString::number(valor));
}

void Ajustes::escribirBooleano(Aplicacion app, const QString& clave, bool valor,
                               const QLocale& idioma) {
    escribir(app, kSeccionAjustes, clave, PalabraBooleana(valor, idioma));
}

QString AjustesMemoria::llave(Aplicacion app, const QString& seccion, const QString& clave) {
    return QString::number(static_cast<int>(app)) + u'\x1f' + seccion.toCaseFolded() + u'\x1f' +
           clave.toCaseFolded();
}

std::optional<QString> AjustesMemoria::leer(Aplicacion app, const QString& seccion,
                                            const QString& clave) const {
    const auto it = m_valores.constFind(llave(app, seccion, clave));
    if (it == m_valores.cend())
        return std::nullopt;
    return *it;
}

void AjustesMemoria::escribir(Aplicacion app, const QString& seccion, const QString& clave,
                              const QString& valor) {
    m_valores.insert(llave(app, seccion, clave), valor);
}
