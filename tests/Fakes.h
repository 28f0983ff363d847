// Scripted stand-ins for the platform services: a message box that answers
// from a queue and remembers what it showed, file dialogs that return given
// paths, an in-memory clipboard and printer list.
#pragma once

#include "platform/Ajustes.h"
#include "platform/DialogosArchivo.h"
#include "platform/Impresora.h"
#include "platform/Mensajes.h"
#include "platform/Portapapeles.h"
#include "shell/Programa.h"

#include <QList>

#include <QStringList>

struct MensajeMostrado {
    QString texto;
    QString titulo;
    Icono icono;
    Botones botones;
};

class MensajesGuion : public Mensajes {
public:
    QList<Respuesta> respuestas; // empty: the first button
    QList<MensajeMostrado> mostrados;

    Respuesta mostrar(const QString& texto, const QString& titulo, Icono icono,
                      Botones botones) override {
        mostrados.append({texto, titulo, icono, botones});
        if (!respuestas.isEmpty())
            return respuestas.takeFirst();
        switch (botones) {
        case Botones::AnularReintentarOmitir: return Respuesta::Anular;
        case Botones::SiNo:
        case Botones::SiNoCancelar: return Respuesta::Si;
        case Botones::ReintentarCancelar: return Respuesta::Reintentar;
        default: return Respuesta::Aceptar;
        }
    }
    QStringList titulos() const {
        QStringList t;
        for (const auto& m : mostrados)
            t.append(m.titulo);
        return t;
    }
};

class DialogosGuion : public DialogosArchivo {
public:
    QList<std::optional<QString>> rutas; // nullopt = Cancel
    QStringList titulos;
    QStringList inicios;

    std::optional<QString> abrir(const QString& titulo, const QString& carpeta) override {
        titulos.append(titulo);
        inicios.append(carpeta);
        return rutas.isEmpty() ? std::nullopt : rutas.takeFirst();
    }
    std::optional<QString> guardar(const QString& titulo, const QString& nombre,
                                   const QString& carpeta) override {
        titulos.append(titulo);
        inicios.append(nombre);
        Q_UNUSED(carpeta);
        return rutas.isEmpty() ? std::nullopt : rutas.takeFirst();
    }
};

class PortapapelesMemoria : public Portapapeles {
public:
    std::optional<QString> contenido;
    void limpiar() override { contenido.reset(); }
    void fijarTexto(const QString& t) override { contenido = t; }
    std::optional<QString> texto() const override { return contenido; }
};

class CatalogoFalso : public CatalogoImpresoras {
public:
    QStringList lista;
    QString defecto;
    QStringList impresoras() const override { return lista; }
    QString predeterminada() const override { return defecto; }
};

// A whole program without windows, on fakes.
struct Banco {
    AjustesMemoria ajustes;
    MensajesGuion mensajes;
    DialogosGuion dialogos;
    PortapapelesMemoria portapapeles;
    CatalogoFalso impresoras;
    std::unique_ptr<Programa> programa;

    Programa& crear() {
        programa = std::make_unique<Programa>(
            Servicios{ajustes, mensajes, dialogos, portapapeles, impresoras});
        return *programa;
    }
};
