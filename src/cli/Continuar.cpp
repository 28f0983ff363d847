#include "Continuar.h"

#include "cli/ComandosCli.h"
#include "core/trabajo/CandadoTrabajo.h"
#include "core/trabajo/Continuacion.h"

#include <QDir>

namespace cli {
namespace {
void Escribir(std::FILE* f, const QString& texto) {
    const QByteArray b = texto.toUtf8();
    std::fwrite(b.constData(), 1, b.size(), f);
}
} // namespace

int ContinuarTrabajo(const LecturaTrabajo& lectura, const QString& destino, const QLocale& idioma,
                     PoliticaFallas& politica, std::FILE* salida, std::FILE* errores) {
    const Continuacion k = CalcularContinuacion(lectura.cuadros, idioma);
    if (!k.error.isEmpty()) {
        Escribir(errores, k.error + QStringLiteral("\nNo se ha escrito nada.\n"));
        return Fallo;
    }
    Estado e;
    e.Trabajo = lectura.hoja;
    e.Cuadros = lectura.cuadros;
    for (const FilaContinuacion& f : k.filas)
        Continuar(e.Cuadros[f.cuadro], f, k);
    if (const QString motivo = TrabajoNoGuardable(e); !motivo.isEmpty()) {
        Escribir(errores, QStringLiteral("No se ha escrito nada: el archivo no podría volver a "
                                         "abrirse.\n%1\n")
                              .arg(motivo));
        return Fallo;
    }
    QList<int> conPerdida;
    const QByteArray datos = SerializarTrabajo(e, idioma, &conPerdida);
    if (!conPerdida.isEmpty()) {
        Escribir(errores, QStringLiteral("No se ha escrito nada: el cuadro Nº %1 tiene caracteres "
                                         "que el archivo no puede guardar.\n")
                              .arg(conPerdida.first() + 1));
        return Fallo;
    }
    // A copy of the program that has the file open would save over it.
    CandadoTrabajo candado;
    if (const auto dueno = candado.Tomar(destino)) {
        Escribir(errores, QStringLiteral("El trabajo %1 está abierto en otra copia de Velquira "
                                         "(proceso %2 en %3): ciérrelo antes. No se ha escrito "
                                         "nada.\n")
                              .arg(QDir::toNativeSeparators(destino))
                              .arg(dueno->pid)
                              .arg(dueno->maquina));
        return Fallo;
    }
    if (!EscribirArchivoAtomico(destino, datos, politica)) {
        Escribir(errores, QStringLiteral("No se ha escrito %1; el archivo anterior sigue como "
                                         "estaba.\n")
                              .arg(QDir::toNativeSeparators(destino)));
        return Fallo;
    }
    candado.Soltar();
    QString lineas;
    for (const FilaContinuacion& f : k.filas)
        lineas += QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                      .arg(f.cuadro + 1)
                      .arg(f.primero)
                      .arg(f.ultimo)
                      .arg(f.siguientePrimero)
                      .arg(f.siguienteUltimo);
    Escribir(salida, lineas);
    Escribir(
        errores,
        QStringLiteral("Numeración continuada en %1\n").arg(QDir::toNativeSeparators(destino)));
    return std::fflush(salida) == 0 ? Exito : Fallo;
}
} // namespace cli
