#include "CicloTrabajo.h"

#include "core/programa/Despachador.h"
#include "core/programa/Principal.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/DialogosArchivo.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/ArchivoTrabajo.h"
#include "core/trabajo/Numeracion.h"
#include "core/trabajo/Valores.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

const QString CicloTrabajo::kNombreNuevo = QStringLiteral("Trabajo1.zul");

namespace {
const QString kTituloGuardar = QStringLiteral("Guardar Trabajo");
}

CicloTrabajo::CicloTrabajo(Principal& principal) : m_p(principal) {}

QString CicloTrabajo::NombreArchivo(const QString& ruta) const {
    const qsizetype i = std::max(ruta.lastIndexOf(u'\\'), ruta.lastIndexOf(u'/'));
    return ruta.mid(i + 1);
}

void CicloTrabajo::AbrirEditor() {
    if (m_p.documento.abierto())
        return;
    m_p.documento.fijarAbierto(true);
    ActualizarPegar(m_p);
}

void CicloTrabajo::NuevoTrabajo() {
    if (!CerrarTrabajo())
        return;
    Documento& d = m_p.documento;
    d.fijarRuta({});
    m_p.fijarTitulo(kNombreProducto + QStringLiteral(" [") + kNombreNuevo + u']');
    m_p.MostrarHoja();
    ::Trabajo h = d.Trabajo();
    h.TamTip = 10;
    h.AltoCuadro = 310;
    h.AnchoCuadro = 500;
    const auto zoom = LeerNumero(m_p.barra.textoZoom());
    h.Zoom = zoom && *zoom >= 5 && *zoom <= 1000 ? static_cast<float>(*zoom / 100) : 0.5f;
    d.fijarHoja(h);
    AbrirEditor();
    d.olvidarHistoria();
    m_p.AplicarVistaInicial();
}

void CicloTrabajo::SinTrabajo(bool tituloProducto) {
    Documento& d = m_p.documento;
    OlvidarArchivo();
    d.fijarRuta({});
    if (d.abierto()) {
        d.limpiar();
        d.fijarAbierto(false);
    }
    if (tituloProducto)
        m_p.fijarTitulo(kNombreProducto);
    ActualizarHerramientas(m_p);
    m_p.LeerHoja();
    m_p.MostrarHoja();
}

void CicloTrabajo::AbrirTrabajo() {
    if (!CerrarTrabajo())
        return;
    const QString carpeta = m_p.preferencias.carpetaInicial();
    const auto ruta = m_p.dialogos().abrir(QStringLiteral("Abrir archivo Velquira"), carpeta);
    if (!ruta) {
        SinTrabajo(false);
        ActualizarPegar(m_p);
        return;
    }
    LeerElegido(*ruta);
}

bool CicloTrabajo::AbrirRuta(const QString& ruta) {
    return CerrarTrabajo() && LeerElegido(ruta);
}

bool CicloTrabajo::LeerElegido(const QString& ruta) {
    m_p.documento.fijarRuta(ruta);
    m_p.preferencias.fijarCarpetaInicial(ruta);
    const bool leido = LeerTrabajo();
    if (leido) {
        m_p.fijarTitulo(kNombreProducto + QStringLiteral(" [") + NombreArchivo(ruta) + u']');
        m_p.AplicarVistaInicial();
    } else {
        SinTrabajo(true);
    }
    ActualizarPegar(m_p);
    return leido;
}

void CicloTrabajo::AvisarNoEsTrabajo(Mensajes& mensajes) {
    mensajes.mostrar(QStringLiteral("El archivo no es un archivo de Velquira válido"),
                     QStringLiteral("Error de carga"), Icono::Critico, Botones::Aceptar);
}

bool CicloTrabajo::TomarCandado(const QString& ruta) {
    const auto dueno = m_candado.Tomar(ruta);
    if (!dueno)
        return true;
    const QString texto =
        QStringLiteral("El trabajo %1 está abierto en otra copia de Velquira (proceso %2 en %3).\r"
                       "Si lo guarda desde las dos, se perderán los cambios de una de ellas.\r"
                       "¿Desea abrirlo de todos modos?")
            .arg(QDir::toNativeSeparators(ruta))
            .arg(dueno->pid)
            .arg(dueno->maquina);
    return m_p.mensajes().mostrar(texto, QStringLiteral("Trabajo abierto"), Icono::Exclamacion,
                                  Botones::SiNo) == Respuesta::Si;
}

