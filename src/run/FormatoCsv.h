#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The change log's file: UTF-8 with a byte order mark, one header line, a comma between fields,
// every field between double quotes (a quote inside doubled), each record ended by CR LF. Values
// keep every character they had, line breaks and control characters included.
//
// The mark makes LibreOffice Calc and Excel read the text as UTF-8 without being asked. The comma
// is what RFC 4180 and Calc's own import expect; since every field is quoted, a comma, semicolon or
// tab inside a value never splits it, whatever separators the import dialog has ticked, and ticking
// "Formatar campos entre aspas como texto" keeps codes such as "00123" as they were.

/// The bytes every change log starts with.
inline constexpr char kMarcaUtf8[] = "\xEF\xBB\xBF";
inline constexpr qsizetype kTamanhoMarcaUtf8 = 3;

/// The header's names, in file order; `comClasse` adds the class of a problem as the last column.
QStringList ColunasAlteracoes(bool comClasse);

/// Appends one record (its fields quoted, then CR LF) to `saida`.
void AcrescentaRegistroCsv(QByteArray& saida, const QStringList& campos);

/// A field's bytes as text. Unlike QString::fromUtf8, keeps a byte order mark a value starts with.
QString TextoCampoCsv(QByteArrayView bytes);

/// The fields of one record, given its bytes without the line end. Also reads fields that are not
/// quoted; a quote left open runs to the end.
QStringList LeRegistroCsv(const char* dados, qsizetype tamanho);
