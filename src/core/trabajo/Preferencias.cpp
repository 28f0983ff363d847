#include "Preferencias.h"

#include "core/trabajo/Limites.h"
#include "core/trabajo/Valores.h"

#include <QFileInfo>
#include <cmath>

namespace {
// The keys, each spelt once. "Titulo" keys live under the program's title
// (the stored sheet, the dialogs' folder, the window's place); the others
// under its product name.
namespace clave {
const QString Cifras = QStringLiteral("Cifras");
const QString VerLineas = QStringLiteral("VerLineas");
const QString FontName = QStringLiteral("FontName");
const QString FontSize = QStringLiteral("FontSize");
const QString FontBold = QStringLiteral("FontBold");
const QString FontItalic = QStringLiteral("FontItalic");
const QString FontUnderline = QStringLiteral("FontUnderline");
const QString FontStrikethru = QStringLiteral("FontStrikethru");
const QString FontColor = QStringLiteral("FontColor");
const QString Rotacion = QStringLiteral("Rotacion");
const QString Printer = QStringLiteral("Printer");
const QString PrinterDefault = QStringLiteral("PrinterDefault");
const QString OrdenInverso = QStringLiteral("OrdenInverso");
const QString VerRegla = QStringLiteral("VerRegla");
const QString VerMargen = QStringLiteral("VerMargen");
const QString VerEjes = QStringLiteral("VerEjes");
const QString UltRegla = QStringLiteral("UltRegla");
const QString UltMargen = QStringLiteral("UltMargen");
const QString UltEjes = QStringLiteral("UltEjes");
// Under the title.
const QString HName = QStringLiteral("HName");
const QString HOrienta = QStringLiteral("HOrienta");
const QString HAlto = QStringLiteral("HAlto");
const QString HAncho = QStringLiteral("HAncho");
const QString InitDir = QStringLiteral("InitDir");
const QString MainLeft = QStringLiteral("MainLeft");
const QString MainTop = QStringLiteral("MainTop");
const QString VentanaIzq = QStringLiteral("VentanaIzq");
const QString VentanaSup = QStringLiteral("VentanaSup");
const QString VentanaAncho = QStringLiteral("VentanaAncho");
const QString VentanaAlto = QStringLiteral("VentanaAlto");
const QString VentanaMaximizada = QStringLiteral("VentanaMaximizada");
// "Reciente1" (the most recent) to "Reciente8".
const QString Reciente = QStringLiteral("Reciente");
// The background pictures, in a section of their own under the title: pairs
// "Trabajo1"/"Imagen1" (the most recent) to "Trabajo20"/"Imagen20". The
// paths are values, not keys: keys match without regard to case.
const QString ImagenesFondo = QStringLiteral("ImagenesFondo");
const QString FondoTrabajo = QStringLiteral("Trabajo");
const QString FondoImagen = QStringLiteral("Imagen");
} // namespace clave

constexpr auto P = Aplicacion::Producto;
constexpr auto T = Aplicacion::Titulo;

const QString kFuentePorDefecto = QStringLiteral("Tahoma");
constexpr int kCifrasCuadro = 5;
const QString kCifrasGrupo = QStringLiteral("7");
// Past any desktop's size: a larger stored value is a damaged setting.
constexpr qint64 kMaxPixeles = 1000000;
} // namespace

Preferencias::Preferencias(Ajustes& ajustes, const QLocale& idioma, QObject* padre)
    : QObject(padre), m_a(ajustes), m_idioma(idioma) {}

qint64 Preferencias::entero(Aplicacion app, const QString& c, qint64 defecto) const {
    const auto t = m_a.leer(app, kSeccionAjustes, c);
    if (!t)
        return defecto;
    const auto v = LeerNumero(*t);
    if (!v || std::abs(*v) > 9e15)
        return defecto;
    return static_cast<qint64>(RedondearPar(*v));
}

double Preferencias::real(Aplicacion app, const QString& c, double defecto) const {
    const auto t = m_a.leer(app, kSeccionAjustes, c);
    if (!t)
        return defecto;
    return LeerNumero(*t).value_or(defecto);
}

bool Preferencias::booleano(Aplicacion app, const QString& c, bool defecto) const {
    const auto t = m_a.leer(app, kSeccionAjustes, c);
    return t ? LeerBooleano(*t) : defecto;
}

void Preferencias::escribirEntero(Aplicacion app, const QString& c, qint64 valor) {
    m_a.escribirTexto(app, c, QString::number(valor));
}

void Preferencias::escribirBooleano(Aplicacion app, const QString& c, bool valor) {
    m_a.escribirTexto(app, c, PalabraBooleana(valor, m_idioma));
}

