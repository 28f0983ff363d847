// The failure policy every operation runs under: a failure becomes a Spanish
// message and an action (retry, skip, end the program, abandon).
#pragma once

#include "core/fallas/Falla.h"

#include <functional>

class Mensajes;

// What the operator's answer (or the failure itself) asks of the operation.
enum class AccionError : qint16 { Reintentar = 0, Omitir = 1, Irrecuperable = 2, Abandonar = 3 };

// Shows at most one message and returns the action for the failure.
AccionError TratarError(const Falla& falla, Mensajes& mensajes);

class PoliticaFallas {
public:
    enum class Resultado { Hecho, Omitido, Abandonado };

    // `terminar` ends the program at once (without saving or questions); it is
    // called after "Error no recuperable" was shown.
    PoliticaFallas(Mensajes& mensajes, std::function<void()> terminar);

    // Runs one step; the step throws Falla when it fails. A step the policy
    // asks to retry is run again, at most `kReintentos` times; after that the
    // operator is told and the operation is abandoned.
    Resultado ejecutar(const std::function<void()>& paso, int reintentos = kReintentos);

    // While false (file writing, and reading untrusted files), an answer of
    // "unrecoverable" abandons the operation instead of ending the program.
    void permitirTerminar(bool permitir) { m_permitirTerminar = permitir; }
    bool terminarPermitido() const { return m_permitirTerminar; }

    Mensajes& mensajes() { return m_mensajes; }

    static constexpr int kReintentos = 3;

private:
    Resultado seguir(AccionError accion, const Falla& falla);

    Mensajes& m_mensajes;
    std::function<void()> m_terminar;
    bool m_permitirTerminar = true;
};

// Turns off ending the program for the lifetime of an operation.
class SinTerminar {
public:
    explicit SinTerminar(PoliticaFallas& p) : m_p(p), m_antes(p.terminarPermitido()) {
        p.permitirTerminar(false);
    }
    ~SinTerminar() { m_p.permitirTerminar(m_antes); }

private:
    PoliticaFallas& m_p;
    bool m_antes;
};
