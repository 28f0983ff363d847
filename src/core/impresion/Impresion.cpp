#include "Impresion.h"

#include "core/fallas/Fallas.h"
#include "core/impresion/ComprobacionPapel.h"
#include "core/impresion/ImpresoraPrograma.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/Impresora.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/Preferencias.h"
#include "core/trabajo/Trabajo.h"

#include <QDir>
#include <QFileInfo>

namespace {
using R = PoliticaFallas::Resultado;

// Says how the printer's paper differs from the sheet and asks whether to go on.
bool SeguirConPapel(Mensajes& m, int papel) {
    static const QString kPapel[] = {
        {},
        QStringLiteral("El tamaño  del papel en la impresora no es correcto"),
        QStringLiteral("La orientación del papel en la impresora no es correcta"),
        QStringLiteral("El tamaño y la orientación del papel en la impresora no son correctos")};
    return m.mostrar(kPapel[papel] + QStringLiteral("\r¿Desea continuar?"),
                     QStringLiteral("Tamaño y orientación del papel"), Icono::Informacion,
                     Botones::AceptarCancelar) == Respuesta::Aceptar;
}

// Lists the boxes that fall off the paper and asks whether to go on.
bool SeguirConCuadrosFuera(Mensajes& m, const QStringList& fuera, const QString& suerte) {
    return m.mostrar(
               fuera.join(u'\r') +
                   QStringLiteral("\r\rLo que quede fuera no %1.\r¿Desea continuar?").arg(suerte),
               QStringLiteral("Cuadros fuera del papel"), Icono::Exclamacion,
               Botones::ContinuarCancelar) == Respuesta::Aceptar;
}

// The desktop program asks the operator about every verdict of a run.
Veredictos PreguntarVeredictos(Mensajes& m, const QString& suerte) {
    return {
        [&m](int papel) { return SeguirConPapel(m, papel); },
        [&m, suerte](const QStringList& fuera) { return SeguirConCuadrosFuera(m, fuera, suerte); }};
}
} // namespace

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

Impresion::Impresion(Documento& documento, Preferencias& preferencias, PoliticaFallas& politica,
                     Mensajes& mensajes, ImpresoraPrograma& impresora, DialogosImpresion& dialogos,
                     CrearVentana crearVentana, QStringList carpetasAjusteAntiguo,
                     QString carpetaTiradas)
    : m_doc(documento), m_pref(preferencias), m_politica(politica), m_mensajes(mensajes),
      m_imp(impresora), m_dialogos(dialogos), m_crearVentana(std::move(crearVentana)),
      m_carpetasAntiguas(std::move(carpetasAjusteAntiguo)), m_registro(std::move(carpetaTiradas)) {}

PreparacionTirada Impresion::preparar(Impresora& imp, const PedidoTirada& pedido,
                                      const QString& suerte) {
    return PrepararTirada(m_doc.Trabajo(), m_doc.Cuadros(), imp, pedido,
                          {m_pref.ajustes(), m_carpetasAntiguas, m_pref.idioma(), m_politica},
                          PreguntarVeredictos(m_mensajes, suerte));
}

void Impresion::ImprimirTrabajo(bool unaHoja) {
    Propuesta propuesta;
    if (!unaHoja && !OfrecerContinuar(propuesta))
        return;
    Imprimir(unaHoja, std::move(propuesta));
}

bool Impresion::OfrecerContinuar(Propuesta& propuesta) {
    if (!m_registro.activo() || m_doc.RutaTrabajo().isEmpty())
        return true;
    const auto r = UltimaTiradaDe(m_registro.leer(), m_doc.RutaTrabajo());
    if (!r || r->completa() || r->pdf || !r->ultimaEnviada() || !r->restantes() ||
        !CambiosDesde(*r, m_doc.Trabajo(), m_doc.Cuadros()).isEmpty())
        return true;
    const Respuesta respuesta = m_mensajes.mostrar(
        QStringLiteral("La última tirada de este trabajo se detuvo en la hoja "
                       "%1. ¿Continuar desde la hoja %2?\r\rSí: desde la hoja "
                       "%2.\rNo: la tirada entera.")
            .arg(*r->ultimaEnviada())
            .arg(r->siguiente()),
        QStringLiteral("Tirada sin completar"), Icono::Pregunta, Botones::SiNoCancelar);
    if (respuesta == Respuesta::Cancelar)
        return false;
    if (respuesta == Respuesta::Si)
        propuesta = {r->restantes(), r->inverso, r->destino, r->id};
    return true;
}

void Impresion::Reimprimir(const RegistroTirada& r) {
    Imprimir(false, {RangoHojas{r.desde, r.hasta}, r.inverso, r.pdf ? QString() : r.destino, {}});
}

