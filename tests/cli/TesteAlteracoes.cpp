// The change log (--alteracoes) through the built command and a real database: what each rule that
// loses information records, and that the mappings, run without a database, record the same.
#include "../unit/FixturesDbf.h"
#include "Alteracao.h"
#include "BancoTemporario.h"
#include "ClientesController.h"
#include "ExecutaCli.h"
#include "FornecedoresController.h"
#include "GruposProdutosController.h"
#include "ImprimeQString.h"
#include "IndiceAlteracoes.h"
#include "ProdutosController.h"
#include "RegistroAlteracoes.h"
#include "TQueryOrigem.h"
#include "VendedoresController.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace {

// A log's records as lists of fields, in file order.
std::vector<QStringList> Registros(const QString& arquivo) {
    const TIndiceAlteracoes indice(arquivo);
    std::vector<QStringList> registros;
    for (qint64 i = 0; i < indice.Quantidade(); ++i) {
        registros.push_back(indice.Registro(i));
    }
    return registros;
}

// The same fields from a change recorded in memory.
QStringList Campos(const TAlteracao& a) {
    return {a.tipo,         a.tabelaOrigem,  QString::number(a.registro),
            a.codigoOrigem, a.campoOrigem,   a.colunaDestino,
            a.OQue(),       a.valorOriginal, a.valorGravado};
}

class TMemoria final : public IRegistroAlteracoes {
public:
    void Registra(const TAlteracao& a) override { registros.push_back(Campos(a)); }
    std::vector<QStringList> registros;
};

// What every kind records when its mapping runs over the folder without a database.
std::vector<QStringList> SemBanco(const QString& pasta) {
    TMemoria memoria;
    std::vector<std::unique_ptr<TMapeamento>> mapeamentos;
    mapeamentos.push_back(std::make_unique<TMapeamentoVendedores>(nullptr));
    mapeamentos.push_back(std::make_unique<TMapeamentoClientes>(nullptr));
    mapeamentos.push_back(std::make_unique<TMapeamentoFornecedores>(nullptr));
    mapeamentos.push_back(std::make_unique<TMapeamentoGruposProdutos>(nullptr));
    mapeamentos.push_back(std::make_unique<TMapeamentoProdutos>(nullptr));
    for (const auto& m : mapeamentos) {
        TQueryOrigem q;
        q.SetNomeBanco(pasta);
        q.SetSQL(QStringLiteral("SELECT * FROM ") + m->TabelaOrigem());
        if (QDir(pasta).entryList({m->TabelaOrigem() + QStringLiteral(".DBF")}).isEmpty()) {
            continue;
        }
        q.Abre();
        m->Contexto().alteracoes = &memoria;
        for (; !q.Eof(); q.Proximo()) {
            m->PosicionaContexto(q);
            m->Preenche(q);
            m->Descarta();
        }
    }
    return memoria.registros;
}

