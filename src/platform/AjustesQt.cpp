#include "AjustesQt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QSaveFile>
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

std::optional<QByteArray> AjustesQt::LeerArchivo(const QString& ruta, QString* aviso) const {
    const QFileInfo info(ruta);
    if (!info.exists())
        return QByteArray();
    const QString nombre = QDir::toNativeSeparators(ruta);
    const QString sinLeer = QStringLiteral("\rNo se ha leído: el programa usa los valores "
                                           "predeterminados y no guardará en él los ajustes que "
                                           "se cambien. Bórrelo o cámbielo de nombre para volver a "
                                           "guardar los ajustes.");
    // A FIFO or a device would stall or never end the read.
    if (!info.isFile()) {
        *aviso = QStringLiteral("El archivo de ajustes %1 no es un archivo común.").arg(nombre) +
                 sinLeer;
        return std::nullopt;
    }
    QFile f(ruta);
    // An unreadable file reads as empty, as a missing one does.
    if (info.size() <= kMaxArchivoAjustes && !f.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray datos = f.isOpen() ? f.read(kMaxArchivoAjustes + 1) : QByteArray();
    if (info.size() > kMaxArchivoAjustes || datos.size() > kMaxArchivoAjustes) {
        *aviso =
            QStringLiteral("El archivo de ajustes %1 es demasiado grande (%2 MB; un archivo "
                           "de ajustes ocupa unos pocos KB).")
                .arg(nombre, QLocale().toString(
                                 std::max<qint64>(info.size(), datos.size()) / 1048576.0, 'f', 1)) +
            sinLeer;
        return std::nullopt;
    }
    return datos;
}

void AjustesQt::Cargar(Archivo& a, const QString& ruta) {
    a.ruta = ruta;
    QString aviso;
    const auto datos = LeerArchivo(ruta, &aviso);
    a.rechazado = !datos;
    if (a.rechazado) {
        m_avisos.append(aviso);
        return;
    }
    a.claves = ArchivoIni::Leer(*datos);
}

QString AjustesQt::Guardar(Archivo& a, const QString& seccion, const QString& clave,
                           const QString& valor) {
    const QString nombre = QDir::toNativeSeparators(a.ruta);
    // Another copy of the program may write the file too: the lock QSettings
    // takes, and the file as it is now.
    QLockFile candado(a.ruta + QStringLiteral(".lock"));
    if (!candado.tryLock(5000))
        return candado.error() == QLockFile::LockFailedError
                   ? QStringLiteral("el archivo de ajustes %1 está en uso por otro programa")
                         .arg(nombre)
                   : QStringLiteral("no se puede escribir en la carpeta de %1; el disco puede "
                                    "estar lleno")
                         .arg(nombre);
    // A file there that cannot be read would be replaced by this one key.
    if (QFileInfo::exists(a.ruta) && !QFile(a.ruta).open(QIODevice::ReadOnly))
        return QStringLiteral("el archivo de ajustes %1 no se puede leer").arg(nombre);
    QString aviso;
    const auto datos = LeerArchivo(a.ruta, &aviso);
    if (!datos)
        return aviso.section(u'\r', 0, 0);
    QSaveFile f(a.ruta);
    if (!f.open(QIODevice::WriteOnly))
        return QStringLiteral("no se puede escribir en %1 (%2)").arg(nombre, f.errorString());
    const QByteArray nuevo = ArchivoIni::Escribir(*datos, seccion, clave, valor);
    if (f.write(nuevo) != nuevo.size() || !f.commit())
        return QStringLiteral("no se pudo guardar %1 (%2); el disco puede estar lleno")
            .arg(nombre, f.errorString());
    return {};
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

bool AjustesQt::escribir(Aplicacion app, const QString& seccion, const QString& clave,
                         const QString& valor) {
    Archivo& a = archivo(app);
    const QString llave = Llave(seccion, clave);
    auto it = a.claves.find(llave);
    if (it == a.claves.end())
        it = a.claves.insert(llave, {seccion + u'/' + clave, valor});
    it->second = valor;
    m_error = a.rechazado ? QStringLiteral("el archivo de ajustes %1 no se ha leído y no se "
                                           "escribe")
                                .arg(QDir::toNativeSeparators(a.ruta))
                          : Guardar(a, seccion, clave, valor);
    return m_error.isEmpty();
}
