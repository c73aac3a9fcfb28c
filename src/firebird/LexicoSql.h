#pragma once
// The little SQL lexing the target layer needs: named parameters, the transaction-control
// texts we handle ourselves, and splitting a script into statements. It knows the dialect-1
// lexical rules: '...' and "..." are both string literals (a doubled quote stays inside),
// -- runs to the end of the line, /* ... */ is a comment.

#include <QString>
#include <QStringList>

/// A statement text with its named parameters replaced by the '?' Firebird understands.
struct SqlAnalisada {
    QString texto;          ///< the text sent to the engine
    QStringList parametros; ///< upper-cased name of each '?' position, in order (a name may repeat; "" for a bare '?')
};

/// Replaces each :NAME outside literals and comments by '?', and lists every '?' position. DDL
/// (CREATE, ALTER, RECREATE, DROP, ...) and EXECUTE BLOCK are left untouched: their PSQL bodies
/// use :variables and Firebird takes no parameters there.
SqlAnalisada AnalisaSql(const QString& sql);

/// The first word of the statement outside comments, upper-cased ("" when none).
QString PrimeiraPalavra(const QString& sql);

/// The transaction-control texts that must not reach the engine as statements: executed
/// there, COMMIT and ROLLBACK destroy the transaction object we hold.
enum class ComandoTransacao { Nenhum, Confirma, Cancela, ConfirmaRetendo, CancelaRetendo };

/// COMMIT / ROLLBACK [WORK] [RETAIN [SNAPSHOT]], any case, blanks, comments and trailing ';' free.
ComandoTransacao ReconheceComandoTransacao(const QString& sql);

/// Splits a script into statements at ';' outside literals and comments. As in isql,
/// "SET TERM x ;" makes x the terminator (so trigger bodies keep their ';') and is itself
/// dropped. Statements holding only blanks and comments are dropped.
QStringList DivideScript(const QString& script);
