// A run killed or stopped by a signal in the middle of the products: what the database holds
// afterwards, the summary, the warning about triggers left inactive, ativar-triggers, and the
// rehearsal's copy a kill leaves behind.
#include "../integration/ClientesTeste.h"
#include "ArquivosTeste.h"
#include "BancoTemporario.h"
#include "ExecutaCli.h"
#include "TEscritorDbf.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#include <signal.h>

namespace {

const QStringList kTriggers = {
    QStringLiteral("PRODUTO_BI0"), QStringLiteral("MVGERAL_AD0"),  QStringLiteral("MVGERAL_AI0"),
    QStringLiteral("MVGERAL_AU0"), QStringLiteral("MVGERAL_BD0"),  QStringLiteral("MVGERAL_BI0"),
    QStringLiteral("MVGERAL_BU0"), QStringLiteral("COMPCLIE_AI0"), QStringLiteral("COMPCLIE_AU0"),
};

// Enough products that the run is still converting them seconds after it started on them.
constexpr int kProdutos = 60000;

QString Tabela(const QString& pasta, const char* nome) {
    return QDir(pasta).filePath(QLatin1String(nome));
}

// The five tables of a whole run. Names and codes repeat in a pattern so that every kind also
// creates reference rows (cities, segments, units) on the way.
void EscreveOrigem(const QString& pasta) {
    {
        TEscritorDbf t(Tabela(pasta, "TABVEND.DBF"), {{QStringLiteral("CONTROLE"), 'C', 4},
                                                      {QStringLiteral("NOME"), 'C', 30},
                                                      {QStringLiteral("COMISSAO"), 'N', 6, 2}});
        for (int i = 1; i <= 12; ++i) {
            t.NovoRegistro();
            t.Texto(QStringLiteral("CONTROLE"), QString::number(i));
            t.Texto(QStringLiteral("NOME"), QStringLiteral("Vendedor Número %1").arg(i));
            t.Numero(QStringLiteral("COMISSAO"), 1.5 * i);
            t.GravaRegistro();
        }
        t.Fecha();
    }
    std::vector<TRegistroTabcli> clientes;
    for (int i = 1; i <= 40; ++i) {
        TRegistroTabcli c;
        c.codigo = QString::number(i);
        c.nome = QStringLiteral("Cliente Conceição %1").arg(i);
        c.endereco = QStringLiteral("Rua das Flores, %1").arg(10 * i);
        c.estado = QStringLiteral("MG");
        c.cidade = i % 2 ? QStringLiteral("Contagem") : QStringLiteral("Betim");
        c.atividade = i % 3 ? QStringLiteral("Comércio") : QStringLiteral("Indústria");
        c.obs = i % 4 ? QString() : QStringLiteral("Observação %1").arg(i);
        c.data = QDate(2015, 1 + i % 12, 1 + i % 28);
        clientes.push_back(c);
    }
    EscreveTabcli(pasta, clientes);
    {
        std::vector<TDefinicaoCampo> campos;
        for (const char* nome : {"CONTROLE", "EMPRESA", "ENDERECO", "BAIRRO", "ESTADO", "CIDADE", "CEP", "CGC", "INSC",
                                 "EMAIL", "CONTATO", "TELEFONE", "FAX"}) {
            campos.push_back({QLatin1String(nome), 'C', 30});
        }
        TEscritorDbf t(Tabela(pasta, "TABFOR.DBF"), campos);
        for (int i = 1; i <= 15; ++i) {
            t.NovoRegistro();
            t.Texto(QStringLiteral("CONTROLE"), QString::number(i));
            t.Texto(QStringLiteral("EMPRESA"), QStringLiteral("Fornecedor %1 Ltda.").arg(i));
            t.Texto(QStringLiteral("ESTADO"), QStringLiteral("SP"));
            t.Texto(QStringLiteral("CIDADE"), i % 2 ? QStringLiteral("Campinas") : QStringLiteral("Santos"));
            t.GravaRegistro();
        }
        t.Fecha();
    }
    {
        TEscritorDbf t(Tabela(pasta, "TABEST8.DBF"),
                       {{QStringLiteral("CONTROLE"), 'C', 6}, {QStringLiteral("SETOR"), 'C', 30}});
        for (int i = 1; i <= 8; ++i) {
            t.NovoRegistro();
            t.Texto(QStringLiteral("CONTROLE"), QString::number(i));
            t.Texto(QStringLiteral("SETOR"), QStringLiteral("Setor %1").arg(i));
            t.GravaRegistro();
        }
        t.Fecha();
    }
    TEscritorDbf t(Tabela(pasta, "TABEST1.DBF"), {{QStringLiteral("CODIGO"), 'C', 6},
                                                  {QStringLiteral("PRODUTO"), 'C', 40},
                                                  {QStringLiteral("LKSETOR"), 'C', 6},
                                                  {QStringLiteral("LKFORNEC"), 'C', 6},
                                                  {QStringLiteral("UNIDADE"), 'C', 6},
                                                  {QStringLiteral("PRECOVENDA"), 'N', 12, 2},
                                                  {QStringLiteral("ESTMINIMO"), 'N', 10, 2},
                                                  {QStringLiteral("LUCRO"), 'N', 8, 2},
                                                  {QStringLiteral("ULTREAJ"), 'D', 8},
                                                  {QStringLiteral("BASECALCULO"), 'N', 8, 2},
                                                  {QStringLiteral("PRECOCUSTO"), 'N', 12, 2},
                                                  {QStringLiteral("CUSTOMEDIO"), 'N', 12, 2},
                                                  {QStringLiteral("QUANTIDADE"), 'N', 12, 3}});
    for (int i = 1; i <= kProdutos; ++i) {
        t.NovoRegistro();
        t.Texto(QStringLiteral("CODIGO"), QString::number(i));
        t.Texto(QStringLiteral("PRODUTO"), QStringLiteral("Produto de teste %1").arg(i));
        t.Texto(QStringLiteral("LKSETOR"), QString::number(1 + i % 8));
        t.Texto(QStringLiteral("LKFORNEC"), QString::number(1 + i % 15));
        // A new unit every 500 products: units are created inside the products' transaction.
        t.Texto(QStringLiteral("UNIDADE"), QStringLiteral("U%1").arg(i / 500));
        t.Numero(QStringLiteral("PRECOVENDA"), 10 + i % 100);
        t.Numero(QStringLiteral("PRECOCUSTO"), 5 + i % 50);
        t.Numero(QStringLiteral("CUSTOMEDIO"), 6 + i % 50);
        t.Numero(QStringLiteral("QUANTIDADE"), i % 30);
        t.Data(QStringLiteral("ULTREAJ"), QDate(2020, 1 + i % 12, 1 + i % 28));
        t.GravaRegistro();
    }
    t.Fecha();
}

QStringList TriggersInativas(const TBancoTemporario& banco) {
    QStringList r;
    for (const auto& linha : banco.Linhas(QStringLiteral("SELECT RDB$TRIGGER_NAME AS NOME FROM RDB$TRIGGERS WHERE "
                                                         "RDB$TRIGGER_INACTIVE = 1 ORDER BY RDB$TRIGGER_NAME"))) {
        r << linha.value(QStringLiteral("NOME")).trimmed();
    }
    return r;
}

// Every row of a table, in key order, each as "COLUMN=value|...", so two databases compare as lists.
QStringList Conteudo(const TBancoTemporario& banco, const QString& tabela, const QString& chave) {
    QStringList r;
    for (const auto& linha : banco.Linhas(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(tabela, chave))) {
        QStringList campos;
        for (auto it = linha.begin(); it != linha.end(); ++it) {
            campos << it.key() + QLatin1Char('=') + it.value();
        }
        r << campos.join(QLatin1Char('|'));
    }
    return r;
}

struct TInterrompida {
    QString erro;           ///< stderr
    QString saida;          ///< stdout
    int registroMorte = -1; ///< the product record being converted when the signal was sent
    bool morta = false;     ///< ended by the signal itself (no handler)
    int codigo = -1;        ///< exit status when it ended by itself
};

// Starts `converter` with the arguments and sends the signal once the products are past record 100.
TInterrompida ConverteEInterrompe(const QStringList& argumentos, int sinal,
                                  QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment()) {
    QProcess processo;
    processo.setProgram(QStringLiteral(TAVRIN_CLI));
    processo.setArguments(QStringList{QStringLiteral("converter")} + argumentos);
    ambiente.insert(QStringLiteral("TAVRIN_PROGRESSO_MS"), QStringLiteral("200"));
    processo.setProcessEnvironment(ambiente);
    processo.setStandardInputFile(QProcess::nullDevice());
    processo.setReadChannel(QProcess::StandardError);
    processo.start();

    static const QRegularExpression kProgresso(QStringLiteral("Convertendo Produtos - Registro (\\d+) de"));
    TInterrompida r;
    QElapsedTimer relogio;
    relogio.start();
    while (processo.state() != QProcess::NotRunning && relogio.elapsed() < 240000 && r.registroMorte < 100) {
        processo.waitForReadyRead(200);
        r.erro += QString::fromUtf8(processo.readAllStandardError());
        auto it = kProgresso.globalMatch(r.erro);
        while (it.hasNext()) {
            r.registroMorte = it.next().captured(1).toInt();
        }
    }
    if (r.registroMorte >= 100) {
        // SIGKILL has no handler and no cleanup, as a power cut or `kill -9`.
        ::kill(static_cast<pid_t>(processo.processId()), sinal);
    } else {
        processo.kill();
    }
    processo.waitForFinished(120000);
    r.erro += QString::fromUtf8(processo.readAllStandardError());
    r.saida = QString::fromUtf8(processo.readAllStandardOutput());
    r.morta = processo.exitStatus() == QProcess::CrashExit;
    r.codigo = r.morta ? -1 : processo.exitCode();
    if (r.registroMorte < 100) {
        r.morta = false;
        r.codigo = -1;
    }
    return r;
}

QStringList ArgumentosTodos(const QString& origem, const QString& banco, const QStringList& extras = {}) {
    return QStringList{QStringLiteral("--origem"), origem, QStringLiteral("--destino"), banco,
                       QStringLiteral("--todos")} +
           extras;
}

TEST(Interrupcao, MortaNosProdutosDeixaOsTiposAnterioresInteirosEOsProdutosVazios) {
    QTemporaryDir origem;
    EscreveOrigem(origem.path());
    TBancoTemporario banco;
    // A product of an earlier conversion: the kind empties PRODUTO and commits that at its start.
    banco.Executa(QStringLiteral("INSERT INTO PRODUTO (CODPROD, DESCRICAO) VALUES ('999999', 'ANTIGO')"));

    const TInterrompida r = ConverteEInterrompe(ArgumentosTodos(origem.path(), banco.Caminho()), SIGKILL);
    ASSERT_TRUE(r.morta) << "the run was not killed while converting products; stderr:\n" << r.erro.toStdString();
    ASSERT_LT(r.registroMorte, kProdutos) << r.erro.toStdString();
    RecordProperty("registro_da_morte", r.registroMorte);

    // The same source, without products, converted to the end on a database of its own.
    TBancoTemporario referencia;
    const auto completa =
        ExecutaCli(ArgumentosConverter(origem.path(), referencia.Caminho(),
                                       {QStringLiteral("--vendedores"), QStringLiteral("--clientes"),
                                        QStringLiteral("--fornecedores"), QStringLiteral("--grupos-produtos")}));
    ASSERT_EQ(completa.codigo, 0) << completa.erro.toStdString();

    // The database opens and the kinds before the products are complete, row for row and column for
    // column (with the cities and segments they created): they were committed when the products
    // emptied their first table.
    const std::pair<const char*, const char*> anteriores[] = {
        {"VENDEND", "CODVENDEDOR"}, {"CLIENTE", "CODCLIENTE"}, {"COMPCLIE", "CODCLIENTE"}, {"FORNECE", "CODFORNEC"},
        {"GRUPROD", "CODGRUPO"},    {"CIDADES", "CODCIDADE"},  {"CADSEGM", "CODSEGMENTO"},
    };
    for (const auto& [tabela, chave] : anteriores) {
        const QStringList esperado = Conteudo(referencia, QLatin1String(tabela), QLatin1String(chave));
        EXPECT_FALSE(esperado.isEmpty()) << tabela;
        EXPECT_EQ(Conteudo(banco, QLatin1String(tabela), QLatin1String(chave)), esperado) << tabela;
    }
    // The products' rows were one uncommitted transaction: none survives, not even half of one; the
    // emptying was committed, so the earlier product is gone too. The units created on the way went
    // with them.
    for (const char* tabela : {"PRODUTO", "COMPPROD", "PRODUTODETALHE", "MVGERAL"}) {
        EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(tabela))),
                  QStringLiteral("0"))
            << tabela << " (killed at record " << r.registroMorte << ")";
    }
    EXPECT_EQ(Conteudo(banco, QStringLiteral("UNIDADES"), QStringLiteral("UNIDADE")),
              Conteudo(referencia, QStringLiteral("UNIDADES"), QStringLiteral("UNIDADE")));

    // The run switched the nine triggers off and committed that; nothing switched them on again.
    QStringList todas = kTriggers;
    todas.sort();
    EXPECT_EQ(TriggersInativas(banco), todas);

    // ativar-triggers puts them back, names them, and has nothing left to do a second time.
    const auto ativa = ExecutaCli({QStringLiteral("ativar-triggers"), banco.Caminho()});
    EXPECT_EQ(ativa.codigo, 0) << ativa.erro.toStdString();
    EXPECT_EQ(ativa.erro, QStringLiteral("INFORMAÇÃO: Triggers ativadas no banco \"%1\": %2.\n")
                              .arg(banco.Caminho(), kTriggers.join(QStringLiteral(", "))));
    EXPECT_TRUE(TriggersInativas(banco).isEmpty());
    const auto denovo = ExecutaCli({QStringLiteral("ativar-triggers"), banco.Caminho()});
    EXPECT_EQ(denovo.codigo, 0);
    EXPECT_EQ(denovo.erro,
              QStringLiteral("INFORMAÇÃO: As triggers do banco \"%1\" já estão todas ativas.\n").arg(banco.Caminho()));
}

