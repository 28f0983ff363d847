#include "EditorHoja.h"

#include "core/editor/Vista.h"
#include "core/fallas/Falla.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/Numeracion.h"

EditorHoja::EditorHoja(Documento& documento, Mensajes& mensajes, const QLocale& idioma,
                       QObject* padre)
    : QObject(padre), m_doc(documento), m_mensajes(mensajes), m_idioma(idioma) {
    // A table read or emptied, a new zoom or sheet: every box is placed anew.
    // The printable area depends on the printer and the sheet, never on the zoom.
    connect(&m_doc, &Documento::tablaCambiada, this, [this] {
        MedirTirada();
        DibujarCuadros();
    });
    connect(&m_doc, &Documento::zoomCambiado, this, &EditorHoja::DibujarCuadros);
    connect(&m_doc, &Documento::hojaCambiada, this, &EditorHoja::RedibujarHoja);
    // Boxes a command or a dialog changed are placed and drawn from their
    // records; a drag's own moves are already where they are shown.
    connect(&m_doc, &Documento::cuadrosCambiados, this, [this](const QList<int>& cuadros) {
        if (m_seleccion.escribiendo())
            return;
        // A shorter run may leave the sheet shown behind: then every box
        // shows the run's new last sheet.
        if (MedirTirada())
            m_elementos.RedibujarHoja(m_doc.estado());
        else
            m_elementos.RedibujarCuadros(m_doc.estado(), cuadros);
        emit vistaCambiada();
    });
    connect(&m_doc, &Documento::historiaAplicada, this, [this] {
        m_seleccion.Olvidar();
        emit vistaCambiada();
    });
    connect(&m_doc, &Documento::abiertoCambiado, this, [this](bool abierto) {
        if (!abierto)
            m_margenes.reset();
        // Nothing of the last job's drag, label or handles outlives it.
        m_seleccion.Olvidar();
        VolverAPrimeraHoja();
    });
}

std::optional<Margenes> EditorHoja::margenes() const {
    if (!m_margenes)
        return std::nullopt;
    const double z = m_doc.Trabajo().Zoom;
    return Margenes{m_margenes->izquierdo * z, m_margenes->derecho * z, m_margenes->superior * z,
                    m_margenes->inferior * z};
}

std::optional<QString> EditorHoja::CambiarZoom(const QString& texto, OrigenZoom origen) {
    const EntradaZoom e = ::CambiarZoom(texto, origen);
    if (!e.mensaje.isEmpty())
        m_mensajes.mostrar(e.mensaje, QStringLiteral("Error"),
                           e.exclamacion ? Icono::Exclamacion : Icono::Ninguno, Botones::Aceptar);
    if (!e.zoom)
        return std::nullopt;
    m_doc.fijarZoom(*e.zoom);
    return e.textoCampo;
}

void EditorHoja::RefrescarVista() {
    if (m_doc.abierto() && m_vista.margenes && comprobarMargenes)
        m_margenes = comprobarMargenes();
    else
        m_margenes.reset();
    emit vistaCambiada();
}

void EditorHoja::AlternarReglas(bool si) {
    m_vista.reglas = si;
    emit vistaCambiada();
}

void EditorHoja::AlternarEjes(bool si) {
    m_vista.ejes = si;
    emit vistaCambiada();
}

void EditorHoja::AlternarMargenes(bool si) {
    m_vista.margenes = si;
    RefrescarVista();
}

void EditorHoja::MostrarPosicion(double x, double y) {
    emit posicionCambiada(TextoPosicion(x, y, m_doc.Trabajo().Zoom, m_idioma));
}

void EditorHoja::RedibujarHoja() {
    m_elementos.RedibujarHoja(m_doc.estado());
    RefrescarVista();
}

QString EditorHoja::SobreCuadro(int i) {
    if (!m_doc.existe(i))
        return {};
    m_doc.fijarCuadroActual(i);
    const ::Trabajo& t = m_doc.Trabajo();
    const Elemento& el = m_elementos.elementos().at(i);
    const QPointF esquina = el.rect.topLeft();
    MostrarPosicion(esquina.x(), esquina.y());
    if (!el.fuera)
        return ElementosHoja::TextoUbicacion(esquina, t.Zoom, m_idioma);
    // Where the box really is, not where it is shown.
    const Cuadro& c = m_doc.Cuadros()[i];
    const QPointF real = Vista(t.Zoom).aPantalla(c.PosX, c.PosY);
    return ElementosHoja::TextoUbicacion(real, t.Zoom, m_idioma) +
           QStringLiteral("\nFuera de la hoja: arrástrelo a su sitio");
}

void EditorHoja::SeleccionarTodo() {
    m_seleccion.SeleccionarTodo();
    emit vistaCambiada();
}

void EditorHoja::DibujarCuadros() {
    m_elementos.RedibujarHoja(m_doc.estado());
    emit vistaCambiada();
}

bool EditorHoja::MedirTirada() {
    qint32 hojas = 1;
    try {
        hojas = std::max<qint32>(1, LongitudTirada(m_doc.Cuadros()));
    } catch (const Falla&) {
        // A series that cannot be numbered: the print run says why. Until
        // it is mended the editor shows the first sheet.
    }
    const bool acortada = hojaMostrada() > hojas;
    if (hojas == m_hojasTirada && !acortada)
        return false;
    m_hojasTirada = hojas;
    if (acortada)
        m_elementos.fijarHoja(hojas - 1);
    emit hojaMostradaCambiada();
    return acortada;
}

void EditorHoja::VolverAPrimeraHoja() {
    const bool otra = hojaMostrada() != 1;
    m_elementos.fijarHoja(0);
    MedirTirada();
    if (otra) {
        m_elementos.RedibujarHoja(m_doc.estado());
        emit vistaCambiada();
    }
    emit hojaMostradaCambiada();
}

bool EditorHoja::MostrarHoja(qint32 k) {
    if (k < 1 || k > m_hojasTirada)
        return false;
    if (k == hojaMostrada())
        return true;
    m_elementos.fijarHoja(k - 1);
    m_elementos.RedibujarHoja(m_doc.estado());
    emit hojaMostradaCambiada();
    emit vistaCambiada();
    return true;
}

void EditorHoja::PasarHoja(PasoHoja paso) {
    switch (paso) {
    case PasoHoja::Anterior:
        MostrarHoja(std::max(1, hojaMostrada() - 1));
        break;
    case PasoHoja::Siguiente:
        MostrarHoja(std::min(m_hojasTirada, hojaMostrada() + 1));
        break;
    case PasoHoja::Primera:
        MostrarHoja(1);
        break;
    case PasoHoja::Ultima:
        MostrarHoja(m_hojasTirada);
        break;
    }
}

QString EditorHoja::IntroducirHoja(const QString& texto) {
    // Digits only: "1.000" is not taken for sheet 1 nor for a thousand.
    const QString t = texto.trimmed();
    bool entero = !t.isEmpty() && t.size() <= 10;
    for (const QChar c : t)
        entero = entero && c >= u'0' && c <= u'9';
    const qint64 k = entero ? t.toLongLong() : 0;
    if (!entero || k < 1 || k > m_hojasTirada || !MostrarHoja(static_cast<qint32>(k)))
        m_mensajes.mostrar(QStringLiteral("El valor ingresado debe ser un número entero, mayor o "
                                          "igual que 1\ry menor o igual que %1")
                               .arg(m_hojasTirada),
                           QStringLiteral("Error"), Icono::Exclamacion, Botones::Aceptar);
    return QString::number(hojaMostrada());
}
