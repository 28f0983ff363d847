// Picture files through Qt's image readers (PNG, JPEG) and Qt PDF (the first
// page, rendered to the size asked). Decoding is bounded: a JPEG is decoded
// straight at the reduced size, and a picture whose full decode would pass
// Qt's allocation limit is refused rather than allowed to take the memory.
#pragma once

#include "core/puertos/LectorImagenes.h"

class LectorImagenesQt : public LectorImagenes {
public:
    QImage leer(const QString& ruta, int maxLado, QString* error) const override;
};
