#include "Estado.h"

#include "core/puertos/Ajustes.h"
#include "core/trabajo/Limites.h"
#include "core/trabajo/Valores.h"

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

Cuadro Estado::DefectosCuadro(const Ajustes& a) {
    const auto entero16 = [&](const QString& clave, qint16 defecto) {
        const qint64 v = a.entero(Aplicacion::Producto, clave, defecto);
        return static_cast<qint16>(v < -32768 || v > 32767 ? defecto : v);
    };
    Cuadro c;
    c.Cifras = entero16(QStringLiteral("Cifras"), 5);
    c.Inicio = 1;
    c.Fin = 1;
    c.Salto = 1;
    c.TextoIzq = QStringLiteral(" ");
    c.TextoDer = QStringLiteral(" ");
    // The options dialog stores the check box as -1 or 0; the words for true
    // and false are read too.
    const QString lineas =
        a.texto(Aplicacion::Producto, QStringLiteral("VerLineas"), QStringLiteral("-1"));
    const auto numero = LeerNumero(lineas);
    c.LineasGuia = numero ? *numero != 0 : LeerBooleano(lineas);
    c.FontName =
        a.texto(Aplicacion::Producto, QStringLiteral("FontName"), QStringLiteral("Tahoma"));
    const double puntos = a.real(Aplicacion::Producto, QStringLiteral("FontSize"), 10);
    // A size the job file could not hold back would make every new box unsavable.
    c.FontSize = TamLetraValido(puntos) ? static_cast<float>(puntos) : 10.0f;
    c.FontBold = a.booleano(Aplicacion::Producto, QStringLiteral("FontBold"), false);
    c.FontItalic = a.booleano(Aplicacion::Producto, QStringLiteral("FontItalic"), false);
    c.FontUnderline = a.booleano(Aplicacion::Producto, QStringLiteral("FontUnderline"), false);
    c.FontStrikethru = a.booleano(Aplicacion::Producto, QStringLiteral("FontStrikethru"), false);
    c.EnUso = true;
    const qint64 color = a.entero(Aplicacion::Producto, QStringLiteral("FontColor"), 0);
    c.Color = color >= 0 && color <= 0xFFFFFF ? static_cast<qint32>(color) : 0;
    c.Rotacion = entero16(QStringLiteral("Rotacion"), 0);
    return c;
}

int Estado::AgregarCuadro(const Cuadro& defectos) {
    int i = -1;
    for (int j = m_libreDesde; j < static_cast<int>(Cuadros.size()); ++j) {
        if (!Cuadros[j].EnUso) {
            i = j;
            break;
        }
    }
    m_libreDesde = i < 0 ? static_cast<int>(Cuadros.size()) : i + 1;
    if (i < 0) {
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
    const double zoom = Trabajo.Zoom > 0 ? Trabajo.Zoom : 1.0;
    c.PosX = static_cast<qint32>(RedondearPar(PuntoX / zoom));
    c.PosY = static_cast<qint32>(RedondearPar(PuntoY / zoom));
    c.EnUso = true;
    Modificado = true;
    return i;
}

void Estado::LiberarCuadro(int i) {
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
    c.PosY = PuntoY;
    c.PosX = PuntoX;
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
