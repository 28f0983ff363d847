// The program's help: its own Spanish pages, shipped inside the program, shown
// at a topic ("funciones.htm#Propiedades"; empty for the start page).
#pragma once

#include <QDialog>
#include <QHash>
#include <functional>

class QTextBrowser;

class VisorAyuda : public QDialog {
    Q_OBJECT
public:
    explicit VisorAyuda(QWidget* padre = nullptr);
    void Mostrar(const QString& tema);
    QTextBrowser* navegador() const { return m_navegador; }

    // The one help window of the program, opened at a topic.
    static VisorAyuda* Abrir(QWidget* padre, const QString& tema);

    // Texts that depend on the program's state, written into the pages where
    // they say "{name}" (the arrow keys' distance at the current zoom).
    static QHash<QString, std::function<QString()>>& variables();

private:
    QTextBrowser* m_navegador;
};

// "Acerca de...": product, version, and the system's information on request.
class AcercaDe : public QDialog {
    Q_OBJECT
public:
    AcercaDe(const QString& carpetaAjustes, const QStringList& impresoras,
             QWidget* padre = nullptr);
    static QString InformacionSistema(const QString& carpetaAjustes, const QStringList& impresoras);
};
