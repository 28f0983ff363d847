// The lock beside an open job file (".~<name>.bloqueo" in its folder), so
// that a second copy of the program opening the job is warned. The lock file
// names the process and host holding it; one whose process no longer runs on
// this host is stale and taken over. It is removed when the job closes.
#pragma once

#include <QString>
#include <memory>
#include <optional>

class QLockFile;

class CandadoTrabajo {
public:
    CandadoTrabajo();
    ~CandadoTrabajo();

    struct Dueno {
        qint64 pid = 0;
        QString maquina;
    };

    // Takes the lock of the job at `ruta`, leaving any other. Returns who
    // holds it when another running copy does (it is then not ours); nothing
    // when it is ours, or when no lock can be made there (a read-only folder).
    std::optional<Dueno> Tomar(const QString& ruta);
    void Soltar();
    bool tomado() const;

    static QString RutaCandado(const QString& rutaTrabajo);

private:
    std::unique_ptr<QLockFile> m_candado;
};
