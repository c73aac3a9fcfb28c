// `analisar` through the real command on real tables: every problem of a folder in one pass, the
// report files it writes and refuses to write, and its agreement with a real run on a real database.
#include "ArquivosTeste.h"
#include "BancoTemporario.h"
#include "ExecutaCli.h"
#include "FormatoCsv.h"
#include "ImprimeQString.h"
#include "TabelasAnalise.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

TRegistroFonte R(std::initializer_list<std::pair<const char*, const char*>> valores, bool excluido = false) {
    TRegistroFonte r;
    for (const auto& [campo, valor] : valores) {
        r.valores.insert(QLatin1String(campo), QString::fromUtf8(valor));
    }
    r.excluido = excluido;
    return r;
}

// The records of a CSV file after its header, each as its fields joined by "|".
QStringList LinhasCsv(const QString& arquivo) {
    const QByteArray bytes = LeArquivo(arquivo);
    QStringList linhas;
    qsizetype inicio = bytes.indexOf("\r\n") + 2;
    while (inicio > 1 && inicio < bytes.size()) {
        const qsizetype fim = bytes.indexOf("\r\n", inicio);
        linhas << LeRegistroCsv(bytes.constData() + inicio, fim - inicio).join(QLatin1Char('|'));
        inicio = fim + 2;
    }
    return linhas;
}

// Stdout with runs of blanks as one, for lines of an aligned table.
QStringList LinhasSaida(const QString& saida) {
    QStringList linhas;
    for (const QString& linha : saida.split(QLatin1Char('\n'))) {
        linhas << linha.simplified();
    }
    return linhas;
}

// A folder with every problem the analysis reads in the tables alone.
void EscreveFonteComProblemas(const QString& pasta) {
    EscreveFonte(pasta, QStringLiteral("TABVEND"),
                 {R({{"CONTROLE", "1"}, {"NOME", "Ana"}}), R({{"CONTROLE", "2"}, {"NOME", "  "}})},
                 {QStringLiteral("COMISSAO")});
    EscreveFonte(
        pasta, QStringLiteral("TABCLI"),
        {R({{"CODIGO", "1"},
            {"NOME", "Maria"},
            {"ESTADO", "SP"},
            {"CEP", "01310-100"},
            {"CGC", "529.982.247-25"},
            {"OBS", "nota"},
            {"DATA", "20240105"}}),
         R({{"CODIGO", "2"}, {"NOME", "José"}, {"ESTADO", "XX"}, {"CEP", "1310-100"}, {"CGC", "529.982.247-24"}}),
         R({{"CODIGO", "3"}, {"NOME", "Rui"}, {"OBS", "@999999"}})});
    EscreveFonte(
        pasta, QStringLiteral("TABFOR"),
        {R({{"CONTROLE", "1"}, {"EMPRESA", "Acme"}, {"CGC", "12.ABC.345/01DE-35"}, {"EMAIL", "vendas.acme.com.br"}})});
    GravaArquivo(QDir(pasta).filePath(QStringLiteral("TABEST8.DBF")), QByteArray("\x03\x7c\x01\x02", 4));
    EscreveFonte(pasta, QStringLiteral("TABEST1"),
                 {R({{"CODIGO", "1"}, {"PRODUTO", "Velho"}, {"PRECOVENDA", "1,2,3"}}, true),
                  R({{"CODIGO", "2"}, {"PRODUTO", "Prego"}, {"PRECOVENDA", "12x"}}),
                  R({{"CODIGO", "3"}, {"PRODUTO", ""}, {"ULTREAJ", "20241399"}})});
}