// Sellers: 12345 is cut to 1234, and the next seller, 1234, is then refused; a name over 40.
// Groups: 1345 keeps its last three; one without a description; a box-drawing character.
// Suppliers: the same character in the name (name and fantasy name), an address over 50.
void GravaOrigem(const QString& pasta) {
    GravaTabela(QDir(pasta).filePath(QStringLiteral("TABVEND.DBF")),
                {{QStringLiteral("CONTROLE"), 'C', 5},
                 {QStringLiteral("NOME"), 'C', 60},
                 {QStringLiteral("COMISSAO"), 'N', 5, 2}},
                3, [](TEscritorDbf& e, int i) {
                    const char* codigos[] = {"12345", "1234", "7"};
                    const QString nomes[] = {QStringLiteral("ANA"), QStringLiteral("BETO"), QString(45, u'X')};
                    e.Texto(QStringLiteral("CONTROLE"), QLatin1String(codigos[i]));
                    e.Texto(QStringLiteral("NOME"), nomes[i]);
                    return true;
                });
    GravaTabela(QDir(pasta).filePath(QStringLiteral("TABEST8.DBF")),
                {{QStringLiteral("CONTROLE"), 'C', 6}, {QStringLiteral("SETOR"), 'C', 40}}, 3,
                [](TEscritorDbf& e, int i) {
                    const char* codigos[] = {"1345", "2", "3"};
                    const QString setores[] = {QStringLiteral("FERRAGENS"), QString(), QStringLiteral("ÁGUA ─ LUZ")};
                    e.Texto(QStringLiteral("CONTROLE"), QLatin1String(codigos[i]));
                    e.Texto(QStringLiteral("SETOR"), setores[i]);
                    return true;
                });
    std::vector<TDefinicaoCampo> campos = {{QStringLiteral("CONTROLE"), 'C', 6}};
    for (const char* nome : {"EMPRESA", "ENDERECO", "BAIRRO", "ESTADO", "CIDADE", "CEP", "CGC", "INSC", "EMAIL",
                             "CONTATO", "TELEFONE", "FAX"}) {
        campos.push_back({QLatin1String(nome), 'C', 60});
    }
    GravaTabela(QDir(pasta).filePath(QStringLiteral("TABFOR.DBF")), campos, 1, [](TEscritorDbf& e, int) {
        e.Texto(QStringLiteral("CONTROLE"), QStringLiteral("1"));
        e.Texto(QStringLiteral("EMPRESA"), QStringLiteral("LOJA ─ CENTRO"));
        e.Texto(QStringLiteral("ENDERECO"), QStringLiteral("RUA ") + QString(51, u'A'));
        return true;
    });
}

// Each rule that loses information leaves one line, with the value the database holds; the ordinary
// cleaning (accents, upper case, zero padding) leaves none.
TEST(Alteracoes, CadaRegraQuePerdeInformacaoDeixaUmaLinha) {
    struct Esperada {
        QStringList campos;  ///< the log's fields; for a refusal, what happened is checked by its start
        const char* leitura; ///< what reads the stored value back; none for a whole record
    };
    const QString recusa = QStringLiteral("registro recusado pelo banco: ");
    const std::vector<Esperada> esperadas = {
        {{"VENDEDORES", "TABVEND", "1", "12345", "CONTROLE", "VENDEND.CODVENDEDOR", "cortado na largura 4", "12345",
          "1234"},
         "SELECT CODVENDEDOR FROM VENDEND WHERE NOME = 'ANA'"},
        {{"VENDEDORES", "TABVEND", "2", "1234", "", "", recusa, "", ""}, nullptr},
        {{"VENDEDORES", "TABVEND", "3", "7", "NOME", "VENDEND.NOME", "cortado na largura 40", QString(45, u'X'),
          QString(40, u'X')},
         "SELECT NOME FROM VENDEND WHERE CODVENDEDOR = '0007'"},
        {{"FORNECEDORES", "TABFOR", "1", "1", "EMPRESA", "FORNECE.NOME", "caractere fora do WIN1252", "LOJA ─ CENTRO",
          "LOJA ? CENTRO"},
         "SELECT NOME FROM FORNECE WHERE CODFORNEC = '000001'"},
        {{"FORNECEDORES", "TABFOR", "1", "1", "EMPRESA", "FORNECE.NOMEFANTASIA", "caractere fora do WIN1252",
          "LOJA ─ CENTRO", "LOJA ? CENTRO"},
         "SELECT NOMEFANTASIA FROM FORNECE WHERE CODFORNEC = '000001'"},
        {{"FORNECEDORES", "TABFOR", "1", "1", "ENDERECO", "FORNECE.ENDERECO", "cortado na largura 50",
          QStringLiteral("RUA ") + QString(51, u'A'), QStringLiteral("RUA ") + QString(46, u'A')},
         "SELECT ENDERECO FROM FORNECE WHERE CODFORNEC = '000001'"},
        {{"GRUPOSPRODUTOS", "TABEST8", "1", "1345", "CONTROLE", "GRUPROD.CODGRUPO", "cortado na largura 3", "1345",
          "345"},
         "SELECT CODGRUPO FROM GRUPROD WHERE DESCRICAO = 'FERRAGENS'"},
        {{"GRUPOSPRODUTOS", "TABEST8", "2", "2", "", "", "registro ignorado: sem descrição", "", ""}, nullptr},
        {{"GRUPOSPRODUTOS", "TABEST8", "3", "3", "SETOR", "GRUPROD.DESCRICAO", "caractere fora do WIN1252",
          "ÁGUA ─ LUZ", "AGUA ? LUZ"},
         "SELECT DESCRICAO FROM GRUPROD WHERE CODGRUPO = '003'"},
    };

    TBancoTemporario banco;
    QTemporaryDir origem;
    QTemporaryDir saida;
    GravaOrigem(origem.path());
    const QString log = saida.filePath(QStringLiteral("alteracoes.csv"));
    const auto r =
        ExecutaCli(ArgumentosConverter(origem.path(), banco.Caminho(),
                                       {QStringLiteral("--vendedores"), QStringLiteral("--fornecedores"),
                                        QStringLiteral("--grupos-produtos"), QStringLiteral("--alteracoes"), log}));
    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();

    const std::vector<QStringList> registros = Registros(log);
    ASSERT_EQ(registros.size(), esperadas.size()) << LeArquivo(log).toStdString();
    for (std::size_t i = 0; i < esperadas.size(); ++i) {
        const QStringList& esperado = esperadas[i].campos;
        QStringList lido = registros[i];
        SCOPED_TRACE(esperado.join(u'|').toStdString());
        if (esperado[6] == recusa) {
            EXPECT_TRUE(lido[6].startsWith(recusa) && lido[6].contains(QStringLiteral("PRIMARY or UNIQUE KEY")))
                << lido[6].toStdString();
            lido[6] = recusa;
        }
        EXPECT_EQ(lido, esperado);
        if (esperadas[i].leitura) {
            EXPECT_EQ(banco.Valor(QLatin1String(esperadas[i].leitura)), esperado[8]);
        }
    }
}

