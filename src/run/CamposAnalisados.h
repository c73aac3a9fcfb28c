#pragma once

#include "Alteracao.h"

#include <QLatin1StringView>
#include <QString>

#include <span>

/// How a kind's mapping reads a field, so that the analysis reads it the same way and fails where
/// the run would.
enum class LeituraCampo {
    Texto,          ///< as text
    NumeroPresente, ///< as a number when its text is not blank
    NumeroNaoNulo,  ///< as a number when it is not null
    DataPresente,   ///< as a date when its text is not blank
};

/// A check of a value the run keeps as it is.
enum class VerificacaoCampo { Nenhuma, Nome, CpfCnpj, Cep, Uf, Email };

struct TCampoAnalisado {
    const char* nome;
    LeituraCampo leitura = LeituraCampo::Texto;
    VerificacaoCampo verificacao = VerificacaoCampo::Nenhuma;
};

/// A kind of records as the analysis sees it: its source table, the field holding the record's code,
/// and every field its mapping reads.
struct TTipoAnalisado {
    const char* chave; ///< the parameter key, e.g. "CLIENTES"
    const char* nome;  ///< e.g. "Clientes"
    const char* tabela;
    const char* campoCodigo;
    std::span<const TCampoAnalisado> campos;
};

/// The five kinds in the order a run converts them.
std::span<const TTipoAnalisado> TiposAnalisados();
