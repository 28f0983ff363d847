#include "Documento.h"

#include <utility>

Documento::Documento(QObject* padre) : QObject(padre) {}

void Documento::avisarCuadros(const QList<int>& cuadros) {
    if (m_lotes == 0) {
        emit cuadrosCambiados(cuadros);
        return;
    }
    for (int i : cuadros)
        if (!m_pendientes.contains(i))
            m_pendientes.append(i);
}

void Documento::terminarLote() {
    if (--m_lotes > 0 || m_pendientes.isEmpty())
        return;
    emit cuadrosCambiados(std::exchange(m_pendientes, {}));
}

void Documento::fijarAbierto(bool abierto) {
    if (m_abierto == abierto)
        return;
    m_abierto = abierto;
    emit abiertoCambiado(abierto);
}

void Documento::fijarHoja(const ::Trabajo& hoja) {
    if (m_e.Trabajo == hoja)
        return;
    const bool zoom = m_e.Trabajo.Zoom != hoja.Zoom;
    m_e.Trabajo = hoja;
    emit hojaCambiada();
    if (zoom)
        emit zoomCambiado();
}

void Documento::fijarZoom(float zoom) {
    if (m_e.Trabajo.Zoom == zoom)
        return;
    m_e.Trabajo.Zoom = zoom;
    emit zoomCambiado();
}

void Documento::fijarRuta(const QString& ruta) {
    if (m_e.RutaTrabajo == ruta)
        return;
    m_e.RutaTrabajo = ruta;
    emit rutaCambiada();
}

void Documento::fijarModificado(bool modificado) {
    if (m_e.Modificado == modificado)
        return;
    m_e.Modificado = modificado;
    emit modificadoCambiado(modificado);
}

void Documento::fijarCuadroActual(int i) {
    if (!existe(i) || m_e.CuadroActual == i)
        return;
    m_e.CuadroActual = static_cast<qint16>(i);
    emit seleccionCambiada();
}

void Documento::fijarModoGrupo(bool grupo) {
    if (m_e.ModoGrupo == grupo)
        return;
    m_e.ModoGrupo = grupo;
    emit seleccionCambiada();
}

void Documento::fijarSeleccion(const QList<qint16>& seleccion) {
    // The list never runs empty: slot 0 stands for "none".
    const QList<qint16> nueva = seleccion.isEmpty() ? QList<qint16>{0} : seleccion;
    if (m_e.Seleccion == nueva)
        return;
    m_e.Seleccion = nueva;
    emit seleccionCambiada();
}

void Documento::marcarSeleccionado(int i, bool si) {
    if (!existe(i) || m_e.Cuadros[i].Seleccionado == si)
        return;
    m_e.Cuadros[i].Seleccionado = si;
    emit seleccionCambiada();
}

int Documento::agregarCuadro(const Cuadro& defectos, QPoint posicion) {
    const bool antes = m_e.Modificado;
    const int i = m_e.AgregarCuadro(defectos, posicion);
    if (i < 0)
        return i;
    avisarCuadros({i});
    if (!antes)
        emit modificadoCambiado(true);
    return i;
}

void Documento::liberarCuadro(int i, QPoint posicion) {
    if (!existe(i))
        return;
    m_e.LiberarCuadro(i, posicion);
    avisarCuadros({i});
}

void Documento::fijarPosicion(int i, qint32 x, qint32 y) {
    if (!existe(i))
        return;
    Cuadro& c = m_e.Cuadros[i];
    if (c.PosX == x && c.PosY == y)
        return;
    c.PosX = x;
    c.PosY = y;
    avisarCuadros({i});
}

void Documento::cambiarCuadros(const QList<int>& cuadros,
                               const std::function<void(Cuadro&)>& cambio) {
    QList<int> cambiados;
    for (int i : cuadros) {
        if (!existe(i))
            continue;
        Cuadro& c = m_e.Cuadros[i];
        const Cuadro antes = c;
        cambio(c);
        if (!(c == antes) && !cambiados.contains(i))
            cambiados.append(i);
    }
    if (!cambiados.isEmpty())
        avisarCuadros(cambiados);
}

void Documento::limpiar() {
    m_e.LimpiarTrabajo();
    emit tablaCambiada();
    emit seleccionCambiada();
}

void Documento::cargar(std::vector<Cuadro> cuadros) {
    m_e.LimpiarTrabajo();
    if (!cuadros.empty())
        m_e.Cuadros = std::move(cuadros);
    emit tablaCambiada();
    emit seleccionCambiada();
}