// SIGTERM or SIGINT in the middle of the products: the run stops at the next record, rolls the
// products back and keeps the kinds before them, switches the triggers on, says so, prints and
// writes its summary, and exits as a shell reports the signal.
TEST(Interrupcao, SinalNosProdutosDesfazSoOsProdutosReativaAsTriggersEMostraOResumo) {
    QTemporaryDir origem;
    EscreveOrigem(origem.path());
    struct Caso {
        int sinal;
        const char* nome;
        int codigo;
    };
    for (const Caso& caso : {Caso{SIGTERM, "SIGTERM", 143}, Caso{SIGINT, "SIGINT", 130}}) {
        SCOPED_TRACE(caso.nome);
        TBancoTemporario banco;
        QTemporaryDir saida;
        const QString json = saida.filePath(QStringLiteral("resumo.json"));

        const TInterrompida r = ConverteEInterrompe(
            ArgumentosTodos(origem.path(), banco.Caminho(), {QStringLiteral("--resumo"), json}), caso.sinal);

        ASSERT_GE(r.registroMorte, 100) << r.erro.toStdString();
        EXPECT_EQ(r.codigo, caso.codigo) << r.erro.toStdString();
        EXPECT_TRUE(
            r.erro.contains(QStringLiteral("Conversão interrompida pelo sinal %1").arg(QLatin1String(caso.nome))))
            << r.erro.toStdString();
        EXPECT_TRUE(r.erro.endsWith(QStringLiteral("INFORMAÇÃO: As triggers do banco de destino estão ativas.\n")))
            << r.erro.toStdString();
        EXPECT_TRUE(TriggersInativas(banco).isEmpty());
        EXPECT_TRUE(r.saida.contains(QStringLiteral("Produtos (erro)"))) << r.saida.toStdString();

        for (const char* tabela : {"PRODUTO", "COMPPROD", "MVGERAL"}) {
            EXPECT_EQ(Contagem(banco, tabela), 0) << tabela;
        }
        EXPECT_EQ(Contagem(banco, "VENDEND"), 12);
        EXPECT_EQ(Contagem(banco, "CLIENTE"), 40);

        const QJsonObject resumo = QJsonDocument::fromJson(LeArquivo(json)).object();
        EXPECT_FALSE(resumo[QStringLiteral("sucesso")].toBool());
        EXPECT_EQ(resumo[QStringLiteral("interrupcao")].toString(), QLatin1String(caso.nome));
        const QJsonArray tipos = resumo[QStringLiteral("tipos")].toArray();
        ASSERT_EQ(tipos.size(), 5);
        const QJsonObject produtos = tipos[4].toObject();
        EXPECT_FALSE(produtos[QStringLiteral("concluido")].toBool());
        // The records it reached, not the table's count.
        EXPECT_GE(produtos[QStringLiteral("lidos")].toInt(), r.registroMorte);
        EXPECT_LT(produtos[QStringLiteral("lidos")].toInt(), kProdutos);
        EXPECT_EQ(produtos[QStringLiteral("linhas")].toObject()[QStringLiteral("PRODUTO")].toInt(), 0);
        EXPECT_EQ(tipos[1].toObject()[QStringLiteral("linhas")].toObject()[QStringLiteral("CLIENTE")].toInt(), 40);
    }
}