TEST(Analisar, ListaCadaProblemaDeCadaRegistroNumaPassada) {
    QTemporaryDir origem;
    QTemporaryDir saida;
    EscreveFonteComProblemas(origem.path());
    const QString csv = saida.filePath(QStringLiteral("problemas.csv"));
    const QString json = saida.filePath(QStringLiteral("analise.json"));

    const TResultadoCli r = ExecutaCli({QStringLiteral("analisar"), QStringLiteral("--origem"), origem.path(),
                                        QStringLiteral("--relatorio"), csv, QStringLiteral("--resumo"), json});

    EXPECT_EQ(r.codigo, 1) << r.erro.toStdString();
    const QStringList esperadas = {
        QStringLiteral("VENDEDORES|TABVEND|1|1|COMISSAO||campo ausente|||fatal"),
        "VENDEDORES|TABVEND|2|2|NOME||nome vazio|||qualidade",
        "CLIENTES|TABCLI|2|2|ESTADO||UF desconhecida|XX||qualidade",
        "CLIENTES|TABCLI|2|2|CEP||CEP sem 8 dígitos|1310-100||qualidade",
        "CLIENTES|TABCLI|2|2|CGC||CPF/CNPJ inválido: dígitos verificadores do CPF|529.982.247-24||qualidade",
        QStringLiteral("CLIENTES|TABCLI|3|3|OBS||memo danificado: o bloco 999999 do memo fica além do fim do arquivo "
                       "%1|||fatal")
            .arg(QDir::toNativeSeparators(QDir(origem.path()).filePath(QStringLiteral("TABCLI.DBT")))),
        "FORNECEDORES|TABFOR|1|1|EMAIL||e-mail sem @|vendas.acme.com.br||qualidade",
        "GRUPOSPRODUTOS|TABEST8|0|||"
        "|tabela ilegível: o arquivo tem 4 bytes, menos que um cabeçalho|||fatal",
        "PRODUTOS|TABEST1|2|2|PRECOVENDA||número ilegível: \"12x\" não é um número válido|12x||fatal",
        "PRODUTOS|TABEST1|3|3|PRODUTO||nome vazio|||qualidade",
        "PRODUTOS|TABEST1|3|3|ULTREAJ||data ilegível: \"20241399\" não é uma data válida|20241399||fatal",
    };
    EXPECT_EQ(LinhasCsv(csv), esperadas);

    const QStringList linhas = LinhasSaida(r.saida);
    for (const char* linha : {
             "TABVEND Vendedores 2 0 CP850 (declarado)",
             "TABEST8 Grupos de Produtos - - ilegível",
             "TABEST1 Produtos 2 1 CP850 (declarado)",
             "TABVEND fatal 1 1 campo ausente",
             "TABVEND qualidade 1 1 nome vazio",
             "TABCLI fatal 1 1 memo danificado",
             "TABCLI qualidade 3 1 UF desconhecida, 1 CEP sem 8 dígitos, 1 CPF/CNPJ inválido",
             "TABFOR fatal 0",
             "TABEST1 fatal 2 1 número ilegível, 1 data ilegível",
             "5 problema(s) fatal(is): a conversão pararia ou perderia registros.",
         }) {
        EXPECT_TRUE(linhas.contains(QString::fromUtf8(linha))) << linha << "\nnot in:\n" << r.saida.toStdString();
    }

    const QJsonObject resumo = QJsonDocument::fromJson(LeArquivo(json)).object();
    EXPECT_TRUE(resumo[QStringLiteral("fatal")].toBool());
    EXPECT_EQ(
        resumo[QStringLiteral("total")].toObject(),
        (QJsonObject{{QStringLiteral("fatal"), 5}, {QStringLiteral("perda"), 0}, {QStringLiteral("qualidade"), 6}}));
    const QJsonObject produtos = resumo[QStringLiteral("tabelas")].toArray()[4].toObject();
    EXPECT_EQ(produtos[QStringLiteral("excluidos")].toInt(), 1);
    EXPECT_EQ(
        produtos[QStringLiteral("problemas")].toObject()[QStringLiteral("fatal")].toObject()[QStringLiteral("tipos")],
        (QJsonObject{{QStringLiteral("numeroIlegivel"), 1}, {QStringLiteral("dataIlegivel"), 1}}));
}

