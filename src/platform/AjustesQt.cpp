#include "AjustesQt.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

AjustesQt::AjustesQt(const QString& carpeta) : m_carpeta(carpeta) {
    QDir().mkpath(carpeta);
    Cargar(m_titulo, carpeta + QStringLiteral("/ZUL Velquira®.ini"));
    Cargar(m_producto, carpeta + QStringLiteral("/ZUL Velquira.ini"));
}

AjustesQt::~AjustesQt() = default;

QString AjustesQt::CarpetaPorDefecto() {
    const QString env = qEnvironmentVariable("VELQUIRA_AJUSTES");
    if (!env.isEmpty())
        return env;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/ZUL Velquira");
}

QString AjustesQt::Llave(const QString& seccion, const QString& clave) {
    return (seccion + u'/' + clave).toCaseFolded();
}

void AjustesQt::Cargar(Archivo& a, const QString& ruta) {
    const QFileInfo info(ruta);
    const QString nombre = QDir::toNativeSeparators(ruta);
    const QString sinLeer = QStringLiteral("\rNo se ha leído: el programa usa los valores "
                                           "predeterminados y no guardará en él los ajustes que "
                                           "se cambien. Bórrelo o cámbielo de nombre para volver a "
                                           "guardar los ajustes.");
    // A FIFO or a device would stall or never end the read.
    if (info.exists() && !info.isFile()) {
        m_avisos.append(QStringLiteral("El archivo de ajustes %1 no es un archivo común.").arg(nombre) +
                        sinLeer);
        return;
    }
    if (info.size() > kMaxArchivoAjustes) {
        m_avisos.append(QStringLiteral("El archivo de ajustes %1 es demasiado grande (%2 MB; "
                                       "un archivo de ajustes ocupa unos pocos KB).")
                            .arg(nombre, QLocale().toString(info.size() / 1048576.0, 'f', 1)) +
                        sinLeer);
        return;
    }
    a.settings = std::make_unique<QSettings>(ruta, QSettings::IniFormat);
    // Sections and keys hold one level: "Section/Key". Keys outside a section
    // or deeper down are not the program's.
    for (const QString& k : a.settings->allKeys()) {
        const qsizetype barra = k.indexOf(u'/');
        if (barra <= 0 || k.indexOf(u'/', barra + 1) >= 0)
            continue;
        const QVariant v = a.settings->value(k);
        // An unquoted value with commas reads back as a list.
        const QString valor =
            v.typeId() == QMetaType::QStringList ? v.toStringList().join(u',') : v.toString();
        const QString llave = k.toCaseFolded();
        // Of two spellings of one key, the first stored wins, as it always did.
        if (!a.claves.contains(llave))
            a.claves.insert(llave, {k, valor});
    }
}

AjustesQt::Archivo& AjustesQt::archivo(Aplicacion app) {
    return app == Aplicacion::Titulo ? m_titulo : m_producto;
}

const AjustesQt::Archivo& AjustesQt::archivo(Aplicacion app) const {
    return app == Aplicacion::Titulo ? m_titulo : m_producto;
}

std::optional<QString> AjustesQt::leer(Aplicacion app, const QString& seccion,
                                       const QString& clave) const {
    const Archivo& a = archivo(app);
    const auto it = a.claves.constFind(Llave(seccion, clave));
    if (it == a.claves.cend())
        return std::nullopt;
    return it->second;
}

void AjustesQt::escribir(Aplicacion app, const QString& seccion, const QString& clave,
                         const QString& valor) {
    Archivo& a = archivo(app);
    const QString llave = Llave(seccion, clave);
    auto it = a.claves.find(llave);
    if (it == a.claves.end())
        it = a.claves.insert(llave, {seccion + u'/' + clave, valor});
    it->second = valor;
    if (!a.settings)
        return;
    a.settings->setValue(it->first, valor);
    a.settings->sync();
}
