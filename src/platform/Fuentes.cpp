#include "Fuentes.h"

#include <QDir>
#include <QFontDatabase>

void RegistrarFuentes() {
    const QDir wine(QStringLiteral("/usr/share/wine/fonts"));
    for (const QString& nombre :
         wine.entryList({QStringLiteral("tahoma*.ttf"), QStringLiteral("Tahoma*.ttf")}))
        QFontDatabase::addApplicationFont(wine.filePath(nombre));
}
