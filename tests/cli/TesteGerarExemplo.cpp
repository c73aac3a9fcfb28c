// gerar-exemplo through the built command, and its tables through the converter: the product groups
// compared row by row with the group rules, every kind converted from an ordinary and from a hostile
// sample, the code page override, and the refusals.
#include "ArquivosTeste.h"
#include "ExecutaCli.h"
#include "GeradorExemplo.h"
#include "ImprimeQString.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"
#include "TQueryOrigem.h"
#include "TTabelaDbf.h"
#include "TextoPagina.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

// ---- the product group rules, written out here on their own ----

// Trim drops characters of code 32 and below at both ends.
QString Apara(const QString& texto) {
    qsizetype inicio = 0;
    qsizetype fim = texto.size();
    while (inicio < fim && texto[inicio].unicode() <= 32) {
        ++inicio;
    }
    while (fim > inicio && texto[fim - 1].unicode() <= 32) {
        --fim;
    }
    return texto.mid(inicio, fim - inicio);
}

// Upper-case a to z, then the accented letters of the table become plain ones and ':' ';' become '.'.
QString SemAcentos(QString texto) {
    const std::pair<QString, QChar> tabela[] = {
        {QStringLiteral("ÀÁÂÃÄàáâãä"), u'A'}, {QStringLiteral("ÈÉÊèéê"), u'E'}, {QStringLiteral("ÌÍÎìíî"), u'I'},
        {QStringLiteral("ÒÓÔÕÖòóôõö"), u'O'}, {QStringLiteral("ÙÚÜùúü"), u'U'}, {QStringLiteral("Çç"), u'C'},
        {QStringLiteral(":;"), u'.'},
    };
    for (QChar& c : texto) {
        if (c >= u'a' && c <= u'z') {
            c = QChar(c.unicode() - 32);
        }
        for (const auto& [letras, troca] : tabela) {
            if (letras.contains(c)) {
                c = troca;
                break;
            }
        }
    }
    return texto;
}

// Each "-", ".", "/" and "'" removed, the text trimmed and cut to 100 characters after each removal.
QString SemSeparadores(QString texto) {
    for (const QChar c : QStringLiteral("-./'")) {
        while (texto.contains(c)) {
            const qsizetype p = texto.indexOf(c);
            texto = Apara(texto.left(p) + texto.mid(p + 1, 100));
        }
    }
    return texto;
}

struct TGrupo {
    QString codigo;
    QString descricao;
    bool operator==(const TGrupo&) const = default;
};

void PrintTo(const TGrupo& g, std::ostream* os) {
    *os << g.codigo.toStdString() << " \"" << g.descricao.toStdString() << '"';
}

// GRUPROD as the rules make it from TABEST8 read under the given code page: the last three characters
// of CONTROLE padded to three; SETOR without accents and separators, upper-case, trimmed, cut to 30;
// no row for an empty description. `ignorados` counts the records without one.
std::map<QString, TGrupo> GruposEsperados(const QString& origem, std::optional<PaginaCodigo> pagina,
                                          int* ignorados = nullptr) {
    TQueryOrigem query;
    query.SetNomeBanco(origem);
    query.SetPaginaCodigo(pagina);
    query.SetSQL(QStringLiteral("SELECT * FROM TABEST8"));
    query.Abre();
    std::map<QString, TGrupo> grupos;
    for (; !query.Eof(); query.Proximo()) {
        QString codigo = query.CampoPorNome(QStringLiteral("CONTROLE")).ComoTexto().right(3);
        codigo = codigo.rightJustified(3, u'0');
        const QString descricao =
            Apara(SemSeparadores(SemAcentos(query.CampoPorNome(QStringLiteral("SETOR")).ComoTexto()))).left(30);
        if (Apara(descricao).isEmpty()) {
            if (ignorados) {
                ++*ignorados;
            }
            continue;
        }
        EXPECT_EQ(grupos.count(codigo), 0u) << "two groups with code " << codigo.toStdString();
        grupos[codigo] = {codigo, descricao};
    }
    return grupos;
}

// ---- running the command ----

// A folder with a sample source and a new target database made by criar-destino.
struct TAmostra {
    QTemporaryDir pasta;
    QString origem = pasta.filePath(QStringLiteral("origem"));
    QString banco = pasta.filePath(QStringLiteral("destino.fb"));
    TResultadoCli geracao;

