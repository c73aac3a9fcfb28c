// Find-or-create lookups in the reference tables, on real embedded databases.
#include "BancoTemporario.h"
#include "EConversao.h"
#include "GravadorInterface.h"
#include "ImprimeQString.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"
#include "classConversao.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const QChar kRetornoCarro(13);

class TesteReferencias : public ::testing::Test {
protected:
    TBancoTemporario banco;
    std::unique_ptr<TConexaoDestino> conexao = banco.Conecta();
    TConversao conversao{*conexao};
    TGravadorInterface pessoa;

    // The run's commit: afterwards a second connection sees what the lookups wrote.
    void Confirma() {
        if (conexao->Transacao().Ativa()) {
            conexao->Transacao().Confirma();
        }
    }
    void Cancela() {
        if (conexao->Transacao().Ativa()) {
            conexao->Transacao().Cancela();
        }
    }
    // Every row of a select as "A|B|C", in the select's column order, read by a second connection.
    QStringList Linhas(const QString& sql) {
        QStringList r;
        auto outra = banco.Conecta();
        {
            TQueryDestino q(*outra);
            q.SetSQL(sql);
            q.Abre();
            const QStringList nomes = q.NomesCampos();
            for (; !q.Eof(); q.Proximo()) {
                QStringList campos;
                for (const QString& nome : nomes) {
                    campos << (q.CampoNulo(nome) ? QStringLiteral("<NULL>") : q.CampoTexto(nome));
                }
                r << campos.join(QLatin1Char('|'));
            }
        }
        outra->Transacao().Cancela();
        return r;
    }
};

// --- The family looked up by a quoted text ---

struct CasoTexto {
    const char* nome;
    std::function<QString(TConversao&, const QString&)> chama;
    const char* tabela;
    const char* colunaCodigo;
    const char* colunaTexto;
    const char* primeiroCodigo;
    const char* maiorExistente;
    const char* proximoCodigo;
    QString entrada;
    QString gravado; // upper-cased (ASCII only), cut to the column's length
};

// "olho d'água" keeps its quote and its lower-case accented letter; long inputs are cut.
const QString kLongo = QStringLiteral("olho d'água de minas gerais do norte e mais um texto bem comprido que passa");

const CasoTexto kCasosTexto[] = {
    {"Segmento", &TConversao::FSegmento, "CADSEGM", "CODSEGMENTO", "DESCRICAO", "001", "007", "008",
     QStringLiteral("olho d'água"), QStringLiteral("OLHO D'áGUA")},
    {"Grupo", &TConversao::FGrupo, "GRUPROD", "CODGRUPO", "DESCRICAO", "001", "041", "042", QStringLiteral("bebidas"),
     QStringLiteral("BEBIDAS")},
    {"Pais", &TConversao::FPais, "PAISES", "CODPAIS", "NOMEPAIS", "0001", "0099", "0100", kLongo,
     QStringLiteral("OLHO D'áGUA DE MINAS GERAIS DO NORTE E MAIS UM TEXTO BEM COM")},
    {"ClasCli", &TConversao::FClasCli, "CLASCLI", "CODCLASCLI", "DESCRICAO", "001", "009", "010", kLongo,
     QStringLiteral("OLHO D'áGUA DE MINAS")},
    {"LocalProd", &TConversao::FLocalProd, "LOCALPROD", "CODLOCAL", "DESCRICAO", "00000001", "00000019", "00000020",
     kLongo, QStringLiteral("OLHO D'áGUA DE MINAS")},
    {"LocProd", &TConversao::FLocProd, "LOCPROD", "CODLOCAL", "DESCRICAO", "00000001", "00000199", "00000200",
     QStringLiteral("Prateleira 3"), QStringLiteral("PRATELEIRA 3")},
};

// A failing case is named rather than dumped as bytes.
void PrintTo(const CasoTexto& c, std::ostream* os) {
    *os << c.nome;
}

