// libFuzzer entry over the job-file reader. Each input is written to a file
// and opened as a job under the batch tool's failure policy (nobody answers,
// so every failure abandons); what was read is then numbered for the first
// sheets, as printing and velquira-cli would.
#include "boxes/Numeracion.h"
#include "job/ArchivoTrabajo.h"
#include "platform/Ajustes.h"
#include "platform/Mensajes.h"
#include "shell/Falla.h"
#include "shell/Fallas.h"

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
        return 0;
    }
    if (l.cuadros.size() > static_cast<size_t>(Estado::kMaxCuadros) || l.hoja.HAlto <= 0 ||
        l.hoja.HAlto > kMaxLadoHoja || l.hoja.HAncho <= 0 || l.hoja.HAncho > kMaxLadoHoja)
        std::abort();

    try {
        LongitudTirada(l.cuadros);
    } catch (const Falla&) {
    }
    for (const Cuadro& c : l.cuadros) {
        if (!c.EnUso)
            continue;
        for (qint32 k = 0; k < kHojasNumeradas; ++k) {
            try {
                TextoCuadroHoja(c, k);
            } catch (const Falla&) {
            }
        }
    }
    return 0;
}
