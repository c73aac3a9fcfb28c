// The statements of the product writer, built as literal SQL from the fields.
#include "Produto.h"

#include "Renderizacao.h"
#include "SqlMontada.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

// Column names with their values, in statement order.
class TColunas {
public:
    void Texto(const char* nome, const QString& valor) { m_colunas.push_back({nome, Tipo::Texto, valor}); }
    void Real(const char* nome, double valor) { m_colunas.push_back({nome, Tipo::Numero, LiteralReal(valor)}); }
    void Inteiro(const char* nome, int valor) { m_colunas.push_back({nome, Tipo::Numero, QString::number(valor)}); }
    void Data(const char* nome, TDateTime valor) { Texto(nome, TextoData(valor)); }
    void Literal(const char* nome, const QString& sql) { m_colunas.push_back({nome, Tipo::Sql, sql}); }

    TSqlMontada Insercao() const {
        // The part before the values depends on the column names only, which every product
        // repeats save for the dates it leaves out: the last few are kept and reused.
        struct Inicio {
            std::vector<const char*> nomes;
            QByteArray texto;
        };
        thread_local std::array<Inicio, 16> inicios;
        thread_local std::size_t proximo = 0;
        const auto mesmos = [this](const Inicio& i) {
            return i.nomes.size() == m_colunas.size() &&
                   std::equal(m_colunas.begin(), m_colunas.end(), i.nomes.begin(),
                              [](const TColuna& coluna, const char* nome) { return coluna.nome == nome; });
        };
        auto achado = std::find_if(inicios.begin(), inicios.end(), mesmos);
        if (achado == inicios.end()) {
            achado = inicios.begin() + static_cast<std::ptrdiff_t>(proximo);
            proximo = (proximo + 1) % inicios.size();
            achado->nomes.clear();
            achado->texto = "Insert Into Produto (";
            for (std::size_t i = 0; i < m_colunas.size(); ++i) {
                if (i > 0) {
                    achado->texto += ", ";
                }
                achado->texto += "Produto.";
                achado->texto += m_colunas[i].nome;
                achado->nomes.push_back(m_colunas[i].nome);
            }
            achado->texto += ") Values (";
        }
        const QByteArray& inicioAnterior = achado->texto;
        TSqlMontada r;
        const auto n = static_cast<qsizetype>(m_colunas.size());
        r.Reserva(inicioAnterior.size() + 3 * n, n);
        r.Sql(QLatin1StringView(inicioAnterior));
        for (std::size_t i = 0; i < m_colunas.size(); ++i) {
            if (i > 0) {
                r.Sql(QLatin1StringView(", "));
            }
            const TColuna& c = m_colunas[i];
            switch (c.tipo) {
            case Tipo::Texto:
                r.Texto(c.valor);
                break;
            case Tipo::Numero:
                r.Numero(c.valor);
                break;
            case Tipo::Sql:
                r.Sql(QLatin1StringView(c.valor.toLatin1()));
                break;
            }
        }
        r.Sql(QLatin1StringView(")"));
        return r;
    }

    QString Atualizacao(const QString& codProd) const {
        QString atribuicoes;
        for (const TColuna& c : m_colunas) {
            if (!atribuicoes.isEmpty()) {
                atribuicoes += QLatin1String(", ");
            }
            atribuicoes += QLatin1String("Produto.") + QLatin1String(c.nome) + QLatin1Char('=') +
                           (c.tipo == Tipo::Texto ? LiteralTexto(c.valor) : c.valor);
        }
        return QStringLiteral("Update Produto SET ") + atribuicoes + QStringLiteral(" Where Produto.CODPROD=") +
               LiteralTexto(codProd);
    }

private:
    enum class Tipo : unsigned char { Texto, Numero, Sql };
    struct TColuna {
        const char* nome;
        Tipo tipo;
        QString valor; // Texto: the text itself; otherwise the SQL that writes it
    };

    std::vector<TColuna> m_colunas;
};

} // namespace

