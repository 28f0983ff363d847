#include "DialogosArchivoQt.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {
const QString kFiltro = QStringLiteral("Trabajos de Velquira (*.zul)");

// InitDir holds the last file chosen; the dialog starts in its folder.
QString Carpeta(const QString& inicial) {
    if (inicial.isEmpty())
        return {};
    const QFileInfo i(inicial);
    return i.isDir() ? i.absoluteFilePath() : i.absolutePath();
}
} // namespace

std::optional<QString> DialogosArchivoQt::abrir(const QString& titulo, const QString& inicial) {
    QFileDialog d(m_padre, titulo, Carpeta(inicial), kFiltro);
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setDefaultSuffix(QStringLiteral("zul"));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return std::nullopt;
    return d.selectedFiles().first();
}

std::optional<QString> DialogosArchivoQt::guardar(const QString& titulo, const QString& nombre,
                                                  const QString& inicial) {
    QFileDialog d(m_padre, titulo, Carpeta(inicial), kFiltro);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setDefaultSuffix(QStringLiteral("zul"));
    d.selectFile(nombre);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return std::nullopt;
    return d.selectedFiles().first();
}

std::optional<QString> DialogosArchivoQt::exportarPdf(const QString& nombre) {
    QFileDialog d(m_padre, QStringLiteral("Exportar a PDF"), QFileInfo(nombre).absolutePath(),
                  QStringLiteral("Documentos PDF (*.pdf)"));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setDefaultSuffix(QStringLiteral("pdf"));
    d.selectFile(nombre);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return std::nullopt;
    return d.selectedFiles().first();
}

std::optional<QString> DialogosArchivoQt::imagenFondo(const QString& inicial) {
    QFileDialog d(
        m_padre, QStringLiteral("Imagen de fondo"), Carpeta(inicial),
        QStringLiteral("Imágenes y PDF (*.png *.jpg *.jpeg *.pdf);;Todos los archivos (*)"));
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return std::nullopt;
    return d.selectedFiles().first();
}
