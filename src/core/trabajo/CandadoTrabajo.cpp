#include "CandadoTrabajo.h"

#include <QFileInfo>
#include <QLockFile>

CandadoTrabajo::CandadoTrabajo() = default;
CandadoTrabajo::~CandadoTrabajo() = default;

QString CandadoTrabajo::RutaCandado(const QString& rutaTrabajo) {
    const QFileInfo info(rutaTrabajo);
    return info.absolutePath() + QStringLiteral("/.~") + info.fileName() +
           QStringLiteral(".bloqueo");
}

std::optional<CandadoTrabajo::Dueno> CandadoTrabajo::Tomar(const QString& ruta) {
    Soltar();
    auto candado = std::make_unique<QLockFile>(RutaCandado(ruta));
    // Stale only when its process is gone, however long a job stays open.
    candado->setStaleLockTime(0);
    if (candado->tryLock(0)) {
        m_candado = std::move(candado);
        return std::nullopt;
    }
    if (candado->error() != QLockFile::LockFailedError)
        return std::nullopt;
    Dueno d;
    QString programa;
    candado->getLockInfo(&d.pid, &d.maquina, &programa);
    return d;
}

void CandadoTrabajo::Soltar() {
    m_candado.reset(); // QLockFile removes its file when it goes
}

bool CandadoTrabajo::tomado() const {
    return m_candado != nullptr;
}
