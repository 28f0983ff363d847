// The open and save dialogs for job files, and the few other files the
// program asks for. Both filter "(*.zul)", add ".zul"
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
    // A picture to lay under the boxes (PNG, JPEG or PDF); the chosen file
    // must exist. Starts at `inicial` (a file or a folder). Nothing where
    // the program runs without a screen.
    virtual std::optional<QString> imagenFondo(const QString& inicial) {
        Q_UNUSED(inicial);
        return std::nullopt;
    }
};