void Impresion::Continuar(const RegistroTirada& r) {
    const QString titulo = QStringLiteral("Continuar la tirada");
    const QStringList cambios = CambiosDesde(r, m_doc.Trabajo(), m_doc.Cuadros());
    if (!cambios.isEmpty()) {
        m_mensajes.mostrar(
            QStringLiteral("El trabajo cambió desde esa tirada: %1.\rNo se continúa: "
                           "las hojas que siguen no llevarían los números de esa "
                           "tirada. Con «Reimprimir hojas...» puede imprimir las "
                           "hojas que elija.")
                .arg(cambios.join(QStringLiteral(", "))),
            titulo, Icono::Exclamacion, Botones::Aceptar);
        return;
    }
    const auto restantes = r.restantes();
    if (r.completa() || !restantes) {
        m_mensajes.mostrar(
            QStringLiteral("Esa tirada está completa: no quedan hojas por imprimir."), titulo,
            Icono::Informacion, Botones::Aceptar);
        return;
    }
    Imprimir(false, {restantes, r.inverso, r.pdf ? QString() : r.destino, r.id});
}

void Impresion::Imprimir(bool unaHoja, Propuesta propuesta) {
    PoliticaFallas& politica = m_politica;
    QString ofrecida = ImpresoraDelPrograma(m_pref, m_imp);
    if (!propuesta.impresora.isEmpty() &&
        m_imp.catalogo().impresoras().contains(propuesta.impresora))
        ofrecida = propuesta.impresora;
    ConImpresora con(m_imp, politica, ofrecida);
    Impresora* imp = con.objeto();
    if (!imp)
        return;
    const ::Trabajo& hoja = m_doc.Trabajo();
    PedidoTirada pedido; // the print dialog turns the printer to the sheet
    pedido.tirada.unaHoja = unaHoja;
    pedido.tirada.hojas = MedirTirada(m_doc.Cuadros(), politica);
    if (!pedido.tirada.hojas)
        return;
    pedido.tirada.rango = propuesta.rango.value_or(RangoHojas{});
    bool inverso = propuesta.inverso.value_or(m_pref.ordenInverso());
    if (!m_dialogos.imprimir(*imp, hoja.HOrienta ? 1 : 2, *pedido.tirada.hojas, pedido.tirada.rango,
                             unaHoja, unaHoja ? nullptr : &inverso))
        return;
    if (!unaHoja && !propuesta.inverso)
        m_pref.fijarOrdenInverso(inverso);
    pedido.tirada.inverso = inverso && !unaHoja;
    pedido.tirada.hojasPorEntrega = kHojasPorEntrega;
    // The printer chosen in the dialog is the current one now.
    m_imp.FijarImpresoraPredeterminada(imp->nombreDispositivo());
    if (politica.ejecutar([&] { m_imp.TerminarDocumento(); }) == R::Abandonado)
        return;
    imp = m_imp.objeto();
    if (!imp)
        return;
    const QString usada = imp->nombreDispositivo();
    const PreparacionTirada p = preparar(*imp, pedido, QStringLiteral("se imprimirá"));
    if (!p.lista)
        return;
    RegistroTirada tirada =
        NuevaTirada(hoja, m_doc.Cuadros(), m_doc.RutaTrabajo(), usada, false, p.tirada);
    tirada.continuaDe = propuesta.continuaDe;
    AnotacionTirada nota(m_registro, std::move(tirada), m_doc.Cuadros());
    const auto error = nota.iniciar();
    if (error) {
        if (m_mensajes.mostrar(*error + QStringLiteral("\rSi la tirada se interrumpe, el historial "
                                                       "no dirá hasta qué hoja se envió.\r¿Desea "
                                                       "imprimir de todos modos?"),
                               QStringLiteral("Historial de tiradas"), Icono::Exclamacion,
                               Botones::AceptarCancelar) != Respuesta::Aceptar)
            return;
    }
    std::unique_ptr<VentanaProgreso> ventana = m_crearVentana ? m_crearVentana() : nullptr;
    const FinTirada fin =
        ImprimirHojas(m_doc.Cuadros(), *imp, p.tirada, ventana.get(), politica, nullptr, &nota);
    ventana.reset();
    AvisarFin(fin, nota, error.has_value());

    if (!m_pref.impresoraFija())
        m_pref.fijarImpresora(usada);
}

void Impresion::AvisarFin(FinTirada fin, const AnotacionTirada& nota, bool sinRegistro) {
    const RegistroTirada& r = nota.tirada();
    const auto ultima = r.ultimaEnviada();
    if (fin == FinTirada::Cancelada)
        m_mensajes.mostrar(ultima ? TextoCanceladaConEnviadas(r.hojaFin, r.primera(), *ultima)
                                  : TextoCancelada(false),
                           QStringLiteral("Cancelar impresión"), Icono::Informacion,
                           Botones::Aceptar);
    else if (fin == FinTirada::Abandonada && ultima)
        m_mensajes.mostrar(QStringLiteral("La impresión se detuvo en la hoja %1. Se enviaron a la "
                                          "impresora las hojas %2; las siguientes no se enviaron.")
                               .arg(r.hojaFin)
                               .arg(TextoHojas(r.primera(), *ultima)),
                           QStringLiteral("Imprimir"), Icono::Informacion, Botones::Aceptar);
    // The record was begun but could not be brought up to date: the
    // operator hears what it would have said.
    if (nota.error() && !sinRegistro)
        m_mensajes.mostrar(*nota.error() + QStringLiteral("\rLa tirada quedó anotada sin terminar; "
                                                          "terminó así: %1 (hojas enviadas: %2).")
                                               .arg(TextoResultado(r), TextoEnviadas(r)),
                           QStringLiteral("Historial de tiradas"), Icono::Exclamacion,
                           Botones::Aceptar);
}

