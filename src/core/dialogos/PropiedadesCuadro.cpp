#include "PropiedadesCuadro.h"

#include "core/editor/ElementosHoja.h"
#include "core/impresion/GeometriaImpresora.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/Limites.h"
#include "core/trabajo/Preferencias.h"
#include "core/trabajo/Unidades.h"
#include "core/trabajo/Valores.h"

#include <cmath>

namespace {
const int kRotaciones[] = {0, 90, 180, 270};

// A number as the operator types it: its shortest form, no digit grouping.
QString Plano(double v, const QLocale& idioma) {
    return FormatoGeneral(v, idioma, true);
}
} // namespace

PropiedadesCuadro::PropiedadesCuadro(Documento& documento, Preferencias& preferencias,
                                     Mensajes& mensajes)
    : m_doc(documento), m_pref(preferencias), m_mensajes(mensajes) {}

QList<int> PropiedadesCuadro::cuadros() const {
    if (!m_grupo)
        return {m_cuadro};
    return QList<int>(m_doc.Seleccion().begin(), m_doc.Seleccion().end());
}

QList<int> PropiedadesCuadro::ordenDeLectura() const {
    QList<std::pair<int, QRectF>> cuadros;
    for (int i : this->cuadros())
        if (m_doc.existe(i))
            cuadros.append({i, ElementosHoja::Rectangulo(m_doc.Cuadros()[i])});
    return OrdenDeLectura(cuadros);
}

std::optional<SerieGrupo> PropiedadesCuadro::serieGrupo(bool ceroSiNoEsNumero) const {
    const auto leer = [&](int k) -> std::optional<double> {
        const auto v = LeerNumero(campo[k]);
        if (!v && ceroSiNoEsNumero)
            return 0.0;
        return v;
    };
    const auto inicio = leer(0), fin = leer(1), salto = leer(2);
    if (!inicio || !fin || !salto)
        return std::nullopt;
    return SerieGrupo{*inicio, *fin, static_cast<qint64>(RedondearPar(*salto))};
}

std::optional<QString> PropiedadesCuadro::copias(bool ceroSiNoEsNumero) const {
    if (m_serie) {
        const auto s = serieGrupo(ceroSiNoEsNumero);
        if (!s || s->salto < 1 || std::fabs(s->fin - s->inicio) > 2 * kMaxNumeroSerie)
            return std::nullopt;
        return Plano(HojasGrupo(*s, m_doc.Seleccion().size(), orden), m_pref.idioma());
    }
    const auto leer = [&](int k) -> std::optional<double> {
        const auto v = LeerNumero(campo[k]);
        if (!v && ceroSiNoEsNumero)
            return 0.0;
        return v;
    };
    const auto inicio = leer(0), fin = leer(1), salto = leer(2);
    if (!inicio || !fin || !salto || *salto == 0)
        return std::nullopt;
    // The same count the run uses, whichever way the series goes.
    return Plano(std::floor(std::fabs(*fin - *inicio) / *salto + 1), m_pref.idioma());
}