void CicloTrabajo::OlvidarArchivo() {
    m_candado.Soltar();
    m_huella = {};
}

bool CicloTrabajo::LeerTrabajo() {
    Documento& d = m_p.documento;
    const QString ruta = d.RutaTrabajo();
    if (!TomarCandado(ruta)) {
        SinTrabajo(false);
        return false;
    }
    // Taken before reading: a change made while the file is read is then
    // seen at the next save, never missed.
    const HuellaArchivo huella = HuellaArchivo::DeArchivo(ruta);
    const Cuadro defectos = m_p.preferencias.defectosCuadro();
    LecturaTrabajo l = LeerArchivoTrabajo(ruta, d.Trabajo(), defectos, m_p.politica);
    if (l.resultado == LecturaTrabajo::Resultado::NoEsTrabajo)
        AvisarNoEsTrabajo(m_p.mensajes());
    if (l.resultado != LecturaTrabajo::Resultado::Leido) {
        SinTrabajo(false);
        return false;
    }
    const QStringList incompleto = AvisoIncompleto(l);
    m_huella = huella;
    m_p.recientes.Agregar(ruta);
    d.fijarHoja(l.hoja);
    m_p.MostrarHoja();
    AbrirEditor();
    const bool hayCuadros =
        std::any_of(l.cuadros.begin(), l.cuadros.end(), [](const Cuadro& c) { return c.EnUso; });
    d.cargar(std::move(l.cuadros));
    if (hayCuadros)
        d.fijarCuadroActual(d.limiteSuperior());
    // What was read is the file: unmodified, unless part of it was lost.
    d.olvidarHistoria();
    if (!incompleto.isEmpty())
        d.marcarDistinto();
    {
        BarraHerramientas::Actualizar actualizando(m_p.barra);
        m_p.barra.fijarTextoZoom(
            FormatoGeneral(static_cast<double>(d.Trabajo().Zoom) * 100, m_p.idioma()));
    }
    // A cut or damaged file opens, so what it holds can be saved, but never as if whole.
    if (!incompleto.isEmpty())
        m_p.mensajes().mostrar(incompleto.join(u'\r'), QStringLiteral("Archivo incompleto"),
                               Icono::Exclamacion, Botones::Aceptar);
    return true;
}

bool CicloTrabajo::GuardarTrabajo() {
    const Documento& d = m_p.documento;
    const Estado& e = d.estado();
    // A job the reader would refuse is never written: it could not be opened again.
    if (const QString motivo = TrabajoNoGuardable(e); !motivo.isEmpty()) {
        m_p.mensajes().mostrar(QStringLiteral("El trabajo no se ha guardado: el archivo no podría "
                                              "volver a abrirse.\r%1")
                                   .arg(motivo),
                               kTituloGuardar, Icono::Exclamacion, Botones::Aceptar);
        return false;
    }
    QList<int> conPerdida;
    const QByteArray datos = SerializarTrabajo(e, m_p.idioma(), &conPerdida);
    if (!conPerdida.isEmpty()) {
        QStringList cuadros;
        for (int i : conPerdida) {
            const Cuadro& c = e.Cuadros[i];
            cuadros.append(
                QStringLiteral("Cuadro %1: «%2%3%4»")
                    .arg(i + 1)
                    .arg(c.TextoIzq, FormatoGeneral(c.Inicio, m_p.idioma(), true), c.TextoDer));
        }
        const auto r = m_p.mensajes().mostrar(
            QStringLiteral("Estos cuadros tienen caracteres que el archivo no puede guardar; se "
                           "guardarían como \"?\":\r%1\r¿Desea guardar de todos modos?")
                .arg(cuadros.join(u'\r')),
            kTituloGuardar, Icono::Exclamacion, Botones::SiNo);
        if (r != Respuesta::Si)
            return false;
    }
    if (!PuedeSobrescribir(e.RutaTrabajo))
        return false;
    if (EscribirArchivoAtomico(e.RutaTrabajo, datos, m_p.politica)) {
        m_huella = HuellaArchivo::DeDatos(e.RutaTrabajo, datos);
        m_p.documento.marcarGuardado();
        m_p.recientes.Agregar(e.RutaTrabajo);
        if (alGuardar)
            alGuardar();
        return true;
    }
    m_p.mensajes().mostrar(QStringLiteral("El trabajo no se ha guardado en %1.\rEl archivo "
                                          "anterior sigue como estaba.")
                               .arg(e.RutaTrabajo),
                           kTituloGuardar, Icono::Exclamacion, Botones::Aceptar);
    return false;
}

