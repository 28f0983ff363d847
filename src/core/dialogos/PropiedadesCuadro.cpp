#include "PropiedadesCuadro.h"

#include "core/programa/Principal.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Limites.h"
#include "core/trabajo/Valores.h"

#include <cmath>

namespace {
const int kRotaciones[] = {0, 90, 180, 270};

// A number as the operator types it: its shortest form, no digit grouping.
QString Plano(double v, const QLocale& idioma) {
    return FormatoGeneral(v, idioma, true);
}
} // namespace

PropiedadesCuadro::PropiedadesCuadro(Principal& principal) : m_p(principal) {}

std::optional<QString> PropiedadesCuadro::copias(bool ceroSiNoEsNumero) const {
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
    return Plano(std::floor(std::fabs(*fin - *inicio) / *salto + 1), m_p.idioma);
}

bool PropiedadesCuadro::Abrir(int i) {
    Estado& e = m_p.estado;
    e.DialogoCancelado = false;
    m_cuadro = i;
    m_grupo = e.ModoGrupo && e.Seleccion.size() > 1;
    const QLocale& idioma = m_p.idioma;
    if (!m_grupo) {
        const Cuadro& c = e.Cuadros[i];
        campo[0] = Plano(c.Inicio, idioma);
        campo[1] = Plano(c.Fin, idioma);
        campo[2] = QString::number(c.Salto);
        campo[3] = c.TextoIzq;
        campo[4] = c.TextoDer;
        campo[5] = QString::number(c.Cifras == 0 ? 5 : c.Cifras);
        campo[7] = copias(false).value_or(QString());
        posX = m_posXMostrada = FormatoFijo(c.PosX / 567.0, idioma, 2);
        posY = m_posYMostrada = FormatoFijo(c.PosY / 567.0, idioma, 2);
        const int* r = std::find(std::begin(kRotaciones), std::end(kRotaciones), c.Rotacion);
        rotacion = r == std::end(kRotaciones) ? 0 : static_cast<int>(r - kRotaciones);
        titulo = QStringLiteral("Propiedades Cuadro Nº%1").arg(i + 1);
        fuente = {c.FontName,   c.FontSize,      c.FontBold,
                  c.FontItalic, c.FontUnderline, c.FontStrikethru};
        color = c.Color;
        return true;
    }
    const int n = static_cast<int>(e.Seleccion.size());
    const QString aviso =
        QStringLiteral("Se borrarán todas las propiedades seleccionadas anteriormente \r"
                       "y quedarán las que Ud. elija, para todos los cuadros en la selección\r"
                       "exepto las numeraciones, a menos que decida programar serie.\r\r") +
        QString(31, u' ') + QStringLiteral("¿Desea Continuar?") + QString(27, u' ');
    if (m_p.mensajes().mostrar(aviso, QStringLiteral("Atención-Programar Grupo"),
                               Icono::Exclamacion,
                               Botones::AceptarCancelar) != Respuesta::Aceptar) {
        e.DialogoCancelado = false; // the caller sees no change
        return false;
    }
    m_serie =
        m_p.mensajes().mostrar(
            QStringLiteral("¿Desea programar los cuadros como una serie de números?"),
            QStringLiteral("Programar Grupo"), Icono::Pregunta, Botones::SiNo) == Respuesta::Si;
    if (m_serie) {
        campo[0] = QStringLiteral("1");
        campo[1] = QStringLiteral("1");
        campo[2] = QString::number(n);
        saltoSoloLectura = true;
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
    const Ajustes& a = m_p.ajustes();
    const qint64 rot = a.entero(Aplicacion::Producto, QStringLiteral("Rotacion"), 0);
    const int* r = std::find(std::begin(kRotaciones), std::end(kRotaciones), rot);
    rotacion = r == std::end(kRotaciones) ? 0 : static_cast<int>(r - kRotaciones);
    campo[5] = a.texto(Aplicacion::Producto, QStringLiteral("Cifras"), QStringLiteral("7"));
    fuente.nombre =
        a.texto(Aplicacion::Producto, QStringLiteral("FontName"), QStringLiteral("Tahoma"));
    fuente.tachado = a.booleano(Aplicacion::Producto, QStringLiteral("FontStrikeThru"), false);
    fuente.subrayado = a.booleano(Aplicacion::Producto, QStringLiteral("FontUnderline"), false);
    fuente.negrita = a.booleano(Aplicacion::Producto, QStringLiteral("FontBold"), false);
    fuente.cursiva = a.booleano(Aplicacion::Producto, QStringLiteral("FontItalic"), false);
    fuente.puntos = a.real(Aplicacion::Producto, QStringLiteral("FontSize"), 10);
    color = static_cast<qint32>(a.entero(Aplicacion::Producto, QStringLiteral("FontColor"), 0));
    return true;
}

bool PropiedadesCuadro::CambioNumeracion() {
    if (m_grupo && !m_serie)
        return true;
    const auto salto = LeerNumero(campo[2]);
    if (LeerNumero(campo[0]) && LeerNumero(campo[1]) && salto && *salto == 0) {
        m_p.mensajes().mostrar(QStringLiteral("El valor de este campo no puede ser cero"),
                               QStringLiteral("Error"), Icono::Exclamacion, Botones::Aceptar);
        return false;
    }
    if (const auto c = copias(false))
        campo[7] = *c;
    return true;
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
        texto = FormatoFijo(0, m_p.idioma, 2);
        return true;
    }
    texto = FormatoFijo(*v, m_p.idioma, 1);
    const ::Trabajo& h = m_p.estado.Trabajo;
    const double limite = (horizontal ? h.HAncho : h.HAlto) / 567.0;
    if (*v > limite + 1e-9) {
        m_p.mensajes().mostrar(horizontal
                                   ? QStringLiteral("Este valor debe ser igual o menor al ancho "
                                                    "de la hoja")
                                   : QStringLiteral("Este valor debe ser igual o menor al alto de "
                                                    "la hoja"),
                               QStringLiteral("Error"), Icono::Informacion, Botones::Aceptar);
        return false;
    }
    return true;
}