bool PropiedadesCuadro::Abrir(int i) {
    m_paso.reset();
    m_cuadro = i;
    m_serie = false;
    m_grupo = m_doc.ModoGrupo() && m_doc.Seleccion().size() > 1;
    const QLocale& idioma = m_pref.idioma();
    if (!m_grupo) {
        m_paso.emplace(m_doc, QStringLiteral("propiedades de %n"));
        const Cuadro& c = m_doc.Cuadros()[i];
        campo[0] = Plano(c.Inicio, idioma);
        campo[1] = Plano(c.Fin, idioma);
        campo[2] = QString::number(c.Salto);
        campo[3] = c.TextoIzq;
        campo[4] = c.TextoDer;
        campo[5] = QString::number(c.Cifras == 0 ? 5 : c.Cifras);
        campo[7] = copias(false).value_or(QString());
        posX = m_posXMostrada = FormatoFijo(c.PosX / double(kTwipsPorCm), idioma, 2);
        posY = m_posYMostrada = FormatoFijo(c.PosY / double(kTwipsPorCm), idioma, 2);
        const int* r = std::find(std::begin(kRotaciones), std::end(kRotaciones), c.Rotacion);
        rotacion = r == std::end(kRotaciones) ? 0 : static_cast<int>(r - kRotaciones);
        titulo = QStringLiteral("Propiedades Cuadro Nº%1").arg(i + 1);
        fuente = FuenteDeCuadro(c);
        color = c.Color;
        return true;
    }
    const int n = static_cast<int>(m_doc.Seleccion().size());
    const QString aviso =
        QStringLiteral("Se borrarán todas las propiedades seleccionadas anteriormente \r"
                       "y quedarán las que Ud. elija, para todos los cuadros en la selección\r"
                       "exepto las numeraciones, a menos que decida programar serie.\r\r") +
        QString(31, u' ') + QStringLiteral("¿Desea Continuar?") + QString(27, u' ');
    if (m_mensajes.mostrar(aviso, QStringLiteral("Atención-Programar Grupo"), Icono::Exclamacion,
                           Botones::AceptarCancelar) != Respuesta::Aceptar)
        return false;
    m_serie =
        m_mensajes.mostrar(
            QStringLiteral("¿Desea programar los cuadros como una serie de números?"),
            QStringLiteral("Programar Grupo"), Icono::Pregunta, Botones::SiNo) == Respuesta::Si;
    m_paso.emplace(m_doc, QStringLiteral("programar grupo de %n"));
    if (m_serie) {
        campo[0] = QStringLiteral("1");
        campo[1] = QStringLiteral("1");
        campo[2] = QStringLiteral("1");
        orden = OrdenGrupo::Consecutivos;
        campo[3].clear();
        campo[4].clear();
        campo[7] = QStringLiteral("1");
    } else {
        for (int k : {0, 1, 2, 7}) {
            habilitado[k] = false;
            campo[k].clear();
        }
    }
    posX = posY = FormatoFijo(0, idioma, 2);
    posicionHabilitada = false;
    titulo = QStringLiteral("Propiedades de Grupo %1 Cuadros").arg(n);
    const Preferencias::DefectosGrupo g = m_pref.defectosGrupo();
    const int* r = std::find(std::begin(kRotaciones), std::end(kRotaciones), g.rotacion);
    rotacion = r == std::end(kRotaciones) ? 0 : static_cast<int>(r - kRotaciones);
    campo[5] = g.cifras;
    fuente = g.fuente;
    color = g.color;
    return true;
}

bool PropiedadesCuadro::CambioNumeracion() {
    if (m_grupo && !m_serie)
        return true;
    const auto salto = LeerNumero(campo[2]);
    if (LeerNumero(campo[0]) && LeerNumero(campo[1]) && salto && *salto == 0) {
        m_mensajes.mostrar(QStringLiteral("El valor de este campo no puede ser cero"),
                           QStringLiteral("Error"), Icono::Exclamacion, Botones::Aceptar);
        return false;
    }
    if (const auto c = copias(false))
        campo[7] = *c;
    return true;
}

QString PropiedadesCuadro::sentido() const {
    if (m_grupo && !m_serie)
        return {};
    const auto inicio = LeerNumero(campo[0]), fin = LeerNumero(campo[1]);
    return inicio && fin && *inicio > *fin ? QStringLiteral("(descendente)") : QString();
}

void PropiedadesCuadro::CambioOrden() {
    if (const auto c = copias(false))
        campo[7] = *c;
}

void PropiedadesCuadro::SalidaNumeracion() {
    if (m_grupo && !m_serie)
        return;
    if (const auto c = copias(true))
        campo[7] = *c;
}

