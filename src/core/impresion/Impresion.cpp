#include "Impresion.h"

#include "core/fallas/Fallas.h"
#include "core/impresion/ComprobacionPapel.h"
#include "core/impresion/Correccion.h"
#include "core/impresion/GeometriaImpresora.h"
#include "core/impresion/ImpresoraPrograma.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/Impresora.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/Numeracion.h"
#include "core/trabajo/Preferencias.h"
#include "core/trabajo/Trabajo.h"
#include "core/trabajo/Valores.h"

#include <QDir>
#include <QFileInfo>
#include <QRectF>

#include <QScopeGuard>

namespace {
using R = PoliticaFallas::Resultado;

// Lists the boxes that fall off the paper and asks whether to go on.
bool SeguirConCuadrosFuera(Mensajes& m, const QStringList& fuera, const QString& suerte) {
    return fuera.isEmpty() ||
           m.mostrar(
               fuera.join(u'\r') +
                   QStringLiteral("\r\rLo que quede fuera no %1.\r¿Desea continuar?").arg(suerte),
               QStringLiteral("Cuadros fuera del papel"), Icono::Exclamacion,
               Botones::ContinuarCancelar) == Respuesta::Aceptar;
}

void Imprimir(Impresora& imp, const Cuadro& c, const QString& s, const Tirada& t) {
    imp.imprimirLineaVacia();
    imp.fijarColor(c.Color);
    const double x = c.PosX - t.ajusteX;
    if (c.Rotacion != 0) {
        const double y = RedondearPar(c.PosY - t.ajusteY);
        ImprimirTextoRotado(imp, c, s, x, y);
        return;
    }
    imp.fijarPosicion(x, static_cast<float>(c.PosY - t.ajusteY));
    imp.fijarFuente(FuenteDeCuadro(c));
    imp.imprimirTexto(s);
}
// The sheets a run prints, numbered from 1, out of a run of `n`: the
// range asked for, cut to the run (the dialogs refuse a range past it), one
// sheet for the test sheet. Nothing when none is left.
std::optional<std::pair<qint32, qint32>> HojasDeTirada(const Tirada& t, qint32 n) {
    const qint32 desde = std::max<qint32>(t.rango.desde, 1);
    qint32 hasta = t.rango.hasta > 0 ? std::min(t.rango.hasta, n) : n;
    if (t.unaHoja)
        hasta = std::min(hasta, desde);
    if (n <= 0 || desde > hasta)
        return std::nullopt;
    return std::pair{desde, hasta};
}
} // namespace

void CalcularAjuste(Impresora& imp, const Ajustes& ajustes, Tirada& t) {
    const QPointF c = LeerCorreccion(ajustes, imp.nombreDispositivo(), imp.orientacion());
    t.ajusteX = c.x() + MargenIzquierdo(imp) * 567.0;
    t.ajusteY = static_cast<float>(c.y() + MargenSuperior(imp) * 567.0);
}

FinTirada ImprimirHojas(const std::vector<Cuadro>& cuadros, Impresora& imp, const Tirada& t,
                        VentanaProgreso* ventana, PoliticaFallas& politica, qint32* entregadas) {
    if (entregadas)
        *entregadas = 0;
    qint32 n = 0;
    if (politica.ejecutar([&] { n = LongitudTirada(cuadros); }) != R::Hecho)
        return FinTirada::SinHojas;
    const auto hojas = HojasDeTirada(t, n);
    if (!hojas)
        return FinTirada::SinHojas;
    const auto [desde, hasta] = *hojas;

    const qint32 colorAnterior = imp.colorFrente();
    const auto restaurarColor = qScopeGuard([&] { imp.fijarColor(colorAnterior); });
    if (ventana)
        ventana->mostrar(n);
    const auto cerrar = qScopeGuard([&] {
        if (ventana)
            ventana->cerrar();
    });
    bool impreso = false;
    const auto abandonar = [&] {
        imp.abortarDocumento();
        return FinTirada::Abandonada;
    };
    for (qint32 k = desde - 1; k <= hasta - 1; ++k) {
        const bool ultima = k == hasta - 1;
        if (ventana) {
            ventana->procesarEventos();
            ventana->actualizar(k,
                                QStringLiteral("Imprimiendo hoja Nº %1 de %2").arg(k + 1).arg(n));
            ventana->procesarEventos();
            if (ventana->tomarCancelacion()) {
                const auto r = !ventana->confirmarCancelacion()
                                   ? Respuesta::Aceptar
                                   : politica.mensajes().mostrar(
                                         QStringLiteral("¿Seguro desea cancelar la impresión?"),
                                         QStringLiteral("Cancelar impresión"), Icono::Informacion,
                                         Botones::AceptarCancelar);
                if (r == Respuesta::Aceptar) {
                    imp.abortarDocumento();
                    return FinTirada::Cancelada;
                }
            }
        }
        for (const Cuadro& c : cuadros) {
            if (!c.EnUso)
                continue;
            QString s;
            const auto r = politica.ejecutar([&] {
                s = TextoCuadroHoja(c, k);
                if (!s.isEmpty())
                    Imprimir(imp, c, s, t);
            });
            if (r == R::Abandonado)
                return abandonar();
            if (r == R::Hecho && !s.isEmpty())
                impreso = true;
        }
        if (impreso && !ultima && politica.ejecutar([&] { imp.nuevaPagina(); }) == R::Abandonado)
            return abandonar();
    }
    if (impreso && politica.ejecutar([&] { imp.terminarDocumento(); }) != R::Hecho)
        return abandonar();
    if (entregadas && impreso)
        *entregadas = hasta - desde + 1;
    return FinTirada::Terminada;
}

