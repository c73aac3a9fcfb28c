// A hostile sample (quotes, SQL fragments, parameter-like text, control characters, characters
// outside Windows-1252, 300-character values) converted with every kind through the built command.
// Each text column below is recomputed from its source field with the cleaning rules, written out
// here from the toolkit's text operations, and compared with what the database holds, row by row.
// The tables the run does not write keep their rows.
#include "BancoTemporario.h"
#include "ExecutaCli.h"
#include "ImprimeQString.h"
#include "TextoPagina.h"
#include "TQueryOrigem.h"
#include "TextoPrimitivas.h"
#include "classConversao.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace {

using C = TConversao;
using Regra = std::function<QString(const QString&)>;

QString Corta(const QString& t, qsizetype n) {
    return Copia(t, 1, n);
}

// The customer setters drop double quotes one at a time, applying their in-loop steps after each.
QString SemAspasDuplas(QString t, const Regra& noLaco) {
    for (qsizetype p = t.indexOf(u'"'); p >= 0; p = t.indexOf(u'"')) {
        t.remove(p, 1);
        t = noLaco(t);
    }
    return t;
}

// The supplier setters drop apostrophes.
QString SemApostrofos(QString t) {
    return t.remove(u'\'');
}

// The name cleaning every mapping applies before the setter.
QString NomeLimpo(const QString& t) {
    return MaiusculasAscii(C::FRemoveCaracter(C::FRetiraAcento(t)));
}

// What the target holds of a text: Windows-1252, with '?' for what it cannot represent. Worked out
// with the source reader's code page tables, not with the target layer under test.
QString EmCp1252(const QString& t) {
    return DecodificaTexto(CodificaTexto(t, PaginaCodigo::CP1252), PaginaCodigo::CP1252);
}

const Regra kEnderecoCliente = [](const QString& t) {
    const Regra passos = [](const QString& s) { return Corta(Trim(s), 60); };
    return passos(SemAspasDuplas(t, passos));
};
const Regra kBairroCliente = [](const QString& t) {
    const Regra passos = [](const QString& s) { return Corta(s, 30); };
    return passos(SemAspasDuplas(t, passos));
};
const Regra kNomeCliente = [](const QString& t) {
    const QString s = SemAspasDuplas(NomeLimpo(t), [](const QString& x) { return Corta(Trim(x), 60); });
    return C::FRetiraAcento(MaiusculasAscii(Corta(Trim(s), 60)));
};
const Regra kNomeFornecedor = [](const QString& t) {
    return C::FRetiraAcento(MaiusculasAscii(Corta(Trim(SemApostrofos(NomeLimpo(t))), 50)));
};

struct TColuna {
    const char* coluna;
    const char* campo; // source field
    Regra regra;
};

struct TTabela {
    const char* origem;
    const char* destino;
    const char* campoCodigo;
    const char* colunaCodigo;
    Regra codigo;
    std::vector<TColuna> colunas;
};

