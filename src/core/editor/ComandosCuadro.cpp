#include "ComandosCuadro.h"

#include "core/editor/EditorHoja.h"
#include "core/editor/Vista.h"
#include "core/puertos/Mensajes.h"
#include "core/puertos/Portapapeles.h"
#include "core/trabajo/CopiaCuadros.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/Preferencias.h"
#include "core/trabajo/Valores.h"

#include <algorithm>
#include <limits>

ComandosCuadro::ComandosCuadro(Documento& documento, EditorHoja& editor, Preferencias& preferencias,
                               Mensajes& mensajes, Portapapeles& portapapeles)
    : m_doc(documento), m_editor(editor), m_pref(preferencias), m_mensajes(mensajes),
      m_portapapeles(portapapeles) {}

QPoint ComandosCuadro::lugarNuevo() {
    PuntoInsercion& p = m_editor.seleccion().puntoInsercion();
    if (!p.marcado)
        p.punto = {};
    p.marcado = false;
    return Vista(m_doc.Trabajo().Zoom).aModelo(p.punto);
}

void ComandosCuadro::NuevoCuadro() {
    // The box and what its dialog writes into it are one step.
    Documento::Paso paso(m_doc, QStringLiteral("nuevo cuadro"));
    const int i = m_doc.agregarCuadro(m_pref.defectosCuadro(), lugarNuevo());
    if (i < 0) {
        m_mensajes.mostrar(QStringLiteral("El trabajo ya tiene 32.767 cuadros; no caben más."),
                           QStringLiteral("Nuevo cuadro"), Icono::Exclamacion, Botones::Aceptar);
        return;
    }
    m_doc.fijarCuadroActual(i);
    // The new box stays whatever the operator does in the dialog.
    const bool grupo = m_doc.ModoGrupo();
    m_doc.fijarModoGrupo(false);
    if (mostrarPropiedades)
        mostrarPropiedades(i);
    m_doc.fijarModoGrupo(grupo);
    // The group's handles come back with its mode.
    if (grupo)
        m_editor.DibujarCuadros();
}

void ComandosCuadro::BorrarCuadros(int i) {
    if (m_mensajes.mostrar(QStringLiteral("Se borrarán el o los cuadros seleccionados.\r"
                                          "¿Desea continuar?"),
                           QStringLiteral("Precaución"), Icono::Pregunta,
                           Botones::AceptarCancelar) != Respuesta::Aceptar)
        return;
    const QList<qint16> borrar =
        m_doc.ModoGrupo() ? m_doc.Seleccion() : QList<qint16>{static_cast<qint16>(i)};
    // A freed slot keeps the point the sheet's menu was last opened at.
    const QPointF p = m_editor.seleccion().puntoInsercion().punto;
    Documento::Paso paso(m_doc, QStringLiteral("borrar %n"));
    Documento::Lote lote(m_doc); // drawn once, out of group mode
    for (qint16 s : borrar)
        if (m_doc.existe(s) && m_doc.Cuadros()[s].EnUso)
            m_doc.liberarCuadro(s, p.toPoint());
    m_doc.fijarModoGrupo(false);
    m_doc.fijarSeleccion({0});
    m_editor.seleccion().DeshabilitarHerramientasCuadro();
}

void ComandosCuadro::CopiarCuadros(int i, bool cortar) {
    QList<int> cuadros;
    if (m_doc.ModoGrupo())
        for (qint16 s : m_doc.Seleccion())
            cuadros.append(s);
    else
        cuadros.append(i);
    m_portapapeles.limpiar();
    m_portapapeles.fijarTexto(TextoCopiaCuadros(cuadros, m_doc.estado(), m_pref.idioma()));
    if (cortar) {
        Documento::Paso paso(m_doc, QStringLiteral("cortar %n"));
        BorrarCuadros(i);
    }
}

namespace {
// 100 twips further, held to the sheet: a box copied at its far edge (or at
// the largest position a file can hold) stays where the operator can reach it.
qint32 Desplazar(qint32 pos, qint32 lado) {
    return static_cast<qint32>(std::clamp<qint64>(qint64{pos} + 100, 0, std::max(lado, 0)));
}
} // namespace

