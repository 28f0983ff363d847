#include "Fallas.h"

#include "core/puertos/Ajustes.h"
#include "core/puertos/Mensajes.h"

namespace {
const QString kTituloDisco = QStringLiteral("Error de disco");

qint16 AccionDeRespuesta(Respuesta r) {
    switch (r) {
    case Respuesta::Aceptar:
    case Respuesta::Reintentar:
        return Reintentar;
    case Respuesta::Cancelar:
    case Respuesta::Omitir:
        return Omitir;
    case Respuesta::Anular:
        return Irrecuperable;
    default:
        return Abandonar;
    }
}

// The message, then where in a file the failure happened.
QString ConLugar(const QString& texto, const Falla& falla) {
    return falla.lugar.isEmpty() ? texto : texto + u'\r' + falla.lugar;
}
} // namespace

qint16 TratarError(const Falla& falla, Mensajes& m) {
    const auto Disco = [&](const QString& texto, Botones b) {
        return AccionDeRespuesta(
            m.mostrar(ConLugar(texto, falla), kTituloDisco, Icono::Exclamacion, b));
    };
    const QString nombreNoValido = QStringLiteral("Nombre de archivo no válido.");
    switch (falla.numero) {
    case 7:
        m.mostrar(ConLugar(QStringLiteral("No queda memoria disponible para \rllevar a cabo esta "
                                          "operación. \rGuarde todos los trabajos ,\rCierre "
                                          "alguna aplicación e intente \rnuevamente"),
                           falla),
                  QStringLiteral("ERROR : MEMORIA INSUFICIENTE"), Icono::Exclamacion,
                  Botones::Aceptar);
        return Abandonar;
    case 52:
    case 64:
        return Disco(nombreNoValido, Botones::AceptarCancelar);
    case 53:
        return Reintentar;
    case 54:
        return Disco(QStringLiteral("Imposible abrir el archivo para este tipo de acceso."),
                     Botones::Aceptar);
    case 55:
        return Disco(QStringLiteral("El archivo ya está abierto."), Botones::Aceptar);
    case 57:
        return Disco(QStringLiteral("Error interno de disco."), Botones::Aceptar);
    case 61:
        return Disco(QStringLiteral("Disco lleno. ¿Desea continuar?"),
                     Botones::AnularReintentarOmitir);
    case 62:
        return Disco(QStringLiteral("Este archivo tiene un marcador no estándar de fin de archivo, "
                                    "o se ha intentado leer más allá del marcador de final de "
                                    "archivo."),
                     Botones::AnularReintentarOmitir);
    case 68:
        return Disco(QStringLiteral("El dispositivo no está disponible"), Botones::AceptarCancelar);
    case 71:
        return Disco(QStringLiteral("Introduzca correctamente el disco en la unidad."),
                     Botones::AceptarCancelar);
    case 75:
        return Disco(QStringLiteral("El archivo que intenta escribir, está protegido contra "
                                    "escritura"),
                     Botones::ReintentarCancelar);
    case 76:
        return Disco(QStringLiteral("La ruta no existe."), Botones::AceptarCancelar);
    case 383:
        return Abandonar;
    case kFallaSalida:
        m.mostrar(falla.descripcion, QStringLiteral("Error de impresión"), Icono::Exclamacion,
                  Botones::Aceptar);
        return Abandonar;
    case 32755:
        return Omitir;
    default:
        m.mostrar(ConLugar(QStringLiteral("Ha ocurrido un error\rEl número del error es = %1\r%2")
                               .arg(falla.numero)
                               .arg(falla.descripcion),
                           falla),
                  QStringLiteral("ERROR"), Icono::Exclamacion, Botones::Aceptar);
        return Abandonar;
    }
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
            falla = Falla{7, QStringLiteral("Memoria insuficiente")};
        }
        AccionError = TratarError(falla, m_mensajes);
        switch (AccionError) {
        case Reintentar:
            if (intento < reintentos)
                continue;
            // The condition persists: give up rather than loop, and say so.
            m_mensajes.mostrar(
                ConLugar(
                    QStringLiteral("No se pudo completar la operación.\r%1").arg(falla.descripcion),
                    falla),
                QStringLiteral("Error de disco"), Icono::Exclamacion, Botones::Aceptar);
            AccionError = Abandonar;
            return Resultado::Abandonado;
        case Omitir:
            return Resultado::Omitido;
        case Irrecuperable:
            if (!m_permitirTerminar) {
                AccionError = Abandonar;
                return Resultado::Abandonado;
            }
            m_mensajes.mostrar(QStringLiteral("Error no recuperable"), kTituloAplicacion,
                               Icono::Ninguno, Botones::Aceptar);
            if (m_terminar)
                m_terminar();
            return Resultado::Abandonado;
        default:
            return Resultado::Abandonado;
        }
    }
}
