#include "Documento.h"

#include <QScopedValueRollback>
#include <QUndoCommand>
#include <utility>

// A step as the history keeps it: the touched slots before and after. Made
// once the step is done, so its first redo does nothing.
class PasoHistoria : public QUndoCommand {
public:
    PasoHistoria(Documento& d, const QString& texto, int fusion, Documento::Foto antes,
                 Documento::Foto despues)
        : QUndoCommand(texto), m_d(d), m_fusion(fusion), m_antes(std::move(antes)),
          m_despues(std::move(despues)) {}

    int id() const override { return m_fusion == 0 ? -1 : m_fusion; }

    void undo() override { m_d.aplicar(m_antes); }
    void redo() override {
        if (!m_hecho) {
            m_hecho = true;
            return;
        }
        m_d.aplicar(m_despues);
    }

    // Nudges of the same boxes, one after another, are one move.
    bool mergeWith(const QUndoCommand* otro) override {
        const auto* o = static_cast<const PasoHistoria*>(otro);
        if (o->m_fusion != m_fusion || o->m_antes.tamano != m_despues.tamano || o->m_antes.hoja ||
            m_antes.hoja)
            return false;
        const auto& a = m_despues.cuadros;
        const auto& b = o->m_antes.cuadros;
        if (a.size() != b.size() ||
            !std::equal(a.begin(), a.end(), b.begin(),
                        [](const auto& x, const auto& y) { return x.first == y.first; }))
            return false;
        m_despues = o->m_despues;
        // Back where it started: nothing is left to undo.
        setObsolete(Documento::mismoContenido(m_antes, m_despues));
        return true;
    }

private:
    Documento& m_d;
    int m_fusion;
    Documento::Foto m_antes, m_despues;
    bool m_hecho = false;
};

namespace {
// "mover %n" -> "mover 3 cuadros".
QString Describir(QString texto, int cuadros) {
    return texto.replace(QStringLiteral("%n"), cuadros == 1
                                                   ? QStringLiteral("1 cuadro")
                                                   : QStringLiteral("%1 cuadros").arg(cuadros));
}
} // namespace

Documento::Paso::Paso(Documento& d, const QString& texto, int fusion) : m_d(d) {
    d.empezarPaso(texto, fusion);
}

Documento::Paso::~Paso() {
    m_d.terminarPaso();
}

Documento::Documento(QObject* padre) : QObject(padre) {
    // Enough to take back an afternoon's slips without holding every paste.
    m_historia.setUndoLimit(200);
    connect(&m_historia, &QUndoStack::cleanChanged, this,
            [this](bool limpio) { emit modificadoCambiado(!limpio); });
}

Documento::~Documento() {
    // The steps refer to this document: gone before it is, telling nobody
    // (whoever listens may be going too).
    m_historia.blockSignals(true);
    m_historia.clear();
}

void Documento::empezarPaso(const QString& texto, int fusion) {
    // What listeners do while a step is undone is not a step of its own.
    if (m_pasos++ == 0 && !m_aplicando)
        m_registro = Registro{texto, fusion, Foto{static_cast<int>(m_e.Cuadros.size()), {}, {}}};
}

void Documento::anotar(int i) {
    if (!m_abierto || !m_registro)
        return;
    auto& cuadros = m_registro->antes.cuadros;
    if (cuadros.count(i))
        return;
    cuadros.emplace(i, i < m_registro->antes.tamano ? std::optional<Cuadro>(m_e.Cuadros[i])
                                                    : std::nullopt);
}

void Documento::anotarHoja() {
    if (m_abierto && m_registro && !m_registro->antes.hoja)
        m_registro->antes.hoja = m_e.Trabajo;
}

void Documento::terminarPaso() {
    if (--m_pasos > 0 || !m_registro)
        return;
    Registro r = std::move(*m_registro);
    m_registro.reset();
    Foto despues{static_cast<int>(m_e.Cuadros.size()), {}, {}};
    for (const auto& [i, antes] : r.antes.cuadros)
        despues.cuadros.emplace(i, i < despues.tamano ? std::optional<Cuadro>(m_e.Cuadros[i])
                                                      : std::nullopt);
    if (r.antes.hoja)
        despues.hoja = m_e.Trabajo;
    // A step that changed nothing (a click without a move) is no step.
    if (mismoContenido(r.antes, despues))
        return;
    const int n = static_cast<int>(r.antes.cuadros.size());
    m_historia.push(new PasoHistoria(*this, Describir(r.texto, n), r.fusion, std::move(r.antes),
                                     std::move(despues)));
}

