// The jobs opened or saved last, as the Archivo menu lists them: the most
// recent first, at most Preferencias::kMaxTrabajosRecientes, each file once
// (two paths name one file when they lead to the same canonical file). The
// list is kept in the settings at every change.
#pragma once

#include <QObject>
#include <QStringList>

class Preferencias;

class TrabajosRecientes : public QObject {
    Q_OBJECT
public:
    explicit TrabajosRecientes(Preferencias& preferencias, QObject* padre = nullptr);

    // Absolute paths, the most recent first.
    const QStringList& lista() const { return m_lista; }

    // `ruta` was opened or saved: it goes to the top.
    void Agregar(const QString& ruta);
    // `ruta` leaves the list (any path to the same file).
    void Quitar(const QString& ruta);

    // The menu caption of entry i (from 0): "&1 nombre.zul"; an "&" of the
    // name is doubled so it shows as itself.
    static QString Titulo(int i, const QString& ruta);
    // Whether two paths lead to the same file.
    static bool MismoArchivo(const QString& a, const QString& b);

signals:
    void cambiada();

private:
    void Fijar(QStringList lista);

    Preferencias& m_pref;
    QStringList m_lista;
};
