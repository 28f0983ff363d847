// libFuzzer entry over the job-file reader and the clipboard parser. Each
// input is written to a file and opened as a job under the batch tool's
// failure policy (nobody answers, so every failure abandons); what was read is
// then numbered for the first sheets, as printing and velquira-cli would. The
// same bytes, as UTF-8 text, are then pasted as a clipboard copy of boxes.
#include "core/fallas/Falla.h"
#include "core/fallas/Fallas.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/ArchivoTrabajo.h"
#include "core/trabajo/CopiaCuadros.h"
#include "core/trabajo/Numeracion.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

class MensajesMudos : public Mensajes {
public:
    Respuesta mostrar(const QString&, const QString&, Icono, Botones) override {
        return Respuesta::Ninguna;
    }
};

constexpr qint32 kHojasNumeradas = 4;

void Numerar(const std::vector<Cuadro>& cuadros) {
    try {
        LongitudTirada(cuadros);
    } catch (const Falla&) {
    }
    for (const Cuadro& c : cuadros) {
        if (!c.EnUso)
            continue;
        for (qint32 k = 0; k < kHojasNumeradas; ++k) {
            try {
                TextoCuadroHoja(c, k);
            } catch (const Falla&) {
            }
        }
    }
}

// Another program's clipboard text: every box pasted or none, and only boxes
// the job file can hold back.
void Pegar(const uint8_t* datos, size_t tam, const Cuadro& defectos) {
    const QString texto =
        QString::fromUtf8(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(tam));
    const CopiaCuadros copia = LeerCopiaCuadros(texto, defectos);
    if (!copia.error.isEmpty() && !copia.cuadros.isEmpty())
        std::abort();
    if (copia.cuadros.size() > Estado::kMaxCuadros)
        std::abort();
    for (const Cuadro& c : copia.cuadros)
        if (!CuadroNoGuardable(c).isEmpty())
            std::abort();
    Numerar({copia.cuadros.begin(), copia.cuadros.end()});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tam) {
    // One folder per fuzzing process, so parallel jobs do not share the file.
    static QTemporaryDir carpeta;
    static const QString ruta = carpeta.filePath(QStringLiteral("entrada.zul"));
    static const Cuadro defectos = Estado::DefectosCuadro(AjustesMemoria{});
    {
        QFile f(ruta);
        if (!carpeta.isValid() || !f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            f.write(reinterpret_cast<const char*>(datos), static_cast<qint64>(tam)) !=
                static_cast<qint64>(tam))
            std::abort(); // the harness itself is broken, not the reader
    }

    MensajesMudos mensajes;
    // Reading a file must never end the program, whatever it holds.
    PoliticaFallas politica(mensajes, [] { std::abort(); });
    const LecturaTrabajo l = LeerArchivoTrabajo(ruta, ::Trabajo{}, defectos, politica);

    using R = LecturaTrabajo::Resultado;
    if (l.resultado != R::Leido) {
        // A failed read hands back nothing that could replace the open job.
        if (!l.cuadros.empty())
            std::abort();
    } else {
        if (l.cuadros.size() > static_cast<size_t>(Estado::kMaxCuadros) ||
            !LadoHojaValido(l.hoja.HAlto) || !LadoHojaValido(l.hoja.HAncho))
            std::abort();
        Numerar(l.cuadros);
    }
    Pegar(datos, tam, defectos);
    return 0;
}
