#include "HistorialTiradas.h"

#include "core/impresion/Impresion.h"
#include "core/programa/CicloTrabajo.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Documento.h"

#include <QDir>
#include <QFileInfo>

HistorialTiradas::HistorialTiradas(CicloTrabajo& ciclo, Documento& documento, Impresion& impresion,
                                   Mensajes& mensajes)
    : m_ciclo(ciclo), m_doc(documento), m_impresion(impresion), m_mensajes(mensajes) {
    Releer();
}

void HistorialTiradas::Releer() {
    m_lectura = m_impresion.registro().leer();
}

QString HistorialTiradas::rutaRegistro() const {
    return QDir::toNativeSeparators(m_impresion.registro().ruta());
}

QStringList HistorialTiradas::Encabezados() {
    return {QStringLiteral("Fecha"), QStringLiteral("Trabajo"),  QStringLiteral("Impresora"),
            QStringLiteral("Hojas"), QStringLiteral("Enviadas"), QStringLiteral("Resultado")};
}

QStringList HistorialTiradas::Columnas(const RegistroTirada& r) {
    return {r.inicio.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")),
            r.trabajo.isEmpty() ? QStringLiteral("(sin guardar)")
                                : QDir::toNativeSeparators(r.trabajo),
            r.pdf ? QStringLiteral("PDF: %1").arg(QDir::toNativeSeparators(r.destino)) : r.destino,
            TextoHojas(r.primera(), r.inverso ? r.desde : r.hasta) +
                (r.inverso ? QStringLiteral(" (orden inverso)") : QString()),
            TextoEnviadas(r),
            TextoResultado(r)};
}

bool HistorialTiradas::Continuable(const RegistroTirada& r) {
    return !r.completa() && !r.pdf && r.restantes().has_value();
}

bool HistorialTiradas::AbrirTrabajoDe(const RegistroTirada& r, const QString& titulo) {
    if (r.trabajo.isEmpty()) {
        m_mensajes.mostrar(QStringLiteral("Esa tirada es de un trabajo que no se había guardado "
                                          "en un archivo: no hay trabajo que abrir."),
                           titulo, Icono::Exclamacion, Botones::Aceptar);
        return false;
    }
    if (m_doc.abierto() && DelTrabajo(r, m_doc.RutaTrabajo()))
        return true;
    if (!QFileInfo(r.trabajo).isFile()) {
        m_mensajes.mostrar(QStringLiteral("El trabajo de esa tirada ya no está: %1")
                               .arg(QDir::toNativeSeparators(r.trabajo)),
                           titulo, Icono::Exclamacion, Botones::Aceptar);
        return false;
    }
    return m_ciclo.AbrirRuta(r.trabajo) && m_doc.abierto();
}

void HistorialTiradas::Reimprimir(const RegistroTirada& r) {
    if (AbrirTrabajoDe(r, QStringLiteral("Reimprimir hojas")))
        m_impresion.Reimprimir(r);
    Releer();
}

void HistorialTiradas::Continuar(const RegistroTirada& r) {
    if (!Continuable(r)) {
        m_mensajes.mostrar(r.pdf ? QStringLiteral("Una exportación a PDF se escribe entera o no "
                                                  "se escribe: no se continúa.")
                                 : QStringLiteral("Esa tirada está completa: no quedan hojas por "
                                                  "imprimir."),
                           QStringLiteral("Continuar la tirada"), Icono::Informacion,
                           Botones::Aceptar);
        return;
    }
    if (AbrirTrabajoDe(r, QStringLiteral("Continuar la tirada")))
        m_impresion.Continuar(r);
    Releer();
}
