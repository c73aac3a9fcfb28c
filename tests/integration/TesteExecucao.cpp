// The run and the toolkit's control of the target database, on real embedded databases.
#include "Alteracao.h"
#include "ArquivoAlteracoes.h"
#include "BancoTemporario.h"
#include "ClassesConversaoController.h"
#include "ConsultasTeste.h"
#include "GravadorInterface.h"
#include "IndiceAlteracoes.h"
#include "ListaParametros.h"
#include "ObservadorExecucao.h"
#include "ProdutosTeste.h"
#include "ResumoExecucao.h"
#include "TConexaoDestino.h"
#include "TEscritorDbf.h"
#include "TQueryDestino.h"
#include "classConversao.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

QStringList Todos(const QString& estado) {
    QStringList r;
    for (int i = 0; i < TriggersDaConversao().size(); ++i) {
        r << estado;
    }
    return r;
}

class TesteExecucao : public ::testing::Test {
protected:
    TBancoTemporario banco;
    std::unique_ptr<TConexaoDestino> conexao = banco.Conecta();
    TGravadorInterface pessoa;
};

TEST_F(TesteExecucao, SemNenhumTipoTrocaTriggersConfirmaEInformaSucesso) {
    TListaParametros params;
    IniciaListaParametros(params);
    pessoa.SetPosicao(7);

    const bool ok = TClassesConversaoController().FEfetuaConversao(params, banco.Pasta(), *conexao,
                                                                   conexao->Transacao(), pessoa, pessoa);

    EXPECT_TRUE(ok);
    EXPECT_EQ(pessoa.Mensagens(), QStringList{QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!")});
    EXPECT_EQ(EstadoTriggers(banco), Todos(QStringLiteral("0")));
    EXPECT_FALSE(conexao->Transacao().Ativa());
    EXPECT_EQ(pessoa.Posicao(), 0);
}

// With nothing ticked the run still switches the nine triggers off and on again, in order; a
// DDL trigger of the test database writes down every ALTER TRIGGER as it runs.
TEST_F(TesteExecucao, SemNenhumTipoDesligaEReligaAsNoveTriggersNaOrdem) {
    banco.Executa(QStringLiteral("CREATE TABLE LOG_DDL (N INTEGER, TEXTO VARCHAR(100))"));
    banco.Executa(QStringLiteral("CREATE SEQUENCE SEQ_LOG_DDL"));
    banco.Executa(QStringLiteral("CREATE TRIGGER REGISTRA_DDL BEFORE ALTER TRIGGER AS BEGIN "
                                 "IN AUTONOMOUS TRANSACTION DO INSERT INTO LOG_DDL VALUES "
                                 "(NEXT VALUE FOR SEQ_LOG_DDL, RDB$GET_CONTEXT('DDL_TRIGGER', 'SQL_TEXT')); END"));
    conexao = banco.Conecta(); // metadata as it is now
    TListaParametros params;
    IniciaListaParametros(params);

    EXPECT_TRUE(TClassesConversaoController().FEfetuaConversao(params, banco.Pasta(), *conexao, conexao->Transacao(),
                                                               pessoa, pessoa));

    QStringList esperado;
    for (const char* estado : {"INACTIVE", "ACTIVE"}) {
        for (const QString& t : TriggersDaConversao()) {
            esperado << QStringLiteral("ALTER TRIGGER %1 %2").arg(t, QLatin1String(estado));
        }
    }
    QStringList executados;
    for (const auto& linha : banco.Linhas(QStringLiteral("SELECT TEXTO FROM LOG_DDL ORDER BY N"))) {
        executados << linha.value(QStringLiteral("TEXTO"));
    }
    EXPECT_EQ(executados, esperado);
    EXPECT_EQ(EstadoTriggers(banco), Todos(QStringLiteral("0")));
}

TEST_F(TesteExecucao, DesativaEAtivaTriggersValemParaOutraConexao) {
    TConversao conversao(*conexao);
    conversao.DesativaTriggers(*conexao, conexao->Transacao());
    EXPECT_EQ(EstadoTriggers(banco), Todos(QStringLiteral("1")));
    conversao.AtivaTriggers(*conexao, conexao->Transacao());
    EXPECT_EQ(EstadoTriggers(banco), Todos(QStringLiteral("0")));
    EXPECT_TRUE(pessoa.Mensagens().isEmpty());
}

TEST_F(TesteExecucao, FalhaAoDesativarAvisaDesfazTudoEContinua) {
    banco.Executa(QStringLiteral("DROP TRIGGER MVGERAL_BD0"));
    TConversao conversao(*conexao);

    conversao.DesativaTriggers(*conexao, conexao->Transacao());

    ASSERT_EQ(pessoa.Mensagens().size(), 1);
    const QString aviso = pessoa.Mensagens().first();
    EXPECT_TRUE(aviso.startsWith(QStringLiteral("AVISO: Erro ao desativar as Triggers: "))) << aviso.toStdString();
    EXPECT_TRUE(aviso.contains(QStringLiteral("MVGERAL_BD0"))) << aviso.toStdString();
    EXPECT_FALSE(conexao->Transacao().Ativa());
    // The first four were switched off inside the failed transaction and are active again.
    const QStringList estados = EstadoTriggers(banco);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(estados[i], QStringLiteral("0")) << TriggersDaConversao()[i].toStdString();
    }
}

TEST_F(TesteExecucao, RunComFalhaNasTriggersConvertePoisOAvisoNaoInterrompe) {
    banco.Executa(QStringLiteral("DROP TRIGGER MVGERAL_BD0"));
    TListaParametros params;
    IniciaListaParametros(params);

    EXPECT_TRUE(TClassesConversaoController().FEfetuaConversao(params, banco.Pasta(), *conexao, conexao->Transacao(),
                                                               pessoa, pessoa));
    const QStringList mensagens = pessoa.Mensagens();
    ASSERT_EQ(mensagens.size(), 3);
    EXPECT_TRUE(mensagens[0].startsWith(QStringLiteral("AVISO: Erro ao desativar as Triggers: ")));
    EXPECT_TRUE(mensagens[1].startsWith(QStringLiteral("AVISO: Erro ao ativar as Triggers: ")));
    EXPECT_EQ(mensagens[2], QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!"));
}

TEST_F(TesteExecucao, LimpaTabelaInexistenteMostraAsTresLinhasEMarcaErro) {
    TConversao conversao(*conexao);
    conversao.PLimpaTabela(QStringLiteral("TABELA_QUE_NAO_EXISTE"));

    EXPECT_TRUE(conversao.ErroGravacao);
    ASSERT_EQ(pessoa.Mensagens().size(), 1);
    const QStringList linhas = pessoa.Mensagens().first().split(QChar(13));
    ASSERT_EQ(linhas.size(), 3);
    EXPECT_EQ(linhas[0], QStringLiteral("ERRO: Erro na Exclusão da tabela TABELA_QUE_NAO_EXISTE."));
    EXPECT_TRUE(linhas[1].contains(QStringLiteral("TABELA_QUE_NAO_EXISTE"))) << linhas[1].toStdString();
    EXPECT_EQ(linhas[2], QStringLiteral("Verifique se a tabela está em Transação."));
}

TEST_F(TesteExecucao, LimpaTabelaConfirmaOQueVeioAntes) {
    TConversao conversao(*conexao);
    TQueryDestino q(*conexao);
    q.SetSQL(QStringLiteral("INSERT INTO CADSEGM (CODSEGMENTO, DESCRICAO) VALUES ('001', 'VAREJO')"));
    q.Executa();
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM CADSEGM")), QStringLiteral("0"));

    conversao.PLimpaTabela(QStringLiteral("MVGERAL"));

    EXPECT_FALSE(conversao.ErroGravacao);
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM CADSEGM")), QStringLiteral("1"));
    EXPECT_FALSE(conexao->Transacao().Ativa());
}

TEST_F(TesteExecucao, TransacoesSoAgemQuandoFazemSentido) {
    TConversao conversao(*conexao);
    auto& t = conexao->Transacao();
    if (t.Ativa()) {
        t.Cancela();
    }
    conversao.PConfirmaTransacao(t); // nothing active: nothing happens
    conversao.PCancelaTransacao(t);
    EXPECT_FALSE(t.Ativa());
    conversao.PIniciaTransacao(t);
    EXPECT_TRUE(t.Ativa());
    conversao.PIniciaTransacao(t); // already active: nothing happens
    EXPECT_TRUE(t.Ativa());
    conversao.PCancelaTransacao(t);
    EXPECT_FALSE(t.Ativa());
}

} // namespace

namespace {

// Writes down what the run tells an observer, and the transaction state at the end.
class TObservadorGravador final : public IObservadorExecucao {
public:
    explicit TObservadorGravador(TConexaoDestino& conexao) : m_conexao(conexao) {}
    void InicioExecucao() override { chamadas << QStringLiteral("inicio"); }
    void InicioTipo(const QString& chave) override { chamadas << QStringLiteral("+") + chave; }
    void FimTipo(const QString& chave) override { chamadas << QStringLiteral("-") + chave; }
    void FalhaTipo(const QString& chave, qint64 registros) override {
        chamadas << QStringLiteral("x%1 %2").arg(chave).arg(registros);
    }
    void Alteracao(const TAlteracao&) override {}
    QString FimExecucao(bool sucesso) override {
        chamadas << (sucesso ? QStringLiteral("fim ok") : QStringLiteral("fim erro"));
        transacaoAtivaNoFim = m_conexao.Transacao().Ativa();
        return QStringLiteral("detalhe");
    }
    QStringList chamadas;
    bool transacaoAtivaNoFim = true;

private:
    TConexaoDestino& m_conexao;
};

} // namespace

TEST_F(TesteExecucao, ObservadorVeCadaTipoEDaODetalheDaMensagemFinal) {
    TListaParametros params;
    IniciaListaParametros(params);
    params.SetValor(QStringLiteral("VENDEDORES"), QStringLiteral("S"));
    params.SetValor(QStringLiteral("PRODUTOS"), QStringLiteral("S"));
    TObservadorGravador observador(*conexao);
    TClassesConversaoController run;
    run.SetObservador(&observador);

    // The folder holds no tables: the sellers fail and the products never start.
    EXPECT_FALSE(run.FEfetuaConversao(params, banco.Pasta(), *conexao, conexao->Transacao(), pessoa, pessoa));
    EXPECT_EQ(observador.chamadas, (QStringList{QStringLiteral("inicio"), QStringLiteral("+VENDEDORES"),
                                                QStringLiteral("xVENDEDORES 0"), QStringLiteral("fim erro")}));
    EXPECT_FALSE(observador.transacaoAtivaNoFim) << "the observer runs after the rollback";

    // The detail reaches the person right before the final box, which keeps its own text.
    const auto& eventos = pessoa.Eventos();
    const auto erro = std::find_if(eventos.begin(), eventos.end(),
                                   [](const auto& e) { return e.tipo == TGravadorInterface::Tipo::Erro; });
    ASSERT_NE(erro, eventos.end());
    ASSERT_NE(erro, eventos.begin());
    EXPECT_EQ(std::prev(erro)->tipo, TGravadorInterface::Tipo::Detalhe);
    EXPECT_EQ(std::prev(erro)->texto, QStringLiteral("detalhe"));
    EXPECT_TRUE(erro->texto.startsWith(QStringLiteral("Ocorreu um erro durante a conversão! Motivo: ")));
}

TEST_F(TesteExecucao, SemObservadorNenhumDetalhe) {
    TListaParametros params;
    IniciaListaParametros(params);
    TClassesConversaoController().FEfetuaConversao(params, banco.Pasta(), *conexao, conexao->Transacao(), pessoa,
                                                   pessoa);
    for (const auto& e : pessoa.Eventos()) {
        EXPECT_NE(e.tipo, TGravadorInterface::Tipo::Detalhe);
    }
}

namespace {

// Writes TABEST8 with one record per (CONTROLE, SETOR) pair.
void EscreveTabest8(const QString& pasta, const std::vector<std::pair<QString, QString>>& grupos) {
    TEscritorDbf escritor(QDir(pasta).filePath(QStringLiteral("TABEST8.DBF")),
                          {{QStringLiteral("CONTROLE"), 'C', 6}, {QStringLiteral("SETOR"), 'C', 30}});
    for (const auto& [controle, setor] : grupos) {
        escritor.NovoRegistro();
        escritor.Texto(QStringLiteral("CONTROLE"), controle);
        escritor.Texto(QStringLiteral("SETOR"), setor);
        escritor.GravaRegistro();
    }
    escritor.Fecha();
}

} // namespace

// The kinds run in their fixed order whatever the order of the lines, only an exact "S" ticks a
// kind, and the triggers are off for the conversions and on again afterwards.
TEST_F(TesteExecucao, TiposNaOrdemFixaComTriggersDesligadasDuranteAConversao) {
    QTemporaryDir origem;
    EscreveTabest8(origem.path(), {{QStringLiteral("1"), QStringLiteral("Bebidas")},
                                   {QStringLiteral("2"), QStringLiteral("Limpeza")}});
    banco.Executa(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('999', 'ANTIGO')"));

    TListaParametros params;
    params.Adiciona(QStringLiteral("PRODUTOS=N"));
    params.Adiciona(QStringLiteral("GRUPOSPRODUTOS=S"));
    // Any of these would fail the run: there is no TABVEND, TABCLI or TABFOR in the folder.
    params.Adiciona(QStringLiteral("VENDEDORES=s"));
    params.Adiciona(QStringLiteral("CLIENTES=S "));
    params.Adiciona(QStringLiteral("FORNECEDORES"));
    QStringList durante;
    pessoa.aoProcessarMensagens = [&] {
        if (durante.isEmpty()) {
            durante = EstadoTriggers(banco);
        }
    };
    TObservadorGravador observador(*conexao);
    TClassesConversaoController run;
    run.SetObservador(&observador);

    EXPECT_TRUE(run.FEfetuaConversao(params, origem.path(), *conexao, conexao->Transacao(), pessoa, pessoa));

    EXPECT_EQ(observador.chamadas, (QStringList{QStringLiteral("inicio"), QStringLiteral("+GRUPOSPRODUTOS"),
                                                QStringLiteral("-GRUPOSPRODUTOS"), QStringLiteral("fim ok")}));
    EXPECT_EQ(durante, Todos(QStringLiteral("1")));
    EXPECT_EQ(EstadoTriggers(banco), Todos(QStringLiteral("0")));
    EXPECT_EQ(pessoa.Mensagens(), QStringList{QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!")});
    QStringList grupos;
    for (const auto& linha :
         banco.Linhas(QStringLiteral("SELECT CODGRUPO, DESCRICAO FROM GRUPROD ORDER BY CODGRUPO"))) {
        grupos << linha.value(QStringLiteral("CODGRUPO")) + QLatin1Char(' ') + linha.value(QStringLiteral("DESCRICAO"));
    }
    EXPECT_EQ(grupos, (QStringList{QStringLiteral("001 BEBIDAS"), QStringLiteral("002 LIMPEZA")}));
    EXPECT_FALSE(conexao->Transacao().Ativa());
    // The run puts the position back to 0; the maximum is what the last kind left.
    EXPECT_EQ(pessoa.Posicao(), 0);
    EXPECT_EQ(pessoa.Maximo(), 0);
}

// A kind that fails after another one converted: the earlier kind stays, the failing kind's
// emptied tables stay empty and its rows are rolled back, the triggers are on again, the bar is
// zeroed and the label still shows where the failing kind stopped.
TEST_F(TesteExecucao, FalhaNumTipoDesfazSoEsseTipoReativaTriggersEZeraABarra) {
    QTemporaryDir origem;
    EscreveTabest8(origem.path(), {{QStringLiteral("7"), QStringLiteral("Ferragens")}});
    TRegistroTabest1 primeiro;
    primeiro.codigo = QStringLiteral("5");
    primeiro.produto = QStringLiteral("PRIMEIRO");
    primeiro.unidade = QStringLiteral("PC");
    TRegistroTabest1 segundo = primeiro;
    segundo.codigo = QStringLiteral("05"); // the same product code once zero-padded
    EscreveTabest1(origem.path(), {primeiro, segundo});
    banco.Executa(QStringLiteral("INSERT INTO PRODUTO (CODPROD) VALUES ('000777')"));

    TListaParametros params;
    IniciaListaParametros(params);
    params.SetValor(QStringLiteral("PRODUTOS"), QStringLiteral("S"));
    params.SetValor(QStringLiteral("GRUPOSPRODUTOS"), QStringLiteral("S"));
    TObservadorGravador observador(*conexao);
    TClassesConversaoController run;
    run.SetObservador(&observador);

    EXPECT_FALSE(run.FEfetuaConversao(params, origem.path(), *conexao, conexao->Transacao(), pessoa, pessoa));

    EXPECT_EQ(observador.chamadas, (QStringList{QStringLiteral("inicio"), QStringLiteral("+GRUPOSPRODUTOS"),
                                                QStringLiteral("-GRUPOSPRODUTOS"), QStringLiteral("+PRODUTOS"),
                                                QStringLiteral("xPRODUTOS 2"), QStringLiteral("fim erro")}));
    ASSERT_EQ(pessoa.Mensagens().size(), 1) << pessoa.Mensagens().join(QLatin1Char('\n')).toStdString();
    const QString erro = pessoa.Mensagens().first();
    EXPECT_TRUE(erro.startsWith(QStringLiteral("ERRO: Ocorreu um erro durante a conversão! Motivo: ")))
        << erro.toStdString();
    EXPECT_TRUE(erro.contains(QStringLiteral("PRODUTO"))) << erro.toStdString();

    EXPECT_EQ(Contagem(banco, "GRUPROD"), 1);
    for (const char* tabela : {"PRODUTO", "COMPPROD", "MVGERAL", "UNIDADES"}) {
        EXPECT_EQ(Contagem(banco, tabela), 0) << tabela;
    }
    EXPECT_EQ(EstadoTriggers(banco), Todos(QStringLiteral("0")));
    EXPECT_FALSE(conexao->Transacao().Ativa());
    EXPECT_EQ(pessoa.Posicao(), 0);
    EXPECT_EQ(pessoa.Maximo(), 0);
    EXPECT_EQ(pessoa.Caption(), QStringLiteral("Convertendo Produtos - Registro 2 de 2"));
}

namespace {

// The summary's collector, told of each kind's start, which then records changes through the run as
// the kind's writers do.
class TObservadorQueRegistra final : public IObservadorExecucao {
public:
    TObservadorQueRegistra(TColetorResumo& coletor, TClassesConversaoController& run,
                           std::vector<TAlteracao> alteracoes)
        : m_coletor(coletor), m_run(run), m_alteracoes(std::move(alteracoes)) {}
    void InicioExecucao() override { m_coletor.InicioExecucao(); }
    void InicioTipo(const QString& chave) override {
        m_coletor.InicioTipo(chave);
        for (const TAlteracao& a : m_alteracoes) {
            m_run.Alteracoes().Registra(a);
        }
    }
    void FimTipo(const QString& chave) override { m_coletor.FimTipo(chave); }
    void FalhaTipo(const QString& chave, qint64 registros) override { m_coletor.FalhaTipo(chave, registros); }
    void Alteracao(const TAlteracao& alteracao) override { m_coletor.Alteracao(alteracao); }
    QString FimExecucao(bool sucesso) override { return m_coletor.FimExecucao(sucesso); }

private:
    TColetorResumo& m_coletor;
    TClassesConversaoController& m_run;
    std::vector<TAlteracao> m_alteracoes;
};

TAlteracao Mudanca(qint64 registro, const char* campo, TipoAlteracao oQue, const QString& detalhe = QString()) {
    TAlteracao a;
    a.tabelaOrigem = QStringLiteral("TABEST8");
    a.registro = registro;
    a.codigoOrigem = QString::number(registro);
    a.campoOrigem = QLatin1String(campo);
    a.oQue = oQue;
    a.detalhe = detalhe;
    return a;
}

} // namespace

// What the writers record goes, with the key of the kind in progress, to the change log and to the
// summary, which counts it by what happened and counts the records it touched once each.
TEST_F(TesteExecucao, AlteracoesVaoParaOArquivoEParaOResumo) {
    QTemporaryDir origem;
    EscreveTabest8(origem.path(), {{QStringLiteral("1"), QStringLiteral("Bebidas")},
                                   {QStringLiteral("2"), QStringLiteral("Limpeza")},
                                   {QStringLiteral("3"), QStringLiteral("Frios")}});
    TListaParametros params;
    IniciaListaParametros(params);
    params.SetValor(QStringLiteral("GRUPOSPRODUTOS"), QStringLiteral("S"));
    TAlteracao deOutroTipo = Mudanca(9, "SETOR", TipoAlteracao::DataIlegivel);
    deOutroTipo.tipo = QStringLiteral("PRODUTOS");
    const std::vector<TAlteracao> alteracoes = {
        Mudanca(1, "SETOR", TipoAlteracao::Cortado, QStringLiteral("40")),
        Mudanca(1, "SETOR", TipoAlteracao::ForaWin1252),
        Mudanca(2, "SETOR", TipoAlteracao::Cortado, QStringLiteral("30")),
        Mudanca(2, "", TipoAlteracao::RegistroIgnorado, QStringLiteral("sem descrição")),
        Mudanca(3, "", TipoAlteracao::RegistroRecusado, QStringLiteral("mensagem do banco")),
        deOutroTipo,
    };
    QTemporaryDir saida;
    QFile arquivo(saida.filePath(QStringLiteral("alteracoes.csv")));
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    TArquivoAlteracoes log(arquivo, false);
    TColetorResumo coletor(*conexao, origem.path());
    TClassesConversaoController run;
    TObservadorQueRegistra observador(coletor, run, alteracoes);
    run.SetObservador(&observador);
    run.SetRegistroAlteracoes(&log);

    ASSERT_TRUE(run.FEfetuaConversao(params, origem.path(), *conexao, conexao->Transacao(), pessoa, pessoa));
    log.Conclui();

    const TIndiceAlteracoes lido(arquivo.fileName());
    ASSERT_EQ(lido.Quantidade(), 6);
    for (qint64 i = 0; i < lido.Quantidade(); ++i) {
        const QStringList campos = lido.Registro(i);
        EXPECT_EQ(campos.value(0), i < 5 ? QStringLiteral("GRUPOSPRODUTOS") : QStringLiteral("PRODUTOS")) << i;
        EXPECT_EQ(campos.value(6), alteracoes[static_cast<std::size_t>(i)].OQue()) << i;
    }

    const TResumoExecucao& resumo = coletor.Resumo();
    ASSERT_EQ(resumo.tipos.size(), 1u);
    const QJsonObject tipo = ResumoJson(resumo)[QStringLiteral("tipos")].toArray()[0].toObject();
    EXPECT_EQ(tipo[QStringLiteral("alterados")].toInt(), 3) << "records 1, 2 and 3; the products' change is not theirs";
    EXPECT_EQ(tipo[QStringLiteral("alteracoes")].toObject(), (QJsonObject{{QStringLiteral("cortado"), 2},
                                                                          {QStringLiteral("caractereForaWin1252"), 1},
                                                                          {QStringLiteral("dataIlegivel"), 0},
                                                                          {QStringLiteral("numeroIlegivel"), 0},
                                                                          {QStringLiteral("registroIgnorado"), 1},
                                                                          {QStringLiteral("registroRecusado"), 1}}));
    const QJsonObject total = ResumoJson(resumo)[QStringLiteral("total")].toObject();
    EXPECT_EQ(total[QStringLiteral("alterados")].toInt(), 3);
    const QString texto = FormataResumo(resumo);
    EXPECT_TRUE(texto.contains(QStringLiteral("- Grupos de Produtos: 2 cortado na largura, 1 caractere fora do "
                                              "WIN1252, 1 registro ignorado, 1 registro recusado pelo banco\n")))
        << texto.toStdString();
}
