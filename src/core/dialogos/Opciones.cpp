#include "Opciones.h"

#include "core/programa/Principal.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Valores.h"

Opciones::Opciones(Principal& principal) : hoja(principal.idioma), m_p(principal) {}

void Opciones::Cargar() {
    const Ajustes& a = m_p.ajustes();
    const auto P = Aplicacion::Producto;
    impresoras = m_p.impresoras().impresoras();
    impresora = -1;
    siempreEstaImpresora = a.booleano(P, QStringLiteral("PrinterDefault"), false);
    if (siempreEstaImpresora && !impresoras.isEmpty()) {
        const QString guardada = a.texto(P, QStringLiteral("Printer"), {});
        const qsizetype i = impresoras.indexOf(guardada);
        impresora = static_cast<int>(i >= 0 ? i : impresoras.size() - 1);
    }
    const auto vista = [&](const char* clave, int defecto) {
        const qint64 v = a.entero(P, QString::fromLatin1(clave), defecto);
        return v >= 0 && v <= 2 ? static_cast<int>(v) : defecto;
    };
    verRegla = vista("VerRegla", 0);
    verMargen = vista("VerMargen", 2);
    verEjes = vista("VerEjes", 2);
    fuente.nombre = a.texto(P, QStringLiteral("FontName"), QStringLiteral("Tahoma"));
    fuente.puntos = a.real(P, QStringLiteral("FontSize"), 10);
    fuente.negrita = a.booleano(P, QStringLiteral("FontBold"), false);
    fuente.cursiva = a.booleano(P, QStringLiteral("FontItalic"), false);
    fuente.subrayado = a.booleano(P, QStringLiteral("FontUnderline"), false);
    fuente.tachado = a.booleano(P, QStringLiteral("FontStrikethru"), false);
    color = static_cast<qint32>(a.entero(P, QStringLiteral("FontColor"), 0));
    // Stored as -1 (set) or 0 (clear); older stores may hold the words.
    const QString lineas = a.texto(P, QStringLiteral("VerLineas"), QStringLiteral("-1"));
    lineasGuia = LeerNumero(lineas) ? LeerNumero(lineas).value() != 0 : LeerBooleano(lineas);
    cifras = static_cast<int>(std::clamp<qint64>(a.entero(P, QStringLiteral("Cifras"), 5), 1, 30));
    const qint64 r = a.entero(P, QStringLiteral("Rotacion"), 0);
    rotacion = r == 90 || r == 180 || r == 270 ? static_cast<int>(r) : 0;

    const ::Trabajo& t = m_p.estado.Trabajo;
    const auto T = Aplicacion::Titulo;
    const QString nombre = a.texto(T, QStringLiteral("HName"), t.HName);
    vertical = LeerBooleano(
        a.texto(T, QStringLiteral("HOrienta"), PalabraBooleana(t.HOrienta, QLocale::c())));
    hoja.Cargar(nombre, static_cast<qint32>(a.entero(T, QStringLiteral("HAncho"), t.HAncho)),
                static_cast<qint32>(a.entero(T, QStringLiteral("HAlto"), t.HAlto)), vertical);
    m_p.estado.DialogoCancelado = true;
    cambiado = false;
    impresoraElegida = false;
}

void Opciones::ElegirImpresora(int i) {
    impresora = i;
    siempreEstaImpresora = true;
    impresoraElegida = cambiado = true;
}

void Opciones::SiempreEstaImpresora(bool si) {
    siempreEstaImpresora = si;
    if (si && impresora < 0 && !impresoras.isEmpty())
        impresora = 0;
    if (!si)
        impresora = -1;
    impresoraElegida = cambiado = true;
}

void Opciones::AplicarImpresora() {
    Ajustes& a = m_p.ajustes();
    const auto P = Aplicacion::Producto;
    a.escribirBooleano(P, QStringLiteral("PrinterDefault"), siempreEstaImpresora, m_p.idioma);
    if (!siempreEstaImpresora)
        return;
    const QString nombre =
        impresora >= 0 && impresora < impresoras.size() ? impresoras[impresora] : QString();
    a.escribirTexto(P, QStringLiteral("Printer"), nombre);
    m_p.fijarPanel(3, nombre.isEmpty() ? QStringLiteral("No hay impresora") : nombre);
}

void Opciones::AplicarHoja() {
    // Stored as page setup's "&Predeterminar" stores a sheet. The open job
    // keeps its own: page setup is where that changes.
    ::Trabajo nueva = m_p.estado.Trabajo;
    if (hoja.Aplicar(nueva, vertical))
        Principal::GuardarHoja(m_p.ajustes(), nueva, m_p.idioma);
    // Without a job the model holds the stored sheet.
    if (!m_p.editorAbierto())
        m_p.LeerHoja();
}

void Opciones::Aplicar() {
    Ajustes& a = m_p.ajustes();
    const auto P = Aplicacion::Producto;
    const QLocale& idioma = m_p.idioma;
    // Only a choice made on the printer tab changes the program's printer.
    if (impresoraElegida)
        AplicarImpresora();
    a.escribirEntero(P, QStringLiteral("VerRegla"), verRegla);
    a.escribirEntero(P, QStringLiteral("VerMargen"), verMargen);
    a.escribirEntero(P, QStringLiteral("VerEjes"), verEjes);
    a.escribirBooleano(P, QStringLiteral("FontBold"), fuente.negrita, idioma);
    a.escribirBooleano(P, QStringLiteral("FontItalic"), fuente.cursiva, idioma);
    a.escribirEntero(P, QStringLiteral("FontColor"), color);
    a.escribirTexto(P, QStringLiteral("FontName"), fuente.nombre);
    a.escribirBooleano(P, QStringLiteral("FontStrikethru"), fuente.tachado, idioma);
    a.escribirBooleano(P, QStringLiteral("FontUnderline"), fuente.subrayado, idioma);
    a.escribirTexto(P, QStringLiteral("FontSize"), FormatoGeneral(fuente.puntos, idioma));
    a.escribirEntero(P, QStringLiteral("VerLineas"), lineasGuia ? -1 : 0);
    a.escribirEntero(P, QStringLiteral("Cifras"), cifras);
    a.escribirEntero(P, QStringLiteral("Rotacion"), rotacion);
    AplicarHoja();
    m_p.mensajes().mostrar(QStringLiteral("Algunas de las opciones cambiadas \rtendrán efecto al "
                                          "comenzar un nuevo trabajo"),
                           QStringLiteral("Cambio de opciones"), Icono::Informacion,
                           Botones::Aceptar);
    cambiado = impresoraElegida = false;
}

void Opciones::Aceptar() {
    if (cambiado)
        Aplicar();
}

bool Opciones::SalirCampoHoja(bool esAncho) {
    return hoja.SalirCampo(esAncho, m_p.mensajes());
}