Cuadro Preferencias::defectosCuadro() const {
    const auto entero16 = [&](const QString& c, qint16 defecto) {
        const qint64 v = entero(P, c, defecto);
        return static_cast<qint16>(v < -32768 || v > 32767 ? defecto : v);
    };
    Cuadro c;
    c.Cifras = entero16(clave::Cifras, kCifrasCuadro);
    c.Inicio = 1;
    c.Fin = 1;
    c.Salto = 1;
    c.TextoIzq = QStringLiteral(" ");
    c.TextoDer = QStringLiteral(" ");
    // The options dialog stores the check box as -1 or 0; the words for true
    // and false are read too.
    const QString lineas = texto(P, clave::VerLineas, QStringLiteral("-1"));
    const auto numero = LeerNumero(lineas);
    c.LineasGuia = numero ? *numero != 0 : LeerBooleano(lineas);
    c.FontName = texto(P, clave::FontName, kFuentePorDefecto);
    const double puntos = real(P, clave::FontSize, 10);
    // A size the job file could not hold back would make every new box unsavable.
    c.FontSize = TamLetraValido(puntos) ? static_cast<float>(puntos) : 10.0f;
    c.FontBold = booleano(P, clave::FontBold, false);
    c.FontItalic = booleano(P, clave::FontItalic, false);
    c.FontUnderline = booleano(P, clave::FontUnderline, false);
    c.FontStrikethru = booleano(P, clave::FontStrikethru, false);
    c.EnUso = true;
    const qint64 color = entero(P, clave::FontColor, 0);
    c.Color = color >= 0 && color <= 0xFFFFFF ? static_cast<qint32>(color) : 0;
    c.Rotacion = entero16(clave::Rotacion, 0);
    return c;
}

Preferencias::DefectosGrupo Preferencias::defectosGrupo() const {
    // The font, colour and rotation as the options dialog shows them; the
    // digits as stored, with the group's own default.
    const OpcionesGuardadas o = opciones();
    return {texto(P, clave::Cifras, kCifrasGrupo), o.rotacion, o.fuente, o.color};
}

OpcionesGuardadas Preferencias::opciones() const {
    OpcionesGuardadas o;
    const auto vista = [&](const QString& c, int defecto) {
        const qint64 v = entero(P, c, defecto);
        return v >= 0 && v <= 2 ? static_cast<int>(v) : defecto;
    };
    o.verRegla = vista(clave::VerRegla, 0);
    o.verMargen = vista(clave::VerMargen, 2);
    o.verEjes = vista(clave::VerEjes, 2);
    o.fuente.nombre = texto(P, clave::FontName, kFuentePorDefecto);
    o.fuente.puntos = real(P, clave::FontSize, 10);
    o.fuente.negrita = booleano(P, clave::FontBold, false);
    o.fuente.cursiva = booleano(P, clave::FontItalic, false);
    o.fuente.subrayado = booleano(P, clave::FontUnderline, false);
    o.fuente.tachado = booleano(P, clave::FontStrikethru, false);
    o.color = static_cast<qint32>(entero(P, clave::FontColor, 0));
    // Stored as -1 (set) or 0 (clear); older stores may hold the words.
    const QString lineas = texto(P, clave::VerLineas, QStringLiteral("-1"));
    o.lineasGuia = LeerNumero(lineas) ? LeerNumero(lineas).value() != 0 : LeerBooleano(lineas);
    o.cifras = static_cast<int>(std::clamp<qint64>(entero(P, clave::Cifras, kCifrasCuadro), 1, 30));
    const qint64 r = entero(P, clave::Rotacion, 0);
    o.rotacion = r == 90 || r == 180 || r == 270 ? static_cast<int>(r) : 0;
    return o;
}

void Preferencias::guardarOpciones(const OpcionesGuardadas& o) {
    // In this order: the store is a file another copy of the program may read.
    escribirEntero(P, clave::VerRegla, o.verRegla);
    escribirEntero(P, clave::VerMargen, o.verMargen);
    escribirEntero(P, clave::VerEjes, o.verEjes);
    escribirBooleano(P, clave::FontBold, o.fuente.negrita);
    escribirBooleano(P, clave::FontItalic, o.fuente.cursiva);
    escribirEntero(P, clave::FontColor, o.color);
    escribirTexto(P, clave::FontName, o.fuente.nombre);
    escribirBooleano(P, clave::FontStrikethru, o.fuente.tachado);
    escribirBooleano(P, clave::FontUnderline, o.fuente.subrayado);
    escribirTexto(P, clave::FontSize, FormatoGeneral(o.fuente.puntos, m_idioma));
    escribirEntero(P, clave::VerLineas, o.lineasGuia ? -1 : 0);
    escribirEntero(P, clave::Cifras, o.cifras);
    escribirEntero(P, clave::Rotacion, o.rotacion);
}

