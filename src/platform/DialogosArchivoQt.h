// The job file dialogs as Qt file dialogs.
#pragma once

#include "core/puertos/DialogosArchivo.h"

class QWidget;

class DialogosArchivoQt : public DialogosArchivo {
public:
    explicit DialogosArchivoQt(QWidget* padre = nullptr) : m_padre(padre) {}
    void fijarPadre(QWidget* padre) { m_padre = padre; }
    std::optional<QString> abrir(const QString& titulo, const QString& carpetaInicial) override;
    std::optional<QString> guardar(const QString& titulo, const QString& nombreInicial,
                                   const QString& carpetaInicial) override;
    std::optional<QString> exportarPdf(const QString& nombreInicial) override;
    std::optional<QString> imagenFondo(const QString& inicial) override;

private:
    QWidget* m_padre;
};
