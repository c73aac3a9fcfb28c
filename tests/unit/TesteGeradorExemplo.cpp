// The sample generator, read back with our own reader: the same seed gives the same bytes, the
// counts follow N, deleted records repeat a live code, the data holds the awkward cases, and the
// hostile sample reaches every text field. (That the conversion reads every table is the CLI tests'.)
#include "EConversao.h"
#include "GeradorExemplo.h"
#include "ImprimeQString.h"
#include "TTabelaDbf.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

const QStringList kTabelas = {QStringLiteral("TABVEND"), QStringLiteral("TABCLI"), QStringLiteral("TABFOR"),
                              QStringLiteral("TABEST8"), QStringLiteral("TABEST1")};

std::vector<TTabelaExemplo> Gera(const QString& pasta, qint64 registros, std::uint64_t semente = 1,
                                 bool hostil = false) {
    TOpcoesExemplo opcoes;
    opcoes.registros = registros;
    opcoes.semente = semente;
    opcoes.hostil = hostil;
    return GeraExemplo(pasta, opcoes);
}

QByteArray Bytes(const QString& caminho) {
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

// A character field keeps no trailing blanks: they are its padding.
QString SemBrancosAFinal(QString texto) {
    while (texto.endsWith(QLatin1Char(' '))) {
        texto.chop(1);
    }
    return texto;
}

// Every value of every live record, by field name, as the conversion reads it (text form).
std::map<QString, QStringList> Valores(const QString& pasta, const QString& tabela) {
    TTabelaDbf t(pasta, tabela);
    std::map<QString, QStringList> valores;
    for (; !t.Eof(); t.Proximo()) {
        for (int i = 0; i < t.QuantCampos(); ++i) {
            valores[t.Campo(i).nome] << t.Texto(i);
        }
    }
    return valores;
}

TEST(GeradorExemplo, SameSeedSameBytesOtherSeedOtherData) {
    for (const bool hostil : {false, true}) {
        QTemporaryDir a;
        QTemporaryDir b;
        QTemporaryDir c;
        Gera(a.path(), 300, 42, hostil);
        Gera(b.path(), 300, 42, hostil);
        Gera(c.path(), 300, 43, hostil);
        const QStringList arquivos = QDir(a.path()).entryList(QDir::Files, QDir::Name);
        EXPECT_EQ(arquivos, QDir(b.path()).entryList(QDir::Files, QDir::Name));
        EXPECT_EQ(arquivos.size(), 6) << "five tables and the customers' memo file";
        for (const QString& arquivo : arquivos) {
            const QByteArray primeiro = Bytes(QDir(a.path()).filePath(arquivo));
            EXPECT_FALSE(primeiro.isEmpty()) << arquivo.toStdString();
            EXPECT_EQ(primeiro, Bytes(QDir(b.path()).filePath(arquivo)))
                << arquivo.toStdString() << " hostil=" << hostil;
        }
        if (!hostil) {
            for (const QString& arquivo : {QStringLiteral("TABCLI.DBF"), QStringLiteral("TABEST1.DBF")}) {
                EXPECT_NE(Bytes(QDir(a.path()).filePath(arquivo)), Bytes(QDir(c.path()).filePath(arquivo)))
                    << arquivo.toStdString();
            }
        }
    }
}

TEST(GeradorExemplo, CountsFollowNAndDeletedRecordsComeOnTop) {
    struct Caso {
        qint64 n;
        qint64 vendedores, clientes, fornecedores, grupos, produtos;
    };
    const Caso casos[] = {
        {0, 0, 0, 0, 0, 0},
        {1, 1, 1, 1, 1, 1},
        {100, 5, 100, 10, 10, 100},
        {2000, 99, 2000, 200, 200, 2000},
        {20000, 99, 20000, 2000, 999, 20000},
    };
    for (const Caso& caso : casos) {
        const TQuantidadesExemplo q = QuantidadesExemplo(caso.n);
        const std::vector<qint64> esperado = {caso.vendedores, caso.clientes, caso.fornecedores, caso.grupos,
                                              caso.produtos};
        EXPECT_EQ((std::vector<qint64>{q.vendedores, q.clientes, q.fornecedores, q.grupos, q.produtos}), esperado)
            << "N=" << caso.n;
        if (caso.n > 2000) {
            continue; // the formula is enough; writing the tables adds nothing
        }
        QTemporaryDir pasta;
        const std::vector<TTabelaExemplo> gravadas = Gera(pasta.path(), caso.n);
        ASSERT_EQ(gravadas.size(), std::size_t(5));
        for (std::size_t i = 0; i < gravadas.size(); ++i) {
            EXPECT_EQ(gravadas[i].arquivo, kTabelas[qsizetype(i)] + QStringLiteral(".DBF"));
            TTabelaDbf tabela(pasta.path(), kTabelas[qsizetype(i)]);
            EXPECT_EQ(tabela.QuantRegistros(), esperado[i]) << kTabelas[qsizetype(i)].toStdString() << " N=" << caso.n;
            EXPECT_EQ(tabela.QuantExcluidos(), ExcluidosExemplo(esperado[i])) << kTabelas[qsizetype(i)].toStdString();
            EXPECT_EQ(gravadas[i].registros, tabela.QuantRegistros());
            EXPECT_EQ(gravadas[i].excluidos, tabela.QuantExcluidos());
            EXPECT_EQ(tabela.Pagina(), PaginaCodigo::CP850);
            EXPECT_EQ(tabela.Ldid(), 0x25) << "dBASE PTB cp850";
        }
    }
}

// Codes are what the target keys its rows by: unique among live records, while each deleted record
// repeats the code of the live one before it, so reading a deleted record would collide.
TEST(GeradorExemplo, LiveCodesUniqueDeletedRecordsRepeatTheirNeighbour) {
    QTemporaryDir pasta;
    Gera(pasta.path(), 1000);
    const std::map<QString, QString> codigo = {{QStringLiteral("TABVEND"), QStringLiteral("CONTROLE")},
                                               {QStringLiteral("TABCLI"), QStringLiteral("CODIGO")},
                                               {QStringLiteral("TABFOR"), QStringLiteral("CONTROLE")},
                                               {QStringLiteral("TABEST8"), QStringLiteral("CONTROLE")},
                                               {QStringLiteral("TABEST1"), QStringLiteral("CODIGO")}};
    for (const auto& [tabela, campo] : codigo) {
        const QStringList codigos = Valores(pasta.path(), tabela).at(campo);
        EXPECT_EQ(QSet<QString>(codigos.begin(), codigos.end()).size(), codigos.size()) << tabela.toStdString();

        // The raw file: a record flagged '*' holds the code of the record before it.
        const TTabelaDbf leitor(pasta.path(), tabela);
        const TDescricaoCampo& descricao = leitor.Campo(leitor.IndiceCampo(campo));
        const QByteArray bytes = Bytes(QDir(pasta.path()).filePath(tabela + QStringLiteral(".DBF")));
        const int cabecalho = static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8;
        const int registro = static_cast<unsigned char>(bytes[10]) | static_cast<unsigned char>(bytes[11]) << 8;
        int excluidos = 0;
        for (qsizetype pos = cabecalho + registro; pos + registro <= bytes.size(); pos += registro) {
            if (bytes[pos] == '*') {
                ++excluidos;
                EXPECT_EQ(bytes.mid(pos + descricao.deslocamento, descricao.tamanho),
                          bytes.mid(pos - registro + descricao.deslocamento, descricao.tamanho))
                    << tabela.toStdString();
                EXPECT_NE(bytes[pos - registro], '*');
            }
        }
        EXPECT_GT(excluidos, 0) << tabela.toStdString();
    }
}

// The awkward cases a real source holds, each present in an ordinary sample of 1000.
TEST(GeradorExemplo, OrdinarySampleHoldsTheAwkwardCases) {
    QTemporaryDir pasta;
    Gera(pasta.path(), 1000);
    std::map<QString, std::map<QString, QStringList>> dados;
    for (const QString& tabela : kTabelas) {
        dados[tabela] = Valores(pasta.path(), tabela);
    }
    const auto algum = [](const QStringList& valores, const std::function<bool(const QString&)>& teste) {
        return std::any_of(valores.begin(), valores.end(), teste);
    };
    const auto casa = [](const char* expressao) {
        const QRegularExpression re(QString::fromUtf8(expressao));
        return [re](const QString& v) { return re.match(v).hasMatch(); };
    };
    struct Caso {
        const char* tabela;
        const char* campo;
        const char* oQue;
        std::function<bool(const QString&)> teste;
    };
    const std::vector<Caso> casos = {
        {"TABCLI", "CIDADE", "BHTE", [](const QString& v) { return v == QLatin1String("BHTE"); }},
        {"TABCLI", "CIDADE", "blank city", [](const QString& v) { return v.isEmpty(); }},
        {"TABCLI", "INSC", "ISENTO", [](const QString& v) { return v == QLatin1String("ISENTO"); }},
        {"TABCLI", "INSC", "masked registration", casa(R"(^\d{3}\.\d{3}\.\d{3}/\d{4}$)")},
        {"TABCLI", "ENDERECO", "house number after nº", casa("nº ?\\d")},
        {"TABCLI", "ENDERECO", "house number without nº", casa(R"(^[^º]*, \d+$)")},
        {"TABCLI", "NOME", "apostrophe", [](const QString& v) { return v.contains(QLatin1Char('\'')); }},
        {"TABCLI", "NOME", "double quote", [](const QString& v) { return v.contains(QLatin1Char('"')); }},
        {"TABCLI", "NOME", "tilde and cedilla", casa("[ãõÃÕçÇ]")},
        {"TABCLI", "NOME", "leading blanks", [](const QString& v) { return v.startsWith(QLatin1String("  ")); }},
        {"TABCLI", "NOME", "filled to the width", [](const QString& v) { return v.size() == 40; }},
        {"TABCLI", "CGC", "masked CNPJ", casa(R"(^\d\d\.\d{3}\.\d{3}/\d{4}-\d\d$)")},
        {"TABCLI", "CGC", "masked CPF", casa(R"(^\d{3}\.\d{3}\.\d{3}-\d\d$)")},
        {"TABCLI", "CEP", "masked CEP", casa(R"(^\d{5}-\d{3}$)")},
        {"TABCLI", "TELEFONE", "masked phone", casa(R"(^\(0?\d\d\) ?\d{4}-\d{4}$)")},
        {"TABCLI", "DATA", "date", casa(R"(^\d\d/\d\d/(19|20)\d\d$)")},
        {"TABCLI", "DATA", "blank date", [](const QString& v) { return v.isEmpty(); }},
        {"TABCLI", "OBS", "remark of several lines",
         [](const QString& v) { return v.contains(QLatin1String("\r\n")); }},
        {"TABCLI", "TAGFISICA", "VERDADEIRO", [](const QString& v) { return v == QLatin1String("VERDADEIRO"); }},
        {"TABCLI", "TAGFISICA", "FALSO", [](const QString& v) { return v == QLatin1String("FALSO"); }},
        {"TABCLI", "TAGFISICA", "unknown", [](const QString& v) { return v.isEmpty(); }},
        {"TABFOR", "EMAIL", "e-mail", casa(R"(^[a-z]+@[a-z]+\.com\.br$)")},
        {"TABEST8", "SETOR", "blank sector", [](const QString& v) { return v.isEmpty(); }},
        {"TABEST8", "SETOR", "only - . / '", casa(R"(^[-./' ]+$)")},
        {"TABEST8", "SETOR", "longer than 30", [](const QString& v) { return v.trimmed().size() > 30; }},
        {"TABEST1", "PRODUTO", "inch mark", [](const QString& v) { return v.contains(QLatin1Char('"')); }},
        {"TABEST1", "PRECOVENDA", "price with cents", casa(R"(^\d+,\d\d?$)")},
        {"TABEST1", "PRECOVENDA", "blank or overflowed price", [](const QString& v) { return v.isEmpty(); }},
        {"TABEST1", "QUANTIDADE", "negative stock", [](const QString& v) { return v.startsWith(QLatin1Char('-')); }},
        {"TABEST1", "BASECALCUL", "no tax base", [](const QString& v) { return v.isEmpty(); }},
        {"TABEST1", "ULTREAJ", "1 January 1900", [](const QString& v) { return v == QLatin1String("01/01/1900"); }},
        {"TABEST1", "LKSETOR", "blank group", [](const QString& v) { return v.isEmpty(); }},
    };
    for (const Caso& caso : casos) {
        const QStringList& valores = dados.at(QLatin1String(caso.tabela)).at(QLatin1String(caso.campo));
        EXPECT_TRUE(algum(valores, caso.teste)) << caso.tabela << "." << caso.campo << ": no " << caso.oQue;
    }
    // Overflowed prices are in the file as '*' (the reader reads them as no value).
    EXPECT_TRUE(Bytes(QDir(pasta.path()).filePath(QStringLiteral("TABEST1.DBF"))).contains("***********"));
}

// In the hostile sample every character field and memo of every table gets every hostile text
// over a few dozen records; wide fields and memos also get 300 characters and more.
TEST(GeradorExemplo, HostileTextReachesEveryTextField) {
    QTemporaryDir pasta;
    Gera(pasta.path(), 1000, 1, true);
    const QStringList marcas = {
        QStringLiteral("'; DELETE FROM CLIENTE; --"),
        QStringLiteral("\"; DROP TABLE PRODUTO; --"),
        QStringLiteral("/* coment"),
        QStringLiteral(":PARAMETROS"),
        QStringLiteral("'' ''''"),
        QString(QChar(0x2500)), // box drawing: in cp850, not in Windows-1252
        QString(QChar(0x0001)), // a control character
        QStringLiteral("ÀÁÂÃÄÅ"),
        QStringLiteral("àáâãäå"),
        QStringLiteral("   espa"),
    };
    for (const QString& tabela : kTabelas) {
        TTabelaDbf t(pasta.path(), tabela);
        std::map<QString, QStringList> valores;
        std::map<QString, qsizetype> maior;
        QSet<QString> codigos;
        const int codigo = t.IndiceCampo(tabela == QLatin1String("TABCLI") || tabela == QLatin1String("TABEST1")
                                             ? QStringLiteral("CODIGO")
                                             : QStringLiteral("CONTROLE"));
        for (; !t.Eof(); t.Proximo()) {
            codigos.insert(t.Texto(codigo));
            for (int i = 0; i < t.QuantCampos(); ++i) {
                const char tipo = t.Campo(i).tipo;
                if (tipo == 'C' || tipo == 'M') {
                    const QString v = t.Texto(i);
                    valores[t.Campo(i).nome] << v;
                    maior[t.Campo(i).nome] = std::max(maior[t.Campo(i).nome], v.size());
                }
            }
        }
        EXPECT_EQ(codigos.size(), t.QuantRegistros()) << tabela.toStdString() << ": codes stay valid and unique";
        ASSERT_FALSE(valores.empty()) << tabela.toStdString();
        for (const auto& [campo, lista] : valores) {
            const int largura = t.Campo(t.IndiceCampo(campo)).tamanho;
            const bool memo = t.Campo(t.IndiceCampo(campo)).tipo == 'M';
            const auto algum = [&lista](const QString& trecho) {
                return std::any_of(lista.begin(), lista.end(),
                                   [&trecho](const QString& v) { return v.contains(trecho); });
            };
            if (!memo && largura < 15) {
                // A narrow field (a state, a unit) gets the texts cut: at least their quotes.
                EXPECT_TRUE(algum(QStringLiteral("'")) && algum(QStringLiteral("\"")))
                    << tabela.toStdString() << "." << campo.toStdString();
                continue;
            }
            for (const QString& marca : marcas) {
                EXPECT_TRUE(algum(SemBrancosAFinal(marca.left(largura))))
                    << tabela.toStdString() << "." << campo.toStdString() << " never holds " << marca.toStdString();
            }
            if (memo || largura > 255) {
                EXPECT_GE(maior[campo], 290) << tabela.toStdString() << "." << campo.toStdString();
            }
        }
    }
}

TEST(GeradorExemplo, RefusesAMissingFolderAndAnImpossibleCount) {
    QTemporaryDir pasta;
    EXPECT_THROW(Gera(QDir(pasta.path()).filePath(QStringLiteral("nao-existe")), 10), EConversao);
    EXPECT_THROW(Gera(pasta.path(), -1), EConversao);
    EXPECT_THROW(Gera(pasta.path(), kMaximoRegistrosExemplo + 1), EConversao);
    EXPECT_TRUE(QDir(pasta.path()).entryList(QDir::Files).isEmpty()) << "nothing written";
}

} // namespace
