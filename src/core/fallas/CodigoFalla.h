// The failure numbers the program knows, by name. The values are the classic
// run-time error numbers (and a few of the program's own): the operator sees
// them in "El número del error es = n", so a value never changes.
#pragma once

#include <QtGlobal>

enum class CodigoFalla : qint32 {
    Desbordamiento = 6,
    MemoriaInsuficiente = 7,
    DivisionPorCero = 11,
    TiposNoCoinciden = 13,
    NombreONumeroNoValido = 52,
    NoSeEncuentra = 53,
    ModoDeAccesoNoValido = 54,
    YaAbierto = 55,
    ErrorDeEntradaSalida = 57,
    DiscoLleno = 61,
    FinDeArchivo = 62,
    NombreNoValido = 64,
    DispositivoNoDisponible = 68,
    DiscoNoPreparado = 71,
    Protegido = 75,
    RutaNoExiste = 76,
    PropiedadDeSoloLectura = 383,
    // The output of a print run or an export failed (the queue refused the
    // job, the disk filled up, the device went away). The description is the
    // whole message; nothing is retried, as the document cannot be written
    // again.
    SalidaFallida = 482,
    DialogoCancelado = 32755,
};
