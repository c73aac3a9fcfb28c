#pragma once

#include "RegistroAlteracoes.h"

#include <QByteArray>
#include <QString>

class QIODevice;

/// Writes changes to a CSV file as they come (see FormatoCsv.h): the header at once, then one
/// record per change, through the device's own buffer, so memory stays the same however many
/// changes there are. The device is the caller's and stays open.
class TArquivoAlteracoes final : public IRegistroAlteracoes {
public:
    /// `destino` must be open for writing; `comClasse` adds the column with the class of a problem.
    /// Throws EConversao when even the header cannot be written.
    TArquivoAlteracoes(QIODevice& destino, bool comClasse);

    /// Throws EConversao when the device refuses the record (a full disk).
    void Registra(const TAlteracao& alteracao) override;
    /// Hands what is buffered to the file; throws EConversao when that fails.
    void Conclui();

    qint64 Quantidade() const { return m_quantidade; }

private:
    void Escreve();

    QIODevice& m_destino;
    bool m_comClasse;
    QByteArray m_linha; // reused for every record
    qint64 m_quantidade = 0;
};
