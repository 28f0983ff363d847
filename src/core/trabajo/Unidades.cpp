#include "Unidades.h"

#include "core/trabajo/Valores.h"

#include <algorithm>
#include <limits>

qint32 TwipsEnteros(double twips) {
    const double v = RedondearPar(twips);
    return static_cast<qint32>(std::clamp(v, double(std::numeric_limits<qint32>::min()),
                                          double(std::numeric_limits<qint32>::max())));
}