    explicit TAmostra(const QStringList& opcoes) {
        QDir().mkpath(origem);
        geracao = ExecutaCli(QStringList{QStringLiteral("gerar-exemplo"), origem} + opcoes);
        const TResultadoCli criacao = ExecutaCli({QStringLiteral("criar-destino"), banco});
        EXPECT_EQ(criacao.codigo, 0) << criacao.erro.toStdString();
    }

    TResultadoCli Converte(const QStringList& opcoes) const {
        return ExecutaCli(ArgumentosConverter(origem, banco, opcoes));
    }

    // Every row of a select, its columns read as text in the order given.
    std::vector<QStringList> Linhas(const QString& sql, const QStringList& colunas) const {
        TConexaoDestino conexao;
        conexao.SetNomeBanco(banco);
        conexao.Abre();
        std::vector<QStringList> linhas;
        {
            TQueryDestino q(conexao);
            q.SetSQL(sql);
            q.Abre();
            for (; !q.Eof(); q.Proximo()) {
                QStringList linha;
                for (const QString& coluna : colunas) {
                    linha << q.CampoTexto(coluna);
                }
                linhas.push_back(linha);
            }
        }
        conexao.Transacao().Cancela();
        return linhas;
    }

    int Contagem(const char* tabela) const {
        return Linhas(QStringLiteral("SELECT COUNT(*) AS N FROM %1").arg(QLatin1String(tabela)), {QStringLiteral("N")})
            .at(0)
            .at(0)
            .toInt();
    }

    std::map<QString, TGrupo> GruprodGravado() const {
        std::map<QString, TGrupo> grupos;
        for (const QStringList& linha :
             Linhas(QStringLiteral("SELECT CODGRUPO, DESCRICAO, DIASESTMAXIMO, DIASESTMINIMO FROM GRUPROD"),
                    {QStringLiteral("CODGRUPO"), QStringLiteral("DESCRICAO"), QStringLiteral("DIASESTMAXIMO"),
                     QStringLiteral("DIASESTMINIMO")})) {
            EXPECT_EQ(linha.mid(2), (QStringList{QStringLiteral("0"), QStringLiteral("0")})) << linha[0].toStdString();
            grupos[linha[0]] = {linha[0], linha[1]};
        }
        return grupos;
    }
};

const QString kSucesso = QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!\n");

TEST(GerarExemplo, ProductGroupsMatchTheGroupRulesRowByRow) {
    const TAmostra amostra(
        {QStringLiteral("--registros"), QStringLiteral("300"), QStringLiteral("--semente"), QStringLiteral("7")});
    ASSERT_EQ(amostra.geracao.codigo, 0) << amostra.geracao.erro.toStdString();
    const TQuantidadesExemplo q = QuantidadesExemplo(300);
    QString listagem;
    const std::pair<const char*, qint64> tabelas[] = {{"TABVEND", q.vendedores},
                                                      {"TABCLI", q.clientes},
                                                      {"TABFOR", q.fornecedores},
                                                      {"TABEST8", q.grupos},
                                                      {"TABEST1", q.produtos}};
    for (const auto& [tabela, vivos] : tabelas) {
        const qint64 excluidos = ExcluidosExemplo(vivos);
        listagem += QStringLiteral("%1.DBF: %2 registros (+%3 %4)\n")
                        .arg(QLatin1String(tabela))
                        .arg(vivos)
                        .arg(excluidos)
                        .arg(excluidos == 1 ? QStringLiteral("excluído") : QStringLiteral("excluídos"));
    }
    EXPECT_EQ(amostra.geracao.saida, listagem);

    const TResultadoCli r = amostra.Converte({QStringLiteral("--grupos-produtos")});
    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    // The first label is shown at once; the count excludes the deleted records.
    EXPECT_TRUE(r.erro.startsWith(QStringLiteral("Convertendo Grupos de Produtos - Registro 1 de %1\n").arg(q.grupos)))
        << r.erro.toStdString();
    EXPECT_TRUE(r.erro.endsWith(kSucesso)) << r.erro.toStdString();

    int ignorados = 0;
    const std::map<QString, TGrupo> esperado = GruposEsperados(amostra.origem, std::nullopt, &ignorados);
    EXPECT_EQ(amostra.GruprodGravado(), esperado);
    // The sample holds what makes the rules matter: skipped groups, cut and inner-blank descriptions.
    EXPECT_GT(ignorados, 0);
    EXPECT_EQ(static_cast<qint64>(esperado.size()) + ignorados, q.grupos);
    EXPECT_TRUE(
        std::any_of(esperado.begin(), esperado.end(), [](const auto& g) { return g.second.descricao.size() == 30; }));
    EXPECT_TRUE(std::any_of(esperado.begin(), esperado.end(),
                            [](const auto& g) { return g.second.descricao.contains(QStringLiteral("  ")); }));
}