// The mappings without a database record what the run records, refusals aside (only the database
// refuses), so a check made before the run tells what the run will change.
TEST(Alteracoes, SemBancoOsMapeamentosRegistramOMesmoQueAExecucao) {
    TBancoTemporario banco;
    QTemporaryDir origem;
    QTemporaryDir saida;
    const TResultadoCli geracao =
        ExecutaCli({QStringLiteral("gerar-exemplo"), origem.path(), QStringLiteral("--registros"), QStringLiteral("60"),
                    QStringLiteral("--hostil")});
    ASSERT_EQ(geracao.codigo, 0) << geracao.erro.toStdString();
    const QString log = saida.filePath(QStringLiteral("alteracoes.csv"));
    const auto r = ExecutaCli(ArgumentosConverter(origem.path(), banco.Caminho(),
                                                  {QStringLiteral("--todos"), QStringLiteral("--alteracoes"), log}));
    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();

    std::vector<QStringList> daExecucao;
    for (const QStringList& registro : Registros(log)) {
        if (!registro[6].startsWith(QStringLiteral("registro recusado"))) {
            daExecucao.push_back(registro);
        }
    }
    ASSERT_FALSE(daExecucao.empty());
    EXPECT_EQ(SemBanco(origem.path()), daExecucao);
}

// The source text of a field of a record, as the reader gives it.
QString Origem(const QString& pasta, const char* tabela, qint64 registro, const char* campo) {
    TQueryOrigem q;
    q.SetNomeBanco(pasta);
    q.SetSQL(QStringLiteral("SELECT * FROM ") + QLatin1String(tabela));
    q.Abre();
    while (!q.Eof() && q.NumeroRegistro() != registro) {
        q.Proximo();
    }
    return q.Eof() ? QString() : q.CampoPorNome(QLatin1String(campo)).ComoTexto();
}