// Codes the rules turn into one target key: every record that shares a key is listed, the first one
// included, each naming the record it collides with; a group that writes no row takes no key. And the
// values step (a) refuses.
TEST(Analisar, ListaTodasAsChavesRepetidasEOsValoresRecusados) {
    QTemporaryDir origem;
    QTemporaryDir saida;
    const QString p = origem.path();
    EscreveFonte(p, QStringLiteral("TABVEND"),
                 {R({{"CONTROLE", "12345"}, {"NOME", "A"}}), R({{"CONTROLE", "1234"}, {"NOME", "B"}}),
                  R({{"CONTROLE", "99"}, {"NOME", "C"}}), R({{"CONTROLE", "123456"}, {"NOME", "D"}})});
    EscreveFonte(p, QStringLiteral("TABCLI"),
                 {R({{"CODIGO", "12"}, {"NOME", "─mega"}}), R({{"CODIGO", "12a"}, {"NOME", "B"}}),
                  R({{"CODIGO", "0012"}, {"NOME", "C"}}), R({{"CODIGO", "13"}, {"NOME", "D"}, {"DATA", "20241345"}})});
    EscreveFonte(p, QStringLiteral("TABFOR"),
                 {R({{"CONTROLE", "1234567"}, {"EMPRESA", "A"}}), R({{"CONTROLE", "123456"}, {"EMPRESA", "B"}})});
    EscreveFonte(p, QStringLiteral("TABEST8"),
                 {R({{"CONTROLE", "1345"}, {"SETOR", "A"}}), R({{"CONTROLE", "9345"}, {"SETOR", "-./"}}),
                  R({{"CONTROLE", "2345"}, {"SETOR", "B"}})});
    EscreveFonte(p, QStringLiteral("TABEST1"),
                 {R({{"CODIGO", "1234567"}, {"PRODUTO", "A"}}), R({{"CODIGO", "123456"}, {"PRODUTO", "B"}})});
    const QString csv = saida.filePath(QStringLiteral("problemas.csv"));

    const TResultadoCli r =
        ExecutaCli({QStringLiteral("analisar"), QStringLiteral("--origem"), p, QStringLiteral("--relatorio"), csv});

    EXPECT_EQ(r.codigo, 1) << r.erro.toStdString();
    QStringList fatais;
    for (const QString& linha : LinhasCsv(csv)) {
        if (linha.endsWith(QLatin1String("|fatal"))) {
            fatais << linha;
        }
    }
    const QStringList esperadas = {
        "VENDEDORES|TABVEND|1|12345|CONTROLE|VENDEND.CODVENDEDOR|chave repetida no destino: 1234 também no registro 2 "
        "(código 1234)|12345|1234|fatal",
        "VENDEDORES|TABVEND|2|1234|CONTROLE|VENDEND.CODVENDEDOR|chave repetida no destino: 1234 também no registro 1 "
        "(código 12345)|1234|1234|fatal",
        "VENDEDORES|TABVEND|4|123456|CONTROLE|VENDEND.CODVENDEDOR|chave repetida no destino: 1234 também no registro "
        "1 (código 12345)|123456|1234|fatal",
        "CLIENTES|TABCLI|2|12a|CODIGO||valor recusado: \"12a\" não é um código de cliente (só algarismos, separados "
        "ou não por ponto, hífen, barra ou espaço)|||fatal",
        "CLIENTES|TABCLI|1|12|CODIGO|CLIENTE.CODCLIENTE|chave repetida no destino: 00000012 também no registro 3 "
        "(código 0012)|12|00000012|fatal",
        "CLIENTES|TABCLI|3|0012|CODIGO|CLIENTE.CODCLIENTE|chave repetida no destino: 00000012 também no registro 1 "
        "(código 12)|0012|00000012|fatal",
        "CLIENTES|TABCLI|4|13|DATA||valor recusado: \"20241345\" não é uma data|||fatal",
        "FORNECEDORES|TABFOR|1|1234567|CONTROLE|FORNECE.CODFORNEC|chave repetida no destino: 123456 também no "
        "registro 2 (código 123456)|1234567|123456|fatal",
        "FORNECEDORES|TABFOR|2|123456|CONTROLE|FORNECE.CODFORNEC|chave repetida no destino: 123456 também no "
        "registro 1 (código 1234567)|123456|123456|fatal",
        "GRUPOSPRODUTOS|TABEST8|1|1345|CONTROLE|GRUPROD.CODGRUPO|chave repetida no destino: 345 também no registro 3 "
        "(código 2345)|1345|345|fatal",
        "GRUPOSPRODUTOS|TABEST8|3|2345|CONTROLE|GRUPROD.CODGRUPO|chave repetida no destino: 345 também no registro 1 "
        "(código 1345)|2345|345|fatal",
        "PRODUTOS|TABEST1|1|1234567|CODIGO|PRODUTO.CODPROD|chave repetida no destino: 123456 também no registro 2 "
        "(código 123456)|1234567|123456|fatal",
        "PRODUTOS|TABEST1|2|123456|CODIGO|PRODUTO.CODPROD|chave repetida no destino: 123456 também no registro 1 "
        "(código 1234567)|123456|123456|fatal",
    };
    EXPECT_EQ(fatais, esperadas);
    EXPECT_TRUE(LinhasSaida(r.saida).contains(QStringLiteral("TABVEND fatal 3 3 chave repetida no destino")))
        << r.saida.toStdString();

    // What the run would change, as its change log records it: codes cut to their columns (sellers and
    // suppliers keep the first characters, groups the last), a character WIN1252 cannot hold, a group
    // without a description.
    QStringList perdas;
    for (const QString& linha : LinhasCsv(csv)) {
        if (linha.endsWith(QLatin1String("|perda"))) {
            perdas << linha;
        }
    }
    EXPECT_EQ(perdas,
              (QStringList{
                  "VENDEDORES|TABVEND|1|12345|CONTROLE|VENDEND.CODVENDEDOR|cortado na largura 4|12345|1234|perda",
                  "VENDEDORES|TABVEND|4|123456|CONTROLE|VENDEND.CODVENDEDOR|cortado na largura 4|123456|1234|perda",
                  "CLIENTES|TABCLI|1|12|NOME|CLIENTE.NOME|caractere fora do WIN1252|─mega|?MEGA|perda",
                  "CLIENTES|TABCLI|1|12|NOME|CLIENTE.NOMEFANTASIA|caractere fora do WIN1252|─mega|?MEGA|perda",
                  "FORNECEDORES|TABFOR|1|1234567|CONTROLE|FORNECE.CODFORNEC|cortado na largura 6|1234567|123456|perda",
                  "GRUPOSPRODUTOS|TABEST8|1|1345|CONTROLE|GRUPROD.CODGRUPO|cortado na largura 3|1345|345|perda",
                  "GRUPOSPRODUTOS|TABEST8|2|9345|||registro ignorado: sem descrição|||perda",
                  "GRUPOSPRODUTOS|TABEST8|3|2345|CONTROLE|GRUPROD.CODGRUPO|cortado na largura 3|2345|345|perda",
                  "PRODUTOS|TABEST1|1|1234567|CODIGO|PRODUTO.CODPROD|cortado na largura 6|1234567|123456|perda",
              }));
    EXPECT_TRUE(LinhasSaida(r.saida).contains(
        QStringLiteral("- TABVEND.CONTROLE -> VENDEND.CODVENDEDOR, cortado na largura 4: 2")))
        << r.saida.toStdString();
}