bool PropiedadesCuadro::SalidaPosicion(bool horizontal) {
    QString& texto = horizontal ? posX : posY;
    const auto v = LeerNumero(texto);
    if (!v) {
        texto = FormatoFijo(0, m_pref.idioma(), 2);
        return true;
    }
    texto = FormatoFijo(*v, m_pref.idioma(), 1);
    const ::Trabajo& h = m_doc.Trabajo();
    const double limite = (horizontal ? h.HAncho : h.HAlto) / double(kTwipsPorCm);
    if (*v > limite + 1e-9) {
        m_mensajes.mostrar(horizontal ? QStringLiteral("Este valor debe ser igual o menor al ancho "
                                                       "de la hoja")
                                      : QStringLiteral("Este valor debe ser igual o menor al alto "
                                                       "de la hoja"),
                           QStringLiteral("Error"), Icono::Informacion, Botones::Aceptar);
        return false;
    }
    return true;
}

void PropiedadesCuadro::FijarFuente(const FuenteImpresion& f, qint32 colorElegido) {
    fuente = f;
    color = colorElegido;
    m_doc.cambiarCuadros(cuadros(), [&](Cuadro& c) {
        EscribirFuente(c, f);
        c.Color = colorElegido;
    });
}

void PropiedadesCuadro::FijarColor(qint32 colorElegido) {
    color = colorElegido;
    m_doc.cambiarCuadros(cuadros(), [&](Cuadro& c) { c.Color = colorElegido; });
}

void PropiedadesCuadro::escribirComun(Cuadro& c) {
    c.TextoIzq = campo[3];
    c.TextoDer = campo[4];
    c.Cifras = static_cast<qint16>(RedondearPar(LeerNumero(campo[5]).value_or(0)));
    c.Rotacion = static_cast<qint16>(kRotaciones[std::clamp(rotacion, 0, 3)]);
    // Not the face: the font chooser wrote it at once.
    c.FontBold = fuente.negrita;
    c.FontItalic = fuente.cursiva;
    c.FontSize = static_cast<float>(fuente.puntos);
    c.FontStrikethru = fuente.tachado;
    c.FontUnderline = fuente.subrayado;
    c.Color = color;
}

int PropiedadesCuadro::CampoErroneo() {
    const auto error = [&](int k, const QString& texto) {
        m_mensajes.mostrar(texto, QStringLiteral("Error"), Icono::Exclamacion, Botones::Aceptar);
        return k;
    };
    const QString noValido = QStringLiteral("El valor de este campo no es válido");
    // A stored value the run could not use is refused here, with the field to mend.
    const bool numeracion = !m_grupo || m_serie;
    if (numeracion) {
        for (int k : {0, 1}) {
            const auto v = LeerNumero(campo[k]);
            if (!v || std::fabs(*v) > kMaxNumeroSerie)
                return error(k, noValido);
        }
        const auto salto = LeerNumero(campo[2]);
        if (!salto || std::fabs(RedondearPar(*salto)) > 32767)
            return error(2, noValido);
        if (RedondearPar(*salto) == 0)
            return error(2, QStringLiteral("El valor de este campo no puede ser cero"));
        if (m_serie)
            if (const int k = SerieGrupoErronea(); k >= 0)
                return k;
    }
    for (int k : {3, 4})
        if (campo[k].size() > kMaxLinea)
            return error(k, QStringLiteral("Este texto es demasiado largo: el archivo del trabajo "
                                           "guarda hasta 65.536 caracteres"));
    const auto cifras = LeerNumero(campo[5]);
    if (!cifras || std::fabs(RedondearPar(*cifras)) > 32767)
        return error(5, noValido);
    if (posicionHabilitada) {
        for (int k : {0, 1}) {
            const auto v = LeerNumero(k == 0 ? posX : posY);
            if (!v || std::fabs(*v * kTwipsPorCm) > 2147483647.0)
                return error(8 + k, noValido);
        }
    }
    return -1;
}