// The hostile sample's first sellers and groups: exactly the cuts and the '?' their values cause,
// worked out by hand from the rules (the name cleaning drops ";", "-", "/" and ".", accents go,
// ASCII letters go up, then the cut). The same log comes out of a rehearsal, and the summary counts
// what the log holds.
TEST(Alteracoes, AmostraHostilListaOsCortesEOsCaracteresDeCadaRegistro) {
    TBancoTemporario banco;
    QTemporaryDir origem;
    QTemporaryDir saida;
    const TResultadoCli geracao =
        ExecutaCli({QStringLiteral("gerar-exemplo"), origem.path(), QStringLiteral("--registros"), QStringLiteral("40"),
                    QStringLiteral("--hostil")});
    ASSERT_EQ(geracao.codigo, 0) << geracao.erro.toStdString();
    const QString log = saida.filePath(QStringLiteral("alteracoes.csv"));
    const QString ensaio = saida.filePath(QStringLiteral("ensaio.csv"));
    const QString json = saida.filePath(QStringLiteral("resumo.json"));
    const auto r = ExecutaCli(ArgumentosConverter(
        origem.path(), banco.Caminho(),
        {QStringLiteral("--todos"), QStringLiteral("--alteracoes"), log, QStringLiteral("--resumo"), json}));
    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();

    // The first record's text opens with the SQL fragment; the fourth with box-drawing characters
    // and symbols CP850 has and WIN1252 has not (eleven, six, seven, then a dotless i and a double
    // low line), which fill the whole width of a group's description.
    const QString comeco = QStringLiteral("\" DROP TABLE PRODUTO  * COMENTARIO * FIM");
    const QString simbolos = QStringLiteral("??????????? ?????? ??????? ? ?");
    struct Linha {
        const char* tabela;
        qint64 registro;
        const char* campo;
        const char* coluna;
        const char* oQue;
        QString gravado;
    };
    const std::vector<Linha> esperadas = {
        {"TABVEND", 1, "NOME", "VENDEND.NOME", "cortado na largura 40", comeco},
        {"TABEST8", 1, "SETOR", "GRUPROD.DESCRICAO", "cortado na largura 30", comeco.left(30)},
        {"TABEST8", 4, "SETOR", "GRUPROD.DESCRICAO", "cortado na largura 30", simbolos},
        {"TABEST8", 4, "SETOR", "GRUPROD.DESCRICAO", "caractere fora do WIN1252", simbolos},
    };
    std::vector<QStringList> lidas;
    std::map<QString, int> porTipo;
    for (const QStringList& registro : Registros(log)) {
        ++porTipo[registro[0]];
        const bool vendedor = registro[1] == QLatin1String("TABVEND") && registro[2].toInt() <= 2;
        const bool grupo = registro[1] == QLatin1String("TABEST8") && registro[2].toInt() <= 4;
        if (vendedor || grupo) {
            lidas.push_back(registro.mid(1));
        }
    }
    std::vector<QStringList> esperado;
    for (const Linha& l : esperadas) {
        const QString registro = QString::number(l.registro);
        esperado.push_back({QLatin1String(l.tabela), registro, registro, QLatin1String(l.campo),
                            QLatin1String(l.coluna), QLatin1String(l.oQue),
                            Origem(origem.path(), l.tabela, l.registro, l.campo), l.gravado});
    }
    EXPECT_EQ(lidas, esperado);

    const QJsonArray tipos = QJsonDocument::fromJson(LeArquivo(json)).object()[QStringLiteral("tipos")].toArray();
    ASSERT_EQ(tipos.size(), 5);
    for (const QJsonValue& tipo : tipos) {
        const QJsonObject t = tipo.toObject();
        int soma = 0;
        for (const QJsonValue& n : t[QStringLiteral("alteracoes")].toObject()) {
            soma += n.toInt();
        }
        EXPECT_EQ(soma, porTipo[t[QStringLiteral("tipo")].toString()])
            << t[QStringLiteral("tipo")].toString().toStdString();
    }

    const auto e = ExecutaCli(ArgumentosConverter(
        origem.path(), banco.Caminho(),
        {QStringLiteral("--todos"), QStringLiteral("--ensaio"), QStringLiteral("--alteracoes"), ensaio}));
    ASSERT_EQ(e.codigo, 0) << e.erro.toStdString();
    EXPECT_EQ(LeArquivo(ensaio), LeArquivo(log));
}

} // namespace