// A table of thousands of records is read in runs of records on several threads: what they find comes
// back in record order, keys collide across runs, and deleted records at the edges of runs are skipped.
TEST(Analisar, TabelaGrandeListaOsProblemasNaOrdemDosRegistrosComChavesRepetidasEntreTrechos) {
    QTemporaryDir origem;
    QTemporaryDir saida;
    std::vector<TRegistroFonte> clientes;
    for (int i = 1; i <= 3000; ++i) {
        TRegistroFonte r;
        r.valores = {{QStringLiteral("CODIGO"), QString::number(i)},
                     {QStringLiteral("NOME"), QStringLiteral("Cliente %1").arg(i)},
                     {QStringLiteral("ESTADO"), QStringLiteral("SP")}};
        r.excluido = i == 1024 || i == 1025 || i == 2049;
        clientes.push_back(r);
    }
    clientes[1025].valores[QStringLiteral("CODIGO")] = QStringLiteral("0007"); // record 1026
    clientes[1026].valores[QStringLiteral("ESTADO")] = QStringLiteral("XX");   // record 1027
    clientes[2049].valores[QStringLiteral("CODIGO")] = QStringLiteral("7");    // record 2050
    clientes[2999].valores[QStringLiteral("ESTADO")] = QStringLiteral("ZZ");   // record 3000
    EscreveFonte(origem.path(), QStringLiteral("TABCLI"), clientes);
    const QString csv = saida.filePath(QStringLiteral("problemas.csv"));

    const TResultadoCli r = ExecutaCli({QStringLiteral("analisar"), QStringLiteral("--origem"), origem.path(),
                                        QStringLiteral("--clientes"), QStringLiteral("--relatorio"), csv});

    EXPECT_EQ(r.codigo, 1) << r.erro.toStdString();
    EXPECT_EQ(LinhasCsv(csv),
              (QStringList{
                  "CLIENTES|TABCLI|7|7|CODIGO|CLIENTE.CODCLIENTE|chave repetida no destino: 00000007 também no "
                  "registro 1026 (código 0007)|7|00000007|fatal",
                  "CLIENTES|TABCLI|1026|0007|CODIGO|CLIENTE.CODCLIENTE|chave repetida no destino: 00000007 também no "
                  "registro 7 (código 7)|0007|00000007|fatal",
                  "CLIENTES|TABCLI|1027|1027|ESTADO||UF desconhecida|XX||qualidade",
                  "CLIENTES|TABCLI|2050|7|CODIGO|CLIENTE.CODCLIENTE|chave repetida no destino: 00000007 também no "
                  "registro 7 (código 7)|7|00000007|fatal",
                  "CLIENTES|TABCLI|3000|3000|ESTADO||UF desconhecida|ZZ||qualidade",
              }));
    EXPECT_TRUE(LinhasSaida(r.saida).contains(QStringLiteral("TABCLI Clientes 2997 3 CP850 (declarado)")))
        << r.saida.toStdString();
}