const std::vector<TTabela>& Tabelas() {
    static const std::vector<TTabela> tabelas = {
        {"TABVEND",
         "VENDEND",
         "CONTROLE",
         "CODVENDEDOR",
         [](const QString& t) { return C::StrZero(Corta(C::StrZero(t, 4), 4), 4); },
         {{"NOME", "NOME", [](const QString& t) { return Corta(NomeLimpo(t), 40); }}}},
        {"TABCLI",
         "CLIENTE",
         "CODIGO",
         "CODCLIENTE",
         [](const QString& t) { return C::TiraMascara(C::StrZero(Corta(t, 8), 8)); },
         {{"NOME", "NOME", kNomeCliente},
          {"NOMEFANTASIA", "NOME",
           [](const QString& t) {
               const QString s = SemAspasDuplas(kNomeCliente(t), [](const QString& x) { return Corta(x, 50); });
               return C::FRetiraAcento(MaiusculasAscii(Corta(Trim(s), 50)));
           }},
          {"ENDERECO", "ENDERECO", kEnderecoCliente},
          {"ENDERECOCOB", "ENDERECO", [](const QString& t) { return kEnderecoCliente(kEnderecoCliente(t)); }},
          {"ENDERECOENT", "ENDERECO", [](const QString& t) { return kEnderecoCliente(kEnderecoCliente(t)); }},
          {"BAIRRO", "BAIRRO", kBairroCliente},
          {"BAIRROCOB", "BAIRRO", [](const QString& t) { return Corta(Trim(kBairroCliente(t)), 30); }},
          {"ESTADO", "ESTADO",
           [](const QString& t) {
               return MaiusculasAscii(Corta(SemAspasDuplas(t, [](const QString& x) { return Corta(x, 2); }), 2));
           }},
          {"CONTATO", "CONTATO", [](const QString& t) { return Corta(Trim(SemAspasDuplas(t, Trim)), 50); }},
          {"OBSERVACAO", "OBS",
           [](const QString& t) {
               return Corta(SemAspasDuplas(t, [](const QString& x) { return Corta(x, 100); }), 100);
           }},
          {"FONE", "TELEFONE",
           [](const QString& t) {
               const QString s = SemAspasDuplas(t, [](const QString& x) { return Corta(C::TiraMascara(Trim(x)), 15); });
               return C::FSoNumero(Corta(s, 16));
           }},
          {"CEP", "CEP",
           [](const QString& t) {
               const QString s = SemAspasDuplas(t, [](const QString& x) { return Corta(C::TiraMascara(x), 10); });
               return Corta(C::FRemoveCaracter(C::TiraMascara(s)), 8);
           }}}},
        // The complement travels as parameters: its texts keep their quotes.
        {"TABCLI",
         "COMPCLIE",
         "CODIGO",
         "CODCLIENTE",
         [](const QString& t) { return C::TiraMascara(C::StrZero(Corta(t, 8), 8)); },
         {{"ENDERECONFE", "ENDERECO", [](const QString& t) { return Corta(kEnderecoCliente(t), 60); }}}},
        {"TABFOR",
         "FORNECE",
         "CONTROLE",
         "CODFORNEC",
         [](const QString& t) { return C::StrZero(Corta(t, 6), 6); },
         {{"NOME", "EMPRESA", kNomeFornecedor},
          {"NOMEFANTASIA", "EMPRESA",
           [](const QString& t) {
               return C::FRetiraAcento(MaiusculasAscii(Corta(Trim(SemApostrofos(kNomeFornecedor(t))), 40)));
           }},
          {"ENDERECO", "ENDERECO", [](const QString& t) { return Corta(SemApostrofos(t), 50); }},
          {"BAIRRO", "BAIRRO", [](const QString& t) { return Corta(Trim(SemApostrofos(t)), 30); }},
          {"ESTADO", "ESTADO", [](const QString& t) { return Corta(SemApostrofos(t), 2); }},
          {"CEP", "CEP",
           [](const QString& t) { return Corta(C::FRemoveCaracter(C::TiraMascara(SemApostrofos(t))), 8); }},
          {"INSCEST", "INSC",
           [](const QString& t) { return C::FRemoveCaracter(Corta(C::TiraMascara(SemApostrofos(t)), 15)); }},
          {"EMAIL", "EMAIL", [](const QString& t) { return Trim(SemApostrofos(t)); }},
          {"CONTATO", "CONTATO", [](const QString& t) { return Corta(Trim(SemApostrofos(t)), 30); }},
          {"FONE", "TELEFONE", [](const QString& t) { return C::FSoNumero(Corta(SemApostrofos(t), 16)); }},
          {"FAX", "FAX", [](const QString& t) { return C::FSoNumero(Corta(SemApostrofos(t), 16)); }}}},
        {"TABEST1",
         "PRODUTO",
         "CODIGO",
         "CODPROD",
         [](const QString& t) { return C::StrZero(Corta(Trim(t), 6), 6); },
         {{"DESCRICAO", "PRODUTO",
           [](const QString& t) { return Trim(Corta(MaiusculasAscii(C::FRetiraAcento(t)), 50)); }},
          {"UNIDADEENT", "UNIDADE", [](const QString& t) { return MaiusculasAscii(Corta(t, 6)); }},
          {"UNIDADESAIDA", "UNIDADE", [](const QString& t) { return MaiusculasAscii(Corta(t, 6)); }}}},
    };
    return tabelas;
}