// A rehearsal killed outright cannot remove its copy of the database; the next rehearsal does.
TEST(Interrupcao, CopiaDeEnsaioDeixadaPorUmaMorteSaiNaProxima) {
    QTemporaryDir origem;
    EscreveOrigem(origem.path());
    TBancoTemporario banco;
    QTemporaryDir temporaria;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("TMPDIR"), temporaria.path());
    const auto sobras = [&] {
        return QDir(temporaria.path())
            .entryList({QStringLiteral("conversor-tavrin*")}, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    };

    const TInterrompida morta = ConverteEInterrompe(
        ArgumentosTodos(origem.path(), banco.Caminho(), {QStringLiteral("--ensaio")}), SIGKILL, ambiente);
    ASSERT_TRUE(morta.morta) << morta.erro.toStdString();
    ASSERT_FALSE(sobras().isEmpty()) << "the killed rehearsal left no copy behind";

    QProcess processo;
    processo.setProcessEnvironment(ambiente);
    const auto proxima =
        ExecutaCli(processo, ArgumentosConverter(origem.path(), banco.Caminho(),
                                                 {QStringLiteral("--grupos-produtos"), QStringLiteral("--ensaio")}));
    EXPECT_EQ(proxima.codigo, 0) << proxima.erro.toStdString();
    EXPECT_EQ(sobras(), QStringList());
}

