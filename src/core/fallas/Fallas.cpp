#include "Fallas.h"

#include "core/puertos/Ajustes.h"
#include "core/puertos/Mensajes.h"

namespace {
const QString kTituloDisco = QStringLiteral("Error de disco");

// The disk and file failures the operator is asked about, with the buttons
// of the question.
struct AvisoDisco {
    CodigoFalla codigo;
    QStringView texto;
    Botones botones;
};

using C = CodigoFalla;
constexpr AvisoDisco kAvisosDisco[] = {
    {C::NombreONumeroNoValido, u"Nombre de archivo no válido.", Botones::AceptarCancelar},
    {C::NombreNoValido, u"Nombre de archivo no válido.", Botones::AceptarCancelar},
    {C::ModoDeAccesoNoValido, u"Imposible abrir el archivo para este tipo de acceso.",
     Botones::Aceptar},
    {C::YaAbierto, u"El archivo ya está abierto.", Botones::Aceptar},
    {C::ErrorDeEntradaSalida, u"Error interno de disco.", Botones::Aceptar},
    {C::DiscoLleno, u"Disco lleno. ¿Desea continuar?", Botones::AnularReintentarOmitir},
    {C::FinDeArchivo,
     u"Este archivo tiene un marcador no estándar de fin de archivo, o se ha intentado leer más "
     u"allá del marcador de final de archivo.",
     Botones::AnularReintentarOmitir},
    {C::DispositivoNoDisponible, u"El dispositivo no está disponible", Botones::AceptarCancelar},
    {C::DiscoNoPreparado, u"Introduzca correctamente el disco en la unidad.",
     Botones::AceptarCancelar},
    {C::Protegido, u"El archivo que intenta escribir, está protegido contra escritura",
     Botones::ReintentarCancelar},
    {C::RutaNoExiste, u"La ruta no existe.", Botones::AceptarCancelar},
};

const AvisoDisco* BuscarAvisoDisco(CodigoFalla codigo) {
    for (const AvisoDisco& a : kAvisosDisco)
        if (a.codigo == codigo)
            return &a;
    return nullptr;
}

AccionError AccionDeRespuesta(Respuesta r) {
    switch (r) {
    case Respuesta::Aceptar:
    case Respuesta::Reintentar:
        return AccionError::Reintentar;
    case Respuesta::Cancelar:
    case Respuesta::Omitir:
        return AccionError::Omitir;
    case Respuesta::Anular:
        return AccionError::Irrecuperable;
    default:
        return AccionError::Abandonar;
    }
}

// The message, then where in a file the failure happened.
QString ConLugar(const QString& texto, const Falla& falla) {
    return falla.lugar.isEmpty() ? texto : texto + u'\r' + falla.lugar;
}
} // namespace

AccionError TratarError(const Falla& falla, Mensajes& m) {
    switch (falla.codigo) {
    case C::MemoriaInsuficiente:
        m.mostrar(ConLugar(QStringLiteral("No queda memoria disponible para \rllevar a cabo esta "
                                          "operación. \rGuarde todos los trabajos ,\rCierre "
                                          "alguna aplicación e intente \rnuevamente"),
                           falla),
                  QStringLiteral("ERROR : MEMORIA INSUFICIENTE"), Icono::Exclamacion,
                  Botones::Aceptar);
        return AccionError::Abandonar;
    case C::NoSeEncuentra:
        return AccionError::Reintentar;
    case C::PropiedadDeSoloLectura:
        return AccionError::Abandonar;
    case C::SalidaFallida:
        m.mostrar(falla.descripcion, QStringLiteral("Error de impresión"), Icono::Exclamacion,
                  Botones::Aceptar);
        return AccionError::Abandonar;
    case C::DialogoCancelado:
        return AccionError::Omitir;
    default:
        break;
    }
    if (const AvisoDisco* a = BuscarAvisoDisco(falla.codigo))
        return AccionDeRespuesta(m.mostrar(ConLugar(a->texto.toString(), falla), kTituloDisco,
                                           Icono::Exclamacion, a->botones));
    m.mostrar(ConLugar(QStringLiteral("Ha ocurrido un error\rEl número del error es = %1\r%2")
                           .arg(falla.numero())
                           .arg(falla.descripcion),
                       falla),
              QStringLiteral("ERROR"), Icono::Exclamacion, Botones::Aceptar);
    return AccionError::Abandonar;
}

PoliticaFallas::PoliticaFallas(Mensajes& mensajes, std::function<void()> terminar)
    : m_mensajes(mensajes), m_terminar(std::move(terminar)) {}

PoliticaFallas::Resultado PoliticaFallas::ejecutar(const std::function<void()>& paso,
                                                   int reintentos) {
    for (int intento = 0;; ++intento) {
        Falla falla;
        try {
            paso();
            return Resultado::Hecho;
        } catch (const Falla& f) {
            falla = f;
        } catch (const std::bad_alloc&) {
            falla = Falla{C::MemoriaInsuficiente, QStringLiteral("Memoria insuficiente")};
        }
        const AccionError accion = TratarError(falla, m_mensajes);
        if (accion == AccionError::Reintentar && intento < reintentos)
            continue;
        return seguir(accion, falla);
    }
}

// What becomes of the operation once the step will not be run again.
PoliticaFallas::Resultado PoliticaFallas::seguir(AccionError accion, const Falla& falla) {
    switch (accion) {
    case AccionError::Reintentar:
        // The condition persists: give up rather than loop, and say so.
        m_mensajes.mostrar(
            ConLugar(
                QStringLiteral("No se pudo completar la operación.\r%1").arg(falla.descripcion),
                falla),
            kTituloDisco, Icono::Exclamacion, Botones::Aceptar);
        return Resultado::Abandonado;
    case AccionError::Omitir:
        return Resultado::Omitido;
    case AccionError::Irrecuperable:
        if (!m_permitirTerminar)
            return Resultado::Abandonado;
        m_mensajes.mostrar(QStringLiteral("Error no recuperable"), kTituloAplicacion,
                           Icono::Ninguno, Botones::Aceptar);
        if (m_terminar)
            m_terminar();
        return Resultado::Abandonado;
    case AccionError::Abandonar:
        break;
    }
    return Resultado::Abandonado;
}
