#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class TMapeamento;

/// A kind's mapping built without a database, for the analysis: its step (a) fills the kind's writers
/// from a source record, and `chave` then reads the target key those writers give the record.
struct TMapeamentoAnalise {
    std::unique_ptr<TMapeamento> mapeamento;
    QString colunaChave; ///< e.g. "VENDEND.CODVENDEDOR"
    /// The key of the record just filled; nothing for a record that writes no row.
    std::function<std::optional<QString>()> chave;
};

/// The mapping of the kind whose parameter key is `tipo` ("CLIENTES"); no mapping for an unknown key.
TMapeamentoAnalise CriaMapeamentoAnalise(const QString& tipo);