const QString kAvisoTriggers = QStringLiteral("AVISO: Triggers inativas no banco de destino: ");

TEST(Interrupcao, ConverterAvisaAntesDaExecucaoEAtivaAsTriggersNoFim) {
    struct Caso {
        QStringList inativas; ///< switched off before the run, in TConversao's order
    };
    const std::vector<Caso> casos = {
        {{}},
        {{QStringLiteral("MVGERAL_AI0")}},
        {{QStringLiteral("PRODUTO_BI0"), QStringLiteral("MVGERAL_BU0"), QStringLiteral("COMPCLIE_AU0")}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.inativas.join(QLatin1Char(',')).toStdString());
        TBancoTemporario banco;
        for (const QString& trigger : caso.inativas) {
            banco.Executa(QStringLiteral("ALTER TRIGGER %1 INACTIVE").arg(trigger));
        }
        const auto r = ExecutaCli(ArgumentosConverter(banco.Pasta(), banco.Caminho()));
        EXPECT_EQ(r.codigo, 0) << r.erro.toStdString();
        const qsizetype aviso = r.erro.indexOf(kAvisoTriggers);
        if (caso.inativas.isEmpty()) {
            EXPECT_EQ(aviso, -1) << r.erro.toStdString();
        } else {
            // One block, before the run's own messages, naming exactly the inactive ones.
            EXPECT_EQ(aviso, 0) << r.erro.toStdString();
            EXPECT_TRUE(
                r.erro.startsWith(kAvisoTriggers + caso.inativas.join(QStringLiteral(", ")) + QStringLiteral(".\n")))
                << r.erro.toStdString();
            EXPECT_TRUE(r.erro.contains(QStringLiteral("conversor-tavrin ativar-triggers"))) << r.erro.toStdString();
        }
        EXPECT_TRUE(r.erro.endsWith(QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!\n")))
            << r.erro.toStdString();
        EXPECT_TRUE(TriggersInativas(banco).isEmpty());
    }
}

TEST(Interrupcao, AtivarTriggersRecusaUsoIncorretoEBancoInvalido) {
    QTemporaryDir pasta;
    const QString naoBanco = pasta.filePath(QStringLiteral("texto.fb"));
    ASSERT_TRUE(GravaArquivo(naoBanco, QByteArray(8192, 'x')));

    for (const QStringList& args :
         {QStringList{QStringLiteral("ativar-triggers")},
          QStringList{QStringLiteral("ativar-triggers"), QStringLiteral("a.fb"), QStringLiteral("b.fb")},
          QStringList{QStringLiteral("ativar-triggers"), QStringLiteral("--todos")},
          QStringList{QStringLiteral("ativar-triggers"), naoBanco},
          QStringList{QStringLiteral("ativar-triggers"), pasta.filePath(QStringLiteral("x.fb"))}}) {
        const auto r = ExecutaCli(args);
        EXPECT_EQ(r.codigo, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(r.erro.isEmpty());
    }
}

} // namespace