QStringList CuadrosFuera(const std::vector<Cuadro>& cuadros, const ::Trabajo& hoja, Impresora& imp,
                         const Tirada& t, bool areaImprimible) {
    QStringList avisos;
    qint32 n = 0;
    try {
        n = LongitudTirada(cuadros);
    } catch (const Falla&) {
        return avisos; // the run reports it
    }
    const auto hojas = HojasDeTirada(t, n);
    if (!hojas)
        return avisos;
    const auto [desde, hasta] = *hojas;
    const GeometriaDispositivo g = imp.geometria();
    const QRectF area(0, 0, TwipsDeDispositivo(g.anchoImprimible, g.puntosPorPulgadaX),
                      TwipsDeDispositivo(g.altoImprimible, g.puntosPorPulgadaY));
    const QRectF papel(0, 0, hoja.HAncho, hoja.HAlto);
    // A text may overhang its measured box by a hair (antialiasing, rounding).
    constexpr double kHolgura = 2;
    for (size_t i = 0; i < cuadros.size(); ++i) {
        const Cuadro& c = cuadros[i];
        if (!c.EnUso)
            continue;
        double ancho = 0;
        try {
            imp.fijarFuente(FuenteDeCuadro(c));
            for (const qint32 k : {desde - 1, hasta - 1})
                ancho = std::max(ancho, imp.anchoTexto(TextoCuadroHoja(c, k)));
        } catch (const Falla&) {
            continue;
        }
        if (ancho <= 0)
            continue;
        const QSizeF tamano = CalcularTextoRotado(c.Rotacion, ancho, imp.altoCelda()).tamano;
        const QRectF caja(QPointF(c.PosX, c.PosY), tamano);
        const QRectF enArea = caja.translated(-t.ajusteX, -t.ajusteY);
        const auto dentro = [](const QRectF& r, const QRectF& limite) {
            return limite.contains(r.adjusted(kHolgura, kHolgura, -kHolgura, -kHolgura));
        };
        if (!dentro(caja, papel))
            avisos.append(QStringLiteral("El cuadro Nº %1 queda fuera de la hoja").arg(i + 1));
        else if (areaImprimible && !dentro(enArea, area))
            avisos.append(QStringLiteral("El cuadro Nº %1 queda fuera del área imprimible de %2")
                              .arg(i + 1)
                              .arg(imp.nombreDispositivo()));
    }
    return avisos;
}

std::optional<QString> ErrorDestinoPdf(const QString& ruta, const QString& trabajo) {
    if (ruta.trimmed().isEmpty())
        return QStringLiteral("Nombre de archivo no válido.");
    const QFileInfo info(ruta);
    const QFileInfo carpeta(info.absolutePath());
    if (!carpeta.isDir())
        return QStringLiteral("La ruta no existe: %1")
            .arg(QDir::toNativeSeparators(carpeta.filePath()));
    if (info.isDir())
        return QStringLiteral("%1 es una carpeta.").arg(QDir::toNativeSeparators(ruta));
    if (MismoArchivo(ruta, trabajo))
        return TextoSobreElTrabajo(trabajo);
    if (info.exists() && !info.isWritable())
        return QStringLiteral("El archivo %1 está protegido contra escritura.")
            .arg(QDir::toNativeSeparators(ruta));
    if (!info.exists() && !carpeta.isWritable())
        return QStringLiteral("La carpeta %1 está protegida contra escritura.")
            .arg(QDir::toNativeSeparators(carpeta.filePath()));
    return std::nullopt;
}

