#pragma once
// The little SQL lexing the target layer needs: named parameters, the transaction-control
// texts we handle ourselves, and splitting a script into statements. It knows the dialect-1
// lexical rules: '...' and "..." are both string literals (a doubled quote stays inside),
// -- runs to the end of the line, /* ... */ is a comment.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

/// A statement text with its named parameters replaced by the '?' Firebird understands.
struct SqlAnalisada {
    QString texto;          ///< the text sent to the engine
    QStringList parametros; ///< upper-cased name of each '?' position, in order (a name may repeat)
};

/// Replaces each :NAME outside literals and comments by '?'. DDL (CREATE, ALTER, RECREATE,
/// DROP, ...) and EXECUTE BLOCK are left untouched: their PSQL bodies use :variables and
/// Firebird takes no parameters there.
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

/// A literal value taken out of a statement text, as the engine would hold it: a text (the bytes
/// between the quotes, found in the text by inicio and tamanho; TextoLiteral gives its value), an
/// exact number (digits times 10^escala, sign included) or NULL.
struct LiteralSql {
    enum class Tipo { Texto, Numero, Nulo };
    Tipo tipo = Tipo::Nulo;
    /// True for a value assigned to a column (an item of VALUES (...), or SET col = value): the
    /// engine converts a parameter there exactly as it converts the literal. False for a
    /// comparison "col = value" in a WHERE, where the value may only be bound when it converts to
    /// the column's type without loss.
    bool atribuicao = true;
    qsizetype inicio = 0;       ///< Texto: first byte after the opening quote
    qsizetype tamanho = 0;      ///< Texto: bytes up to the closing quote
    bool aspasDobradas = false; ///< Texto: holds a doubled quote to undo
    qint64 numero = 0;
    int escala = 0;
};

/// A statement text with the literals that can travel as bound values replaced by '?'.
struct FormaSql {
    QByteArray texto;
    std::vector<LiteralSql> literais; ///< one per '?', in order
    int restantes = 0;                ///< literals left in the text
};

/// Lifts the literals of an INSERT, UPDATE, DELETE or SELECT (CP1252 text, dialect-1 rules) out
/// of the places where a bound value behaves exactly like the literal: the items of VALUES (...)
/// that are a lone string, number (optionally negative) or NULL; SET col = such a value; and
/// "name = string|number" in a WHERE between AND/OR/NOT/parentheses. Numbers with an exponent or
/// beyond 64 bits stay in the text. Nothing when the text is another statement, holds '?' or
/// :NAME parameters, an unterminated literal or a Q'...' string.
std::optional<FormaSql> ExtraiLiterais(const QByteArray& sql);

/// A number written as a literal ("12.5", "-3", ".5") as ExtraiLiterais lifts it: its exact
/// value, or nothing when that literal would stay in the text (an exponent, a sign other than a
/// leading '-', anything but digits and one point, beyond 64 bits or 18 decimals).
std::optional<LiteralSql> NumeroLiteral(QStringView texto);

/// The value of a text literal lifted out of `sql`: its bytes with each doubled quote undone.
QByteArray TextoLiteral(const QByteArray& sql, const LiteralSql& literal);