bool Documento::mismoContenido(const Foto& a, const Foto& b) {
    const auto sinMarca = [](const std::optional<Cuadro>& c) {
        std::optional<Cuadro> r = c;
        if (r)
            r->Seleccionado = false;
        return r;
    };
    const auto mismaHoja = [](const std::optional<::Trabajo>& x,
                              const std::optional<::Trabajo>& y) {
        if (!x || !y)
            return x.has_value() == y.has_value();
        ::Trabajo z = *y;
        z.Zoom = x->Zoom;
        return *x == z;
    };
    return a.tamano == b.tamano && mismaHoja(a.hoja, b.hoja) &&
           std::equal(a.cuadros.begin(), a.cuadros.end(), b.cuadros.begin(), b.cuadros.end(),
                      [&](const auto& x, const auto& y) {
                          return x.first == y.first && sinMarca(x.second) == sinMarca(y.second);
                      });
}

void Documento::aplicar(const Foto& foto) {
    const QScopedValueRollback aplicando(m_aplicando, true);
    m_e.Cuadros.resize(static_cast<size_t>(std::max(foto.tamano, 1)));
    for (const auto& [i, c] : foto.cuadros)
        if (i < foto.tamano && c)
            m_e.Cuadros[i] = *c;
    // The selection is let go: the boxes it named may be gone or elsewhere.
    for (Cuadro& c : m_e.Cuadros)
        c.Seleccionado = false;
    m_e.Seleccion = {0};
    m_e.ModoGrupo = false;
    if (m_e.CuadroActual > limiteSuperior())
        m_e.CuadroActual = 0;
    m_e.NotarRanuraLibre(0);
    if (foto.hoja) {
        const float zoom = m_e.Trabajo.Zoom; // the view is not part of the history
        m_e.Trabajo = *foto.hoja;
        m_e.Trabajo.Zoom = zoom;
        emit hojaCambiada();
    }
    emit tablaCambiada();
    emit seleccionCambiada();
    emit historiaAplicada();
}

void Documento::deshacer() {
    if (m_pasos == 0)
        m_historia.undo();
}

void Documento::rehacer() {
    if (m_pasos == 0)
        m_historia.redo();
}

void Documento::marcarGuardado() {
    m_historia.setClean();
}

void Documento::marcarDistinto() {
    m_historia.resetClean();
}

void Documento::olvidarHistoria() {
    m_registro.reset();
    m_historia.clear();
}

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
    Paso paso(*this, QStringLiteral("configurar página"));
    anotarHoja();
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
    // Not a change to the job: the mark is left out of the history's slots.
    if (!existe(i) || m_e.Cuadros[i].Seleccionado == si)
        return;
    m_e.Cuadros[i].Seleccionado = si;
    emit seleccionCambiada();
}

int Documento::agregarCuadro(const Cuadro& defectos, QPoint posicion) {
    Paso paso(*this, QStringLiteral("nuevo cuadro"));
    const int siguiente = m_e.SiguienteRanura();
    if (siguiente >= kMaxCuadros)
        return -1;
    anotar(siguiente);
    const int i = m_e.AgregarCuadro(defectos, posicion);
    if (i >= 0)
        avisarCuadros({i});
    return i;
}

void Documento::liberarCuadro(int i, QPoint posicion) {
    if (!existe(i))
        return;
    Paso paso(*this, QStringLiteral("borrar %n"));
    anotar(i);
    m_e.LiberarCuadro(i, posicion);
    avisarCuadros({i});
}

void Documento::fijarPosicion(int i, qint32 x, qint32 y) {
    if (!existe(i))
        return;
    Cuadro& c = m_e.Cuadros[i];
    if (c.PosX == x && c.PosY == y)
        return;
    Paso paso(*this, QStringLiteral("mover %n"));
    anotar(i);
    c.PosX = x;
    c.PosY = y;
    avisarCuadros({i});
}

void Documento::cambiarCuadros(const QList<int>& cuadros,
                               const std::function<void(Cuadro&)>& cambio) {
    Paso paso(*this, QStringLiteral("cambiar %n"));
    QList<int> cambiados;
    for (int i : cuadros) {
        if (!existe(i))
            continue;
        Cuadro nuevo = m_e.Cuadros[i];
        cambio(nuevo);
        if (nuevo == m_e.Cuadros[i])
            continue;
        anotar(i);
        m_e.Cuadros[i] = std::move(nuevo);
        if (!cambiados.contains(i))
            cambiados.append(i);
    }
    if (!cambiados.isEmpty())
        avisarCuadros(cambiados);
}

void Documento::limpiar() {
    olvidarHistoria();
    m_e.LimpiarTrabajo();
    emit tablaCambiada();
    emit seleccionCambiada();
}

void Documento::cargar(std::vector<Cuadro> cuadros) {
    olvidarHistoria();
    m_e.LimpiarTrabajo();
    if (!cuadros.empty())
        m_e.Cuadros = std::move(cuadros);
    emit tablaCambiada();
    emit seleccionCambiada();
}