TSqlMontada TConverteProduto::MontaSqlInsercao() const {
    // An unknown date (1 January 1900) and an empty registration date leave their column out,
    // so the table's default applies.
    const TDateTime semData = SemData();
    TColunas c;
    c.Texto("CODPROD", FCodProd);
    c.Texto("TIPOPROD", FTipoProd);
    c.Texto("ATIVO", FAtivado);
    c.Texto("PRODBLOQUEADO", FProdBloqueado);
    c.Texto("CONTROLESERIE", FControleSerie);
    c.Texto("REFERENCIA", FReferencia);
    c.Texto("REFFABRICANTE", FRefFabricante);
    c.Texto("DESCRICAO", FDescricao);
    c.Texto("DESCRICAO2", FDescricao2);
    c.Texto("DESCRICAO3", FDescricao3);
    c.Texto("FORNEC_ULT_ENT1", FFornec_Ult_Ent1);
    c.Texto("CODGRUPO", FCodGrupo);
    c.Texto("CODSUBGRUPO", FCodSubGrupo);
    c.Texto("PRINCIPALFORNEC", FPrincipalFornecedor);
    c.Texto("EMBALAGEM", FEmbalagem);
    c.Texto("CODFABRIC", FCodFabric);
    c.Texto("OBSERVACAO", FObservacao);
    c.Texto("CODLOCAL", FCodLocal);
    c.Texto("CODCLASFIS", FCodClasFis);
    c.Real("ALIQICMSREG00", FAliqIcmsReg00);
    c.Real("BASEICMSREG00", FBaseIcmsReg00);
    c.Real("BASEICMSREG02", FBaseIcmsReg02);
    c.Texto("CODTRIBUT00", FCodTribut00);
    c.Texto("CODTRIBUT01", FCodTribut01);
    c.Real("ALIQICMSPDV", FAliqIcmsPdv);
    c.Texto("SUBSTRIB", FSubsTrib);
    c.Real("AliqIpi", FAliqIpi);
    c.Real("AliqISS", FAliqIss);
    c.Real("PESO", FPeso);
    c.Texto("UNIDADEENT", FUnidEntrada);
    c.Texto("UNIDADESAIDA", FUnidSaida);
    c.Texto("CodFamilia", FCodFamilia);
    c.Texto("CodTipoProduto", FCodTipoProduto);
    c.Texto("CodVolume", FCodVolume);
    c.Texto("TipoEntrega", FTipoEntrega);
    c.Texto("CodGeneroItem", FCodGeneroItem);
    c.Real("SUGESTAO", FSugestao);
    c.Real("PRECO", FPreco);
    c.Texto("DESCRICAOPRECO", FDescricaoPreco);
    c.Real("PRECO2", FPreco2);
    c.Texto("DESCRICAOPRECO2", FDescricaoPreco2);
    c.Real("PRECO3", FPreco3);
    c.Texto("DESCRICAOPRECO3", FDescricaoPreco3);
    c.Real("PRECO4", FPreco4);
    c.Texto("DESCRICAOPRECO4", FDescricaoPreco4);
    c.Real("PRECO_ANTERIOR", FPreco_Anterior);
    c.Real("Pr_Ult_Ent1", FPrUltEnt1);
    c.Real("Lucro", FLucro);
    c.Real("Lucro2", Flucro2);
    c.Real("Lucro3", FLucro3);
    c.Real("Lucro4", FLucro4);
    c.Real("EstMinimo", FEstMinimo);
    c.Real("EstMaximo", FEstMaximo);
    c.Real("Comissao", FComissao);
    c.Real("Perc_Iva", FPercIva);
    c.Real("FatorConversao", FFatorConversao);
    c.Texto("MultDivide", FMultiplicaDifica);
    c.Real("ValorIpi", FValorIpi);
    c.Real("PrecoPromo", FPrecoPromo);
    if (!FDt_Cadastro.isEmpty()) {
        c.Texto("DT_CADASTRO", FDt_Cadastro);
    }
    if (FData_Ult_Ent != semData) {
        c.Data("Data_Ult_Ent1", FData_Ult_Ent);
    }
    if (FData_Ult_Rea != semData) {
        c.Data("Data_Ult_Reajuste", FData_Ult_Rea);
    }
    if (FData_Ult_Alt != semData) {
        c.Data("Data_Ult_Alteracao", FData_Ult_Alt);
    }
    c.Texto("Fracionado", FFracionado);
    c.Texto("CAMPOLIVRE1", FCampoLivre1);
    c.Texto("CAMPOLIVRE2", FCampoLivre2);
    c.Texto("CAMPOLIVRE3", FCampoLivre3);
    c.Texto("CAMPOLIVRE4", FCampoLivre4);
    c.Texto("mensagem00", FMensagem00);
    c.Real("aliqicmsreg01", FAliqIcmsReg01);
    c.Real("BaseIcmsReg01", FBaseIcmsReg01);
    c.Texto("mensagem01", FMensagem01);
    c.Real("aliqicmsreg02", FAliqIcmsReg02);
    c.Texto("CODTRIBUT02", FCodTribut02);
    c.Texto("mensagem02", FMensagem02);
    c.Real("aliqicmsreg03", FAliqIcmsReg03);
    c.Real("BaseIcmsReg03", FBaseIcmsReg03);
    c.Texto("CODTRIBUT03", FCodTribut03);
    c.Texto("mensagem03", FMensagem03);
    c.Real("AliqIcmsDiversos", FAliqIcmsDiversos);
    c.Real("BaseIcmsdiversos", FBaseIcmsdiversos);
    c.Texto("CodTributDiversos", FCodTributDiversos);
    c.Texto("MensagemDiversos", FMensagemDiversos);
    c.Real("lucrosubstrib", Flucrosubstrib);
    c.Texto("substribsaida", FSubsTribSaida);
    c.Real("PERCPERDA", FPercPerda);
    c.Real("percbasesubstribsaida", FPercBaseSubsTribSaida);
    c.Real("PercIcmsSubsTribSaida", FPercIcmsSubsTribSaida);
    c.Texto("substribsaidaR1", FSubsTribSaidaR1);
    c.Real("percbasesubstribsaidaR1", FPercBaseSubsTribSaidaR1);
    c.Real("PercIcmsSubsTribSaidaR1", FPercIcmsSubsTribSaidaR1);
    c.Texto("substribsaidaR2", FSubsTribSaidaR2);
    c.Real("percbasesubstribsaidaR2", FPercBaseSubsTribSaidaR2);
    c.Real("PercIcmsSubsTribSaidaR2", FPercIcmsSubsTribSaidaR2);
    c.Texto("substribsaidaR3", FSubsTribSaidaR3);
    c.Real("percbasesubstribsaidaR3", FPercBaseSubsTribSaidaR3);
    c.Real("PercIcmsSubsTribSaidaR3", FPercIcmsSubsTribSaidaR3);
    c.Texto("substribsaidaR4", FSubsTribSaidaR4);
    c.Real("percbasesubstribsaidaR4", FPercBaseSubsTribSaidaR4);
    c.Texto("ControleLote", FControleLote);
    c.Real("PercIcmsSubsTribSaidaR4", FPercIcmsSubsTribSaidaR4);
    c.Real("Quant_Ult_Ent1", FQuant_Ult_Ent1);
    c.Texto("CFOPFORAUF", FCFOPForaUF);
    c.Texto("CFOPDENTROUF", FCFOPDentroUF);
    c.Inteiro("DIASESTMINIMO", FDiasEstMinimo);
    c.Inteiro("DIASESTMAXIMO", FDiasEstMaximo);
    c.Inteiro("grade", FGRADE);
    return c.Insercao();
}

