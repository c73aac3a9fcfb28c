#pragma once

#include <QSaveFile>
#include <QString>

#include <memory>

class IRegistroAlteracoes;
class TArquivoAlteracoes;

/// The run's change log written to the file `--alteracoes` names, as the run goes: into a temporary
/// file beside it, renamed over it at the end, so a failed write leaves the earlier file (or none),
/// never half of one. Through a link, the file it names is replaced, not the link.
class TSaidaAlteracoes {
public:
    explicit TSaidaAlteracoes(const QString& arquivo);
    ~TSaidaAlteracoes();
    TSaidaAlteracoes(const TSaidaAlteracoes&) = delete;
    TSaidaAlteracoes& operator=(const TSaidaAlteracoes&) = delete;

    /// Creates the temporary file and writes the header; says why on stderr and returns false when
    /// it cannot.
    bool Abre();
    /// Where the run records its changes; only after Abre succeeded.
    IRegistroAlteracoes& Registro();
    /// Puts the file in place; says why on stderr and returns false when it cannot.
    bool Conclui();

private:
    bool Falha(const QString& motivo);

    QString m_arquivo;
    QSaveFile m_saida;
    std::unique_ptr<TArquivoAlteracoes> m_escritor;
};
