#include "MensajesQt.h"

#include <QMessageBox>
#include <QPushButton>
#include <vector>

Respuesta MensajesQt::mostrar(const QString& texto, const QString& titulo, Icono icono,
                              Botones botones) {
    QMessageBox caja(m_padre);
    QString t = texto;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    caja.setText(t);
    caja.setWindowTitle(titulo);
    switch (icono) {
    case Icono::Critico:
        caja.setIcon(QMessageBox::Critical);
        break;
    case Icono::Pregunta:
        caja.setIcon(QMessageBox::Question);
        break;
    case Icono::Exclamacion:
        caja.setIcon(QMessageBox::Warning);
        break;
    case Icono::Informacion:
        caja.setIcon(QMessageBox::Information);
        break;
    case Icono::Ninguno:
        break;
    }
    struct Boton {
        QString texto;
        QMessageBox::ButtonRole rol;
        Respuesta respuesta;
    };
    const Boton aceptar{QStringLiteral("&Aceptar"), QMessageBox::AcceptRole, Respuesta::Aceptar};
    const Boton cancelar{QStringLiteral("&Cancelar"), QMessageBox::RejectRole, Respuesta::Cancelar};
    const Boton si{QStringLiteral("&Sí"), QMessageBox::YesRole, Respuesta::Si};
    const Boton no{QStringLiteral("&No"), QMessageBox::NoRole, Respuesta::No};
    std::vector<Boton> lista;
    switch (botones) {
    case Botones::Aceptar:
        lista = {aceptar};
        break;
    case Botones::AceptarCancelar:
        lista = {aceptar, cancelar};
        break;
    case Botones::AnularReintentarOmitir:
        lista = {{QStringLiteral("&Anular"), QMessageBox::RejectRole, Respuesta::Anular},
                 {QStringLiteral("&Reintentar"), QMessageBox::AcceptRole, Respuesta::Reintentar},
                 {QStringLiteral("&Omitir"), QMessageBox::AcceptRole, Respuesta::Omitir}};
        break;
    case Botones::SiNoCancelar:
        lista = {si, no, cancelar};
        break;
    case Botones::SiNo:
        lista = {si, no};
        break;
    case Botones::ReintentarCancelar:
        lista = {{QStringLiteral("&Reintentar"), QMessageBox::AcceptRole, Respuesta::Reintentar},
                 cancelar};
        break;
    case Botones::ContinuarCancelar:
        lista = {{QStringLiteral("C&ontinuar"), QMessageBox::AcceptRole, Respuesta::Aceptar},
                 cancelar};
        break;
    }
    std::vector<std::pair<QAbstractButton*, Respuesta>> creados;
    for (const Boton& b : lista)
        creados.emplace_back(caja.addButton(b.texto, b.rol), b.respuesta);
    caja.setDefaultButton(static_cast<QPushButton*>(creados.front().first));
    if (botones == Botones::Aceptar)
        caja.setEscapeButton(creados.front().first);
    else if (botones == Botones::SiNoCancelar || botones == Botones::AceptarCancelar ||
             botones == Botones::ReintentarCancelar || botones == Botones::ContinuarCancelar)
        caja.setEscapeButton(creados.back().first);
    caja.exec();
    for (const auto& [boton, respuesta] : creados)
        if (caja.clickedButton() == boton)
            return respuesta;
    // Closed without a button (Escape on a box that has no Cancel).
    return botones == Botones::SiNoCancelar ? Respuesta::Cancelar : Respuesta::Ninguna;
}
