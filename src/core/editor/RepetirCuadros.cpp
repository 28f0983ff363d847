#include "RepetirCuadros.h"

#include "core/editor/ElementosHoja.h"
#include "core/editor/SeleccionHoja.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/Preferencias.h"
#include "core/trabajo/Unidades.h"
#include "core/trabajo/Valores.h"

#include <algorithm>
#include <cmath>

namespace {
const QString kTitulo = QStringLiteral("Repetir");

// How many copies one way: a whole number from 1 (a grid of more than the
// job's box limit is refused by the count anyway).
std::optional<int> Copias(const QString& texto) {
    const auto v = LeerNumero(texto);
    if (!v || *v < 1 || *v > Documento::kMaxCuadros || *v != std::floor(*v))
        return std::nullopt;
    return static_cast<int>(*v);
}

QString Cuadros(qint64 n, const QLocale& idioma) {
    return n == 1 ? QStringLiteral("1 cuadro nuevo")
                  : QStringLiteral("%1 cuadros nuevos").arg(FormatoMiles(n, idioma));
}
} // namespace

RepetirCuadros::RepetirCuadros(Documento& documento, SeleccionHoja& seleccion,
                               Preferencias& preferencias, Mensajes& mensajes)
    : m_doc(documento), m_seleccion(seleccion), m_pref(preferencias), m_mensajes(mensajes) {}

bool RepetirCuadros::Abrir() {
    m_originales.clear();
    const auto vivo = [&](int i) { return m_doc.existe(i) && m_doc.Cuadros()[i].EnUso; };
    if (m_doc.ModoGrupo()) {
        for (qint16 s : m_doc.Seleccion())
            if (vivo(s) && !m_originales.contains(s))
                m_originales.append(s);
    } else if (vivo(m_doc.CuadroActual())) {
        m_originales.append(m_doc.CuadroActual());
    }
    std::sort(m_originales.begin(), m_originales.end());
    if (m_originales.isEmpty())
        return false;
    m_contorno = {};
    for (int i : m_originales) {
        const QRectF r = ElementosHoja::Rectangulo(m_doc.Cuadros()[i]);
        m_contorno = m_contorno.isNull() ? r : m_contorno.united(r);
    }
    const QLocale& idioma = m_pref.idioma();
    columnas = filas = QStringLiteral("1");
    // Copies that just touch, to the hundredth of a centimetre shown.
    const auto paso = [&](double twips) {
        return FormatoFijo(std::ceil(CmDeTwips(twips) * 100 - 1e-9) / 100, idioma, 1);
    };
    pasoX = paso(m_contorno.width());
    pasoY = paso(m_contorno.height());
    return true;
}

std::optional<RepetirCuadros::Rejilla> RepetirCuadros::rejilla(int* campo, QString* error) const {
    const auto mal = [&](int k, const QString& texto) -> std::optional<Rejilla> {
        if (campo)
            *campo = k;
        if (error)
            *error = texto;
        return std::nullopt;
    };
    Rejilla r;
    const auto c = Copias(columnas), f = Copias(filas);
    if (!c)
        return mal(0, QStringLiteral("Las copias a lo ancho deben ser un número entero desde 1."));
    if (!f)
        return mal(1, QStringLiteral("Las copias a lo alto deben ser un número entero desde 1."));
    r.columnas = *c;
    r.filas = *f;
    const double maximo = 500; // cm: no sheet is larger
    const auto x = LeerNumero(pasoX), y = LeerNumero(pasoY);
    if (!x || std::fabs(*x) > maximo)
        return mal(2, QStringLiteral("El paso horizontal no es válido."));
    if (!y || std::fabs(*y) > maximo)
        return mal(3, QStringLiteral("El paso vertical no es válido."));
    r.pasoX = TwipsDeCm(*x);
    r.pasoY = TwipsDeCm(*y);
    if (r.columnas > 1 && TwipsEnteros(r.pasoX) == 0)
        return mal(2, QStringLiteral("Con más de una copia a lo ancho el paso horizontal no puede "
                                     "ser cero: las copias quedarían unas sobre otras."));
    if (r.filas > 1 && TwipsEnteros(r.pasoY) == 0)
        return mal(3, QStringLiteral("Con más de una copia a lo alto el paso vertical no puede "
                                     "ser cero: las copias quedarían unas sobre otras."));
    return r;
}

QPoint RepetirCuadros::desvio(const Rejilla& r, int columna, int fila) {
    // Each cell from the originals, not from the cell before: no drift.
    return {TwipsEnteros(columna * r.pasoX), TwipsEnteros(fila * r.pasoY)};
}

qint64 RepetirCuadros::nuevos(const Rejilla& r) const {
    return static_cast<qint64>(m_originales.size()) * (qint64{r.columnas} * r.filas - 1);
}

