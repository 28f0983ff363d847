#include "ContinuarNumeracion.h"

#include "core/puertos/Mensajes.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/Numeracion.h"
#include "core/trabajo/Preferencias.h"
#include "core/trabajo/Valores.h"

ContinuarNumeracion::ContinuarNumeracion(Documento& documento, Preferencias& preferencias,
                                         Mensajes& mensajes)
    : m_doc(documento), m_pref(preferencias), m_mensajes(mensajes) {}

bool ContinuarNumeracion::Abrir() {
    m_k = CalcularContinuacion(m_doc.Cuadros(), m_pref.idioma());
    if (m_k.error.isEmpty())
        return true;
    m_mensajes.mostrar(m_k.error, QStringLiteral("Continuar numeración"), Icono::Exclamacion,
                       Botones::Aceptar);
    return false;
}

QStringList ContinuarNumeracion::encabezados() {
    return {QStringLiteral("Cuadro"), QStringLiteral("Primero"), QStringLiteral("Último"),
            QStringLiteral("Primero siguiente"), QStringLiteral("Último siguiente")};
}

QList<QStringList> ContinuarNumeracion::filas() const {
    QList<QStringList> filas;
    for (const FilaContinuacion& f : m_k.filas) {
        const int cifras = m_doc.Cuadros()[f.cuadro].Cifras;
        filas.append({QStringLiteral("Nº %1").arg(f.cuadro + 1), FormatearNumero(f.primero, cifras),
                      FormatearNumero(f.ultimo, cifras),
                      FormatearNumero(f.siguientePrimero, cifras),
                      FormatearNumero(f.siguienteUltimo, cifras)});
    }
    return filas;
}

QString ContinuarNumeracion::explicacion() const {
    const QLocale& idioma = m_pref.idioma();
    const QString sube = QStringLiteral("los cuadros que suben empiezan %1 números más arriba")
                             .arg(FormatoMiles(m_k.subida, idioma));
    const QString baja = QStringLiteral("los cuadros que bajan empiezan %1 números más abajo")
                             .arg(FormatoMiles(m_k.bajada, idioma));
    QStringList partes;
    if (m_k.subida > 0)
        partes.append(sube);
    if (m_k.bajada > 0)
        partes.append(baja);
    return QStringLiteral("Al aceptar, la próxima tirada sigue donde termina esta: %1.")
        .arg(partes.join(QStringLiteral("; ")));
}

void ContinuarNumeracion::Aceptar() {
    Documento::Paso paso(m_doc, QStringLiteral("continuar numeración de %n"));
    Documento::Lote lote(m_doc);
    for (const FilaContinuacion& f : m_k.filas)
        m_doc.cambiarCuadro(f.cuadro, [&](Cuadro& c) { Continuar(c, f, m_k); });
}
