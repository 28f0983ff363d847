#include "FondoHoja.h"

#include "core/puertos/DialogosArchivo.h"
#include "core/puertos/LectorImagenes.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/Preferencias.h"

#include <QFileInfo>

namespace {
const QString kTitulo = QStringLiteral("Imagen de fondo");
}

FondoHoja::FondoHoja(Documento& documento, Preferencias& preferencias, Mensajes& mensajes,
                     DialogosArchivo& dialogos, const LectorImagenes* lector, QObject* padre)
    : QObject(padre), m_doc(documento), m_pref(preferencias), m_mensajes(mensajes),
      m_dialogos(dialogos), m_lector(lector) {
    connect(&m_doc, &Documento::abiertoCambiado, this, &FondoHoja::TrabajoAbierto);
}

QImage FondoHoja::Atenuar(const QImage& origen) {
    QImage r = origen.convertToFormat(QImage::Format_RGB32);
    // 256 entries: c' = 255 - (255 - c) * kTinte, the same for every channel.
    uchar tabla[256];
    for (int c = 0; c < 256; ++c)
        tabla[c] = static_cast<uchar>(255 - std::lround((255 - c) * kTinte));
    for (int y = 0; y < r.height(); ++y) {
        auto* linea = reinterpret_cast<QRgb*>(r.scanLine(y));
        for (int x = 0; x < r.width(); ++x) {
            const QRgb p = linea[x];
            linea[x] = qRgb(tabla[qRed(p)], tabla[qGreen(p)], tabla[qBlue(p)]);
        }
    }
    return r;
}

void FondoHoja::TrabajoAbierto(bool abierto) {
    QString ruta;
    QImage imagen;
    if (abierto) {
        ruta = m_pref.imagenFondo(m_doc.RutaTrabajo());
        if (!ruta.isEmpty())
            Leer(ruta, imagen);
    }
    Poner(ruta, imagen);
}

bool FondoHoja::Leer(const QString& ruta, QImage& imagen) {
    QString error;
    if (m_lector)
        imagen = m_lector->leer(ruta, kMaxLado, &error);
    else
        error = QStringLiteral("Este programa no puede leer imágenes.");
    if (imagen.isNull()) {
        m_mensajes.mostrar(QStringLiteral("No se puede mostrar la imagen de fondo:\r%1\rLa hoja "
                                          "se muestra en blanco.")
                               .arg(error),
                           kTitulo, Icono::Exclamacion, Botones::Aceptar);
        return false;
    }
    imagen = Atenuar(imagen);
    return true;
}

void FondoHoja::Poner(const QString& ruta, const QImage& imagen) {
    if (ruta == m_ruta && imagen.isNull() && m_imagen.isNull())
        return;
    m_ruta = ruta;
    m_imagen = imagen;
    ++m_version;
    emit cambiado();
}

void FondoHoja::Elegir() {
    if (!m_doc.abierto())
        return;
    QString inicial = m_ruta;
    if (inicial.isEmpty())
        inicial = m_doc.RutaTrabajo().isEmpty() ? m_pref.carpetaInicial() : m_doc.RutaTrabajo();
    if (const auto ruta = m_dialogos.imagenFondo(inicial))
        Fijar(*ruta);
}

bool FondoHoja::Fijar(const QString& ruta) {
    if (!m_doc.abierto())
        return false;
    const QString completa = QFileInfo(ruta).absoluteFilePath();
    QImage imagen;
    if (!Leer(completa, imagen))
        return false;
    Poner(completa, imagen);
    m_pref.fijarImagenFondo(m_doc.RutaTrabajo(), completa);
    return true;
}

void FondoHoja::Quitar() {
    if (m_ruta.isEmpty())
        return;
    m_pref.fijarImagenFondo(m_doc.RutaTrabajo(), {});
    Poner({}, {});
}

void FondoHoja::Guardado() {
    if (m_doc.RutaTrabajo().isEmpty() || m_pref.imagenFondo(m_doc.RutaTrabajo()) == m_ruta)
        return;
    m_pref.fijarImagenFondo(m_doc.RutaTrabajo(), m_ruta);
}
