#include "CamposTamano.h"

#include "job/TablaPapeles.h"
#include "job/Valores.h"
#include "platform/Mensajes.h"

CamposTamano::CamposTamano(const QLocale& idioma) : m_idioma(idioma) {}

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
    if (!v) {
        mensajes.mostrar(QStringLiteral("Este valor debe ser numérico"), QStringLiteral("Error"),
                         Icono::Exclamacion, Botones::Aceptar);
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

void CamposTamano::Cargar(const QString& nombre, qint32 anchoTwips, qint32 altoTwips, bool vertical) {
    for (int i = 0; i < kPersonal; ++i) {
        if (TablaPapeles()[i].nombre == nombre) {
            Seleccionar(i);
            return;
        }
    }
    const double a = (vertical ? anchoTwips : altoTwips) / 567.0;
    const double b = (vertical ? altoTwips : anchoTwips) / 567.0;
    FijarTamano(a, b);
}

bool CamposTamano::Aplicar(::Trabajo& h, bool vertical) const {
    const auto a = LeerNumero(ancho), b = LeerNumero(alto);
    if (!a || !b)
        return false;
    const auto twips = [](double cm) {
        return static_cast<qint32>(std::clamp(RedondearPar(cm * 567), 1.0, 2147483647.0));
    };
    h.HName = nombre();
    h.HOrienta = vertical;
    h.HAlto = twips(vertical ? *b : *a);
    h.HAncho = twips(vertical ? *a : *b);
    return true;
}