void PropiedadesCuadro::escribirFuente(Cuadro& c, const FuenteImpresion& f, qint32 colorElegido) {
    c.FontName = f.nombre;
    c.FontBold = f.negrita;
    c.FontItalic = f.cursiva;
    c.FontSize = static_cast<float>(f.puntos);
    c.FontStrikethru = f.tachado;
    c.FontUnderline = f.subrayado;
    c.Color = colorElegido;
}

void PropiedadesCuadro::FijarFuente(const FuenteImpresion& f, qint32 colorElegido) {
    fuente = f;
    color = colorElegido;
    Estado& e = m_p.estado;
    if (m_grupo)
        for (qint16 s : e.Seleccion)
            escribirFuente(e.Cuadros[s], f, colorElegido);
    else
        escribirFuente(e.Cuadros[m_cuadro], f, colorElegido);
}

void PropiedadesCuadro::FijarColor(qint32 colorElegido) {
    color = colorElegido;
    Estado& e = m_p.estado;
    if (m_grupo)
        for (qint16 s : e.Seleccion)
            e.Cuadros[s].Color = colorElegido;
    else
        e.Cuadros[m_cuadro].Color = colorElegido;
}

void PropiedadesCuadro::escribirComun(Cuadro& c) {
    c.TextoIzq = campo[3];
    c.TextoDer = campo[4];
    c.Cifras = static_cast<qint16>(RedondearPar(LeerNumero(campo[5]).value_or(0)));
    c.Rotacion = static_cast<qint16>(kRotaciones[std::clamp(rotacion, 0, 3)]);
    c.FontBold = fuente.negrita;
    c.FontItalic = fuente.cursiva;
    c.FontSize = static_cast<float>(fuente.puntos);
    c.FontStrikethru = fuente.tachado;
    c.FontUnderline = fuente.subrayado;
    c.Color = color;
}

int PropiedadesCuadro::Aceptar() {
    Estado& e = m_p.estado;
    const auto error = [&](int k, const QString& texto) {
        m_p.mensajes().mostrar(texto, QStringLiteral("Error"), Icono::Exclamacion,
                               Botones::Aceptar);
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
        // A series over the group numbers its last box past the first number.
        const double ultimo = *LeerNumero(campo[0]) + (m_serie ? e.Seleccion.size() - 1 : 0);
        if (std::fabs(ultimo) > kMaxNumeroSerie)
            return error(0, noValido);
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
            if (!v || std::fabs(*v * 567) > 2147483647.0)
                return error(8 + k, noValido);
        }
        // Shown to a hundredth of a centimetre: a field left as it was keeps
        // the box exactly where it stands.
        Cuadro& c = e.Cuadros[m_cuadro];
        if (LeerNumero(posY) != LeerNumero(m_posYMostrada))
            c.PosY = static_cast<qint32>(RedondearPar(*LeerNumero(posY) * 567));
        if (LeerNumero(posX) != LeerNumero(m_posXMostrada))
            c.PosX = static_cast<qint32>(RedondearPar(*LeerNumero(posX) * 567));
    }
    if (m_grupo) {
        const int n = static_cast<int>(e.Seleccion.size());
        for (int k = 0; k < n; ++k) {
            Cuadro& c = e.Cuadros[e.Seleccion[k]];
            if (m_serie) {
                c.Inicio = *LeerNumero(campo[0]) + k;
                c.Fin = *LeerNumero(campo[1]);
                c.Salto = static_cast<qint16>(n);
            }
            escribirComun(c);
        }
    } else {
        Cuadro& c = e.Cuadros[m_cuadro];
        c.Inicio = *LeerNumero(campo[0]);
        c.Fin = *LeerNumero(campo[1]);
        c.Salto = static_cast<qint16>(RedondearPar(*LeerNumero(campo[2])));
        escribirComun(c);
    }
    e.DialogoCancelado = false;
    return -1;
}
