#include "TrabajosRecientes.h"

#include "core/trabajo/Preferencias.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The path as listed: absolute and clean, as the operator named the file.
QString Absoluta(const QString& ruta) {
    return QDir::cleanPath(QFileInfo(ruta).absoluteFilePath());
}

// What two paths are compared by: the canonical file (links and ".."
// resolved) while it exists, else the clean absolute path.
QString Identidad(const QString& ruta) {
    const QFileInfo info(ruta);
    const QString canonica = info.canonicalFilePath();
    return canonica.isEmpty() ? Absoluta(ruta) : canonica;
}
} // namespace

TrabajosRecientes::TrabajosRecientes(Preferencias& preferencias, QObject* padre)
    : QObject(padre), m_pref(preferencias) {
    // A hand-edited store may repeat a file or hold a relative path.
    QStringList vistas;
    for (const QString& ruta : m_pref.trabajosRecientes()) {
        const QString id = Identidad(ruta);
        if (vistas.contains(id))
            continue;
        vistas.append(id);
        m_lista.append(Absoluta(ruta));
    }
}

bool TrabajosRecientes::MismoArchivo(const QString& a, const QString& b) {
    return Identidad(a) == Identidad(b);
}

void TrabajosRecientes::Agregar(const QString& ruta) {
    if (ruta.isEmpty())
        return;
    QStringList lista = m_lista;
    lista.removeIf([&](const QString& r) { return MismoArchivo(r, ruta); });
    lista.prepend(Absoluta(ruta));
    Fijar(std::move(lista));
}

void TrabajosRecientes::Quitar(const QString& ruta) {
    QStringList lista = m_lista;
    lista.removeIf([&](const QString& r) { return MismoArchivo(r, ruta); });
    Fijar(std::move(lista));
}

void TrabajosRecientes::Fijar(QStringList lista) {
    if (lista.size() > Preferencias::kMaxTrabajosRecientes)
        lista.resize(Preferencias::kMaxTrabajosRecientes);
    if (lista == m_lista)
        return;
    m_lista = std::move(lista);
    m_pref.fijarTrabajosRecientes(m_lista);
    emit cambiada();
}

QString TrabajosRecientes::Titulo(int i, const QString& ruta) {
    QString nombre = QFileInfo(ruta).fileName();
    nombre.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(QString::number(i + 1), nombre);
}