bool MismoArchivo(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString canonico = QFileInfo(a).canonicalFilePath(); // empty when it does not exist
    return !canonico.isEmpty() && canonico == QFileInfo(b).canonicalFilePath();
}

QString TextoSobreElTrabajo(const QString& trabajo) {
    return QStringLiteral("El PDF no puede escribirse sobre el propio trabajo (%1).")
        .arg(QDir::toNativeSeparators(trabajo));
}

QString TextoCancelada(bool exportacion) {
    return exportacion
               ? QStringLiteral("Exportación cancelada. No se escribió el archivo.")
               : QStringLiteral("Impresión cancelada. No se envió ninguna hoja a la impresora.");
}

Impresion::Impresion(Documento& documento, Preferencias& preferencias, PoliticaFallas& politica,
                     Mensajes& mensajes, ImpresoraPrograma& impresora, DialogosImpresion& dialogos,
                     CrearVentana crearVentana, QStringList carpetasAjusteAntiguo)
    : m_doc(documento), m_pref(preferencias), m_politica(politica), m_mensajes(mensajes),
      m_imp(impresora), m_dialogos(dialogos), m_crearVentana(std::move(crearVentana)),
      m_carpetasAntiguas(std::move(carpetasAjusteAntiguo)) {}

void Impresion::ImprimirTrabajo(bool unaHoja) {
    PoliticaFallas& politica = m_politica;
    ConImpresora con(m_imp, politica, ImpresoraDelPrograma(m_pref, m_imp));
    Impresora* imp = con.objeto();
    if (!imp)
        return;
    const ::Trabajo& hoja = m_doc.Trabajo();
    qint32 hojas = 0;
    try {
        hojas = LongitudTirada(m_doc.Cuadros());
    } catch (const Falla&) {
        // Reported by the run itself.
    }
    Tirada t;
    t.unaHoja = unaHoja;
    if (!m_dialogos.imprimir(*imp, hoja.HOrienta ? 1 : 2, hojas, t.rango, unaHoja))
        return;
    // The printer chosen in the dialog is the current one now.
    m_imp.FijarImpresoraPredeterminada(imp->nombreDispositivo());
    if (politica.ejecutar([&] { m_imp.TerminarDocumento(); }) == R::Abandonado)
        return;
    imp = m_imp.objeto();
    if (!imp)
        return;
    static const QString kPapel[] = {
        {},
        QStringLiteral("El tamaño  del papel en la impresora no es correcto"),
        QStringLiteral("La orientación del papel en la impresora no es correcta"),
        QStringLiteral("El tamaño y la orientación del papel en la impresora no son correctos")};
    int papel = 0;
    if (politica.ejecutar([&] { papel = VerificarPapel(hoja, *imp); }) == R::Abandonado)
        return;
    if (papel != 0 &&
        m_mensajes.mostrar(kPapel[papel] + QStringLiteral("\r¿Desea continuar?"),
                           QStringLiteral("Tamaño y orientación del papel"), Icono::Informacion,
                           Botones::AceptarCancelar) != Respuesta::Aceptar)
        return;
    const QString usada = imp->nombreDispositivo();

    MigrarAjusteAntiguo(m_pref.ajustes(), usada, m_carpetasAntiguas, politica, m_pref.idioma());
    if (politica.ejecutar([&] { CalcularAjuste(*imp, m_pref.ajustes(), t); }) == R::Abandonado)
        return;
    const QStringList fuera = CuadrosFuera(m_doc.Cuadros(), hoja, *imp, t, true);
    if (!SeguirConCuadrosFuera(m_mensajes, fuera, QStringLiteral("se imprimirá")))
        return;
    std::unique_ptr<VentanaProgreso> ventana = m_crearVentana ? m_crearVentana() : nullptr;
    const FinTirada fin = ImprimirHojas(m_doc.Cuadros(), *imp, t, ventana.get(), politica);
    ventana.reset();
    if (fin == FinTirada::Cancelada)
        m_mensajes.mostrar(TextoCancelada(false), QStringLiteral("Cancelar impresión"),
                           Icono::Informacion, Botones::Aceptar);

    if (!m_pref.impresoraFija())
        m_pref.fijarImpresora(usada);
}

