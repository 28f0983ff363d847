// The ports of a whole program answered by nothing, for the benchmarks: no
// dialog is shown (a message goes to standard error), the file to open is
// `ruta`, the clipboard is a string, and there are no printers.
#pragma once

#include "core/puertos/DialogosArchivo.h"
#include "core/puertos/DialogosImpresion.h"
#include "core/puertos/Impresora.h"
#include "core/puertos/Mensajes.h"
#include "core/puertos/Portapapeles.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

struct Nada : Mensajes, DialogosArchivo, Portapapeles, CatalogoImpresoras, DialogosImpresion {
    Respuesta mostrar(const QString& texto, const QString&, Icono, Botones) override {
        std::fprintf(stderr, "mensaje: %s\n", qPrintable(texto));
        return Respuesta::No;
    }
    std::optional<QString> ruta;
    std::optional<QString> abrir(const QString&, const QString&) override { return ruta; }
    std::optional<QString> guardar(const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QString> exportarPdf(const QString&) override { return {}; }
    void limpiar() override {}
    void fijarTexto(const QString& t) override { copia = t; }
    std::optional<QString> texto() const override { return copia; }
    std::optional<QString> copia;
    QStringList impresoras() const override { return {}; }
    QString predeterminada() const override { return {}; }
    std::unique_ptr<Impresora> crear(const QString&) override { return {}; }
    std::unique_ptr<Impresora> crearPdf(const QString&, qint32, qint32) override { return {}; }
    bool imprimir(Impresora&, int, qint32, RangoHojas&, bool, bool*) override { return false; }
    bool rangoExportacion(qint32, RangoHojas&) override { return false; }
    bool configurar(Impresora&, int) override { return false; }
    bool rangoVistaPreliminar(qint32, RangoHojas&) override { return false; }
    void vistaPreliminar(Impresora&, const RangoHojas&, qint32,
                         const std::function<void(Impresora&)>&) override {}
};
