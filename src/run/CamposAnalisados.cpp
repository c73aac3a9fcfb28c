#include "CamposAnalisados.h"

#include <array>

namespace {

using L = LeituraCampo;
using V = VerificacaoCampo;

// The fields each mapping reads, and how (see the controllers in converters/).
constexpr std::array<TCampoAnalisado, 3> kVendedores = {{
    {"CONTROLE"},
    {"NOME", L::Texto, V::Nome},
    {"COMISSAO", L::NumeroPresente},
}};

constexpr std::array<TCampoAnalisado, 18> kClientes = {{
    {"CODIGO"},
    {"NOME", L::Texto, V::Nome},
    {"ENDERECO"},
    {"BAIRRO"},
    {"ESTADO", L::Texto, V::Uf},
    {"CIDADE"},
    {"CEP", L::Texto, V::Cep},
    {"CGC", L::Texto, V::CpfCnpj},
    {"INSC"},
    {"OBS"},
    {"CONTATO"},
    {"TELEFONE"},
    {"FAX"},
    {"LKVENDEDOR"},
    {"ATIVIDADE"},
    {"DATA"},
    {"NASCIMENTO"},
    {"TAGFISICA"},
}};

constexpr std::array<TCampoAnalisado, 13> kFornecedores = {{
    {"CONTROLE"},
    {"EMPRESA", L::Texto, V::Nome},
    {"ENDERECO"},
    {"BAIRRO"},
    {"ESTADO", L::Texto, V::Uf},
    {"CIDADE"},
    {"CEP", L::Texto, V::Cep},
    {"CGC", L::Texto, V::CpfCnpj},
    {"INSC"},
    {"EMAIL", L::Texto, V::Email},
    {"CONTATO"},
    {"TELEFONE"},
    {"FAX"},
}};

constexpr std::array<TCampoAnalisado, 2> kGrupos = {{
    {"CONTROLE"},
    {"SETOR"},
}};

constexpr std::array<TCampoAnalisado, 13> kProdutos = {{
    {"CODIGO"},
    {"PRODUTO", L::Texto, V::Nome},
    {"LKSETOR"},
    {"LKFORNEC"},
    {"UNIDADE"},
    {"PRECOVENDA", L::NumeroPresente},
    {"ESTMINIMO", L::NumeroPresente},
    {"LUCRO", L::NumeroPresente},
    {"ULTREAJ", L::DataPresente},
    {"BASECALCULO", L::NumeroNaoNulo},
    {"PRECOCUSTO", L::NumeroPresente},
    {"CUSTOMEDIO", L::NumeroPresente},
    {"QUANTIDADE", L::NumeroPresente},
}};

constexpr std::array<TTipoAnalisado, 5> kTipos = {{
    {"VENDEDORES", "Vendedores", "TABVEND", "CONTROLE", kVendedores},
    {"CLIENTES", "Clientes", "TABCLI", "CODIGO", kClientes},
    {"FORNECEDORES", "Fornecedores", "TABFOR", "CONTROLE", kFornecedores},
    {"GRUPOSPRODUTOS", "Grupos de Produtos", "TABEST8", "CONTROLE", kGrupos},
    {"PRODUTOS", "Produtos", "TABEST1", "CODIGO", kProdutos},
}};

} // namespace

std::span<const TTipoAnalisado> TiposAnalisados() {
    return kTipos;
}
