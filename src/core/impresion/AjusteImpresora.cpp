#include "AjusteImpresora.h"

#include "core/fallas/Fallas.h"
#include "core/impresion/Correccion.h"
#include "core/impresion/ImpresoraPrograma.h"
#include "core/programa/Principal.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/DialogosImpresion.h"
#include "core/puertos/Impresora.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Valores.h"

#include <cmath>

AjusteImpresora::AjusteImpresora(Principal& principal, ImpresoraPrograma& impresora,
                                 QStringList carpetas)
    : m_p(principal), m_imp(impresora), m_carpetas(std::move(carpetas)) {}

void AjusteImpresora::Abrir() {
    m_con.emplace(
        m_imp, m_p.politica,
        m_p.ajustes().texto(Aplicacion::Producto, QStringLiteral("Printer"), m_imp.actual()));
}

void AjusteImpresora::Cerrar() {
    m_con.reset();
}

QString AjusteImpresora::Formato(double v) const {
    return FormatoFijo(v, m_p.idioma, 1);
}

double AjusteImpresora::Twips(double valor, bool milimetros) {
    return milimetros ? valor * 567.0 / 10.0 : valor * 567.0;
}

double AjusteImpresora::DeTwips(double twips, bool milimetros) {
    return milimetros ? twips / 56.7 : twips / 567.0;
}

AjusteImpresora::Valores AjusteImpresora::BuscarIniPrinter(bool milimetros) {
    Valores v;
    Impresora* imp = m_imp.objeto();
    if (!imp) {
        m_p.politica.ejecutar([] {
            throw Falla{CodigoFalla::DispositivoNoDisponible,
                        QStringLiteral("No hay ninguna impresora instalada.")};
        });
        return v;
    }
    const QString nombre = imp->nombreDispositivo();
    MigrarAjusteAntiguo(m_p.ajustes(), nombre, m_carpetas, m_p.politica, m_p.idioma, true);
    const int o = imp->orientacion();
    // A damaged correction is reported and shown as none, to be measured again.
    QPointF c;
    m_p.politica.ejecutar([&] { c = LeerCorreccion(m_p.ajustes(), nombre, o); });
    v.x = Formato(DeTwips(c.x(), milimetros));
    v.y = Formato(DeTwips(c.y(), milimetros));
    v.orientacion = o == 1 ? QStringLiteral("Orientación  Vertical")
                           : QStringLiteral("Orientación  Horizontal");
    v.titulo = QStringLiteral("Valores actuales para %1 :").arg(nombre);
    return v;
}

bool AjusteImpresora::Aplicar(double x, double y, bool milimetros) {
    Impresora* imp = m_imp.objeto();
    if (!imp)
        return false;
    if (std::fabs(Twips(x, milimetros)) > kMaxCorreccion ||
        std::fabs(Twips(y, milimetros)) > kMaxCorreccion) {
        m_p.mensajes().mostrar(QStringLiteral("La corrección debe estar entre -5 y 5 cm"),
                               QStringLiteral("Error"), Icono::Exclamacion, Botones::Aceptar);
        return false;
    }
    GenerarIniPrinter(m_p.ajustes(), imp->nombreDispositivo(), imp->orientacion(),
                      Twips(x, milimetros), static_cast<float>(Twips(y, milimetros)), m_p.idioma);
    return true;
}

void AjusteImpresora::ImprimirPrueba() {
    m_p.politica.ejecutar([&] {
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
    const bool elegida = m_p.dialogosImpresion().configurar(*imp, imp->orientacion());
    if (elegida)
        m_imp.FijarImpresoraPredeterminada(imp->nombreDispositivo());
    m_p.politica.ejecutar([&] { m_imp.TerminarDocumento(); });
    return elegida;
}
