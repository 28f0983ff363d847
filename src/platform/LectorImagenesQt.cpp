#include "LectorImagenesQt.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPdfDocument>

namespace {
QString Nombre(const QString& ruta) {
    return QFileInfo(ruta).fileName();
}

QSize Reducido(QSizeF tamano, int maxLado) {
    const double lado = std::max(tamano.width(), tamano.height());
    if (lado > maxLado)
        tamano *= maxLado / lado;
    return QSize(std::max(1, qRound(tamano.width())), std::max(1, qRound(tamano.height())));
}

bool EsPdf(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) && f.peek(5) == "%PDF-";
}

QImage LeerPdf(const QString& ruta, int maxLado, QString* error) {
    QPdfDocument pdf;
    if (pdf.load(ruta) != QPdfDocument::Error::None || pdf.pageCount() < 1) {
        *error = QStringLiteral("El archivo %1 no es un PDF que se pueda leer.").arg(Nombre(ruta));
        return {};
    }
    const QSizeF puntos = pdf.pagePointSize(0);
    if (puntos.isEmpty()) {
        *error = QStringLiteral("La primera página de %1 no tiene tamaño.").arg(Nombre(ruta));
        return {};
    }
    QImage imagen = pdf.render(0, Reducido(puntos * 4, maxLado)); // up to 288 dpi
    if (imagen.isNull()) {
        *error = QStringLiteral("No se pudo dibujar la primera página de %1.").arg(Nombre(ruta));
        return {};
    }
    // Pdfium leaves the paper transparent; a form is printed on white.
    QImage blanca(imagen.size(), QImage::Format_RGB32);
    blanca.fill(Qt::white);
    QPainter(&blanca).drawImage(0, 0, imagen);
    return blanca;
}
} // namespace

QImage LectorImagenesQt::leer(const QString& ruta, int maxLado, QString* error) const {
    QString nada;
    if (!error)
        error = &nada;
    const QFileInfo info(ruta);
    if (!info.exists()) {
        *error = QStringLiteral("No se encuentra la imagen %1.").arg(ruta);
        return {};
    }
    if (!info.isFile() || !info.isReadable()) {
        *error = QStringLiteral("No se puede leer la imagen %1.").arg(ruta);
        return {};
    }
    if (EsPdf(ruta))
        return LeerPdf(ruta, maxLado, error);
    QImageReader lector(ruta);
    lector.setDecideFormatFromContent(true); // a PNG named .jpg is still read
    lector.setAutoTransform(true);           // a photographed form taken sideways
    const QSize tamano = lector.size();
    if (tamano.isValid() && (tamano.width() > maxLado || tamano.height() > maxLado))
        lector.setScaledSize(Reducido(tamano, maxLado));
    QImage imagen = lector.read();
    if (imagen.isNull()) {
        *error = lector.error() == QImageReader::UnsupportedFormatError
                     ? QStringLiteral("El archivo %1 no es una imagen PNG, JPEG ni PDF.")
                           .arg(Nombre(ruta))
                     : QStringLiteral("La imagen %1 está dañada o es demasiado grande.")
                           .arg(Nombre(ruta));
        return {};
    }
    if (imagen.width() > maxLado || imagen.height() > maxLado)
        imagen = imagen.scaled(Reducido(imagen.size(), maxLado), Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation);
    return imagen;
}