class TesteReferenciaTexto : public TesteReferencias, public ::testing::WithParamInterface<CasoTexto> {
protected:
    QString Codigos() {
        const CasoTexto& c = GetParam();
        return Linhas(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1").arg(c.colunaCodigo, c.colunaTexto, c.tabela))
            .join(QLatin1Char(';'));
    }
    void Semeia(const QString& codigo, const QString& texto) {
        const CasoTexto& c = GetParam();
        banco.Executa(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES ('%4', '%5')")
                          .arg(c.tabela, c.colunaCodigo, c.colunaTexto, codigo, texto));
    }
};

TEST_P(TesteReferenciaTexto, TabelaVaziaCriaPrimeiroCodigoERepetirNaoGravaDeNovo) {
    const CasoTexto& c = GetParam();

    const QString codigo = c.chama(conversao, c.entrada);
    const QString deNovo = c.chama(conversao, c.entrada);
    Confirma();

    EXPECT_EQ(codigo, QLatin1String(c.primeiroCodigo));
    EXPECT_EQ(deNovo, codigo);
    EXPECT_EQ(Codigos(), QLatin1String(c.primeiroCodigo) + QLatin1Char('|') + c.gravado);
    EXPECT_TRUE(pessoa.Mensagens().isEmpty());
}

TEST_P(TesteReferenciaTexto, ProximoCodigoEOMaiorMaisUmComZeros) {
    const CasoTexto& c = GetParam();
    Semeia(QLatin1String(c.primeiroCodigo), QStringLiteral("PRIMEIRO"));
    Semeia(QLatin1String(c.maiorExistente), QStringLiteral("MAIOR"));

    EXPECT_EQ(c.chama(conversao, c.entrada), QLatin1String(c.proximoCodigo));
    Confirma();

    EXPECT_EQ(Linhas(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = '%4'")
                         .arg(c.colunaTexto, c.tabela, c.colunaCodigo, QLatin1String(c.proximoCodigo)))
                  .join(QLatin1Char(';')),
              c.gravado);
}

TEST_P(TesteReferenciaTexto, LinhaCriadaFicaNaTransacaoDaConversao) {
    const CasoTexto& c = GetParam();
    c.chama(conversao, c.entrada);
    Cancela();
    EXPECT_EQ(Codigos(), QString());
}

TEST_P(TesteReferenciaTexto, MaiorCodigoQueNaoENumeroLevantaErroSemGravar) {
    const CasoTexto& c = GetParam();
    Semeia(QStringLiteral("AB"), QStringLiteral("LETRAS"));

    EXPECT_THROW(c.chama(conversao, c.entrada), EConversao);
    Confirma();
    EXPECT_EQ(Codigos(), QStringLiteral("AB|LETRAS"));
}

INSTANTIATE_TEST_SUITE_P(Familia, TesteReferenciaTexto, ::testing::ValuesIn(kCasosTexto),
                         [](const ::testing::TestParamInfo<CasoTexto>& info) { return info.param.nome; });

// --- Cities ---

TEST_F(TesteReferencias, CidadeExistenteEEncontradaPeloNomeEEstadoEmMaiusculas) {
    banco.Executa(QStringLiteral("INSERT INTO CIDADES (CODCIDADE, CIDADE, CODMUNICIPIO, ESTADO) "
                                 "VALUES ('00042', 'CONTAGEM', '3118601', 'MG')"));

    EXPECT_EQ(conversao.FCidade(QStringLiteral("Contagem"), QStringLiteral("mg"), QString()), QStringLiteral("00042"));
    Confirma();
    EXPECT_EQ(Linhas(QStringLiteral("SELECT CODCIDADE FROM CIDADES")), QStringList{QStringLiteral("00042")});
}

TEST_F(TesteReferencias, CidadeNovaRecebeOMaiorCodigoMaisUm) {
    banco.Executa(QStringLiteral("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00123', 'BETIM', 'MG')"));
    // The same name in another state is another city.
    banco.Executa(QStringLiteral("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00007', 'CONTAGEM', 'SP')"));

    EXPECT_EQ(conversao.FCidade(QStringLiteral("Contagem"), QStringLiteral("mg"), QString()), QStringLiteral("00124"));
    Confirma();
    EXPECT_EQ(Linhas(QStringLiteral("SELECT CIDADE, CODMUNICIPIO, ESTADO FROM CIDADES WHERE CODCIDADE = '00124'")),
              QStringList{QStringLiteral("CONTAGEM||MG")});
}

TEST_F(TesteReferencias, CidadeComAspasEGravadaEEncontradaIntacta) {
    const QString primeira = conversao.FCidade(QStringLiteral("Olho D'Água"), QStringLiteral("MG"), QString());
    const QString segunda = conversao.FCidade(QStringLiteral("Olho D'Água"), QStringLiteral("MG"), QString());
    Confirma();

    EXPECT_EQ(primeira, QStringLiteral("00001"));
    EXPECT_EQ(segunda, primeira);
    EXPECT_EQ(Linhas(QStringLiteral("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES")),
              QStringList{QStringLiteral("00001|OLHO D'ÁGUA|MG")});
}

TEST_F(TesteReferencias, BhteUsaBeloHorizonteDeQualquerEstado) {
    banco.Executa(
        QStringLiteral("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00310', 'BELO HORIZONTE', 'SP')"));

    EXPECT_EQ(conversao.FCidade(QStringLiteral("BHTE"), QStringLiteral("MG"), QString()), QStringLiteral("00310"));
    Confirma();
    EXPECT_EQ(Linhas(QStringLiteral("SELECT COUNT(*) AS N FROM CIDADES")), QStringList{QStringLiteral("1")});
}

TEST_F(TesteReferencias, BhteSemBeloHorizonteViraCidadeComEsseNome) {
    EXPECT_EQ(conversao.FCidade(QStringLiteral("BHTE"), QStringLiteral("mg"), QString()), QStringLiteral("00001"));
    Confirma();
    EXPECT_EQ(Linhas(QStringLiteral("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES")),
              QStringList{QStringLiteral("00001|BHTE|MG")});
}

// --- Units ---

TEST_F(TesteReferencias, UnidadeDevolveSeisPrimeirasEmMaiusculasEGaranteALinha) {
    EXPECT_EQ(conversao.FUnidade(QStringLiteral("unidade")), QStringLiteral("UNIDAD"));
    EXPECT_EQ(conversao.FUnidade(QStringLiteral("Unidades")), QStringLiteral("UNIDAD"));
    Confirma();

    EXPECT_EQ(Linhas(QStringLiteral("SELECT UNIDADE FROM UNIDADES")), QStringList{QStringLiteral("UNIDAD")});
    EXPECT_TRUE(pessoa.Mensagens().isEmpty());
}

TEST_F(TesteReferencias, FalhaNaUnidadeAvisaEDevolveOTexto) {
    banco.Executa(QStringLiteral("DROP TABLE UNIDADES"));

    EXPECT_EQ(conversao.FUnidade(QStringLiteral("cx")), QStringLiteral("CX"));
    EXPECT_EQ(pessoa.Mensagens(), QStringList{QStringLiteral("AVISO: Erro ao converter Unidade.")});
}

// --- Manufacturers, families and applications: bound names, committed at once, own warnings ---

struct CasoConfirmado {
    const char* nome;
    std::function<QString(TConversao&, const QString&)> chama;
    const char* tabela;
    const char* colunaCodigo;
    const char* colunaTexto;
    const char* primeiroCodigo;
    const char* maiorExistente;
    const char* proximoCodigo;
    const char* codigoInvalido;
    int corte;
    const char* aviso;
};

const CasoConfirmado kCasosConfirmados[] = {
    {"Fabricante", &TConversao::FFabricante, "CADFABR", "CODFABRIC", "DESCRICAO", "00001", "00041", "00042", "ABCDE",
     30, "Erro ao converter Fabricante. Motivo: "},
    {"Familia", &TConversao::FFamilia, "FAMILIA", "CODIGO", "DESCRICAO", "01", "09", "10", "XY", 30,
     "Erro ao converter Família. Motivo: "},
    {"Aplicacao", [](TConversao& c, const QString& nome) { return c.FAplicacao(nome, QStringLiteral("000123")); },
     "APLICACOES", "CODAPLIC", "APLICACAO", "0001", "0199", "0200", "ABCD", 15,
     "Erro ao converter Aplicações. Motivo: "},
};

void PrintTo(const CasoConfirmado& c, std::ostream* os) {
    *os << c.nome;
}

class TesteReferenciaConfirmada : public TesteReferencias, public ::testing::WithParamInterface<CasoConfirmado> {
protected:
    QStringList Codigos() {
        const CasoConfirmado& c = GetParam();
        return Linhas(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1").arg(c.colunaCodigo, c.colunaTexto, c.tabela));
    }
    void Semeia(const QString& codigo, const QString& texto) {
        const CasoConfirmado& c = GetParam();
        banco.Executa(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES ('%4', '%5')")
                          .arg(c.tabela, c.colunaCodigo, c.colunaTexto, codigo, texto));
    }
};

TEST_P(TesteReferenciaConfirmada, CriaComOTextoCortadoSemMudarMaiusculasEConfirma) {
    const CasoConfirmado& c = GetParam();
    const QString nome = QStringLiteral("Olho d'Água Peças e Acessórios Ltda - Filial");

    const QString codigo = c.chama(conversao, nome);
    // The rows were committed by the lookup itself: the run's rollback keeps them.
    Cancela();

    EXPECT_EQ(codigo, QLatin1String(c.primeiroCodigo));
    EXPECT_EQ(Codigos(), QStringList{QLatin1String(c.primeiroCodigo) + QLatin1Char('|') + nome.left(c.corte)});
    EXPECT_EQ(c.chama(conversao, nome), codigo);
    EXPECT_EQ(Codigos().size(), 1);
    EXPECT_TRUE(pessoa.Mensagens().isEmpty());
}

TEST_P(TesteReferenciaConfirmada, ProximoCodigoEOMaiorMaisUm) {
    const CasoConfirmado& c = GetParam();
    Semeia(QLatin1String(c.maiorExistente), QStringLiteral("OUTRO"));

    EXPECT_EQ(c.chama(conversao, QStringLiteral("Novo")), QLatin1String(c.proximoCodigo));
    EXPECT_EQ(Codigos(), (QStringList{QLatin1String(c.maiorExistente) + QStringLiteral("|OUTRO"),
                                      QLatin1String(c.proximoCodigo) + QStringLiteral("|Novo")}));
}

TEST_P(TesteReferenciaConfirmada, NomeVazioNaoGravaNada) {
    const CasoConfirmado& c = GetParam();

    EXPECT_EQ(c.chama(conversao, QString()), QString());
    Confirma();
    EXPECT_EQ(Codigos(), QStringList());
    EXPECT_TRUE(pessoa.Mensagens().isEmpty());
}

TEST_P(TesteReferenciaConfirmada, FalhaEAvisadaComOMotivoEDevolveVazio) {
    const CasoConfirmado& c = GetParam();
    Semeia(QLatin1String(c.codigoInvalido), QStringLiteral("LETRAS"));

    EXPECT_EQ(c.chama(conversao, QStringLiteral("Novo")), QString());
    EXPECT_EQ(pessoa.Mensagens(),
              QStringList{QStringLiteral("AVISO: ") + QLatin1String(c.aviso) + kRetornoCarro +
                          QStringLiteral("'%1' não é um valor inteiro válido").arg(QLatin1String(c.codigoInvalido))});
    EXPECT_EQ(Codigos().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Familia, TesteReferenciaConfirmada, ::testing::ValuesIn(kCasosConfirmados),
                         [](const ::testing::TestParamInfo<CasoConfirmado>& info) { return info.param.nome; });

TEST_F(TesteReferencias, AplicacaoNovaLigaOProdutoEConfirma) {
    EXPECT_EQ(conversao.FAplicacao(QStringLiteral("Freio"), QStringLiteral("000123")), QStringLiteral("0001"));
    Cancela();
    EXPECT_EQ(Linhas(QStringLiteral("SELECT CODAPLIC, CODPROD FROM PRODAPLIC")),
              QStringList{QStringLiteral("0001|000123")});
}

// --- Groups and subgroups with given codes ---

TEST_F(TesteReferencias, GrupoComCodigoDadoCriaSoQuandoFalta) {
    banco.Executa(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('002', 'LIMPEZA')"));

    EXPECT_EQ(conversao.FGrupoComCodigoPredefinido(QStringLiteral("7"), QStringLiteral("bebidas")),
              QStringLiteral("7"));
    EXPECT_EQ(conversao.FGrupoComCodigoPredefinido(QStringLiteral("2"), QStringLiteral("outra")), QStringLiteral("2"));
    // Digit codes are compared as numbers: extra leading zeros still find the stored group.
    EXPECT_EQ(conversao.FGrupoComCodigoPredefinido(QStringLiteral("0002"), QStringLiteral("mais uma")),
              QStringLiteral("0002"));
    Confirma();

    EXPECT_EQ(Linhas(QStringLiteral("SELECT CODGRUPO, DESCRICAO FROM GRUPROD ORDER BY CODGRUPO")),
              (QStringList{QStringLiteral("002|LIMPEZA"), QStringLiteral("007|BEBIDAS")}));
}

TEST_F(TesteReferencias, CodigoDeGrupoHostilNaoMudaAConsulta) {
    banco.Executa(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('001', 'LIMPEZA')"));

    // Read as SQL, "0 OR 1=1" would find the existing group and write nothing; as a value it
    // is a code that does not fit the column, and the insert is refused.
    EXPECT_THROW(conversao.FGrupoComCodigoPredefinido(QStringLiteral("0 OR 1=1"), QStringLiteral("x")), EConversao);
    // A code with a quote is an ordinary value.
    EXPECT_EQ(conversao.FGrupoComCodigoPredefinido(QStringLiteral("9'9"), QStringLiteral("aspas")),
              QStringLiteral("9'9"));
    EXPECT_EQ(conversao.FGrupoComCodigoPredefinido(QStringLiteral("9'9"), QStringLiteral("aspas")),
              QStringLiteral("9'9"));
    Confirma();

    EXPECT_EQ(Linhas(QStringLiteral("SELECT CODGRUPO, DESCRICAO FROM GRUPROD ORDER BY CODGRUPO")),
              (QStringList{QStringLiteral("001|LIMPEZA"), QStringLiteral("9'9|ASPAS")}));
}

TEST_F(TesteReferencias, SubgrupoUsaOsTresUltimosDigitosNaBuscaENaGravacao) {
    EXPECT_EQ(conversao.FSubGrupoComCodigoPredefinido(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("sub")),
              QStringLiteral("2"));
    // Longer codes end in the same three digits: the row is found, not written twice.
    EXPECT_EQ(conversao.FSubGrupoComCodigoPredefinido(QStringLiteral("00001"), QStringLiteral("0002"),
                                                      QStringLiteral("outra")),
              QStringLiteral("0002"));
    EXPECT_EQ(
        conversao.FSubGrupoComCodigoPredefinido(QStringLiteral("1"), QStringLiteral("1'1"), QStringLiteral("aspas")),
        QStringLiteral("1'1"));
    Confirma();

    EXPECT_EQ(Linhas(QStringLiteral("SELECT CODGRUPO, CODSUBGRUPO, DESCRICAO FROM SUBGRUP ORDER BY CODSUBGRUPO")),
              (QStringList{QStringLiteral("001|002|SUB"), QStringLiteral("001|1'1|ASPAS")}));
}

// --- Tax classification ---

TEST_F(TesteReferencias, ClassificacaoFiscalVaziaNaoBuscaNemGrava) {
    EXPECT_EQ(conversao.FClassificacaoFiscal(QStringLiteral("   "), QStringLiteral("1234")), QString());
    EXPECT_EQ(conversao.FRetornaCodClasFis(QString()), QString());
    Confirma();
    EXPECT_EQ(Linhas(QStringLiteral("SELECT CODCLASFIS FROM CLASFISC")), QStringList());
}

TEST_F(TesteReferencias, ClassificacaoFiscalCriaEEncontraPeloNcmGravado) {
    EXPECT_EQ(conversao.FClassificacaoFiscal(QStringLiteral("22021000"), QStringLiteral(" 2202.10 ")),
              QStringLiteral("0001"));
    // Blanks around the NCM do not make it another classification.
    EXPECT_EQ(conversao.FClassificacaoFiscal(QStringLiteral(" 22021000 "), QString()), QStringLiteral("0001"));
    EXPECT_EQ(conversao.FRetornaCodClasFis(QStringLiteral("8708.30.90")), QStringLiteral("0002"));
    Confirma();

    EXPECT_EQ(Linhas(QStringLiteral("SELECT CODCLASFIS, CODIGONCM, CODNBM, CODNATRECEITA FROM CLASFISC "
                                    "ORDER BY CODCLASFIS")),
              (QStringList{QStringLiteral("0001|22021000|2202.10|999"), QStringLiteral("0002|8708.30.|8708.30.|999")}));
}

// --- Point-of-sale machines ---

TEST_F(TesteReferencias, MaquinaPeloNumeroDeSerie) {
    banco.Executa(QStringLiteral("INSERT INTO PDVFISC (MAQUINA, NUMSERIE) VALUES ('003', 'BE0911AB')"));

    EXPECT_EQ(conversao.FRetornaMaquina(QStringLiteral("BE0911AB")), QStringLiteral("003"));
    EXPECT_EQ(conversao.FRetornaMaquina(QStringLiteral("X' OR ''='")), QString());
}

} // namespace
