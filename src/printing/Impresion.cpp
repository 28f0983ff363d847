#include "Impresion.h"

#include "boxes/Numeracion.h"
#include "job/Valores.h"
#include "platform/Ajustes.h"
#include "platform/Impresora.h"
#include "platform/Mensajes.h"
#include "printing/ComprobacionPapel.h"
#include "printing/Correccion.h"
#include "printing/GeometriaImpresora.h"
#include "printing/ImpresoraPrograma.h"
#include "shell/Fallas.h"
#include "shell/Principal.h"

#include <QScopeGuard>

namespace {
using R = PoliticaFallas::Resultado;

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
} // namespace

void CalcularAjuste(Impresora& imp, const Ajustes& ajustes, Tirada& t) {
    const QPointF c = LeerCorreccion(ajustes, imp.nombreDispositivo(), imp.orientacion());
    t.ajusteX = c.x() + MargenIzquierdo(imp) * 567.0;
    t.ajusteY = static_cast<float>(c.y() + MargenSuperior(imp) * 567.0);
}

FinTirada ImprimirHojas(const std::vector<Cuadro>& cuadros, Impresora& imp, const Tirada& t,
                        VentanaProgreso* ventana, PoliticaFallas& politica) {
    qint32 n = 0;
    if (politica.ejecutar([&] { n = LongitudTirada(cuadros); }) != R::Hecho || n <= 0)
        return FinTirada::SinHojas;
    const qint32 desde = std::max<qint32>(t.rango.desde, 1);
    qint32 hasta = t.rango.hasta > 0 ? std::min(t.rango.hasta, n) : n;
    if (t.unaHoja)
        hasta = std::min(hasta, desde);
    if (desde > hasta)
        return FinTirada::SinHojas;

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
            ventana->actualizar(k, QStringLiteral("Imprimiendo hoja Nº %1 de %2").arg(k + 1).arg(n));
            ventana->procesarEventos();
            if (ventana->tomarCancelacion()) {
                const auto r = politica.mensajes().mostrar(
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
    return FinTirada::Terminada;
}

Impresion::Impresion(Principal& principal, ImpresoraPrograma& impresora,
                     DialogosImpresion& dialogos, CrearVentana crearVentana,
                     QStringList carpetasAjusteAntiguo)
    : m_p(principal), m_imp(impresora), m_dialogos(dialogos),
      m_crearVentana(std::move(crearVentana)), m_carpetasAntiguas(std::move(carpetasAjusteAntiguo)) {}

void Impresion::ImprimirTrabajo(bool unaHoja) {
    PoliticaFallas& politica = m_p.politica;
    ConImpresora con(m_imp, politica, ImpresoraDelPrograma());
    Impresora* imp = con.objeto();
    if (!imp)
        return;
    const ::Trabajo& hoja = m_p.estado.Trabajo;
    qint32 hojas = 0;
    try {
        hojas = LongitudTirada(m_p.estado.Cuadros);
    } catch (const Falla&) {
        // Reported by the run itself.
    }
    Tirada t;
    t.unaHoja = unaHoja;
    if (!m_dialogos.imprimir(*imp, hoja.HOrienta ? 1 : 2, hojas, t.rango))
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
        m_p.mensajes().mostrar(kPapel[papel] + QStringLiteral("\r¿Desea continuar?"),
                               QStringLiteral("Tamaño y orientación del papel"),
                               Icono::Informacion, Botones::AceptarCancelar) != Respuesta::Aceptar)
        return;
    const QString usada = imp->nombreDispositivo();

    MigrarAjusteAntiguo(m_p.ajustes(), usada, m_carpetasAntiguas, politica, m_p.idioma);
    if (politica.ejecutar([&] { CalcularAjuste(*imp, m_p.ajustes(), t); }) == R::Abandonado)
        return;
    std::unique_ptr<VentanaProgreso> ventana = m_crearVentana ? m_crearVentana() : nullptr;
    ImprimirHojas(m_p.estado.Cuadros, *imp, t, ventana.get(), politica);
    ventana.reset();

    if (!m_p.ajustes().booleano(Aplicacion::Producto, "PrinterDefault", false)) {
        m_p.ajustes().escribirTexto(Aplicacion::Producto, "Printer", usada);
        m_p.fijarPanel(3, usada);
    }
}

void Impresion::SeleccionarImpresora() {
    PoliticaFallas& politica = m_p.politica;
    const QString programa = ImpresoraDelPrograma();
    ConImpresora con(m_imp, politica, programa);
    Impresora* imp = con.objeto();
    if (!imp)
        return;
    if (!m_dialogos.configurar(*imp, m_p.estado.Trabajo.HOrienta ? 1 : 2))
        return;
    const QString elegida = imp->nombreDispositivo();
    m_imp.FijarImpresoraPredeterminada(elegida);
    politica.ejecutar([&] { m_imp.TerminarDocumento(); });
    Ajustes& a = m_p.ajustes();
    bool guardar = !a.booleano(Aplicacion::Producto, "PrinterDefault", false);
    if (!guardar && programa != elegida) {
        guardar = m_p.mensajes().mostrar(
                      QStringLiteral("La impresora : %1\res la impresora por defecto del programa."
                                     "\r\r%2\res la selección que acaba de realizar.\r¿Desea que "
                                     "esta última se la impresora por defecto del programa?")
                          .arg(programa, elegida),
                      QStringLiteral("Impresora del programa"), Icono::Pregunta,
                      Botones::SiNo) == Respuesta::Si;
    }
    if (guardar) {
        a.escribirTexto(Aplicacion::Producto, "Printer", elegida);
        m_p.fijarPanel(3, elegida);
    }
    if (m_p.barra.habilitada("BtnNuevocuadro") && m_p.barra.pulsada("BtnMargenes") &&
        alCambiarImpresora)
        alCambiarImpresora();
}

bool Impresion::ExportarPdf(const QString& ruta) {
    const ::Trabajo& h = m_p.estado.Trabajo;
    std::unique_ptr<Impresora> pdf = m_imp.catalogo().crearPdf(ruta, h.HAncho, h.HAlto);
    if (!pdf)
        return false;
    std::unique_ptr<VentanaProgreso> ventana = m_crearVentana ? m_crearVentana() : nullptr;
    return ImprimirHojas(m_p.estado.Cuadros, *pdf, Tirada{}, ventana.get(), m_p.politica) ==
           FinTirada::Terminada;
}

std::optional<Margenes> Impresion::ComprobarMargenes() {
    PoliticaFallas& politica = m_p.politica;
    ConImpresora con(m_imp, politica, ImpresoraDelPrograma());
    Impresora* imp = con.objeto();
    if (!imp)
        return std::nullopt;
    const ::Trabajo& hoja = m_p.estado.Trabajo;
    imp->fijarOrientacion(hoja.HOrienta ? 1 : 2);
    static const QString kTextos[] = {
        {},
        QStringLiteral("El tamaño  del papel en la impresora es distinto al de la hoja de trabajo."),
        QStringLiteral("La orientación del papel en la impresora es distinta a la de la hoja de "
                       "trabajo."),
        QStringLiteral("El tamaño y la orientación del papel en la impresora \rson distintas a "
                       "las de la hoja de trabajo.")};
    int r = 0;
    std::optional<Margenes> m;
    politica.ejecutar([&] {
        r = VerificarPapel(hoja, *imp);
        if (r != 0)
            m_p.mensajes().mostrar(kTextos[r] +
                                       QStringLiteral("\rLos márgenes se mostrarán en forma erronea."),
                                   QStringLiteral("Tamaño y orientación del papel"),
                                   Icono::Informacion, Botones::Aceptar);
        m_imp.AbortarDocumento();
        m = PosicionesMargenes(*imp, hoja.Zoom);
    });
    return m;
}

QString Impresion::ImpresoraDelPrograma() const {
    return m_p.ajustes().texto(Aplicacion::Producto, "Printer", m_imp.actual());
}
