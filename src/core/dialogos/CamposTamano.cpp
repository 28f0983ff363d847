#include "CamposTamano.h"

#include "core/puertos/Mensajes.h"
#include "core/trabajo/Limites.h"
#include "core/trabajo/TablaPapeles.h"
#include "core/trabajo/Unidades.h"
#include "core/trabajo/Valores.h"

namespace {
const QString kNoNumerico = QStringLiteral("Este valor debe ser numérico");

double Twips(double cm) {
    return RedondearPar(cm * kTwipsPorCm);
}

bool LadoValido(double cm) {
    const double t = Twips(cm);
    return t >= kMinLadoHoja && t <= kMaxLadoHoja;
}
} // namespace

CamposTamano::CamposTamano(const QLocale& idioma) : m_idioma(idioma) {}

QString CamposTamano::ErrorLado() const {
    return QStringLiteral("El tamaño de la hoja debe ser mayor que 0 y no mayor que %1 Cmts")
        .arg(FormatoGeneral(static_cast<double>(kMaxLadoHoja) / kTwipsPorCm, m_idioma));
}

QString CamposTamano::Formato(double cm) const {
    return FormatoFijo(cm, m_idioma, 2);
}

QStringList CamposTamano::entradas() const {
    QStringList e;
    for (const Papel& p : TablaPapeles()) {
        const auto f = [&](double v) { return FormatoFijo(v, m_idioma, 1); };
        e.append(QStringLiteral("%1 (%2 x %3 Cmts) ").arg(p.nombre, f(p.ancho), f(p.alto)));
    }
    e.append(kPapelPersonal);
    return e;
}

void CamposTamano::Seleccionar(int i) {
    indice = i;
    if (i >= 0 && i < kPersonal) {
        ancho = Formato(TablaPapeles()[i].ancho);
        alto = Formato(TablaPapeles()[i].alto);
    } else {
        tamanoEditado = false;
    }
}

void CamposTamano::FijarTamano(double anchoCm, double altoCm) {
    ancho = Formato(anchoCm);
    alto = Formato(altoCm);
    indice = kPersonal;
}

QString CamposTamano::nombre() const {
    return indice >= 0 && indice < kPersonal ? TablaPapeles()[indice].nombre : kPapelPersonal;
}

void CamposTamano::EntrarCampo() {
    indiceAnterior = indice;
    Seleccionar(kPersonal);
}

void CamposTamano::TextoCambiado() {
    if (indice == kPersonal)
        tamanoEditado = true;
}

bool CamposTamano::SalirCampo(bool esAncho, Mensajes& mensajes) {
    QString& texto = esAncho ? ancho : alto;
    const auto v = LeerNumero(texto);
    if (!v || !LadoValido(*v)) {
        mensajes.mostrar(v ? ErrorLado() : kNoNumerico, QStringLiteral("Error"), Icono::Exclamacion,
                         Botones::Aceptar);
        return false;
    }
    texto = Formato(*v);
    if (tamanoEditado)
        return true;
    if (indiceAnterior == kPersonal) {
        const auto a = LeerNumero(ancho), h = LeerNumero(alto);
        for (int i = 0; i < kPersonal && a && h; ++i) {
            // Compared as shown: to the hundredth of a centimetre.
            if (Formato(TablaPapeles()[i].ancho) == Formato(*a) &&
                Formato(TablaPapeles()[i].alto) == Formato(*h)) {
                indiceAnterior = i;
                break;
            }
        }
    }
    const QString a = ancho, h = alto;
    Seleccionar(indiceAnterior);
    if (indiceAnterior == kPersonal) {
        ancho = a;
        alto = h;
    }
    return true;
}

void CamposTamano::Cargar(const QString& nombre, qint32 anchoTwips, qint32 altoTwips,
                          bool vertical) {
    for (int i = 0; i < kPersonal; ++i) {
        if (TablaPapeles()[i].nombre == nombre) {
            Seleccionar(i);
            return;
        }
    }
    const double a = CmDeTwips(vertical ? anchoTwips : altoTwips);
    const double b = CmDeTwips(vertical ? altoTwips : anchoTwips);
    FijarTamano(a, b);
}

QString CamposTamano::ErrorTamano() const {
    const auto a = LeerNumero(ancho), b = LeerNumero(alto);
    if (!a || !b)
        return kNoNumerico;
    return LadoValido(*a) && LadoValido(*b) ? QString() : ErrorLado();
}

bool CamposTamano::Aplicar(::Trabajo& h, bool vertical) const {
    if (!ErrorTamano().isEmpty())
        return false;
    const double a = *LeerNumero(ancho), b = *LeerNumero(alto);
    h.HName = nombre();
    h.HOrienta = vertical;
    h.HAlto = static_cast<qint32>(Twips(vertical ? b : a));
    h.HAncho = static_cast<qint32>(Twips(vertical ? a : b));
    return true;
}
