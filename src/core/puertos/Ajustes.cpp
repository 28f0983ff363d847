#include "Ajustes.h"

QString Ajustes::texto(Aplicacion app, const QString& clave, const QString& defecto) const {
    return leer(app, kSeccionAjustes, clave).value_or(defecto);
}

bool Ajustes::escribirTexto(Aplicacion app, const QString& clave, const QString& valor) {
    return escribir(app, kSeccionAjustes, clave, valor);
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

bool AjustesMemoria::escribir(Aplicacion app, const QString& seccion, const QString& clave,
                              const QString& valor) {
    m_valores.insert(llave(app, seccion, clave), valor);
    m_error = fallarEscrituras;
    return fallarEscrituras.isEmpty();
}
