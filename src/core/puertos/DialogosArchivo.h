// The open and save dialogs for job files. Both filter "(*.zul)", add ".zul"
// to a name typed without extension, and return nothing on Cancel.
#pragma once

#include <QString>
#include <optional>

class DialogosArchivo {
public:
    virtual ~DialogosArchivo() = default;
    // The chosen file must exist.
    virtual std::optional<QString> abrir(const QString& titulo, const QString& carpetaInicial) = 0;
    // Asks before an existing file is replaced.
    virtual std::optional<QString> guardar(const QString& titulo, const QString& nombreInicial,
                                           const QString& carpetaInicial) = 0;
    // A ".pdf" file to export a run to; asks before replacing one.
    virtual std::optional<QString> exportarPdf(const QString& nombreInicial) = 0;
};
