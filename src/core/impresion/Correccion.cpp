#include "Correccion.h"

#include "core/fallas/Fallas.h"
#include "core/impresion/GeometriaImpresora.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/Impresora.h"
#include "core/trabajo/Valores.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace {
double Numero(const Ajustes& a, const QString& seccion, const QString& clave) {
    const auto t = a.leer(Aplicacion::Titulo, seccion, clave);
    const double v = t ? LeerNumero(*t).value_or(0) : 0;
    if (std::fabs(v) > kMaxCorreccion)
        throw Falla{CodigoFalla::Desbordamiento,
                    QStringLiteral("Los ajustes están dañados: la corrección %1 = %2 de la "
                                   "impresora %3 pasa de 5 cm. Vuelva a medirla con «Ajustar "
                                   "impresión».")
                        .arg(clave, t->left(40), seccion)};
    return v;
}
} // namespace

QPointF LeerCorreccion(const Ajustes& a, const QString& impresora, int orientacion) {
    const bool vertical = orientacion == 1;
    const double x = Numero(a, impresora, vertical ? QStringLiteral("Xx") : QStringLiteral("Xy"));
    const float y = static_cast<float>(
        Numero(a, impresora, vertical ? QStringLiteral("Yx") : QStringLiteral("Yy")));
    return {x, y};
}

QString GenerarIniPrinter(Ajustes& a, const QString& impresora, int orientacion, double x, float y,
                          const QLocale& idioma) {
    const bool vertical = orientacion == 1;
    QString error;
    if (!a.escribir(Aplicacion::Titulo, impresora,
                    vertical ? QStringLiteral("Xx") : QStringLiteral("Xy"),
                    FormatoGeneral(x, idioma)))
        error = a.errorEscritura();
    if (!a.escribir(Aplicacion::Titulo, impresora,
                    vertical ? QStringLiteral("Yx") : QStringLiteral("Yy"),
                    FormatoGeneral(y, idioma)) &&
        error.isEmpty())
        error = a.errorEscritura();
    return error;
}

QString RutaAjusteAntiguo(const QStringList& carpetas, const QString& impresora) {
    if (impresora.isEmpty() || impresora.contains(u'/') || impresora.contains(u'\\'))
        return {};
    for (const QString& c : carpetas) {
        const QString ruta = QDir(c).filePath(impresora + QStringLiteral(".ini"));
        if (QFileInfo(ruta).isFile())
            return ruta;
    }
    return {};
}

bool MigrarAjusteAntiguo(Ajustes& a, const QString& impresora, const QStringList& carpetas,
                         PoliticaFallas& politica, const QLocale& idioma, bool sinMarcaEsCero) {
    const QString ruta = RutaAjusteAntiguo(carpetas, impresora);
    if (ruta.isEmpty())
        return false;
    QList<QByteArray> lineas;
    const auto leido = politica.ejecutar([&] {
        QFile f(ruta);
        if (!f.open(QIODevice::ReadOnly))
            throw Falla{CodigoFalla::ModoDeAccesoNoValido,
                        QStringLiteral("No se puede abrir %1").arg(ruta)};
        for (int i = 0; i < 3 && !f.atEnd(); ++i)
            lineas.append(f.readLine(4096).trimmed());
    });
    if (leido != PoliticaFallas::Resultado::Hecho)
        return false;
    const bool marca = !lineas.isEmpty() && QString::fromLatin1(lineas[0]) == kMarcaAjuste;
    if (!marca && !sinMarcaEsCero)
        return false;
    const auto valor = [&](int i) {
        return marca && lineas.size() > i ? LeerNumero(QString::fromLatin1(lineas[i])).value_or(0)
                                          : 0.0;
    };
    const double x = valor(1);
    const float y = static_cast<float>(valor(2));
    // A file that cannot be deleted would be taken over again at every run,
    // undoing later adjustments: then it only fills a correction never stored.
    if (a.leer(Aplicacion::Titulo, impresora, QStringLiteral("Xx"))) {
        if (!QFile::remove(ruta))
            return false;
        GenerarIniPrinter(a, impresora, 1, x, y, idioma);
        return true;
    }
    // The old file goes only once its values are kept: a settings file that
    // cannot be written leaves it to be taken over at the next start.
    if (GenerarIniPrinter(a, impresora, 1, x, y, idioma).isEmpty())
        QFile::remove(ruta);
    return true;
}

namespace {
// Writes "Debería medir ... --> <medida>" from (x, y) in as many lines as
// the room up to `derecha` (the printable area's right edge) needs: a caption
// never runs off the paper, and the measure is never split.
void EscribirDentro(Impresora& imp, const QString& medida, double x, double y, double derecha) {
    QStringList palabras =
        QStringLiteral("Debería medir desde el borde de la página -->").split(u' ');
    palabras.append(medida);
    QStringList lineas;
    QString linea;
    for (const QString& palabra : palabras) {
        const QString mas = linea.isEmpty() ? palabra : linea + u' ' + palabra;
        if (!linea.isEmpty() && x + imp.anchoTexto(mas) > derecha) {
            lineas.append(linea);
            linea = palabra;
        } else {
            linea = mas;
        }
    }
    if (!linea.isEmpty())
        lineas.append(linea);
    const double alto = imp.altoCelda();
    for (int i = 0; i < lineas.size(); ++i) {
        // A word wider than the room left ends at the edge instead.
        imp.fijarPosicion(std::max(0.0, std::min(x, derecha - imp.anchoTexto(lineas[i]))),
                          y + i * alto);
        imp.imprimirTexto(lineas[i]);
    }
}
} // namespace

void ImprimirPrueba(Impresora& imp) {
    const double l = TwipsDeCm(MargenIzquierdo(imp));
    const double t = TwipsDeCm(MargenSuperior(imp));
    const double w = imp.anchoPagina();
    const double h = imp.altoPagina();
    const double xMarca = TwipsDeCm(10) - l;
    const double yMarca = TwipsDeCm(10) - t;
    const double w2 = w / 2;
    const double h2 = h / 2;
    if (imp.documentoAbierto())
        imp.terminarDocumento();
    FuenteImpresion f;
    f.nombre = QStringLiteral("Arial");
    f.puntos = 11;
    imp.fijarFuente(f);
    imp.imprimirLineaVacia();
    imp.fijarColor(0);
    imp.dibujarLinea(w2, 0, w2, yMarca);
    imp.dibujarLinea(w2 - 100, yMarca, w2 + 100, yMarca);
    imp.dibujarLinea(0, h2, xMarca, h2);
    imp.dibujarLinea(xMarca, h2 - 100, xMarca, h2 + 100);
    // Positions start at the printable area's corner: its right edge is its width.
    const GeometriaDispositivo g = imp.geometria();
    const double derecha = TwipsDeDispositivo(g.anchoImprimible, g.puntosPorPulgadaX);
    EscribirDentro(imp, QStringLiteral("Y = 10 Cm"), w2 + 100, yMarca / 2, derecha);
    EscribirDentro(imp, QStringLiteral("X = 10 Cm"), xMarca / 2, h2 + 100, derecha);
    imp.terminarDocumento();
}
