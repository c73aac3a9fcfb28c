#pragma once
// Text crosses the boundary to the target database in Windows code page 1252, the code page
// of the target system. Characters that CP1252 cannot hold (emoji, CJK, most symbols), and
// the five bytes CP1252 leaves undefined (0x81 0x8D 0x8F 0x90 0x9D), become '?', so the
// conversion never fails and never stores bytes the target system would show garbled.

#include <QByteArray>
#include <QString>

/// QString -> CP1252 bytes; one '?' for each character without a CP1252 form.
QByteArray ParaCp1252(const QString& texto);

/// True when every character has a CP1252 form (ParaCp1252 turns none of them into '?').
bool CabeEmCp1252(QStringView texto);

/// Writes the CP1252 bytes of `texto` (as ParaCp1252 gives them) to `saida`, which has room
/// for texto.size() bytes; returns how many were written.
qsizetype EscreveCp1252(QStringView texto, char* saida);

/// CP1252 bytes -> QString; each undefined byte becomes '?'.
QString DeCp1252(const char* dados, qsizetype tamanho);
inline QString DeCp1252(const QByteArray& dados) {
    return DeCp1252(dados.constData(), dados.size());
}