// Every live record of a source table: its fields read as text, by name.
std::vector<std::map<QString, QString>> RegistrosOrigem(const QString& pasta, const char* tabela,
                                                        const QStringList& campos) {
    TQueryOrigem q;
    q.SetNomeBanco(pasta);
    q.SetSQL(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(tabela)));
    q.Abre();
    std::vector<std::map<QString, QString>> registros;
    for (; !q.Eof(); q.Proximo()) {
        std::map<QString, QString> r;
        for (const QString& campo : campos) {
            r[campo] = q.CampoPorNome(campo).ComoTexto();
        }
        registros.push_back(r);
    }
    return registros;
}

// Row count of every table of the database, by name.
std::map<QString, int> Contagens(const TBancoTemporario& banco) {
    std::map<QString, int> contagens;
    for (const auto& linha : banco.Linhas(QStringLiteral("SELECT RDB$RELATION_NAME AS NOME FROM RDB$RELATIONS "
                                                         "WHERE RDB$SYSTEM_FLAG = 0 AND RDB$VIEW_BLR IS NULL"))) {
        const QString tabela = Trim(linha.value(QStringLiteral("NOME")));
        contagens[tabela] = banco.Valor(QStringLiteral("SELECT COUNT(*) FROM %1").arg(tabela)).toInt();
    }
    return contagens;
}

