#include "AjustesQt.h"

#include <QDir>
#include <QStandardPaths>

AjustesQt::AjustesQt(const QString& carpeta) : m_carpeta(carpeta) {
    QDir().mkpath(carpeta);
    m_titulo = std::make_unique<QSettings>(carpeta + QStringLiteral("/ZUL Velquira®.ini"),
                                           QSettings::IniFormat);
    m_producto = std::make_unique<QSettings>(carpeta + QStringLiteral("/ZUL Velquira.ini"),
                                             QSettings::IniFormat);
}

AjustesQt::~AjustesQt() = default;

QString AjustesQt::CarpetaPorDefecto() {
    const QString env = qEnvironmentVariable("VELQUIRA_AJUSTES");
    if (!env.isEmpty())
        return env;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/ZUL Velquira");
}

QSettings& AjustesQt::archivo(Aplicacion app) const {
    return app == Aplicacion::Titulo ? *m_titulo : *m_producto;
}

QString AjustesQt::Buscar(const QStringList& existentes, const QString& nombre) {
    for (const QString& e : existentes)
        if (e.compare(nombre, Qt::CaseInsensitive) == 0)
            return e;
    return {};
}

std::optional<QString> AjustesQt::leer(Aplicacion app, const QString& seccion,
                                       const QString& clave) const {
    QSettings& s = archivo(app);
    s.sync();
    const QString grupo = Buscar(s.childGroups(), seccion);
    if (grupo.isEmpty())
        return std::nullopt;
    s.beginGroup(grupo);
    const QString llave = Buscar(s.childKeys(), clave);
    std::optional<QString> valor;
    if (!llave.isEmpty()) {
        const QVariant v = s.value(llave);
        // An unquoted value with commas reads back as a list.
        valor = v.typeId() == QMetaType::QStringList ? v.toStringList().join(u',') : v.toString();
    }
    s.endGroup();
    return valor;
}

void AjustesQt::escribir(Aplicacion app, const QString& seccion, const QString& clave,
                         const QString& valor) {
    QSettings& s = archivo(app);
    s.sync();
    QString grupo = Buscar(s.childGroups(), seccion);
    if (grupo.isEmpty())
        grupo = seccion;
    s.beginGroup(grupo);
    QString llave = Buscar(s.childKeys(), clave);
    if (llave.isEmpty())
        llave = clave;
    s.setValue(llave, valor);
    s.endGroup();
    s.sync();
}