TEST(GerarExemplo, CodePageOverrideReachesTheReader) {
    const TAmostra amostra({QStringLiteral("--registros"), QStringLiteral("100")});
    ASSERT_EQ(amostra.geracao.codigo, 0) << amostra.geracao.erro.toStdString();
    for (const char* invalida : {"CP999", "CP895", "latim", ""}) {
        const TResultadoCli r = amostra.Converte(
            {QStringLiteral("--grupos-produtos"), QStringLiteral("--pagina-codigo"), QLatin1String(invalida)});
        EXPECT_EQ(r.codigo, 2) << invalida;
        EXPECT_TRUE(r.erro.contains(QStringLiteral("--pagina-codigo precisa de CP850"))) << r.erro.toStdString();
    }
    const TResultadoCli semValor =
        amostra.Converte({QStringLiteral("--grupos-produtos"), QStringLiteral("--pagina-codigo")});
    EXPECT_EQ(semValor.codigo, 2);

    // The tables say cp850; read as Windows-1252 their accented letters come out as other characters.
    const TResultadoCli r = amostra.Converte(
        {QStringLiteral("--grupos-produtos"), QStringLiteral("--pagina-codigo"), QStringLiteral("CP1252")});
    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    const std::map<QString, TGrupo> lidoComo1252 = GruposEsperados(amostra.origem, PaginaCodigo::CP1252);
    EXPECT_EQ(amostra.GruprodGravado(), lidoComo1252);
    EXPECT_NE(lidoComo1252, GruposEsperados(amostra.origem, std::nullopt));
}

TEST(GerarExemplo, AThousandRecordsConvertWithEveryKind) {
    const TAmostra amostra({QStringLiteral("--registros"), QStringLiteral("1000")});
    ASSERT_EQ(amostra.geracao.codigo, 0) << amostra.geracao.erro.toStdString();
    const TResultadoCli r = amostra.Converte({QStringLiteral("--todos")});
    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.endsWith(kSucesso)) << r.erro.toStdString();

    const TQuantidadesExemplo q = QuantidadesExemplo(1000);
    const std::pair<const char*, qint64> contagens[] = {
        {"VENDEND", q.vendedores},
        {"CLIENTE", q.clientes},
        {"COMPCLIE", q.clientes},
        {"FORNECE", q.fornecedores},
        {"PRODUTO", q.produtos},
        {"COMPPROD", q.produtos},
        {"MVGERAL", q.produtos},
        {"GRUPROD", static_cast<qint64>(GruposEsperados(amostra.origem, std::nullopt).size())},
    };
    for (const auto& [tabela, esperado] : contagens) {
        EXPECT_EQ(amostra.Contagem(tabela), esperado) << tabela;
    }
}

// Quotes, SQL fragments, parameter-like text, control characters and characters outside
// Windows-1252 in every text field: every kind converts and no statement breaks.
TEST(GerarExemplo, HostileSampleConvertsWithEveryKind) {
    const TAmostra amostra({QStringLiteral("--registros"), QStringLiteral("200"), QStringLiteral("--hostil")});
    ASSERT_EQ(amostra.geracao.codigo, 0) << amostra.geracao.erro.toStdString();
    const TResultadoCli r = amostra.Converte({QStringLiteral("--todos")});
    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.endsWith(kSucesso)) << r.erro.toStdString();
    const TQuantidadesExemplo q = QuantidadesExemplo(200);
    const std::pair<const char*, qint64> contagens[] = {{"VENDEND", q.vendedores},
                                                        {"CLIENTE", q.clientes},
                                                        {"FORNECE", q.fornecedores},
                                                        {"PRODUTO", q.produtos},
                                                        {"COMPPROD", q.produtos}};
    for (const auto& [tabela, esperado] : contagens) {
        EXPECT_EQ(amostra.Contagem(tabela), esperado) << tabela;
    }
    // What Windows-1252 cannot hold (the box-drawing characters) is stored as '?'.
    std::map<QString, TGrupo> esperado = GruposEsperados(amostra.origem, std::nullopt);
    for (auto& [codigo, grupo] : esperado) {
        grupo.descricao = DecodificaTexto(CodificaTexto(grupo.descricao, PaginaCodigo::CP1252), PaginaCodigo::CP1252);
    }
    EXPECT_EQ(amostra.GruprodGravado(), esperado);
}

