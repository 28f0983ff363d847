#include "ComandosCuadro.h"
#include "core/programa/Herramientas.h"

#include "core/editor/EditorHoja.h"
#include "core/programa/Despachador.h"
#include "core/programa/Principal.h"
#include "core/puertos/Mensajes.h"
#include "core/puertos/Portapapeles.h"
#include "core/trabajo/CopiaCuadros.h"
#include "core/trabajo/Valores.h"

ComandosCuadro::ComandosCuadro(Principal& principal, EditorHoja& editor)
    : m_p(principal), m_editor(editor) {}

void ComandosCuadro::NuevoCuadro() {
    Estado& e = m_p.estado;
    if (!e.PuntoMarcado)
        e.PuntoX = e.PuntoY = 0;
    e.PuntoMarcado = false;
    const int i = e.AgregarCuadro(Estado::DefectosCuadro(m_p.ajustes()));
    if (i < 0) {
        m_p.mensajes().mostrar(QStringLiteral("El trabajo ya tiene 32.767 cuadros; no caben más."),
                               QStringLiteral("Nuevo cuadro"), Icono::Exclamacion,
                               Botones::Aceptar);
        return;
    }
    e.CuadroActual = static_cast<qint16>(i);
    m_editor.DibujarCuadros();
    // The new box stays whatever the operator does in the dialog.
    const bool grupo = e.ModoGrupo;
    e.ModoGrupo = false;
    if (mostrarPropiedades)
        mostrarPropiedades(i);
    e.ModoGrupo = grupo;
    m_editor.DibujarCuadros();
}

void ComandosCuadro::BorrarCuadros(int i) {
    Estado& e = m_p.estado;
    if (m_p.mensajes().mostrar(QStringLiteral("Se borrarán el o los cuadros seleccionados.\r"
                                              "¿Desea continuar?"),
                               QStringLiteral("Precaución"), Icono::Pregunta,
                               Botones::AceptarCancelar) != Respuesta::Aceptar)
        return;
    QList<qint16> borrar = e.ModoGrupo ? e.Seleccion : QList<qint16>{static_cast<qint16>(i)};
    for (qint16 s : borrar)
        if (s >= 0 && s <= e.limiteSuperior() && e.Cuadros[s].EnUso)
            e.LiberarCuadro(s);
    e.ModoGrupo = false;
    e.Seleccion = {0};
    m_editor.seleccion().DeshabilitarHerramientasCuadro();
    m_editor.DibujarCuadros();
}

void ComandosCuadro::CopiarCuadros(int i, bool cortar) {
    Estado& e = m_p.estado;
    QList<int> cuadros;
    if (e.ModoGrupo)
        for (qint16 s : e.Seleccion)
            cuadros.append(s);
    else
        cuadros.append(i);
    m_p.portapapeles().limpiar();
    m_p.portapapeles().fijarTexto(TextoCopiaCuadros(cuadros, e, m_p.idioma));
    if (cortar)
        BorrarCuadros(i);
    Estado::Actualizar actualizando(e);
    m_p.barra.habilitar(herramienta::BtnPegar, true);
}

namespace {
// 100 twips further, held to the sheet: a box copied at its far edge (or at
// the largest position a file can hold) stays where the operator can reach it.
qint32 Desplazar(qint32 pos, qint32 lado) {
    return static_cast<qint32>(std::clamp<qint64>(qint64{pos} + 100, 0, std::max(lado, 0)));
}
} // namespace

void ComandosCuadro::PegarCuadros(bool desdeHoja) {
    Estado& e = m_p.estado;
    const auto texto = m_p.portapapeles().texto();
    if (!texto)
        return;
    // Every block is read before any box is made: text from another program
    // that only begins with "ZUL" leaves no half-made box behind.
    const Cuadro defectos = Estado::DefectosCuadro(m_p.ajustes());
    const CopiaCuadros copia = LeerCopiaCuadros(*texto, defectos);
    const qsizetype caben = Estado::kMaxCuadros - e.cuadrosVivos();
    QString error = copia.error;
    if (error.isEmpty() && copia.cuadros.size() > caben)
        error = QStringLiteral("No se ha pegado nada: la copia tiene %1 cuadros y en el trabajo "
                               "sólo caben %2 más (32.767 como mucho).")
                    .arg(copia.cuadros.size())
                    .arg(caben);
    if (!error.isEmpty()) {
        m_p.mensajes().mostrar(error, QStringLiteral("Pegar"), Icono::Exclamacion,
                               Botones::Aceptar);
        return;
    }
    const double zoom = e.Trabajo.Zoom > 0 ? e.Trabajo.Zoom : 1;
    for (Cuadro c : copia.cuadros) {
        const int i = e.AgregarCuadro(defectos);
        if (i < 0)
            break;
        if (copia.cuadros.size() == 1 && desdeHoja) {
            c.PosX = static_cast<qint32>(RedondearPar(e.PuntoX / zoom));
            c.PosY = static_cast<qint32>(RedondearPar(e.PuntoY / zoom));
        } else {
            c.PosX = Desplazar(c.PosX, e.Trabajo.HAncho);
            c.PosY = Desplazar(c.PosY, e.Trabajo.HAlto);
        }
        c.EnUso = true;
        c.Seleccionado = false;
        c.ColorFondo = e.Cuadros[i].ColorFondo;
        e.Cuadros[i] = c;
        e.CuadroActual = static_cast<qint16>(i);
    }
    m_editor.DibujarCuadros();
}

void ComandosCuadro::alinear(bool horizontal) {
    Estado& e = m_p.estado;
    if (e.Seleccion.isEmpty())
        return;
    // Every box takes the top (or left) of the first listed box's picture.
    const double zoom = e.Trabajo.Zoom > 0 ? e.Trabajo.Zoom : 1;
    const QRectF primero = m_editor.elementos().elementos().at(e.Seleccion.first()).rect;
    for (qint16 s : e.Seleccion) {
        if (horizontal)
            e.Cuadros[s].PosY = static_cast<qint32>(RedondearPar(primero.top() / zoom));
        else
            e.Cuadros[s].PosX = static_cast<qint32>(RedondearPar(primero.left() / zoom));
    }
    m_editor.DibujarCuadros();
}

void ComandosCuadro::AlinearHorizontal() {
    alinear(true);
}

void ComandosCuadro::AlinearVertical() {
    alinear(false);
}

void ComandosCuadro::Bloquear() {
    Estado& e = m_p.estado;
    const bool bloquear = m_p.barra.pulsada(herramienta::BtnBloquear);
    if (e.ModoGrupo) {
        for (qint16 s : e.Seleccion)
            if (e.Cuadros[s].Seleccionado)
                e.Cuadros[s].Bloqueado = bloquear;
    } else {
        e.Cuadros[e.CuadroActual].Bloqueado = bloquear;
    }
    m_editor.DibujarCuadros();
}

void ComandosCuadro::LineasGuiaCuadros(bool activar) {
    Estado& e = m_p.estado;
    if (e.ModoGrupo) {
        for (int i = 0; i <= e.limiteSuperior(); ++i)
            if (e.Cuadros[i].Seleccionado)
                e.Cuadros[i].LineasGuia = activar;
    } else {
        Cuadro& c = e.Cuadros[e.CuadroActual];
        c.LineasGuia = !c.LineasGuia;
    }
    m_editor.DibujarCuadros();
}
