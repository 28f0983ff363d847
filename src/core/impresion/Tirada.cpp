#include "Tirada.h"

#include "core/fallas/Fallas.h"
#include "core/impresion/ComprobacionPapel.h"
#include "core/impresion/Correccion.h"
#include "core/impresion/GeometriaImpresora.h"
#include "core/puertos/Impresora.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Numeracion.h"
#include "core/trabajo/Trabajo.h"
#include "core/trabajo/Unidades.h"
#include "core/trabajo/Valores.h"

#include <QRectF>
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

std::optional<std::pair<qint32, qint32>> HojasDeTirada(const Tirada& t, qint32 n) {
    const qint32 desde = std::max<qint32>(t.rango.desde, 1);
    qint32 hasta = t.rango.hasta > 0 ? std::min(t.rango.hasta, n) : n;
    if (t.unaHoja)
        hasta = std::min(hasta, desde);
    if (n <= 0 || desde > hasta)
        return std::nullopt;
    return std::pair{desde, hasta};
}

std::optional<qint32> MedirTirada(const std::vector<Cuadro>& cuadros, PoliticaFallas& politica) {
    qint32 n = 0;
    if (politica.ejecutar([&] { n = LongitudTirada(cuadros); }) != R::Hecho)
        return std::nullopt;
    return n;
}

PreparacionTirada PrepararTirada(const ::Trabajo& hoja, const std::vector<Cuadro>& cuadros,
                                 Impresora& imp, const PedidoTirada& pedido,
                                 const EntornoTirada& entorno, const Veredictos& veredictos) {
    PoliticaFallas& politica = entorno.politica;
    PreparacionTirada p;
    p.tirada = pedido.tirada;
    Tirada& t = p.tirada;
    if (!t.hojas)
        t.hojas = MedirTirada(cuadros, politica);
    if (!t.hojas)
        return p;
    const bool impresora = pedido.destino == DestinoTirada::Impresora;
    if (impresora) {
        if (pedido.orientar)
            imp.fijarOrientacion(hoja.HOrienta ? 1 : 2);
        if (politica.ejecutar([&] { p.papel = VerificarPapel(hoja, imp); }) == R::Abandonado)
            return p;
        if (p.papel != 0 && veredictos.papel && !veredictos.papel(p.papel))
            return p;
        MigrarAjusteAntiguo(entorno.ajustes, imp.nombreDispositivo(), entorno.carpetasAntiguas,
                            politica, entorno.idioma);
        if (politica.ejecutar([&] { CalcularAjuste(imp, entorno.ajustes, t); }) == R::Abandonado)
            return p;
    }
    p.fuera = CuadrosFuera(cuadros, hoja, imp, t, impresora);
    if (!p.fuera.isEmpty() && veredictos.fuera && !veredictos.fuera(p.fuera))
        return p;
    p.lista = true;
    return p;
}

void CalcularAjuste(Impresora& imp, const Ajustes& ajustes, Tirada& t) {
    const QPointF c = LeerCorreccion(ajustes, imp.nombreDispositivo(), imp.orientacion());
    t.ajusteX = c.x() + TwipsDeCm(MargenIzquierdo(imp));
    t.ajusteY = static_cast<float>(c.y() + TwipsDeCm(MargenSuperior(imp)));
}

