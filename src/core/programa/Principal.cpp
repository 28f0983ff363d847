#include "Principal.h"
#include "core/programa/Herramientas.h"

#include "core/puertos/Ajustes.h"
#include "core/puertos/Impresora.h"
#include "core/trabajo/Limites.h"
#include "core/trabajo/TablaPapeles.h"
#include "core/trabajo/Valores.h"

Principal::Principal(const Servicios& s, QObject* padre)
    : QObject(padre), politica(s.mensajes, [this] { Terminar(1); }), m_s(s) {}

void Principal::Construir() {
    fijarTitulo(kTituloAplicacion);
    estado.LimpiarTrabajo();
    {
        Estado::Actualizar actualizando(estado);
        for (int z = 10; z <= 200; z += 5)
            barra.agregarEntradaZoom(QString::number(z));
        barra.fijarTextoZoom(QStringLiteral("50"));
    }
    LeerHoja();
    MostrarHoja();
    QString impresora;
    if (const auto guardada =
            ajustes().leer(Aplicacion::Producto, kSeccionAjustes, QStringLiteral("Printer")))
        impresora = *guardada;
    else
        impresora = impresoras().predeterminada();
    fijarPanel(3, impresora.isEmpty() ? QStringLiteral("No hay impresora") : impresora);
}

void Principal::fijarTitulo(const QString& t) {
    if (m_titulo == t)
        return;
    m_titulo = t;
    emit tituloCambiado(t);
}

void Principal::fijarPanel(int n, const QString& texto) {
    m_paneles.at(n - 1) = texto;
    emit panelCambiado(n);
}

::Trabajo Principal::HojaGuardada(const Ajustes& a) {
    ::Trabajo h;
    const auto lado = [&](const char* clave) {
        const qint64 v = a.entero(Aplicacion::Titulo, QString::fromLatin1(clave), 0);
        return LadoHojaValido(v) ? static_cast<qint32>(v) : 0;
    };
    h.HAlto = lado("HAlto");
    h.HAncho = lado("HAncho");
    // A stored sheet no job file could hold (a hand-edited or damaged
    // setting) counts as none: the default sheet takes its place.
    if (h.HAlto == 0 || h.HAncho == 0)
        return {};
    h.HName = a.texto(Aplicacion::Titulo, QStringLiteral("HName"), QString());
    h.HOrienta = LeerBooleano(
        a.texto(Aplicacion::Titulo, QStringLiteral("HOrienta"), QStringLiteral("True")));
    return h;
}

void Principal::LeerHoja() {
    const ::Trabajo g = HojaGuardada(ajustes());
    ::Trabajo& h = estado.Trabajo;
    h.HName = g.HName;
    h.HAlto = g.HAlto;
    h.HAncho = g.HAncho;
    h.HOrienta = g.HOrienta;
}

void Principal::PapelPorDefecto() {
    FijarCarta(estado.Trabajo);
    GuardarHoja();
}

void Principal::GuardarHoja() {
    GuardarHoja(ajustes(), estado.Trabajo, idioma);
}

void Principal::GuardarHoja(Ajustes& a, const ::Trabajo& h, const QLocale& idioma) {
    a.escribirBooleano(Aplicacion::Titulo, QStringLiteral("HOrienta"), h.HOrienta, idioma);
    a.escribirTexto(Aplicacion::Titulo, QStringLiteral("HName"), h.HName);
    a.escribirEntero(Aplicacion::Titulo, QStringLiteral("HAlto"), h.HAlto);
    a.escribirEntero(Aplicacion::Titulo, QStringLiteral("HAncho"), h.HAncho);
}

QString Principal::TextoHoja(const ::Trabajo& h, const QLocale& idioma) {
    // "0.00": two decimals, the locale's separator, no digit grouping.
    const auto cm = [&](qint32 twips) {
        return FormatoFijo(static_cast<double>(twips) / kTwipsPorCm, idioma, 1);
    };
    return QStringLiteral("%1 (%2 x %3 Cmts)").arg(h.HName, cm(h.HAncho), cm(h.HAlto));
}

void Principal::MostrarHoja() {
    if (estado.Trabajo.HName.isEmpty())
        PapelPorDefecto();
    m_vertical = estado.Trabajo.HOrienta;
    fijarPanel(2, TextoHoja(estado.Trabajo, idioma));
}

void Principal::AplicarVistaInicial() {
    struct Vista {
        const char* clave;
        const char* ultima;
        int defecto;
        int ultimaDefecto;
        const QString& herramienta;
    };
    const Vista vistas[] = {{"VerRegla", "UltRegla", 1, 1, herramienta::BtnRegla},
                            {"VerMargen", "UltMargen", 2, 0, herramienta::BtnMargenes},
                            {"VerEjes", "UltEjes", 2, 0, herramienta::BtnEjes}};
    for (const Vista& v : vistas) {
        const QString& herramienta = v.herramienta;
        qint64 valor =
            ajustes().entero(Aplicacion::Producto, QString::fromLatin1(v.clave), v.defecto);
        if (valor == 0) {
            const qint64 ultima = ajustes().entero(Aplicacion::Producto,
                                                   QString::fromLatin1(v.ultima), v.ultimaDefecto);
            valor = ultima == 1 ? 1 : (ultima == 0 ? 2 : -1);
        }
        if (valor == 1)
            barra.fijarPulsada(herramienta, true);
        else if (valor == 2)
            barra.fijarPulsada(herramienta, false);
    }
}

void Principal::GuardarVistas() {
    ajustes().escribirEntero(Aplicacion::Producto, QStringLiteral("UltRegla"),
                             barra.pulsada(herramienta::BtnRegla) ? 1 : 0);
    ajustes().escribirEntero(Aplicacion::Producto, QStringLiteral("UltMargen"),
                             barra.pulsada(herramienta::BtnMargenes) ? 1 : 0);
    ajustes().escribirEntero(Aplicacion::Producto, QStringLiteral("UltEjes"),
                             barra.pulsada(herramienta::BtnEjes) ? 1 : 0);
}

void Principal::marcarEditor(bool abierto) {
    if (m_editor == abierto)
        return;
    m_editor = abierto;
    emit editorAbiertoCambiado(abierto);
}
