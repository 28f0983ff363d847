#include "Estado.h"

#include <array>

namespace {
constexpr std::array<qint32, 7> kCicloFondo = {0x000000, 0xFF0000, 0x008000, 0x808000,
                                               0x000080, 0x800080, 0x0000FF};
}

Estado::Estado() {
    Cuadros.resize(1);
    Seleccion.append(0);
}

int Estado::cuadrosVivos() const {
    int n = 0;
    for (const Cuadro& c : Cuadros)
        n += c.EnUso ? 1 : 0;
    return n;
}

qint32 Estado::SiguienteColorFondo(qint32 anterior) {
    for (size_t j = 0; j < kCicloFondo.size(); ++j) {
        if (kCicloFondo[j] == anterior)
            return kCicloFondo[(j + 1) % kCicloFondo.size()];
    }
    return kCicloFondo[0]; // the colour element 0 was created with
}

int Estado::SiguienteRanura() const {
    const int n = static_cast<int>(Cuadros.size());
    for (int j = m_libreDesde; j < n; ++j)
        if (!Cuadros[j].EnUso)
            return j;
    return n;
}

int Estado::AgregarCuadro(const Cuadro& defectos, QPoint posicion) {
    int i = SiguienteRanura();
    m_libreDesde = i + 1;
    if (i == static_cast<int>(Cuadros.size())) {
        if (static_cast<int>(Cuadros.size()) >= kMaxCuadros)
            return -1;
        i = static_cast<int>(Cuadros.size());
        Cuadros.emplace_back();
        Cuadros[i].ColorFondo = SiguienteColorFondo(Cuadros[i - 1].ColorFondo);
    }
    Cuadro& c = Cuadros[i];
    const qint32 fondo = c.ColorFondo;
    const bool bloqueado = c.Bloqueado;
    const bool seleccionado = c.Seleccionado;
    c = defectos;
    c.ColorFondo = fondo;
    c.Bloqueado = bloqueado;
    c.Seleccionado = seleccionado;
    c.PosX = posicion.x();
    c.PosY = posicion.y();
    c.EnUso = true;
    Modificado = true;
    return i;
}

void Estado::LiberarCuadro(int i, QPoint posicion) {
    NotarRanuraLibre(i);
    Cuadro& c = Cuadros[i];
    const qint32 fondo = c.ColorFondo;
    c = Cuadro{};
    c.Cifras = 5;
    c.Inicio = 1;
    c.Fin = 1;
    c.Salto = 1;
    c.TextoIzq = QStringLiteral(" ");
    c.TextoDer = QStringLiteral(" ");
    c.FontName = QStringLiteral("Arial");
    c.FontSize = 10;
    c.PosY = posicion.y();
    c.PosX = posicion.x();
    c.ColorFondo = fondo;
}

void Estado::LimpiarTrabajo() {
    Cuadros.assign(1, Cuadro{});
    m_libreDesde = 0;
    // The selection named boxes of the table just emptied.
    CuadroActual = 0;
    Seleccion = {0};
    ModoGrupo = false;
}