FinTirada ImprimirHojas(const std::vector<Cuadro>& cuadros, Impresora& imp, const Tirada& t,
                        VentanaProgreso* ventana, PoliticaFallas& politica, qint32* entregadas,
                        SeguimientoTirada* seguimiento) {
    if (entregadas)
        *entregadas = 0;
    QString falla; // the message of the failure that stopped the run
    const auto paso = [&](const std::function<void()>& f) {
        return politica.ejecutar([&] {
            try {
                f();
            } catch (const Falla& e) {
                falla = e.descripcion;
                throw;
            }
        });
    };
    qint32 hoja = 0; // the sheet the run is at, from 1
    const auto acabar = [&](FinTirada fin) {
        if (seguimiento)
            seguimiento->terminada(fin, hoja, fin == FinTirada::Abandonada ? falla : QString());
        return fin;
    };
    const std::optional<qint32> n = t.hojas ? t.hojas : MedirTirada(cuadros, politica);
    if (!n)
        return acabar(FinTirada::SinHojas);
    const auto hojas = HojasDeTirada(t, *n);
    if (!hojas)
        return acabar(FinTirada::SinHojas);
    const auto [desde, hasta] = *hojas;
    const qint32 total = hasta - desde + 1;

    const qint32 colorAnterior = imp.colorFrente();
    const auto restaurarColor = qScopeGuard([&] { imp.fijarColor(colorAnterior); });
    if (ventana)
        ventana->mostrar(*n);
    const auto cerrar = qScopeGuard([&] {
        if (ventana)
            ventana->cerrar();
    });
    bool impreso = false;     // the open part has ink
    bool algoImpreso = false; // some part had
    qint32 enParte = 0;       // sheets in the open part
    qint32 enviadas = 0;      // sheets of the parts sent, in the run's order
    const auto contar = qScopeGuard([&] {
        if (entregadas && algoImpreso)
            *entregadas = enviadas;
    });
    const auto abandonar = [&] {
        imp.abortarDocumento();
        return acabar(FinTirada::Abandonada);
    };
    for (qint32 i = 0; i < total; ++i) {
        const qint32 k = t.inverso ? hasta - 1 - i : desde - 1 + i; // the sheet, from 0
        hoja = k + 1;
        const bool ultima = i == total - 1;
        if (ventana) {
            ventana->procesarEventos();
            ventana->actualizar(desde - 1 + i,
                                QStringLiteral("Imprimiendo hoja Nº %1 de %2").arg(k + 1).arg(*n));
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
                    return acabar(FinTirada::Cancelada);
                }
            }
        }
        for (const Cuadro& c : cuadros) {
            if (!c.EnUso)
                continue;
            QString s;
            const auto r = paso([&] {
                s = TextoCuadroHoja(c, k);
                if (!s.isEmpty())
                    Imprimir(imp, c, s, t);
            });
            if (r == R::Abandonado)
                return abandonar();
            if (r == R::Hecho && !s.isEmpty())
                impreso = true;
        }
        ++enParte;
        const bool finParte = ultima || (t.hojasPorEntrega > 0 && enParte == t.hojasPorEntrega);
        if (!finParte) {
            if (impreso && paso([&] { imp.nuevaPagina(); }) == R::Abandonado)
                return abandonar();
            continue;
        }
        if (seguimiento && impreso)
            seguimiento->enviando(i + 1);
        if (impreso && paso([&] { imp.terminarDocumento(); }) != R::Hecho)
            return abandonar();
        algoImpreso = algoImpreso || impreso;
        impreso = false;
        enParte = 0;
        enviadas = i + 1;
        if (seguimiento)
            seguimiento->entregadas(enviadas);
    }
    return acabar(FinTirada::Terminada);
}

QStringList CuadrosFuera(const std::vector<Cuadro>& cuadros, const ::Trabajo& hoja, Impresora& imp,
                         const Tirada& t, bool areaImprimible) {
    QStringList avisos;
    const auto hojas = HojasDeTirada(t, t.hojas ? *t.hojas : LongitudTirada(cuadros));
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
            // Not lost: printing this box meets the same failure, and the
            // run reports it through the policy. Here it has no size to check.
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

QString TextoCanceladaConEnviadas(qint32 hoja, qint32 desde, qint32 hasta) {
    if (desde <= 0 || hasta <= 0)
        return TextoCancelada(false);
    const QString enviadas =
        desde == hasta
            ? QStringLiteral("Se envió a la impresora la hoja %1").arg(desde)
            : QStringLiteral("Se enviaron a la impresora las hojas %1 a %2").arg(desde).arg(hasta);
    return QStringLiteral("Impresión cancelada en la hoja %1. %2; las siguientes no se enviaron.")
        .arg(hoja)
        .arg(enviadas);
}

QString TextoCancelada(bool exportacion) {
    return exportacion
               ? QStringLiteral("Exportación cancelada. No se escribió el archivo.")
               : QStringLiteral("Impresión cancelada. No se envió ninguna hoja a la impresora.");
}
