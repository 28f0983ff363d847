// libFuzzer entry over the settings reader. Each input is written as both
// settings files of a scratch folder, the store is made from them, and every
// key the program reads is read through the program's typed readers, as
// start-up, a new box and a print run would. Then the input's first line is
// stored as a value, and a store made afresh from the file must read it back
// as it was.
#include "core/trabajo/Estado.h"
#include "platform/AjustesQt.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

void Escribir(const QString& ruta, const uint8_t* datos, size_t tam) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char*>(datos), static_cast<qint64>(tam)) !=
            static_cast<qint64>(tam))
        std::abort(); // the harness itself is broken, not the reader
}

void LeerTodo(const Ajustes& a) {
    static const char* producto[] = {
        "Printer",       "PrinterDefault", "VerRegla", "VerMargen", "VerEjes",
        "UltRegla",      "UltMargen",      "UltEjes",  "Cifras",    "Rotacion",
        "VerLineas",     "FontName",       "FontSize", "FontBold",  "FontItalic",
        "FontUnderline", "FontStrikethru", "FontColor"};
    static const char* titulo[] = {"HName",   "HAlto",    "HAncho", "HOrienta",
                                   "InitDir", "MainLeft", "MainTop"};
    for (const char* k : producto) {
        const QString clave = QString::fromLatin1(k);
        a.texto(Aplicacion::Producto, clave, {});
        a.entero(Aplicacion::Producto, clave, 0);
        a.real(Aplicacion::Producto, clave, 0);
        a.booleano(Aplicacion::Producto, clave, false);
    }
    for (const char* k : titulo)
        a.entero(Aplicacion::Titulo, QString::fromLatin1(k), 0);
    for (const char* k : {"Xx", "Yx", "Xy", "Yy"})
        a.leer(Aplicacion::Titulo, QStringLiteral("PDF"), QString::fromLatin1(k));
    Estado::DefectosCuadro(a);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tam) {
    // One folder per fuzzing process, so parallel jobs do not share the files.
    static QTemporaryDir carpeta;
    if (!carpeta.isValid())
        std::abort();
    Escribir(carpeta.filePath(QStringLiteral("ZUL Velquira.ini")), datos, tam);
    Escribir(carpeta.filePath(QStringLiteral("ZUL Velquira®.ini")), datos, tam);

    const QByteArray bytes(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(tam));
    const QString valor = QString::fromUtf8(bytes.left(200).split('\n').first());
    {
        AjustesQt ajustes(carpeta.path());
        LeerTodo(ajustes);
        ajustes.escribirTexto(Aplicacion::Producto, QStringLiteral("printer"), valor);
        if (ajustes.texto(Aplicacion::Producto, QStringLiteral("PRINTER"), {}) != valor)
            std::abort();
    }
    const AjustesQt otra(carpeta.path());
    if (otra.avisos().isEmpty() &&
        otra.texto(Aplicacion::Producto, QStringLiteral("Printer"), {}) != valor)
        std::abort();
    return 0;
}