void ComandosCuadro::PegarCuadros(bool desdeHoja) {
    const QPoint lugar = lugarNuevo();
    const auto texto = m_portapapeles.texto();
    if (!texto)
        return;
    // Every block is read before any box is made: text from another program
    // that only begins with "ZUL" leaves no half-made box behind.
    const Cuadro defectos = m_pref.defectosCuadro();
    const CopiaCuadros copia = LeerCopiaCuadros(*texto, defectos);
    const qsizetype caben = Documento::kMaxCuadros - m_doc.cuadrosVivos();
    QString error = copia.error;
    if (error.isEmpty() && copia.cuadros.size() > caben)
        error = QStringLiteral("No se ha pegado nada: la copia tiene %1 cuadros y en el trabajo "
                               "sólo caben %2 más (32.767 como mucho).")
                    .arg(copia.cuadros.size())
                    .arg(caben);
    if (!error.isEmpty()) {
        m_mensajes.mostrar(error, QStringLiteral("Pegar"), Icono::Exclamacion, Botones::Aceptar);
        return;
    }
    const ::Trabajo& hoja = m_doc.Trabajo();
    // From the sheet's menu the copy's top-left corner goes to the point
    // clicked, the boxes keeping their places among themselves; otherwise
    // each lands a little right of and below its original.
    qint64 izquierda = std::numeric_limits<qint64>::max(), arriba = izquierda;
    for (const Cuadro& c : copia.cuadros) {
        izquierda = std::min<qint64>(izquierda, c.PosX);
        arriba = std::min<qint64>(arriba, c.PosY);
    }
    const auto colocar = [&](qint32 pos, qint64 esquina, qint32 destino, qint32 lado) {
        if (!desdeHoja)
            return Desplazar(pos, lado);
        return static_cast<qint32>(
            std::clamp<qint64>(qint64{pos} - esquina + destino, 0, std::max(lado, 0)));
    };
    // The boxes pasted are what is selected afterwards.
    m_editor.seleccion().QuitarSeleccion();
    QList<int> pegados;
    {
        Documento::Paso paso(m_doc, QStringLiteral("pegar %n"));
        Documento::Lote lote(m_doc); // drawn once, before the selection is shown
        for (Cuadro c : copia.cuadros) {
            const int i = m_doc.agregarCuadro(defectos, lugar);
            if (i < 0)
                break;
            c.PosX = colocar(c.PosX, izquierda, lugar.x(), hoja.HAncho);
            c.PosY = colocar(c.PosY, arriba, lugar.y(), hoja.HAlto);
            c.EnUso = true;
            c.Seleccionado = false;
            c.ColorFondo = m_doc.Cuadros()[i].ColorFondo;
            m_doc.cambiarCuadro(i, [&](Cuadro& nuevo) { nuevo = c; });
            m_doc.fijarCuadroActual(i);
            pegados.append(i);
        }
    }
    if (pegados.size() > 1) {
        for (int i : pegados)
            m_doc.marcarSeleccionado(i, true);
        m_editor.seleccion().ArmarSeleccion();
        m_editor.seleccion().HabilitarHerramientasGrupo();
    }
}

void ComandosCuadro::alinear(bool horizontal) {
    const QList<qint16>& seleccion = m_doc.Seleccion();
    if (seleccion.isEmpty())
        return;
    // Every box takes the top (or left) of the first listed box.
    const Cuadro& primero = m_doc.Cuadros()[seleccion.first()];
    const qint32 x = primero.PosX, y = primero.PosY;
    const QList<int> cuadros(seleccion.begin(), seleccion.end());
    Documento::Paso paso(m_doc, QStringLiteral("alinear %n"));
    m_doc.cambiarCuadros(cuadros, [&](Cuadro& c) {
        if (horizontal)
            c.PosY = y;
        else
            c.PosX = x;
    });
}

void ComandosCuadro::AlinearHorizontal() {
    alinear(true);
}

void ComandosCuadro::AlinearVertical() {
    alinear(false);
}

void ComandosCuadro::Bloquear(bool bloquear) {
    Documento::Paso paso(m_doc, bloquear ? QStringLiteral("bloquear %n")
                                         : QStringLiteral("desbloquear %n"));
    if (m_doc.ModoGrupo()) {
        QList<int> cuadros;
        for (qint16 s : m_doc.Seleccion())
            if (m_doc.existe(s) && m_doc.Cuadros()[s].Seleccionado)
                cuadros.append(s);
        m_doc.cambiarCuadros(cuadros, [&](Cuadro& c) { c.Bloqueado = bloquear; });
    } else {
        m_doc.cambiarCuadro(m_doc.CuadroActual(), [&](Cuadro& c) { c.Bloqueado = bloquear; });
    }
}

void ComandosCuadro::LineasGuiaCuadros(bool activar) {
    Documento::Paso paso(m_doc, QStringLiteral("líneas guía de %n"));
    if (m_doc.ModoGrupo()) {
        QList<int> cuadros;
        for (int i = 0; i <= m_doc.limiteSuperior(); ++i)
            if (m_doc.Cuadros()[i].Seleccionado)
                cuadros.append(i);
        m_doc.cambiarCuadros(cuadros, [&](Cuadro& c) { c.LineasGuia = activar; });
    } else {
        m_doc.cambiarCuadro(m_doc.CuadroActual(), [](Cuadro& c) { c.LineasGuia = !c.LineasGuia; });
    }
}
