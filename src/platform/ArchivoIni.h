// The settings store's INI files, read and written in QSettings' own form
// (UTF-8; sections and keys %-escaped, values backslash-escaped and quoted)
// so that files written by either read the same in the other. Values are
// only ever text: QSettings would turn an "@Variant(...)" value into a
// deserialized object, and a hostile one makes it allocate without bound.
//
// A write changes the lines of its one key and leaves every other line of
// the file as it was.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <utility>

namespace ArchivoIni {

// Case-folded "section/key" -> the key as stored ("Section/Key") and its
// value. Keys outside a section, or nested deeper, are left out; of two
// spellings of one key the later one counts, as in QSettings.
using Claves = QHash<QString, std::pair<QString, QString>>;
Claves Leer(const QByteArray& datos);

// `datos` with the key set to `valor`: every line of that key (in any
// spelling) takes the value; when there is none, the line is added at the
// end of its section, or in a new section at the end of the file.
QByteArray Escribir(const QByteArray& datos, const QString& seccion, const QString& clave,
                    const QString& valor);

// The forms of one section or key name, and of one value.
QString DecodificarNombre(QByteArrayView nombre);
QByteArray CodificarNombre(QStringView nombre);
QString DecodificarValor(QByteArrayView valor);
QByteArray CodificarValor(QStringView valor);

} // namespace ArchivoIni
