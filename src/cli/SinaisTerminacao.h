#pragma once

#include "Interrupcao.h"

#include <signal.h>

/// While it lives, SIGINT and SIGTERM no longer end the process: the first one is noted, and the
/// run, which asks after every record, stops as on an error (rollback, triggers on, summary).
/// The embedded Firebird engine installs handlers of its own when the first database is opened,
/// and they shut every connection down; the handler installed last is the one that runs, so
/// create this object once a connection is open. One object at a time; the previous handlers
/// come back when it ends.
class TSinaisTerminacao final : public IInterrupcao {
public:
    TSinaisTerminacao();
    ~TSinaisTerminacao() override;
    TSinaisTerminacao(const TSinaisTerminacao&) = delete;
    TSinaisTerminacao& operator=(const TSinaisTerminacao&) = delete;

    /// The first signal received (SIGINT or SIGTERM), 0 when none.
    int Sinal() const;
    /// Its name ("SIGTERM"), empty when none.
    QString NomeSinal() const;
    QString Motivo() const override;

private:
    struct sigaction m_anteriorInt {};
    struct sigaction m_anteriorTerm {};
};
