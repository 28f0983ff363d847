// The run log: one record for every print run and PDF export, so that the
// operator can tell later what was printed, when and where, and where a run
// that stopped has to go on. One JSON object a line, appended under a lock
// file (two programs printing at once never mix their lines); a record is
// written again, whole, each time it changes, and the last line of a run
// counts. A damaged line (a write cut short) is skipped with a warning. Past
// kTamanoMaximo bytes the log is renamed to an older generation and begun
// anew; the two are read together. Sheets are numbered from 1.
#pragma once

#include "core/impresion/Tirada.h"
#include "core/puertos/DialogosImpresion.h"
#include "core/trabajo/Cuadro.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct Trabajo;

enum class EstadoTirada { SinTerminar, Completa, Cancelada, Fallida };

// A box of the run: its number (slot + 1), a hash of what it prints, and
// its texts on the first and last sheet sent (empty while none was).
struct CuadroTirada {
    qint32 numero = 0;
    QString huella;
    QString primero;
    QString ultimo;
};

struct RegistroTirada {
    QString id;
    QDateTime inicio;
    QDateTime fin;   // invalid while the run is not finished
    QString trabajo; // the job's file, absolute; empty for a job never saved
    QString huella;  // the content printed: the sheet and every live box
    QString huellaHoja;
    QString destino; // the printer, or the PDF file
    bool pdf = false;
    double correccionX = 0; // twips subtracted from every position
    double correccionY = 0;
    qint32 hojasTirada = 0; // the run's length
    qint32 desde = 1;       // the sheets asked for, both ends
    qint32 hasta = 1;
    bool inverso = false;
    qint32 enviadas = 0; // sheets sent, from the first in the run's order
    // Sheets being handed over when the record was written: past `enviadas`
    // while a part was on its way (a run killed then may have sent it).
    qint32 enEnvio = 0;
    EstadoTirada estado = EstadoTirada::SinTerminar;
    qint32 hojaFin = 0; // where a cancel or a failure stopped the run
    QString falla;
    QString continuaDe; // the run this one goes on with
    QString programa;
    qint64 pid = 0;
    std::vector<CuadroTirada> cuadros;

    // The last sheet sent; nothing when none was.
    std::optional<qint32> ultimaEnviada() const;
    // The first sheet sent (the run's first in its order).
    qint32 primera() const { return inverso ? hasta : desde; }
    // The sheets not sent, as a range; nothing when every sheet was.
    std::optional<RangoHojas> restantes() const;
    // The sheet a continuation starts with.
    qint32 siguiente() const;
    bool completa() const { return estado == EstadoTirada::Completa; }
};

QJsonObject AJson(const RegistroTirada& r);
// Nothing when `o` is not a run's record.
std::optional<RegistroTirada> DeJson(const QJsonObject& o);

// "completa", "cancelada en la hoja n", "falló en la hoja n: ...",
// "sin terminar (última hoja enviada: n)".
QString TextoResultado(const RegistroTirada& r);
// "1 a 250", "250 a 1" (reverse order), "7".
QString TextoHojas(qint32 primera, qint32 ultima);
// The sheets sent, "1 a 200", or "ninguna".
QString TextoEnviadas(const RegistroTirada& r);

// Hashes of what a job prints: the sheet, each live box, the whole.
QString HuellaHoja(const ::Trabajo& hoja);
QString HuellaCuadro(const Cuadro& c);
QString HuellaTrabajo(const ::Trabajo& hoja, const std::vector<Cuadro>& cuadros);

// What changed in the job since run `r` ("el cuadro Nº 2 cambió"); empty
// when it prints the same.
QStringList CambiosDesde(const RegistroTirada& r, const ::Trabajo& hoja,
                         const std::vector<Cuadro>& cuadros);

// The record of a run about to start: the job (`ruta` its file), the
// destination, the sheets and the correction of `tirada` (prepared).
RegistroTirada NuevaTirada(const ::Trabajo& hoja, const std::vector<Cuadro>& cuadros,
                           const QString& ruta, const QString& destino, bool pdf,
                           const Tirada& tirada);

class RegistroTiradas {
public:
    static constexpr qint64 kTamanoMaximo = 10 * 1024 * 1024;

    // The log in folder `carpeta`; an empty folder keeps no log.
    explicit RegistroTiradas(QString carpeta = {}, qint64 tamanoMaximo = kTamanoMaximo);

    // The user's data folder ("ZUL Velquira" in it), or the folder named by
    // the environment variable VELQUIRA_TIRADAS.
    static QString CarpetaPorDefecto();

    bool activo() const { return !m_carpeta.isEmpty(); }
    QString carpeta() const { return m_carpeta; }
    QString ruta() const;
    QString rutaAnterior() const; // the older generation

    // Appends the record; the reason in Spanish when it could not be written
    // (nothing half-written stays behind).
    std::optional<QString> anotar(const RegistroTirada& r);

    struct Lectura {
        std::vector<RegistroTirada> tiradas; // newest first, one per run
        QStringList avisos;                  // damaged lines, unreadable files
    };
    Lectura leer() const;

private:
    QString m_carpeta;
    qint64 m_tamanoMaximo;
};

// Whether run `r` is of the job at `trabajo` (the same file, also through links).
bool DelTrabajo(const RegistroTirada& r, const QString& trabajo);
// The newest run of the job at `trabajo`; nothing when it has none.
std::optional<RegistroTirada> UltimaTiradaDe(const RegistroTiradas::Lectura& l,
                                             const QString& trabajo);

// A run being noted as it goes: written before the first sheet, again after
// every part sent and at its end. A write that fails is kept as `error()`;
// the run goes on.
class AnotacionTirada : public SeguimientoTirada {
public:
    AnotacionTirada(RegistroTiradas& registro, RegistroTirada tirada,
                    const std::vector<Cuadro>& cuadros);

    // Writes the record of the run about to start; the reason when it could not.
    std::optional<QString> iniciar();
    void enviando(qint32 hojas) override;
    void entregadas(qint32 hojas) override;
    void terminada(FinTirada fin, qint32 hoja, const QString& falla) override;

    const RegistroTirada& tirada() const { return m_r; }
    const std::optional<QString>& error() const { return m_error; }

private:
    void escribir();

    RegistroTiradas& m_registro;
    RegistroTirada m_r;
    const std::vector<Cuadro>& m_cuadros;
    std::optional<QString> m_error;
};