::Trabajo Preferencias::hojaGuardada() const {
    ::Trabajo h;
    const auto lado = [&](const QString& c) {
        const qint64 v = entero(T, c, 0);
        return LadoHojaValido(v) ? static_cast<qint32>(v) : 0;
    };
    h.HAlto = lado(clave::HAlto);
    h.HAncho = lado(clave::HAncho);
    // A stored sheet no job file could hold (a hand-edited or damaged
    // setting) counts as none: the default sheet takes its place.
    if (h.HAlto == 0 || h.HAncho == 0)
        return {};
    h.HName = texto(T, clave::HName, QString());
    h.HOrienta = LeerBooleano(texto(T, clave::HOrienta, QStringLiteral("True")));
    return h;
}

::Trabajo Preferencias::conHojaGuardada(const ::Trabajo& actual) const {
    const ::Trabajo g = hojaGuardada();
    ::Trabajo h = actual;
    h.HName = g.HName;
    h.HAlto = g.HAlto;
    h.HAncho = g.HAncho;
    h.HOrienta = g.HOrienta;
    return h;
}

::Trabajo Preferencias::hojaParaOpciones(const ::Trabajo& actual) const {
    ::Trabajo h = actual;
    h.HName = texto(T, clave::HName, actual.HName);
    h.HOrienta =
        LeerBooleano(texto(T, clave::HOrienta, PalabraBooleana(actual.HOrienta, QLocale::c())));
    h.HAncho = static_cast<qint32>(entero(T, clave::HAncho, actual.HAncho));
    h.HAlto = static_cast<qint32>(entero(T, clave::HAlto, actual.HAlto));
    return h;
}

void Preferencias::guardarHoja(const ::Trabajo& h) {
    escribirBooleano(T, clave::HOrienta, h.HOrienta);
    escribirTexto(T, clave::HName, h.HName);
    escribirEntero(T, clave::HAlto, h.HAlto);
    escribirEntero(T, clave::HAncho, h.HAncho);
}

VistaInicial Preferencias::vistaInicial() const {
    // "Ver..." is 1 (always), 2 (never) or 0: as the editor window last closed
    // ("Ult...", 1 shown, 0 hidden).
    const auto una = [&](const QString& ver, const QString& ultima, int defecto,
                         int ultimaDefecto) -> std::optional<bool> {
        qint64 valor = entero(P, ver, defecto);
        if (valor == 0) {
            const qint64 u = entero(P, ultima, ultimaDefecto);
            valor = u == 1 ? 1 : (u == 0 ? 2 : -1);
        }
        if (valor == 1)
            return true;
        if (valor == 2)
            return false;
        return std::nullopt;
    };
    return {una(clave::VerRegla, clave::UltRegla, 1, 1),
            una(clave::VerMargen, clave::UltMargen, 2, 0),
            una(clave::VerEjes, clave::UltEjes, 2, 0)};
}

void Preferencias::guardarVistas(bool reglas, bool margenes, bool ejes) {
    escribirEntero(P, clave::UltRegla, reglas ? 1 : 0);
    escribirEntero(P, clave::UltMargen, margenes ? 1 : 0);
    escribirEntero(P, clave::UltEjes, ejes ? 1 : 0);
}

std::optional<QString> Preferencias::impresora() const {
    return m_a.leer(P, kSeccionAjustes, clave::Printer);
}

void Preferencias::fijarImpresora(const QString& nombre) {
    escribirTexto(P, clave::Printer, nombre);
    emit impresoraCambiada();
}

bool Preferencias::impresoraFija() const {
    return booleano(P, clave::PrinterDefault, false);
}

void Preferencias::fijarImpresoraFija(bool si) {
    escribirBooleano(P, clave::PrinterDefault, si);
}

bool Preferencias::ordenInverso() const {
    return booleano(P, clave::OrdenInverso, false);
}

void Preferencias::fijarOrdenInverso(bool si) {
    escribirBooleano(P, clave::OrdenInverso, si);
}

QString Preferencias::carpetaInicial() const {
    return texto(T, clave::InitDir, {});
}

void Preferencias::fijarCarpetaInicial(const QString& ruta) {
    escribirTexto(T, clave::InitDir, ruta);
}

std::optional<QPoint> Preferencias::lugarVentana() const {
    if (!m_a.leer(T, kSeccionAjustes, clave::MainLeft) ||
        !m_a.leer(T, kSeccionAjustes, clave::MainTop))
        return std::nullopt;
    return QPoint(static_cast<int>(entero(T, clave::MainLeft, 0)),
                  static_cast<int>(entero(T, clave::MainTop, 0)));
}