// What the options refuse before anything is read or written: exit 2, and no file touched.
TEST(Analisar, OpcoesErradasERelatoriosPerigososSaoRecusados) {
    QTemporaryDir origem;
    QTemporaryDir saida;
    EscreveFonte(origem.path(), QStringLiteral("TABEST8"), {R({{"CONTROLE", "1"}, {"SETOR", "A"}})});
    const QString alheio = saida.filePath(QStringLiteral("planilha.csv"));
    GravaArquivo(alheio, "meus dados\r\n");
    const QString alheioJson = saida.filePath(QStringLiteral("dados.json"));
    GravaArquivo(alheioJson, "{\"x\": 1}");
    const QString naOrigem = QDir(origem.path()).filePath(QStringLiteral("problemas.csv"));
    const QString tabela = QDir(origem.path()).filePath(QStringLiteral("TABEST8.DBF"));
    const QByteArray tabelaAntes = LeArquivo(tabela);
    const QString o = origem.path();

    struct Caso {
        QStringList argumentos;
        const char* mensagem;
    };
    const Caso casos[] = {
        {{}, "--origem"},
        {{"--origem"}, "--origem precisa"},
        {{"--origem", o, "--grupos"}, "Opção desconhecida: --grupos"},
        {{"--origem", o, "--relatorio"}, "--relatorio precisa"},
        {{"--origem", o, "--relatorio", "--clientes"}, "--relatorio precisa"},
        {{"--origem", o, "--resumo", ""}, "--resumo precisa"},
        {{"--origem", o, "--pagina-codigo", "CP999"}, "--pagina-codigo precisa"},
        {{"--origem", saida.filePath(QStringLiteral("nada"))}, "não existe"},
        {{"--origem", o, "--relatorio", naOrigem}, "pasta das tabelas de origem"},
        {{"--origem", o, "--relatorio", tabela}, "pasta das tabelas de origem"},
        {{"--origem", o, "--relatorio", alheio}, "não é um relatório gravado pelo conversor-tavrin"},
        {{"--origem", o, "--resumo", alheioJson}, "não é um resumo gravado pelo conversor-tavrin"},
        {{"--origem", o, "--relatorio", alheioJson, "--resumo", alheioJson}, "arquivos diferentes"},
    };
    for (const Caso& caso : casos) {
        const TResultadoCli r = ExecutaCli(QStringList{QStringLiteral("analisar")} + caso.argumentos);
        SCOPED_TRACE(caso.argumentos.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(r.codigo, 2);
        EXPECT_TRUE(r.erro.contains(QString::fromUtf8(caso.mensagem))) << r.erro.toStdString();
    }
    EXPECT_EQ(LeArquivo(alheio), QByteArray("meus dados\r\n"));
    EXPECT_EQ(LeArquivo(alheioJson), QByteArray("{\"x\": 1}"));
    EXPECT_EQ(LeArquivo(tabela), tabelaAntes);
    EXPECT_EQ(QDir(origem.path()).entryList(QDir::Files), QStringList{QStringLiteral("TABEST8.DBF")});

    // Files this program wrote are replaced by the next analysis.
    const QString csv = saida.filePath(QStringLiteral("grupos.csv"));
    const QString json = saida.filePath(QStringLiteral("grupos.json"));
    for (int vez = 0; vez < 2; ++vez) {
        const TResultadoCli r =
            ExecutaCli({QStringLiteral("analisar"), QStringLiteral("--origem"), o, QStringLiteral("--grupos-produtos"),
                        QStringLiteral("--relatorio"), csv, QStringLiteral("--resumo"), json});
        EXPECT_EQ(r.codigo, 0) << r.erro.toStdString();
    }
    EXPECT_EQ(LinhasCsv(csv), QStringList());
    EXPECT_EQ(QJsonDocument::fromJson(LeArquivo(json)).object()[QStringLiteral("tabelas")].toArray().size(), 1);
}

} // namespace