namespace {

// Sellers: "12" padded to 0012 and "joão" turned into JOAO are the ordinary cleaning; "0034" and
// "ANA" arrive as read (the DBF's padding blanks aside); the 45-letter name is cut, which the log
// already holds, so only its code counts.
void GravaVendedoresLimpeza(const QString& pasta) {
    GravaTabela(QDir(pasta).filePath(QStringLiteral("TABVEND.DBF")),
                {{QStringLiteral("CONTROLE"), 'C', 5},
                 {QStringLiteral("NOME"), 'C', 60},
                 {QStringLiteral("COMISSAO"), 'N', 5, 2}},
                3, [](TEscritorDbf& e, int i) {
                    const char* codigos[] = {"12", "0034", "56"};
                    const QString nomes[] = {QStringLiteral("joão"), QStringLiteral("ANA"), QString(45, u'x')};
                    e.Texto(QStringLiteral("CONTROLE"), QLatin1String(codigos[i]));
                    e.Texto(QStringLiteral("NOME"), nomes[i]);
                    return true;
                });
}

} // namespace

// The ordinary cleaning leaves no line in the log, and the summary, text and JSON, counts it per field.
TEST(Alteracoes, ResumoContaALimpezaComumPorCampo) {
    TBancoTemporario banco;
    QTemporaryDir origem;
    QTemporaryDir saida;
    GravaVendedoresLimpeza(origem.path());
    const QString log = saida.filePath(QStringLiteral("alteracoes.csv"));
    const QString json = saida.filePath(QStringLiteral("resumo.json"));
    const auto r = ExecutaCli(ArgumentosConverter(
        origem.path(), banco.Caminho(),
        {QStringLiteral("--vendedores"), QStringLiteral("--alteracoes"), log, QStringLiteral("--resumo"), json}));
    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    ASSERT_EQ(Registros(log).size(), 1u) << LeArquivo(log).toStdString(); // the cut name only

    const std::map<QString, qint64> esperadas = {
        {QStringLiteral("TABVEND.CONTROLE -> VENDEND.CODVENDEDOR"), 2},
        {QStringLiteral("TABVEND.NOME -> VENDEND.NOME"), 1},
    };
    const QJsonArray tipos = QJsonDocument::fromJson(LeArquivo(json)).object()[QStringLiteral("tipos")].toArray();
    ASSERT_EQ(tipos.size(), 1);
    const QJsonObject limpeza = tipos[0].toObject()[QStringLiteral("limpeza")].toObject();
    std::map<QString, qint64> lidas;
    for (auto it = limpeza.begin(); it != limpeza.end(); ++it) {
        lidas[it.key()] = it.value().toInteger();
    }
    EXPECT_EQ(lidas, esperadas);
    EXPECT_TRUE(r.saida.contains(QStringLiteral("Limpeza comum por campo"))) << r.saida.toStdString();
    for (const auto& [campo, quant] : esperadas) {
        EXPECT_TRUE(r.saida.contains(QStringLiteral("%1: %2\n").arg(campo).arg(quant))) << r.saida.toStdString();
    }
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT NOME FROM VENDEND WHERE CODVENDEDOR = '0012'")),
              QStringLiteral("JOAO"));
}
