#include "AjusteImpresora.h"

#include "core/fallas/Fallas.h"
#include "core/impresion/Correccion.h"
#include "core/impresion/ImpresoraPrograma.h"
#include "core/puertos/DialogosImpresion.h"
#include "core/puertos/Impresora.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Preferencias.h"
#include "core/trabajo/Valores.h"

#include <cmath>

AjusteImpresora::AjusteImpresora(Preferencias& preferencias, PoliticaFallas& politica,
                                 Mensajes& mensajes, DialogosImpresion& dialogos,
                                 ImpresoraPrograma& impresora, QStringList carpetas)
    : m_pref(preferencias), m_politica(politica), m_mensajes(mensajes), m_dialogos(dialogos),
      m_imp(impresora), m_carpetas(std::move(carpetas)) {}

void AjusteImpresora::Abrir() {
    m_con.emplace(m_imp, m_politica, ImpresoraDelPrograma(m_pref, m_imp));
}

void AjusteImpresora::Cerrar() {
    m_con.reset();
}

QString AjusteImpresora::Formato(double v) const {
    return FormatoFijo(v, m_pref.idioma(), 1);
}

double AjusteImpresora::Twips(double valor, bool milimetros) {
    return milimetros ? valor * kTwipsPorCm / 10.0 : valor * kTwipsPorCm;
}

double AjusteImpresora::DeTwips(double twips, bool milimetros) {
    return milimetros ? twips / (kTwipsPorCm / 10.0) : twips / kTwipsPorCm;
}

AjusteImpresora::Valores AjusteImpresora::BuscarIniPrinter(bool milimetros) {
    Valores v;
    Impresora* imp = m_imp.objeto();
    if (!imp) {
        m_politica.ejecutar([] {
            throw Falla{CodigoFalla::DispositivoNoDisponible,
                        QStringLiteral("No hay ninguna impresora instalada.")};
        });
        return v;
    }
    const QString nombre = imp->nombreDispositivo();
    MigrarAjusteAntiguo(m_pref.ajustes(), nombre, m_carpetas, m_politica, m_pref.idioma(), true);
    const int o = imp->orientacion();
    // A damaged correction is reported and shown as none, to be measured again.
    QPointF c;
    m_politica.ejecutar([&] { c = LeerCorreccion(m_pref.ajustes(), nombre, o); });
    v.x = Formato(DeTwips(c.x(), milimetros));
    v.y = Formato(DeTwips(c.y(), milimetros));
    v.orientacion = o == 1 ? QStringLiteral("Orientación  Vertical")
                           : QStringLiteral("Orientación  Horizontal");
    v.titulo = QStringLiteral("Valores actuales para %1 :").arg(nombre);
    return v;
}

std::optional<QString> AjusteImpresora::Aplicar(double x, double y, bool milimetros) {
    Impresora* imp = m_imp.objeto();
    if (!imp)
        return std::nullopt;
    if (std::fabs(Twips(x, milimetros)) > kMaxCorreccion ||
        std::fabs(Twips(y, milimetros)) > kMaxCorreccion) {
        m_mensajes.mostrar(QStringLiteral("La corrección debe estar entre -5 y 5 cm"),
                           QStringLiteral("Error"), Icono::Exclamacion, Botones::Aceptar);
        return std::nullopt;
    }
    const QString nombre = imp->nombreDispositivo();
    const QString error =
        GenerarIniPrinter(m_pref.ajustes(), nombre, imp->orientacion(), Twips(x, milimetros),
                          static_cast<float>(Twips(y, milimetros)), m_pref.idioma());
    if (!error.isEmpty()) {
        m_mensajes.mostrar(
            QStringLiteral("La corrección para %1 no pudo guardarse: %2.\r\rSe usará hasta "
                           "cerrar el programa; vuelva a aplicarla cuando se pueda guardar.")
                .arg(nombre, error),
            QStringLiteral("Ajuste Impresora"), Icono::Critico, Botones::Aceptar);
        return std::nullopt;
    }
    return QStringLiteral("Corrección guardada para %1").arg(nombre);
}

void AjusteImpresora::ImprimirPrueba() {
    m_politica.ejecutar([&] {
        Impresora* imp = m_imp.objeto();
        if (!imp)
            throw Falla{CodigoFalla::DispositivoNoDisponible,
                        QStringLiteral("No hay ninguna impresora instalada.")};
        ::ImprimirPrueba(*imp);
    });
}

bool AjusteImpresora::Configurar() {
    Impresora* imp = m_imp.objeto();
    if (!imp)
        return false;
    const bool elegida = m_dialogos.configurar(*imp, imp->orientacion());
    if (elegida)
        m_imp.FijarImpresoraPredeterminada(imp->nombreDispositivo());
    m_politica.ejecutar([&] { m_imp.TerminarDocumento(); });
    return elegida;
}
