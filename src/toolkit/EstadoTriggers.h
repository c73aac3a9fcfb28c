#pragma once

#include <QString>
#include <QStringList>

class TConexaoDestino;

/// Those of the nine triggers a run switches off (TConversao::Triggers()) that the database holds
/// inactive, in that order; empty when all are active. Reads the committed state through the
/// connection's transaction (starting it when inactive); raises EBancoDestino on failure.
/// A run that was killed before its end leaves them inactive, and the target system then stops
/// updating its stock: the window and the headless command warn with AvisoTriggersInativas().
QStringList TriggersInativas(TConexaoDestino& banco);

/// The warning shown when TriggersInativas() is not empty.
QString AvisoTriggersInativas(const QStringList& inativas);
