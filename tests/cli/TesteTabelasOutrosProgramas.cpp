// Tables written by other programs (tests/tabelas, made by LibreOffice Calc and GDAL; see gera.sh there)
// converted end to end by the headless command, the stored values compared with values worked out by
// hand; and what the reader warns about, and refuses, as the command shows it.
#include "../unit/FixturesDbf.h"
#include "BancoTemporario.h"
#include "ConsultasTeste.h"
#include "ExecutaCli.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

#include <sys/stat.h>

namespace {

// A copy of a folder of tests/tabelas, so that nothing is written beside the kept files.
QString CopiaTabelas(const QTemporaryDir& destino, const QString& nome, bool comCpg = true) {
    const QDir origem(QStringLiteral(TAVRIN_FONTES "/tests/tabelas/") + nome);
    for (const QString& arquivo : origem.entryList(QDir::Files)) {
        if (comCpg || !arquivo.endsWith(QLatin1String(".cpg"))) {
            QFile::copy(origem.filePath(arquivo), destino.filePath(arquivo));
        }
    }
    return destino.path();
}

// Each row as its columns' texts joined by " | ".
QStringList Linhas(const TBancoTemporario& banco, const QString& sql) {
    QStringList linhas;
    for (const QMap<QString, QString>& linha : banco.Linhas(sql)) {
        QStringList colunas;
        for (const QString& coluna : linha) {
            colunas << coluna;
        }
        linhas << colunas.join(QStringLiteral(" | "));
    }
    return linhas;
}

struct TConsulta {
    const char* sql; ///< the columns in alphabetical order, as the rows come back
    QStringList linhas;
};

struct TCasoTabelas {
    const char* nome;
    const char* pasta;
    bool comCpg;
    const char* pagina; ///< every table's page and how it was chosen, as the summary names them
    const char* escolha;
    std::vector<TConsulta> consultas;
};

// LibreOffice, Windows-1252 without a driver byte, only letters cp850 has too: José, André, Sé,
// Câmaras, à vista, CALÇADOS. Names lose their accents by rule; addresses and contacts keep them.
const std::vector<TConsulta> kLibreOffice = {
    {"SELECT CODVENDEDOR, COMISSAO, NOME FROM VENDEND ORDER BY CODVENDEDOR",
     {"0001 | 2.5 | JOSE CARLOS", "0002 | 0 | ANDRE PERES", "0003 | 10 | ZE LIMA"}},
    {"SELECT BAIRRO, CODCLIENTE, CONTATO, DT_NASCIMENTO, ENDERECO, NOME, OBSERVACAO, PESSOA_FJ "
     "FROM CLIENTE ORDER BY CODCLIENTE",
     {"Sé | 00000001 | André | 01.12.1980 | Rua da Sé, 10 | JOSE CARLOS | Paga à vista | F",
      "Lourdes | 00000002 | Zé | <NULL> | R. DO CONTORNO, 3443 - APTO 1099 | ANDRE PERES |  | F",
      "Centro | 00000003 |  | <NULL> | RUA J, 1.234 | CALCADOS LIMA LTDA | Entrega à tarde | J"}},
    {"SELECT C.CODCLIENTE, C.DT_CADASTRO, N.NUMERONFE FROM CLIENTE C JOIN COMPCLIE N "
     "ON N.CODCLIENTE = C.CODCLIENTE WHERE C.CODCLIENTE < '00000003' ORDER BY C.CODCLIENTE",
     {"00000001 | 15.03.2010 | 10", "00000002 | 01.07.2015 | 3443"}},
    {"SELECT NUMERONFE FROM COMPCLIE WHERE CODCLIENTE = '00000003'", {"1234"}},
    {"SELECT CODFORNEC, CONTATO, EMAIL, ENDERECO, NOME FROM FORNECE ORDER BY CODFORNEC",
     {"000001 | José | vendas@distse.com.br | Av. Amazonas, 500 | DISTRIBUIDORA SE LTDA",
      "000002 | Zé Lima |  | Rua Direita, 7 | CALCADOS DO ZE"}},
    {"SELECT CODGRUPO, DESCRICAO FROM GRUPROD ORDER BY CODGRUPO",
     {"001 | CALCADOS", "002 | CAMARAS E PNEUS", "003 | CAFE"}},
    {"SELECT BASEICMSREG00, CODGRUPO, CODPROD, DATA_ULT_REAJUSTE, DESCRICAO, ESTMINIMO, LUCRO, PRECO, "
     "UNIDADEENT FROM PRODUTO ORDER BY CODPROD",
     {"100 | 001 | 000015 | 10.05.2023 | BOTA CAFE 40 | 2 | 35 | 189.9 | PAR",
      "0 | 002 | 000016 | <NULL> | LAMPADA 60W | 10 | 40 | 7.5 | UN",
      "0 | 003 | 000017 | 31.01.2024 | CHAPEU DE PALHA | 1 | 50 | 45 | UN"}},
    {"SELECT CODPROD, ESTOQUE, PRECOCUSTO, PRECOMEDIO FROM COMPPROD ORDER BY CODPROD",
     {"000015 | 12 | 120.5 | 118.25", "000016 | 250.5 | 4.2 | 4.1", "000017 | -3 | 20 | 21.3333"}},
};

// GDAL, cp850 with its .cpg (or without it, told from the text): the letters only cp850 has where
// they are, BASECALCULO written as BASECALCUL, a blank number written as asterisks.
const std::vector<TConsulta> kGdal = {
    {"SELECT CODVENDEDOR, COMISSAO, NOME FROM VENDEND ORDER BY CODVENDEDOR",
     {"0001 | 3.75 | JOAO CONCEICAO", "0002 | 0 | MARCIA SIMOES"}},
    {"SELECT BAIRRO, CODCLIENTE, CONTATO, DT_CADASTRO, DT_NASCIMENTO, ENDERECO, NOME, OBSERVACAO "
     "FROM CLIENTE ORDER BY CODCLIENTE",
     {"Céu Azul | 00000010 | Luís Antônio | 30.09.2012 | <NULL> | AVENIDA SANTOS DUMONT, Nº 2084 - SALA 27 | "
      "ACAO ORGANICA LTDA | Não entregar às segundas",
      "Jardim Itú | 00000011 | Íris | 01.01.2001 | 21.04.1975 | RUA 13 DE MAIO S/N | IRIS GONCALVES | "}},
    {"SELECT CODCLIENTE, NUMERONFE FROM COMPCLIE ORDER BY CODCLIENTE", {"00000010 | 2084", "00000011 | "}},
    {"SELECT CODFORNEC, CONTATO, EMAIL, ENDERECO, NOME FROM FORNECE ORDER BY CODFORNEC",
     {"000005 | Conceição | compras@paodeacucar.com.br | Rua Tomé de Souza, 850 | INDUSTRIA PAO DE ACUCAR SA"}},
    {"SELECT CODGRUPO, DESCRICAO FROM GRUPROD ORDER BY CODGRUPO",
     {"004 | MATERIAL DE CONSTRUCAO", "005 | ELETRICA E ILUMINACAO"}},
    {"SELECT BASEICMSREG00, CODGRUPO, CODPROD, DATA_ULT_REAJUSTE, DESCRICAO, ESTMINIMO, LUCRO, PRECO, "
     "UNIDADEENT FROM PRODUTO ORDER BY CODPROD",
     {"39.9 | 004 | 000020 | 29.02.2024 | CIMENTO VOTORAN 50KG - SACO | 20 | 25.5 | 39.9 | SC",
      "0 | 005 | 000021 | <NULL> | LAMPADA LED 9W BIVOLT | 0 | 60 | 12.49 | UN"}},
    {"SELECT CODPROD, ESTOQUE, PRECOCUSTO, PRECOMEDIO FROM COMPPROD ORDER BY CODPROD",
     {"000020 | 145 | 31.8 | 30.1234", "000021 | 0 | 7.8 | 0"}},
};

// Cases print by name in test listings.
void PrintTo(const TCasoTabelas& caso, std::ostream* saida) {
    *saida << caso.nome;
}

class TabelasOutrosProgramas : public ::testing::TestWithParam<TCasoTabelas> {};

TEST_P(TabelasOutrosProgramas, ConvertemComAsLetrasNumerosEDatasCertos) {
    const TCasoTabelas& caso = GetParam();
    QTemporaryDir origem;
    CopiaTabelas(origem, QLatin1String(caso.pasta), caso.comCpg);
    TBancoTemporario banco;
    const QString json = QDir(banco.Pasta()).filePath(QStringLiteral("resumo.json"));

    const TResultadoCli r = ExecutaCli(ArgumentosConverter(
        origem.path(), banco.Caminho(), {QStringLiteral("--todos"), QStringLiteral("--resumo"), json}));
    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_FALSE(r.erro.contains(QStringLiteral("AVISO"))) << r.erro.toStdString();
    for (const TConsulta& consulta : caso.consultas) {
        EXPECT_EQ(Linhas(banco, QLatin1String(consulta.sql)), consulta.linhas) << consulta.sql;
    }
    const QJsonArray tipos = QJsonDocument::fromJson(LeArquivo(json)).object()[QStringLiteral("tipos")].toArray();
    ASSERT_EQ(tipos.size(), 5);
    for (const QJsonValue& tipo : tipos) {
        const QJsonObject t = tipo.toObject();
        EXPECT_EQ(t[QStringLiteral("paginaCodigo")].toString(), QLatin1String(caso.pagina))
            << t[QStringLiteral("tabelaOrigem")].toString().toStdString();
        EXPECT_EQ(t[QStringLiteral("escolhaPaginaCodigo")].toString(), QString::fromUtf8(caso.escolha));
        EXPECT_EQ(t[QStringLiteral("avisos")].toArray(), QJsonArray());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pastas, TabelasOutrosProgramas,
    ::testing::Values(TCasoTabelas{"libreoffice", "libreoffice-cp1252", true, "CP1252", "detectado", kLibreOffice},
                      TCasoTabelas{"gdal", "gdal-cp850", true, "CP850", ".cpg", kGdal},
                      TCasoTabelas{"gdal_sem_cpg", "gdal-cp850", false, "CP850", "detectado", kGdal}),
    [](const ::testing::TestParamInfo<TCasoTabelas>& info) { return info.param.nome; });

// A table cut inside its last record and one whose text does not tell its code page: the run
// converts what is there and says so, in AVISO blocks before its final message and in the summary.
TEST(AvisosDaLeitura, TabelaTruncadaEPaginaIndecisaConvertemEAvisam) {
    QTemporaryDir origem;
    CopiaTabelas(origem, QStringLiteral("libreoffice-cp1252"));
    const QString tabcli = origem.filePath(QStringLiteral("TABCLI.DBF"));
    CortaArquivo(tabcli, LeArquivo(tabcli).size() - 100);
    TEscritorDbf::Opcoes semLdid;
    semLdid.ldid = 0;
    GravaTabela(
        origem.filePath(QStringLiteral("TABVEND.DBF")),
        {{QStringLiteral("CONTROLE"), 'N', 3, 0},
         {QStringLiteral("NOME"), 'C', 30, 0},
         {QStringLiteral("COMISSAO"), 'N', 5, 2}},
        1,
        [](TEscritorDbf& e, int) {
            e.Numero(QStringLiteral("CONTROLE"), 1);
            e.Texto(QStringLiteral("NOME"), QStringLiteral("JOÃO"));
            return true;
        },
        semLdid);
    TBancoTemporario banco;
    const QString json = QDir(banco.Pasta()).filePath(QStringLiteral("resumo.json"));

    const TResultadoCli r = ExecutaCli(ArgumentosConverter(
        origem.path(), banco.Caminho(),
        {QStringLiteral("--vendedores"), QStringLiteral("--clientes"), QStringLiteral("--resumo"), json}));
    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_EQ(Contagem(banco, "CLIENTE"), 2);
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT NOME FROM VENDEND")), QStringLiteral("JOAO"));

    const QString pagina =
        QStringLiteral("AVISO: Tabela TABVEND (pasta \"%1\"): a tabela não declara a página de código")
            .arg(origem.path());
    const QString truncada =
        QStringLiteral("AVISO: Tabela TABCLI (pasta \"%1\"): o cabeçalho declara 3 registros, mas o "
                       "arquivo tem só 2 registros inteiros")
            .arg(origem.path());
    const qsizetype fim = r.erro.indexOf(QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!"));
    EXPECT_GT(fim, 0) << r.erro.toStdString();
    for (const QString& aviso : {pagina, truncada}) {
        const qsizetype onde = r.erro.indexOf(aviso);
        EXPECT_TRUE(onde >= 0 && onde < fim) << aviso.toStdString() << "\n" << r.erro.toStdString();
    }
    EXPECT_TRUE(r.erro.contains(QStringLiteral("--pagina-codigo CP1252"))) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.contains(QStringLiteral("o registro 3, incompleto"))) << r.erro.toStdString();
    EXPECT_TRUE(r.saida.contains(QStringLiteral("Avisos da leitura das tabelas:\n- ") + pagina.mid(7)))
        << r.saida.toStdString();

    const QJsonArray tipos = QJsonDocument::fromJson(LeArquivo(json)).object()[QStringLiteral("tipos")].toArray();
    ASSERT_EQ(tipos.size(), 2);
    EXPECT_EQ(tipos[0].toObject()[QStringLiteral("paginaCodigo")].toString(), QStringLiteral("CP850"));
    for (const auto& [tipo, aviso] : {std::pair{0, pagina}, std::pair{1, truncada}}) {
        const QJsonArray avisos = tipos[tipo].toObject()[QStringLiteral("avisos")].toArray();
        ASSERT_EQ(avisos.size(), 1);
        EXPECT_TRUE(avisos[0].toString().startsWith(aviso.mid(7))) << avisos[0].toString().toStdString();
    }
}

// A FIFO named like a table is not a table: the run says so and ends, instead of waiting for ever
// for a writer.
TEST(ArquivoNaoComum, FifoComNomeDeTabelaFalhaSemEsperar) {
    QTemporaryDir origem;
    const QString fifo = origem.filePath(QStringLiteral("TABVEND.DBF"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    TBancoTemporario banco;

    const TResultadoCli r =
        ExecutaCli(ArgumentosConverter(origem.path(), banco.Caminho(), {QStringLiteral("--vendedores")}), 60000);
    EXPECT_EQ(r.codigo, 1) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.contains(QStringLiteral("TABVEND"))) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.contains(QStringLiteral("não é um arquivo comum, e sim um FIFO"))) << r.erro.toStdString();
}

} // namespace