QList<RepetirCuadros::Copia> RepetirCuadros::copias() const {
    const auto r = rejilla();
    if (!r || nuevos(*r) > Documento::kMaxCuadros - m_doc.cuadrosVivos())
        return {};
    QList<QRectF> rects;
    for (int i : m_originales)
        rects.append(ElementosHoja::Rectangulo(m_doc.Cuadros()[i]));
    const QRectF papel(0, 0, m_doc.Trabajo().HAncho, m_doc.Trabajo().HAlto);
    QList<Copia> copias;
    for (int fila = 0; fila < r->filas; ++fila)
        for (int columna = 0; columna < r->columnas; ++columna) {
            if (fila == 0 && columna == 0)
                continue;
            const QPoint d = desvio(*r, columna, fila);
            for (const QRectF& o : rects) {
                const QRectF rect = o.translated(d);
                copias.append({rect, !papel.contains(rect)});
            }
        }
    return copias;
}

QString RepetirCuadros::resumen() const {
    QString error;
    const auto r = rejilla(nullptr, &error);
    if (!r)
        return error;
    const QLocale& idioma = m_pref.idioma();
    const qint64 n = nuevos(*r);
    if (n == 0)
        return QStringLiteral("Con una copia a lo ancho y una a lo alto no se hace ningún cuadro.");
    const qint64 caben = Documento::kMaxCuadros - m_doc.cuadrosVivos();
    if (n > caben)
        return QStringLiteral("No caben: serían %1 y en el trabajo sólo caben %2 más (32.767 como "
                              "mucho).")
            .arg(Cuadros(n, idioma), FormatoMiles(caben, idioma));
    const QList<Copia> c = copias();
    const auto fuera = std::count_if(c.begin(), c.end(), [](const Copia& x) { return x.fuera; });
    if (fuera > 0 && n == 1)
        return QStringLiteral("El cuadro nuevo quedaría fuera de la hoja.");
    if (fuera == n)
        return QStringLiteral("Los %1 quedarían fuera de la hoja.").arg(Cuadros(n, idioma));
    if (fuera > 0)
        return QStringLiteral("%1 de los %2 %3 fuera de la hoja.")
            .arg(FormatoMiles(qint64{fuera}, idioma), Cuadros(n, idioma),
                 fuera == 1 ? QStringLiteral("quedaría") : QStringLiteral("quedarían"));
    return QStringLiteral("Se harán %1.").arg(Cuadros(n, idioma));
}

int RepetirCuadros::Aceptar() {
    const auto aviso = [&](int campo, const QString& texto) {
        m_mensajes.mostrar(texto, kTitulo, Icono::Exclamacion, Botones::Aceptar);
        return campo;
    };
    int campo = 4;
    QString error;
    const auto r = rejilla(&campo, &error);
    if (!r)
        return aviso(campo, error);
    const qint64 n = nuevos(*r);
    if (n == 0 || n > Documento::kMaxCuadros - m_doc.cuadrosVivos())
        return aviso(0, resumen());
    const QList<Copia> c = copias();
    if (std::any_of(c.begin(), c.end(), [](const Copia& x) { return x.fuera; }))
        return aviso(4, resumen() + QStringLiteral("\rNo se ha hecho ninguna copia: reduzca las "
                                                   "copias o el paso."));

    const Cuadro defectos = m_pref.defectosCuadro();
    m_seleccion.QuitarSeleccion();
    QList<int> grupo = m_originales;
    {
        Documento::Paso paso(m_doc, QStringLiteral("repetir %n"));
        Documento::Lote lote(m_doc); // drawn once, before the selection is shown
        for (int fila = 0; fila < r->filas; ++fila)
            for (int columna = 0; columna < r->columnas; ++columna) {
                if (fila == 0 && columna == 0)
                    continue;
                const QPoint d = desvio(*r, columna, fila);
                for (int o : m_originales) {
                    Cuadro copia = m_doc.Cuadros()[o];
                    copia.PosX = TwipsEnteros(double(copia.PosX) + d.x());
                    copia.PosY = TwipsEnteros(double(copia.PosY) + d.y());
                    const int i = m_doc.agregarCuadro(defectos, {copia.PosX, copia.PosY});
                    if (i < 0)
                        break;
                    // The slot's own on-screen colour, as a pasted box takes it.
                    copia.ColorFondo = m_doc.Cuadros()[i].ColorFondo;
                    copia.Seleccionado = false;
                    copia.EnUso = true;
                    m_doc.cambiarCuadro(i, [&](Cuadro& nuevo) { nuevo = copia; });
                    grupo.append(i);
                }
            }
    }
    for (int i : grupo)
        m_doc.marcarSeleccionado(i, true);
    m_doc.fijarCuadroActual(grupo.first());
    m_seleccion.ArmarSeleccion();
    m_seleccion.HabilitarHerramientasGrupo();
    return -1;
}