void Impresion::SeleccionarImpresora() {
    PoliticaFallas& politica = m_politica;
    const QString programa = ImpresoraDelPrograma(m_pref, m_imp);
    ConImpresora con(m_imp, politica, programa);
    Impresora* imp = con.objeto();
    if (!imp)
        return;
    if (!m_dialogos.configurar(*imp, m_doc.Trabajo().HOrienta ? 1 : 2))
        return;
    const QString elegida = imp->nombreDispositivo();
    m_imp.FijarImpresoraPredeterminada(elegida);
    politica.ejecutar([&] { m_imp.TerminarDocumento(); });
    bool guardar = !m_pref.impresoraFija();
    if (!guardar && programa != elegida) {
        guardar = m_mensajes.mostrar(
                      QStringLiteral("La impresora : %1\res la impresora por defecto del programa."
                                     "\r\r%2\res la selección que acaba de realizar.\r¿Desea que "
                                     "esta última se la impresora por defecto del programa?")
                          .arg(programa, elegida),
                      QStringLiteral("Impresora del programa"), Icono::Pregunta,
                      Botones::SiNo) == Respuesta::Si;
    }
    if (guardar)
        m_pref.fijarImpresora(elegida);
    if (m_doc.abierto() && alCambiarImpresora)
        alCambiarImpresora();
}

std::optional<qint32> Impresion::ExportarPdf(const QString& ruta, const RangoHojas& rango) {
    const ::Trabajo& h = m_doc.Trabajo();
    if (const auto error = ErrorDestinoPdf(ruta, m_doc.RutaTrabajo())) {
        m_mensajes.mostrar(*error, QStringLiteral("Exportar a PDF"), Icono::Exclamacion,
                           Botones::Aceptar);
        return std::nullopt;
    }
    std::unique_ptr<Impresora> pdf = m_imp.catalogo().crearPdf(ruta, h.HAncho, h.HAlto);
    if (!pdf)
        return std::nullopt;
    Tirada t;
    t.rango = rango;
    const QStringList fuera = CuadrosFuera(m_doc.Cuadros(), h, *pdf, t, false);
    if (!SeguirConCuadrosFuera(m_mensajes, fuera, QStringLiteral("se verá")))
        return std::nullopt;
    std::unique_ptr<VentanaProgreso> ventana = m_crearVentana ? m_crearVentana() : nullptr;
    qint32 hojas = 0;
    const FinTirada fin =
        ImprimirHojas(m_doc.Cuadros(), *pdf, t, ventana.get(), m_politica, &hojas);
    ventana.reset();
    pdf.reset();
    if (fin == FinTirada::Cancelada)
        m_mensajes.mostrar(TextoCancelada(true), QStringLiteral("Exportar a PDF"),
                           Icono::Informacion, Botones::Aceptar);
    if (fin != FinTirada::Terminada)
        return std::nullopt;
    return hojas;
}

std::optional<Margenes> Impresion::ComprobarMargenes() {
    PoliticaFallas& politica = m_politica;
    ConImpresora con(m_imp, politica, ImpresoraDelPrograma(m_pref, m_imp));
    Impresora* imp = con.objeto();
    if (!imp)
        return std::nullopt;
    const ::Trabajo& hoja = m_doc.Trabajo();
    imp->fijarOrientacion(hoja.HOrienta ? 1 : 2);
    static const QString kTextos[] = {
        {},
        QStringLiteral(
            "El tamaño  del papel en la impresora es distinto al de la hoja de trabajo."),
        QStringLiteral("La orientación del papel en la impresora es distinta a la de la hoja de "
                       "trabajo."),
        QStringLiteral("El tamaño y la orientación del papel en la impresora \rson distintas a "
                       "las de la hoja de trabajo.")};
    int r = 0;
    std::optional<Margenes> m;
    politica.ejecutar([&] {
        r = VerificarPapel(hoja, *imp);
        if (r != 0)
            m_mensajes.mostrar(kTextos[r] +
                                   QStringLiteral("\rLos márgenes se mostrarán en forma erronea."),
                               QStringLiteral("Tamaño y orientación del papel"), Icono::Informacion,
                               Botones::Aceptar);
        m_imp.AbortarDocumento();
        m = PosicionesMargenes(*imp);
    });
    return m;
}
