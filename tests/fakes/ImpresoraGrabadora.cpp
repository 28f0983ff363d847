#include "ImpresoraGrabadora.h"

#include "core/fallas/Falla.h"

ImpresoraGrabadora::ImpresoraGrabadora(const QString& nombre) : m_nombre(nombre) {
    geo.puntosPorPulgadaX = geo.puntosPorPulgadaY = 600;
    geo.anchoFisico = geo.anchoImprimible = 8.5 * 600;
    geo.altoFisico = geo.altoImprimible = 11 * 600;
}

void ImpresoraGrabadora::fijarOrientacion(int o) {
    if (o != orient && (o == 1 || o == 2)) {
        std::swap(geo.anchoFisico, geo.altoFisico);
        std::swap(geo.anchoImprimible, geo.altoImprimible);
        std::swap(geo.desplazamientoX, geo.desplazamientoY);
    }
    orient = o;
}

QList<LlamadaImpresora> ImpresoraGrabadora::de(const QString& operacion) const {
    QList<LlamadaImpresora> r;
    for (const auto& l : llamadas)
        if (l.operacion == operacion)
            r.append(l);
    return r;
}

int ImpresoraGrabadora::paginas() const {
    return m_paginasTerminadas;
}

void ImpresoraGrabadora::grabar(LlamadaImpresora l) {
    if (!m_abierto) {
        m_abierto = true;
        m_paginasDocumento = 1;
    }
    l.color = m_color;
    l.fuente = m_fuente;
    if (alImprimir)
        alImprimir(l);
    llamadas.append(l);
}

void ImpresoraGrabadora::fijarPosicion(double x, double y) {
    m_x = x;
    m_y = y;
}

void ImpresoraGrabadora::imprimirTexto(const QString& texto) {
    grabar({QStringLiteral("texto"), texto, m_x, m_y});
    m_x = 0;
    m_y += altoCelda();
}

void ImpresoraGrabadora::imprimirLineaVacia() {
    grabar({QStringLiteral("vacia"), {}, m_x, m_y});
    m_x = 0;
    m_y += altoCelda();
}

void ImpresoraGrabadora::imprimirTextoRotado(const QString& texto, int grados, double x, double y) {
    LlamadaImpresora l{QStringLiteral("rotado"), texto, x, y};
    l.grados = grados;
    grabar(l);
}

void ImpresoraGrabadora::dibujarLinea(double x1, double y1, double x2, double y2) {
    grabar({QStringLiteral("linea"), {}, x1, y1, x2, y2});
}

double ImpresoraGrabadora::anchoTexto(const QString& texto) const {
    return texto.size() * m_fuente.puntos * 10.0; // half an em per character
}

double ImpresoraGrabadora::altoCelda() const {
    return m_fuente.puntos * 23.0; // 1.15 em, twips
}

void ImpresoraGrabadora::nuevaPagina() {
    grabar({QStringLiteral("pagina")});
    ++m_paginasDocumento;
}

void ImpresoraGrabadora::terminarDocumento() {
    if (!m_abierto)
        return;
    if (fallarAlTerminar)
        throw Falla{CodigoFalla::DispositivoNoDisponible,
                    QStringLiteral("La impresora no responde")};
    llamadas.append({QStringLiteral("fin")});
    m_paginasTerminadas += m_paginasDocumento;
    m_abierto = false;
}

void ImpresoraGrabadora::abortarDocumento() {
    if (!m_abierto)
        return;
    llamadas.append({QStringLiteral("abortar")});
    m_abierto = false;
}