void Preferencias::guardarLugarVentana(QPoint lugar) {
    escribirEntero(T, clave::MainLeft, lugar.x());
    escribirEntero(T, clave::MainTop, lugar.y());
}

std::optional<VentanaGuardada> Preferencias::ventanaPrincipal() const {
    const auto pixeles = [&](const QString& c) -> std::optional<int> {
        if (!m_a.leer(T, kSeccionAjustes, c))
            return std::nullopt;
        const qint64 v = entero(T, c, kMaxPixeles + 1);
        if (v < -kMaxPixeles || v > kMaxPixeles)
            return std::nullopt;
        return static_cast<int>(v);
    };
    const auto x = pixeles(clave::VentanaIzq);
    const auto y = pixeles(clave::VentanaSup);
    const auto ancho = pixeles(clave::VentanaAncho);
    const auto alto = pixeles(clave::VentanaAlto);
    if (!x || !y || !ancho || !alto || *ancho <= 0 || *alto <= 0)
        return std::nullopt;
    return VentanaGuardada{QRect(*x, *y, *ancho, *alto),
                           booleano(T, clave::VentanaMaximizada, false)};
}

void Preferencias::guardarVentanaPrincipal(const VentanaGuardada& v) {
    escribirEntero(T, clave::VentanaIzq, v.marco.x());
    escribirEntero(T, clave::VentanaSup, v.marco.y());
    escribirEntero(T, clave::VentanaAncho, v.marco.width());
    escribirEntero(T, clave::VentanaAlto, v.marco.height());
    escribirBooleano(T, clave::VentanaMaximizada, v.maximizada);
}

QStringList Preferencias::trabajosRecientes() const {
    QStringList rutas;
    for (int i = 1; i <= kMaxTrabajosRecientes; ++i) {
        const QString ruta = texto(T, clave::Reciente + QString::number(i), {});
        if (!ruta.isEmpty())
            rutas.append(ruta);
    }
    return rutas;
}

void Preferencias::fijarTrabajosRecientes(const QStringList& rutas) {
    // Every key is a rewrite of the settings file: only the entries that moved.
    for (int i = 1; i <= kMaxTrabajosRecientes; ++i) {
        const QString c = clave::Reciente + QString::number(i);
        const QString ruta = i <= rutas.size() ? rutas.at(i - 1) : QString();
        if (m_a.leer(T, kSeccionAjustes, c).value_or(QString()) != ruta)
            escribirTexto(T, c, ruta);
    }
}

namespace {
QString RutaCompleta(const QString& ruta) {
    return ruta.isEmpty() ? QString() : QFileInfo(ruta).absoluteFilePath();
}
} // namespace

QString Preferencias::imagenFondo(const QString& rutaTrabajo) const {
    const QString trabajo = RutaCompleta(rutaTrabajo);
    if (trabajo.isEmpty())
        return {};
    for (int i = 1; i <= kMaxImagenesFondo; ++i) {
        const QString n = QString::number(i);
        if (m_a.leer(T, clave::ImagenesFondo, clave::FondoTrabajo + n).value_or(QString()) ==
            trabajo)
            return m_a.leer(T, clave::ImagenesFondo, clave::FondoImagen + n).value_or(QString());
    }
    return {};
}

void Preferencias::fijarImagenFondo(const QString& rutaTrabajo, const QString& imagen) {
    const QString trabajo = RutaCompleta(rutaTrabajo);
    if (trabajo.isEmpty())
        return;
    QList<std::pair<QString, QString>> pares;
    if (!imagen.isEmpty())
        pares.append({trabajo, imagen});
    for (int i = 1; i <= kMaxImagenesFondo; ++i) {
        const QString n = QString::number(i);
        const QString t =
            m_a.leer(T, clave::ImagenesFondo, clave::FondoTrabajo + n).value_or(QString());
        const QString f =
            m_a.leer(T, clave::ImagenesFondo, clave::FondoImagen + n).value_or(QString());
        if (!t.isEmpty() && !f.isEmpty() && t != trabajo)
            pares.append({t, f});
    }
    // Every key is a rewrite of the settings file: only the entries that moved.
    for (int i = 1; i <= kMaxImagenesFondo; ++i) {
        const QString n = QString::number(i);
        const auto par = i <= pares.size() ? pares.at(i - 1) : std::pair<QString, QString>();
        for (const auto& [c, v] : {std::pair(clave::FondoTrabajo + n, par.first),
                                   std::pair(clave::FondoImagen + n, par.second)})
            if (m_a.leer(T, clave::ImagenesFondo, c).value_or(QString()) != v)
                m_a.escribir(T, clave::ImagenesFondo, c, v);
    }
}