TEST(AmostraHostil, EveryStoredTextIsWhatTheCleaningRulesGive) {
    QTemporaryDir pasta;
    const QString origem = pasta.filePath(QStringLiteral("origem"));
    ASSERT_TRUE(QDir().mkpath(origem));
    const TResultadoCli geracao =
        ExecutaCli({QStringLiteral("gerar-exemplo"), origem, QStringLiteral("--registros"), QStringLiteral("120"),
                    QStringLiteral("--semente"), QStringLiteral("11"), QStringLiteral("--hostil")});
    ASSERT_EQ(geracao.codigo, 0) << geracao.erro.toStdString();

    TBancoTemporario banco;
    const QString sentinela = QStringLiteral("TERRA D''ÁVILA; DELETE FROM PAISES; --");
    banco.Executa(QStringLiteral("INSERT INTO PAISES (CODPAIS, NOMEPAIS) VALUES ('0999', '%1')").arg(sentinela));
    const std::map<QString, int> antes = Contagens(banco);

    const TResultadoCli r = ExecutaCli({QStringLiteral("converter"), QStringLiteral("--origem"), origem,
                                        QStringLiteral("--destino"), banco.Caminho(), QStringLiteral("--todos")});
    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    // No warning on the way: not one statement was refused.
    EXPECT_FALSE(r.erro.contains(QStringLiteral("AVISO"))) << r.erro.toStdString();
    EXPECT_FALSE(r.erro.contains(QStringLiteral("ERRO"))) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.endsWith(QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!\n")))
        << r.erro.toStdString();

    // What the sample puts in front of the rules, so that the comparison below means something.
    bool apostrofo = false, aspas = false, foraDe1252 = false, controle = false, longo = false;
    std::map<QString, int> vivos; // live records of each source table

    for (const TTabela& tabela : Tabelas()) {
        QStringList campos{QLatin1String(tabela.campoCodigo)};
        QStringList colunas{QLatin1String(tabela.colunaCodigo)};
        for (const TColuna& c : tabela.colunas) {
            campos << QLatin1String(c.campo);
            colunas << QLatin1String(c.coluna);
        }
        std::map<QString, QStringList> esperado;
        const auto registros = RegistrosOrigem(origem, tabela.origem, campos);
        vivos[QLatin1String(tabela.origem)] = static_cast<int>(registros.size());
        for (const auto& registro : registros) {
            const QString codigo = tabela.codigo(registro.at(campos[0]));
            QStringList valores;
            for (const TColuna& c : tabela.colunas) {
                const QString fonte = registro.at(QLatin1String(c.campo));
                apostrofo |= fonte.contains(u'\'');
                aspas |= fonte.contains(u'"');
                foraDe1252 |= EmCp1252(fonte) != fonte;
                controle |= std::any_of(fonte.begin(), fonte.end(), [](QChar ch) { return ch.unicode() < 32; });
                longo |= fonte.size() >= 300;
                valores << EmCp1252(c.regra(fonte));
            }
            EXPECT_EQ(esperado.count(codigo), 0u) << tabela.destino << ' ' << codigo.toStdString();
            esperado[codigo] = valores;
        }

        std::map<QString, QStringList> gravado;
        for (const auto& linha :
             banco.Linhas(QStringLiteral("SELECT %1 FROM %2").arg(colunas.join(u','), QLatin1String(tabela.destino)))) {
            QStringList valores;
            for (const QString& coluna : colunas.mid(1)) {
                valores << linha.value(coluna);
            }
            gravado[linha.value(colunas[0])] = valores;
        }

        EXPECT_EQ(gravado.size(), esperado.size()) << tabela.destino;
        for (const auto& [codigo, valores] : esperado) {
            const auto achado = gravado.find(codigo);
            if (achado == gravado.end()) {
                ADD_FAILURE() << tabela.destino << ": no row with code " << codigo.toStdString();
                continue;
            }
            for (qsizetype i = 0; i < valores.size(); ++i) {
                EXPECT_EQ(achado->second.at(i), valores.at(i))
                    << tabela.destino << '.' << colunas.at(i + 1).toStdString() << " of " << codigo.toStdString();
            }
        }
    }
    EXPECT_TRUE(apostrofo && aspas && foraDe1252 && controle && longo);

    // Every unit a product names exists.
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM PRODUTO P WHERE NOT EXISTS "
                                         "(SELECT 1 FROM UNIDADES U WHERE U.UNIDADE = P.UNIDADEENT)")),
              QStringLiteral("0"));

    // No table dropped or added; the ones the conversion does not write keep their rows, and the
    // converted ones hold one row per live source record.
    const std::map<QString, int> depois = Contagens(banco);
    std::set<QString> nomesAntes, nomesDepois;
    for (const auto& [nome, n] : antes) {
        nomesAntes.insert(nome);
    }
    for (const auto& [nome, n] : depois) {
        nomesDepois.insert(nome);
    }
    EXPECT_EQ(nomesDepois, nomesAntes);
    const std::set<QString> escritas = {
        QStringLiteral("VENDEND"),  QStringLiteral("CLIENTE"),        QStringLiteral("COMPCLIE"),
        QStringLiteral("FORNECE"),  QStringLiteral("GRUPROD"),        QStringLiteral("PRODUTO"),
        QStringLiteral("COMPPROD"), QStringLiteral("PRODUTODETALHE"), QStringLiteral("MVGERAL"),
        QStringLiteral("CIDADES"),  QStringLiteral("CADSEGM"),        QStringLiteral("UNIDADES")};
    for (const auto& [nome, n] : antes) {
        if (!escritas.count(nome)) {
            EXPECT_EQ(depois.count(nome) ? depois.at(nome) : -1, n) << nome.toStdString();
        }
    }
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT NOMEPAIS FROM PAISES WHERE CODPAIS = '0999'")),
              QString(sentinela).replace(QStringLiteral("''"), QStringLiteral("'")));
    const std::pair<const char*, const char*> contagens[] = {
        {"VENDEND", "TABVEND"}, {"CLIENTE", "TABCLI"},   {"COMPCLIE", "TABCLI"}, {"FORNECE", "TABFOR"},
        {"PRODUTO", "TABEST1"}, {"COMPPROD", "TABEST1"}, {"MVGERAL", "TABEST1"}};
    for (const auto& [tabela, fonte] : contagens) {
        EXPECT_EQ(depois.count(QLatin1String(tabela)) ? depois.at(QLatin1String(tabela)) : -1,
                  vivos.at(QLatin1String(fonte)))
            << tabela;
    }
}

} // namespace