TEST(GerarExemplo, RefusalsExitWith2AndWriteNothing) {
    QTemporaryDir pasta;
    const QString vazia = pasta.filePath(QStringLiteral("vazia"));
    const QString arquivo = pasta.filePath(QStringLiteral("arquivo.txt"));
    QDir().mkpath(vazia);
    QFile f(arquivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    struct Caso {
        QStringList argumentos;
        QString trecho;
    };
    const Caso casos[] = {
        {{}, QStringLiteral("Informe a pasta")},
        {{pasta.filePath(QStringLiteral("nao-existe"))}, QStringLiteral("não existe")},
        {{arquivo}, QStringLiteral("não é uma pasta")},
        {{vazia, QStringLiteral("--registros"), QStringLiteral("abc")}, QStringLiteral("--registros precisa")},
        {{vazia, QStringLiteral("--registros"), QStringLiteral("-1")}, QStringLiteral("--registros precisa")},
        {{vazia, QStringLiteral("--registros"), QStringLiteral("100000000")}, QStringLiteral("--registros precisa")},
        {{vazia, QStringLiteral("--registros")}, QStringLiteral("precisa de um número")},
        {{vazia, QStringLiteral("--semente"), QStringLiteral("-3")}, QStringLiteral("--semente precisa")},
        {{vazia, QStringLiteral("--xyz")}, QStringLiteral("Opção desconhecida: --xyz")},
        {{vazia, pasta.path()}, QStringLiteral("Só uma pasta")},
    };
    for (const Caso& caso : casos) {
        const TResultadoCli r = ExecutaCli(QStringList{QStringLiteral("gerar-exemplo")} + caso.argumentos);
        EXPECT_EQ(r.codigo, 2) << caso.argumentos.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.erro.contains(caso.trecho)) << r.erro.toStdString();
        EXPECT_TRUE(r.saida.isEmpty());
    }
    EXPECT_TRUE(QDir(vazia).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// A folder that already holds any file the sample writes may be a real TAVRIN folder: refused as it
// is, and replaced only with --substituir.
TEST(GerarExemplo, ExistingTablesAreReplacedOnlyWhenAskedTo) {
    for (const char* existente : {"TABVEND.DBF", "tabcli.dbt", "TabEst1.Dbf"}) {
        SCOPED_TRACE(existente);
        QTemporaryDir pasta;
        const QString caminho = pasta.filePath(QLatin1String(existente));
        ASSERT_TRUE(GravaArquivo(caminho, "dados reais do TAVRIN"));

        const TResultadoCli recusa = ExecutaCli({QStringLiteral("gerar-exemplo"), pasta.path()});
        EXPECT_EQ(recusa.codigo, 2);
        EXPECT_TRUE(recusa.erro.contains(QLatin1String(existente))) << recusa.erro.toStdString();
        EXPECT_TRUE(recusa.erro.contains(QStringLiteral("--substituir"))) << recusa.erro.toStdString();
        EXPECT_EQ(LeArquivo(caminho), QByteArray("dados reais do TAVRIN"));
        EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QLatin1String(existente)});

        const TResultadoCli troca =
            ExecutaCli({QStringLiteral("gerar-exemplo"), pasta.path(), QStringLiteral("--substituir")});
        EXPECT_EQ(troca.codigo, 0) << troca.erro.toStdString();
        EXPECT_EQ(TTabelaDbf(pasta.path(), QStringLiteral("TABVEND")).QuantRegistros(),
                  QuantidadesExemplo(100).vendedores);
    }
}

} // namespace