int PropiedadesCuadro::SerieGrupoErronea() {
    const auto error = [&](int k, const QString& texto) {
        m_mensajes.mostrar(texto, QStringLiteral("Error"), Icono::Exclamacion, Botones::Aceptar);
        return k;
    };
    const QLocale& idioma = m_pref.idioma();
    const SerieGrupo s = *serieGrupo(false);
    const qint64 n = m_doc.Seleccion().size();
    if (s.salto < 1)
        return error(2, QStringLiteral("El salto de la serie debe ser mayor que cero"));
    if (orden == OrdenGrupo::Consecutivos && n * s.salto > 32767)
        return error(2, QStringLiteral("En orden consecutivo cada cuadro salta %1 (%2 cuadros por "
                                       "%3), y el salto de un cuadro no puede pasar de 32.767")
                            .arg(FormatoMiles(n * s.salto, idioma), FormatoMiles(n, idioma),
                                 FormatoMiles(s.salto, idioma)));
    // Every box's first number is one the job file can hold.
    for (qint64 k = 0; k < n; ++k)
        if (std::fabs(SerieDeCuadro(s, n, orden, k).inicio) > kMaxNumeroSerie)
            return error(0, QStringLiteral("El valor de este campo no es válido"));
    const qint64 sin = CuadroSinNumero(s, n, orden);
    if (sin < 0)
        return -1;
    // Such a box would start past the end and count the other way.
    const qint64 numeros = NumerosSerie(s);
    const QString cuantos = numeros == 1
                                ? QStringLiteral("1 número")
                                : QStringLiteral("%1 números").arg(FormatoMiles(numeros, idioma));
    const QString cuadro = QString::number(ordenDeLectura().value(sin, -1) + 1);
    const QString causa =
        orden == OrdenGrupo::CortarYApilar
            ? QStringLiteral("Para cortar y apilar, %1 en %2 cuadros forman pilas de %3: al "
                             "cuadro Nº %4 no le queda ningún número.")
                  .arg(cuantos, FormatoMiles(n, idioma),
                       FormatoMiles(HojasGrupo(s, n, OrdenGrupo::CortarYApilar), idioma), cuadro)
            : QStringLiteral("%1 para %2 cuadros: al cuadro Nº %3 no le queda ningún número.")
                  .arg(numeros == 1 ? QStringLiteral("Un número no alcanza")
                                    : cuantos + QStringLiteral(" no alcanzan"),
                       FormatoMiles(n, idioma), cuadro);
    return error(1, causa + QStringLiteral("\rAumente el Nº de fin, cambie el salto o quite "
                                           "cuadros del grupo."));
}

int PropiedadesCuadro::Aceptar() {
    if (const int k = CampoErroneo(); k >= 0)
        return k;
    Documento::Lote lote(m_doc); // one change for the editor, however many boxes
    if (posicionHabilitada) {
        // Shown to a hundredth of a centimetre: a field left as it was keeps
        // the box exactly where it stands.
        m_doc.cambiarCuadro(m_cuadro, [&](Cuadro& c) {
            if (LeerNumero(posY) != LeerNumero(m_posYMostrada))
                c.PosY = TwipsEnteros(TwipsDeCm(*LeerNumero(posY)));
            if (LeerNumero(posX) != LeerNumero(m_posXMostrada))
                c.PosX = TwipsEnteros(TwipsDeCm(*LeerNumero(posX)));
        });
    }
    if (m_grupo) {
        // A series is shared out over the group in reading order.
        const QList<int> grupo = m_serie ? ordenDeLectura() : cuadros();
        const std::optional<SerieGrupo> serie = m_serie ? serieGrupo(false) : std::nullopt;
        const qint64 n = m_doc.Seleccion().size();
        for (qint64 k = 0; k < grupo.size(); ++k)
            m_doc.cambiarCuadro(grupo[k], [&](Cuadro& c) {
                if (serie) {
                    const SerieCuadro sc = SerieDeCuadro(*serie, n, orden, k);
                    c.Inicio = sc.inicio;
                    c.Fin = sc.fin;
                    c.Salto = static_cast<qint16>(sc.salto);
                }
                escribirComun(c);
            });
    } else {
        m_doc.cambiarCuadro(m_cuadro, [&](Cuadro& c) {
            c.Inicio = *LeerNumero(campo[0]);
            c.Fin = *LeerNumero(campo[1]);
            c.Salto = static_cast<qint16>(RedondearPar(*LeerNumero(campo[2])));
            escribirComun(c);
        });
    }
    return -1;
}