QString TConverteProduto::MontaSqlAtualizacao() const {
    // Unlike the insert, every date is written (1 January 1900 included) and an empty
    // registration date clears the column.
    TColunas c;
    c.Texto("TIPOPROD", FTipoProd);
    c.Texto("ATIVO", FAtivado);
    c.Texto("PRODBLOQUEADO", FProdBloqueado);
    c.Texto("CONTROLESERIE", FControleSerie);
    c.Texto("CONTROLELOTE", FControleLote);
    c.Texto("REFERENCIA", FReferencia);
    c.Texto("REFFABRICANTE", FRefFabricante);
    c.Texto("DESCRICAO", FDescricao);
    c.Texto("DESCRICAO2", FDescricao2);
    c.Texto("DESCRICAO3", FDescricao3);
    c.Texto("FORNEC_ULT_ENT1", FFornec_Ult_Ent1);
    c.Texto("CODGRUPO", FCodGrupo);
    c.Texto("CODSUBGRUPO", FCodSubGrupo);
    c.Texto("PRINCIPALFORNEC", FPrincipalFornecedor);
    c.Texto("EMBALAGEM", FEmbalagem);
    c.Texto("CODFABRIC", FCodFabric);
    c.Texto("OBSERVACAO", FObservacao);
    c.Texto("CODLOCAL", FCodLocal);
    c.Texto("CODCLASFIS", FCodClasFis);
    c.Real("ALIQICMSREG00", FAliqIcmsReg00);
    c.Real("BASEICMSREG00", FBaseIcmsReg00);
    c.Real("BASEICMSREG02", FBaseIcmsReg02);
    c.Texto("CODTRIBUT00", FCodTribut00);
    c.Texto("CODTRIBUT01", FCodTribut01);
    c.Real("ALIQICMSPDV", FAliqIcmsPdv);
    c.Texto("SUBSTRIB", FSubsTrib);
    c.Real("AliqIpi", FAliqIpi);
    c.Real("PESO", FPeso);
    c.Texto("UNIDADEENT", FUnidEntrada);
    c.Texto("UNIDADESAIDA", FUnidSaida);
    c.Texto("CodFamilia", FCodFamilia);
    c.Texto("CodTipoProduto", FCodTipoProduto);
    c.Texto("CodVolume", FCodVolume);
    c.Texto("TipoEntrega", FTipoEntrega);
    c.Real("PRECO", FPreco);
    c.Real("SUGESTAO", FSugestao);
    c.Texto("DESCRICAOPRECO", FDescricaoPreco);
    c.Real("PRECO2", FPreco2);
    c.Texto("DESCRICAOPRECO2", FDescricaoPreco2);
    c.Real("PRECO3", FPreco3);
    c.Texto("DESCRICAOPRECO3", FDescricaoPreco3);
    c.Real("PRECO4", FPreco4);
    c.Texto("DESCRICAOPRECO4", FDescricaoPreco4);
    c.Real("PRECO_ANTERIOR", FPreco_Anterior);
    c.Real("Pr_Ult_Ent1", FPrUltEnt1);
    c.Real("Lucro", FLucro);
    c.Real("Lucro2", Flucro2);
    c.Real("Lucro3", FLucro3);
    c.Real("Lucro4", FLucro4);
    c.Real("EstMinimo", FEstMinimo);
    c.Real("EstMaximo", FEstMaximo);
    c.Real("Comissao", FComissao);
    c.Real("Perc_Iva", FPercIva);
    c.Real("FatorConversao", FFatorConversao);
    c.Texto("MultDivide", FMultiplicaDifica);
    c.Real("ValorIpi", FValorIpi);
    c.Real("PrecoPromo", FPrecoPromo);
    if (FDt_Cadastro.isEmpty()) {
        c.Literal("DT_CADASTRO", QStringLiteral("NULL"));
    } else {
        c.Texto("DT_CADASTRO", FDt_Cadastro);
    }
    c.Data("Data_Ult_Ent1", FData_Ult_Ent);
    c.Data("Data_Ult_Reajuste", FData_Ult_Rea);
    c.Data("Data_Ult_Alteracao", FData_Ult_Alt);
    c.Texto("Fracionado", FFracionado);
    c.Texto("CAMPOLIVRE1", FCampoLivre1);
    c.Texto("CAMPOLIVRE2", FCampoLivre2);
    c.Texto("CAMPOLIVRE3", FCampoLivre3);
    c.Texto("CAMPOLIVRE4", FCampoLivre4);
    c.Texto("mensagem00", FMensagem00);
    c.Real("aliqicmsreg01", FAliqIcmsReg01);
    c.Real("BaseIcmsReg01", FBaseIcmsReg01);
    c.Texto("mensagem01", FMensagem01);
    c.Real("aliqicmsreg02", FAliqIcmsReg02);
    c.Texto("CODTRIBUT02", FCodTribut02);
    c.Texto("mensagem02", FMensagem02);
    c.Real("aliqicmsreg03", FAliqIcmsReg03);
    c.Real("BaseIcmsReg03", FBaseIcmsReg03);
    c.Texto("CODTRIBUT03", FCodTribut03);
    c.Texto("mensagem03", FMensagem03);
    c.Real("AliqIcmsDiversos", FAliqIcmsDiversos);
    c.Real("BaseIcmsdiversos", FBaseIcmsdiversos);
    c.Texto("CodTributDiversos", FCodTributDiversos);
    c.Texto("MensagemDiversos", FMensagemDiversos);
    c.Texto("CodGeneroItem", FCodGeneroItem);
    c.Real("lucrosubstrib", Flucrosubstrib);
    c.Texto("substribsaida", FSubsTribSaida);
    c.Real("percbasesubstribsaida", FPercBaseSubsTribSaida);
    c.Real("PERCPERDA", FPercPerda);
    c.Real("PercIcmsSubsTribSaida", FPercIcmsSubsTribSaida);
    c.Texto("substribsaidaR1", FSubsTribSaidaR1);
    c.Real("percbasesubstribsaidaR1", FPercBaseSubsTribSaidaR1);
    c.Real("PercIcmsSubsTribSaidaR1", FPercIcmsSubsTribSaidaR1);
    c.Texto("substribsaidaR2", FSubsTribSaidaR2);
    c.Real("percbasesubstribsaidaR2", FPercBaseSubsTribSaidaR2);
    c.Real("PercIcmsSubsTribSaidaR2", FPercIcmsSubsTribSaidaR2);
    c.Texto("substribsaidaR3", FSubsTribSaidaR3);
    c.Real("percbasesubstribsaidaR3", FPercBaseSubsTribSaidaR3);
    c.Real("PercIcmsSubsTribSaidaR3", FPercIcmsSubsTribSaidaR3);
    c.Texto("substribsaidaR4", FSubsTribSaidaR4);
    c.Real("percbasesubstribsaidaR4", FPercBaseSubsTribSaidaR4);
    c.Real("PercIcmsSubsTribSaidaR4", FPercIcmsSubsTribSaidaR4);
    c.Real("Quant_Ult_Ent1", FQuant_Ult_Ent1);
    c.Texto("CFOPFORAUF", FCFOPForaUF);
    c.Texto("CFOPDENTROUF", FCFOPDentroUF);
    c.Inteiro("DIASESTMINIMO", FDiasEstMinimo);
    c.Inteiro("DIASESTMAXIMO", FDiasEstMaximo);
    return c.Atualizacao(FCodProd);
}

QString TConverteProduto::MontaSqlAtualizacaoPreco() const {
    TColunas c;
    c.Texto("REFERENCIA", FReferencia);
    c.Texto("REFFABRICANTE", FRefFabricante);
    c.Texto("CODGRUPO", FCodGrupo);
    c.Texto("PRINCIPALFORNEC", FPrincipalFornecedor);
    c.Real("PRECO", FPreco);
    c.Real("PRECO2", FPreco2);
    c.Real("PRECO3", FPreco3);
    c.Real("PRECO4", FPreco4);
    return c.Atualizacao(FCodProd);
}
