#pragma once

#include <QString>

/// A request from outside the run to stop it (a signal to the headless command). The run asks
/// before each kind and after each record, and then ends as on an error: the kind in progress is
/// rolled back and the triggers are switched on again.
class IInterrupcao {
public:
    virtual ~IInterrupcao() = default;
    /// Why the run must stop, as the user reads it; empty while it may go on.
    virtual QString Motivo() const = 0;
};
