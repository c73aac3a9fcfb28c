#pragma once

// What the conversion tests read back from a target database after a run, and how they show
// a difference: shared by the integration and the command-line tests.
#include "BancoTemporario.h"
#include "ImprimeQString.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <map>

/// The lines joined one per line, for a failure message ("" when there is none).
QString Texto(const QStringList& linhas);

/// Today as the test database prints a date (dd.mm.yyyy).
QString HojePontuado();

/// The triggers a run switches off while it writes and on again at the end.
const QStringList& TriggersDaConversao();

/// Per trigger of TriggersDaConversao(), in that order, "0" active or "1" inactive, as a
/// connection of its own sees them (committed state only).
QStringList EstadoTriggers(const TBancoTemporario& banco);

/// How many rows the table holds, seen from a connection of its own.
int Contagem(const TBancoTemporario& banco, const char* tabela);

/// The engine's own message for an insert that repeats a key: the statement run twice on a
/// scratch database ("" if the second insert went in).
QString MensagemChaveRepetida(const QString& insercao);

/// The differences between a row read back and the row expected, one line per column.
QStringList DiferencasLinha(const QMap<QString, QString>& lida, const QMap<QString, QString>& esperada);

/// Every user table's rows of the database (a file path or a server's name), each row one line
/// (doubles with all their digits), sorted; plus the value of every generator ("gerador NOME").
std::map<QString, QStringList> ConteudoBanco(const QString& caminho);