void Impresion::VistaPreliminar(qint32 desde) {
    const QString titulo = QStringLiteral("Vista preliminar");
    PoliticaFallas& politica = m_politica;
    ConImpresora con(m_imp, politica, ImpresoraDelPrograma(m_pref, m_imp));
    Impresora* imp = con.objeto();
    if (!imp)
        return;
    // An object made before its queue was removed still answers: the print
    // run learns it only when the queue refuses the job. Say it now.
    const QString nombre = imp->nombreDispositivo();
    if (!m_imp.catalogo().impresoras().contains(nombre)) {
        m_mensajes.mostrar(QStringLiteral("La impresora %1 no existe.").arg(nombre), titulo,
                           Icono::Exclamacion, Botones::Aceptar);
        return;
    }
    const std::optional<qint32> hojas = MedirTirada(m_doc.Cuadros(), politica);
    if (!hojas)
        return;
    if (*hojas <= 0) {
        m_mensajes.mostrar(
            QStringLiteral("No hay hojas que mostrar: ningún cuadro imprime un número."), titulo,
            Icono::Informacion, Botones::Aceptar);
        return;
    }
    desde = std::clamp(desde, 1, *hojas);
    RangoHojas rango{desde, desde + std::min(*hojas - desde + 1, kHojasVistaPreliminar) - 1};
    if (!m_dialogos.rangoVistaPreliminar(*hojas, rango))
        return;
    if (const auto error = ErrorRangoVista(rango, *hojas)) {
        m_mensajes.mostrar(*error, titulo, Icono::Exclamacion, Botones::Aceptar);
        return;
    }
    if (rango.hasta == 0)
        rango.hasta = *hojas;
    PedidoTirada pedido;
    pedido.orientar = true; // no print dialog turned the printer to the sheet
    pedido.tirada.rango = rango;
    pedido.tirada.hojas = hojas;
    const PreparacionTirada p = preparar(*imp, pedido, QStringLiteral("se imprimirá"));
    if (!p.lista)
        return;
    const auto dibujar = [&](Impresora& vista) {
        ImprimirHojas(m_doc.Cuadros(), vista, p.tirada, nullptr, politica);
    };
    const QImage fondo = fondoVista ? fondoVista() : QImage();
    if (fondo.isNull()) {
        m_dialogos.vistaPreliminar(*imp, rango, *hojas, dibujar);
        return;
    }
    // The sheet's corner lands where a box at (0, 0) would print.
    const ::Trabajo& hoja = m_doc.Trabajo();
    const QRectF sobreHoja(-p.tirada.ajusteX, -p.tirada.ajusteY, hoja.HAncho, hoja.HAlto);
    m_dialogos.vistaPreliminarConFondo(*imp, rango, *hojas, {fondo, sobreHoja}, dibujar);
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

std::optional<qint32> Impresion::ExportarPdf(const QString& ruta, const RangoHojas& rango,
                                             qint32 hojasTirada) {
    const ::Trabajo& h = m_doc.Trabajo();
    if (const auto error = ErrorDestinoPdf(ruta, m_doc.RutaTrabajo())) {
        m_mensajes.mostrar(*error, QStringLiteral("Exportar a PDF"), Icono::Exclamacion,
                           Botones::Aceptar);
        return std::nullopt;
    }
    std::unique_ptr<Impresora> pdf = m_imp.catalogo().crearPdf(ruta, h.HAncho, h.HAlto);
    if (!pdf)
        return std::nullopt;
    PedidoTirada pedido;
    pedido.destino = DestinoTirada::Pdf;
    pedido.tirada.rango = rango;
    pedido.tirada.hojas = hojasTirada;
    const PreparacionTirada p = preparar(*pdf, pedido, QStringLiteral("se verá"));
    if (!p.lista)
        return std::nullopt;
    AnotacionTirada nota(m_registro,
                         NuevaTirada(h, m_doc.Cuadros(), m_doc.RutaTrabajo(),
                                     QFileInfo(ruta).absoluteFilePath(), true, p.tirada),
                         m_doc.Cuadros());
    nota.iniciar(); // an export that stops writes nothing: no sheet to go on from
    std::unique_ptr<VentanaProgreso> ventana = m_crearVentana ? m_crearVentana() : nullptr;
    qint32 hojas = 0;
    const FinTirada fin =
        ImprimirHojas(m_doc.Cuadros(), *pdf, p.tirada, ventana.get(), m_politica, &hojas, &nota);
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