bool CicloTrabajo::PuedeSobrescribir(const QString& ruta) {
    if (!m_huella.valida() || QFileInfo(m_huella.ruta()) != QFileInfo(ruta) ||
        !m_huella.CambiadoEnDisco())
        return true;
    return m_p.mensajes().mostrar(QStringLiteral("El archivo ha cambiado en el disco desde que se "
                                                 "abrió. ¿Sobrescribirlo?"),
                                  kTituloGuardar, Icono::Exclamacion,
                                  Botones::SiNo) == Respuesta::Si;
}

bool CicloTrabajo::GuardarComo() {
    Documento& d = m_p.documento;
    const QString carpeta = m_p.preferencias.carpetaInicial();
    const QString anterior = d.RutaTrabajo();
    const auto ruta = m_p.dialogos().guardar(QStringLiteral("Guardar archivo Velquira"),
                                             anterior.isEmpty() ? kNombreNuevo : anterior, carpeta);
    if (!ruta)
        return false;
    m_p.preferencias.fijarCarpetaInicial(*ruta);
    d.fijarRuta(*ruta);
    if (!GuardarTrabajo()) {
        d.fijarRuta(anterior);
        return false;
    }
    // The job is now the new file: its lock goes with it (a copy that has
    // that file open keeps its own lock, and is told at its next save).
    if (QFileInfo(anterior) != QFileInfo(*ruta))
        m_candado.Tomar(*ruta);
    m_p.fijarTitulo(kNombreProducto + QStringLiteral(" [") + NombreArchivo(*ruta) + u']');
    return true;
}

void CicloTrabajo::Guardar() {
    Documento& d = m_p.documento;
    if (!d.RutaTrabajo().isEmpty()) {
        GuardarTrabajo();
    } else {
        GuardarComo();
        ActualizarPegar(m_p);
    }
}

bool CicloTrabajo::CerrarEditor() {
    Documento& d = m_p.documento;
    if (!d.abierto())
        return true;
    if (d.Modificado()) {
        const QString pregunta = d.RutaTrabajo().isEmpty()
                                     ? QStringLiteral("¿ Desea Guardar el trabajo en curso ?")
                                     : QStringLiteral("¿ Desea Guardar los cambios en ") +
                                           d.RutaTrabajo() + QStringLiteral(" ?");
        const auto r = m_p.mensajes().mostrar(pregunta, kTituloGuardar, Icono::Pregunta,
                                              Botones::SiNoCancelar);
        bool seguir = r == Respuesta::No;
        if (r == Respuesta::Si) {
            // A save that did not happen keeps the job open, as Cancel does.
            seguir = d.RutaTrabajo().isEmpty() ? GuardarComo() : GuardarTrabajo();
        }
        if (!seguir)
            return false;
    }
    OlvidarArchivo();
    d.fijarRuta({});
    d.limpiar();
    m_p.GuardarVistas();
    d.fijarAbierto(false);
    return true;
}

bool CicloTrabajo::CerrarTrabajo() {
    if (!CerrarEditor())
        return false;
    // The sheet returns to the stored one; an open job keeps its own.
    m_p.LeerHoja();
    return true;
}

void CicloTrabajo::CerrarComando() {
    if (CerrarTrabajo()) {
        ActualizarHerramientas(m_p);
        m_p.MostrarHoja();
        m_p.fijarTitulo(kNombreProducto);
    }
}

void CicloTrabajo::AbrirLineaComandos(const QString& lineaComandos) {
    QString ruta = lineaComandos;
    ruta.remove(u'"');
    ruta = ruta.trimmed();
    // A file manager or the desktop's menu may name the job as a file:// URL.
    if (const QUrl url(ruta); url.isLocalFile())
        ruta = url.toLocalFile();
    Documento& d = m_p.documento;
    d.fijarRuta({});
    if (ruta.isEmpty())
        return;
    d.fijarRuta(ruta);
    if (!LeerTrabajo())
        return;
    if (ruta.contains(u'\\') || ruta.contains(u'/'))
        m_p.fijarTitulo(kNombreProducto + QStringLiteral(" [") + NombreArchivo(ruta) + u']');
    m_p.AplicarVistaInicial();
}

bool CicloTrabajo::Salir() {
    return CerrarEditor();
}
