// Job-file speed at the box limit: saving (serialising and the atomic write)
// and opening a job of 32,767 live boxes, best of several runs. Goal: each
// under one second.
//
// bench_archivo                  runs the measurement
// bench_archivo --tirada N RUTA  writes a 4-box job whose run is N sheets
//                                (for the velquira-cli streaming check)
#include "core/fallas/Fallas.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/ArchivoTrabajo.h"
#include "core/trabajo/Preferencias.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

constexpr int kRondas = 5;
constexpr double kObjetivoMs = 1000;

// Prints failures for the record; nobody answers, so they abandon.
class MensajesBanco : public Mensajes {
public:
    Respuesta mostrar(const QString& texto, const QString& titulo, Icono, Botones) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(titulo), qPrintable(texto));
        return Respuesta::Ninguna;
    }
};

Estado TrabajoGrande() {
    const QStringList izquierdas = {QStringLiteral("Nº "), QStringLiteral("Factura "),
                                    QStringLiteral("Pedido-"), QString(),
                                    QStringLiteral("Boleta Nº ")};
    const QStringList derechas = {QStringLiteral(" / 2024"), QStringLiteral("-A"), QString(),
                                  QStringLiteral(" (copia)"), QStringLiteral(" señal")};
    const QStringList fuentes = {QStringLiteral("Tahoma"), QStringLiteral("Arial"),
                                 QStringLiteral("Courier New"), QStringLiteral("Times New Roman")};
    Estado e;
    e.Trabajo.HAlto = 15842;
    e.Trabajo.HAncho = 12242;
    e.Trabajo.HName = QStringLiteral("Carta");
    e.Cuadros.resize(Estado::kMaxCuadros);
    for (int i = 0; i < Estado::kMaxCuadros; ++i) {
        Cuadro& c = e.Cuadros[i];
        c.EnUso = true;
        c.TextoIzq = izquierdas[i % izquierdas.size()] + QString::number(i % 97);
        c.TextoDer = derechas[i % derechas.size()];
        c.FontName = fuentes[i % fuentes.size()];
        c.FontSize = 6.5f + static_cast<float>(i % 40) * 0.75f;
        c.FontBold = i % 3 == 0;
        c.FontItalic = i % 5 == 0;
        c.Cifras = static_cast<qint16>(3 + i % 7);
        c.Inicio = 1 + (i * 7919) % 500000;
        c.Fin = c.Inicio + 1000 + i % 9000;
        c.Salto = static_cast<qint16>(1 + i % 5);
        c.PosX = (i * 37) % 12000;
        c.PosY = (i * 53) % 15000;
        c.Color = static_cast<qint32>((static_cast<quint32>(i) * 2654435u) & 0xFFFFFFu);
        c.ColorFondo = Estado::SiguienteColorFondo(i > 0 ? e.Cuadros[i - 1].ColorFondo : 0);
        c.Rotacion = static_cast<qint16>((i % 4) * 90);
    }
    return e;
}

// Best of kRondas runs of `paso`, in milliseconds.
double Mejor(const std::function<void()>& paso) {
    double mejor = 1e300;
    for (int r = 0; r < kRondas; ++r) {
        QElapsedTimer t;
        t.start();
        paso();
        mejor = std::min(mejor, t.nsecsElapsed() / 1e6);
    }
    return mejor;
}

int Medir() {
    MensajesBanco mensajes;
    PoliticaFallas politica(mensajes, {});
    QTemporaryDir carpeta;
    if (!carpeta.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QString ruta = carpeta.filePath(QStringLiteral("grande.zul"));
    const Estado e = TrabajoGrande();

    qsizetype bytes = 0;
    bool escrito = true;
    const double guardar = Mejor([&] {
        const QByteArray datos = SerializarTrabajo(e, QLocale::c());
        bytes = datos.size();
        escrito = EscribirArchivoAtomico(ruta, datos, politica) && escrito;
    });
    if (!escrito) {
        std::fprintf(stderr, "the job could not be written\n");
        return 1;
    }

    AjustesMemoria ajustes;
    const Cuadro defectos = Preferencias(ajustes).defectosCuadro();
    LecturaTrabajo l;
    const double abrir = Mejor([&] { l = LeerArchivoTrabajo(ruta, {}, defectos, politica); });
    // A fast read that read something else measures nothing.
    if (l.resultado != LecturaTrabajo::Resultado::Leido || l.cuadros.size() != e.Cuadros.size()) {
        std::fprintf(stderr, "the job read back is not the one written\n");
        return 1;
    }
    for (size_t i = 0; i < l.cuadros.size(); ++i) {
        if (l.cuadros[i] != e.Cuadros[i]) {
            std::fprintf(stderr, "box %zu read back differs\n", i);
            return 1;
        }
    }

    const auto fila = [](const char* que, double ms) {
        std::printf("%-40s %9.1f ms  %s\n", que, ms, ms < kObjetivoMs ? "ok" : "OVER 1 s");
    };
    std::printf("job of %d live boxes, %lld bytes; best of %d runs\n", Estado::kMaxCuadros,
                static_cast<long long>(bytes), kRondas);
    fila("save (SerializarTrabajo + atomic write)", guardar);
    fila("open (LeerArchivoTrabajo)", abrir);
    return 0;
}

// Four boxes: the longest needs `hojas` sheets; the others end earlier,
// count down, or step by more than one.
int EscribirTirada(qint64 hojas, const QString& ruta) {
    if (hojas < 1 || hojas > 1000000) {
        std::fprintf(stderr, "--tirada wants 1..1000000 sheets\n");
        return 2;
    }
    Estado e;
    e.Trabajo.HAlto = 15842;
    e.Trabajo.HAncho = 12242;
    AjustesMemoria ajustes;
    const Cuadro defectos = Preferencias(ajustes).defectosCuadro();
    struct Serie {
        double inicio, fin;
        qint16 salto, cifras;
        const char* izq;
    };
    const Serie series[] = {
        {1, static_cast<double>(hojas), 1, 7, "Nº "},
        {static_cast<double>(hojas) * 2, 1, 2, 8, "R-"},
        {1000, 1000 + static_cast<double>(hojas) / 2, 1, 0, "Lote "},
        {500000, 500000 + 5 * static_cast<double>(hojas - 1), 5, 9, ""},
    };
    for (const Serie& s : series) {
        const int i = e.AgregarCuadro(defectos);
        Cuadro& c = e.Cuadros[i];
        c.Inicio = s.inicio;
        c.Fin = s.fin;
        c.Salto = s.salto;
        c.Cifras = s.cifras;
        c.TextoIzq = QString::fromUtf8(s.izq);
        c.PosY = 600 * i;
    }
    MensajesBanco mensajes;
    PoliticaFallas politica(mensajes, {});
    return EscribirArchivoAtomico(ruta, SerializarTrabajo(e, QLocale::c()), politica) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return Medir();
    bool ok = false;
    if (args.size() == 3 && args[0] == u"--tirada") {
        const qint64 hojas = args[1].toLongLong(&ok);
        if (ok)
            return EscribirTirada(hojas, args[2]);
    }
    std::fprintf(stderr, "usage: bench_archivo [--tirada SHEETS FILE]\n");
    return 2;
}
