// The ".zul" job file: a marker line, seven header lines, then one block of 21
// lines per live box after the separator "***&&&***". Written in Windows-1252
// with CR LF; read with CR LF or LF, and with either decimal separator.
//
// A job file is untrusted input: the reader bounds the line length, the file
// size and the box count, and reads into a scratch model that replaces the
// open one only when the whole file was read.
#pragma once

#include "core/trabajo/Estado.h"
#include "core/trabajo/Limites.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

class PoliticaFallas;

inline const QString kMarcaTrabajo = QStringLiteral("<{ZUL54-091-560202}>");
inline const QByteArray kSeparadorCuadro = QByteArrayLiteral("***&&&***");

struct LecturaTrabajo {
    enum class Resultado { Leido, NoEsTrabajo, Abandonado };
    Resultado resultado = Resultado::Abandonado;
    ::Trabajo hoja;              // the header, with HName and HOrienta identified
    std::vector<Cuadro> cuadros; // slots as AgregarCuadro would have filled them
    // Slots of the boxes whose block ended before its last field (the file was
    // cut or damaged): they hold defaults the file never had.
    QList<int> incompletos;
};

// "El archivo está incompleto: al cuadro Nº n le faltan datos", one line per
// incomplete box (the first ten, then how many more); empty for a whole job.
QStringList AvisoIncompleto(const LecturaTrabajo& lectura);

// Whether the file at `ruta` begins as a job file does (its marker line),
// without reading further and without messages: false for a file that is
// no job (or is no plain file); nothing when it is missing or cannot be read.
std::optional<bool> EsArchivoTrabajo(const QString& ruta);

// Reads the file at `ruta`. `previo` gives the header's values where a line is
// skipped; `defectos` the new-box defaults for fields a block leaves out.
// Failures go to `politica`, naming the line and the field; an unrecoverable
// answer abandons the read. The texts are UTF-8 when the whole file is valid
// UTF-8 holding non-ASCII characters, Windows-1252 otherwise.
LecturaTrabajo LeerArchivoTrabajo(const QString& ruta, const ::Trabajo& previo,
                                  const Cuadro& defectos, PoliticaFallas& politica);

// The file's bytes for the model. `conPerdida` receives the indexes of live
// boxes whose texts the code page cannot hold (written with "?").
QByteArray SerializarTrabajo(const Estado& estado, const QLocale& idioma,
                             QList<int>* conPerdida = nullptr);

// One box block's 20 fields (without separator and index), as text.
QStringList CamposCuadro(const Cuadro& c, const QLocale& idioma, bool formaArchivo);

// Stores the text of block line `linea` (1..20) into `c`. Throws Falla when a
// number does not convert or is out of the field's range.
void AsignarCampo(Cuadro& c, int linea, QStringView texto);

// What in box `c` the job file could not hold back, as "un texto de más de
// 65.536 caracteres" and the like; empty when the reader would take it all.
QString CuadroNoGuardable(const Cuadro& c);
// The same for the sheet and every live box of a job, naming the box: the
// writer refuses a job it could not read back.
QString TrabajoNoGuardable(const Estado& estado);

// Writes `datos` to `ruta` through a temporary file beside it that replaces
// the old file only when everything was written. Returns false (the old file
// intact) when the policy did not end with a complete write.
bool EscribirArchivoAtomico(const QString& ruta, const QByteArray& datos, PoliticaFallas& politica);
