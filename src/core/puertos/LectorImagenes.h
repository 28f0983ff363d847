// Reading a picture file for the editor's background: a PNG, a JPEG or the
// first page of a PDF, made at most `maxLado` pixels on its longer side (the
// proportions kept; a smaller picture is not enlarged).
#pragma once

#include <QImage>
#include <QString>

class LectorImagenes {
public:
    virtual ~LectorImagenes() = default;
    // A null image when the file is missing, damaged, of another kind or too
    // large to decode, with the reason in Spanish in `error`.
    virtual QImage leer(const QString& ruta, int maxLado, QString* error) const = 0;
};
