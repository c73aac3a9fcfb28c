// The headless command through a real Firebird server of the test's own, on a loopback port, with
// a SYSDBA password the program does not know: whole conversions, the credentials, the refusals
// before a run, two runs on one database, and the triggers left off.
#include "BancoTemporario.h"
#include "ConsultasTeste.h"
#include "ExecutaCli.h"
#include "ServidorFirebird.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kLimiteMs = 300000;
const QString kSysdba = QStringLiteral("SYSDBA");
// Long and unusual, so that finding it in an output cannot be chance.
const QString kSenha = QStringLiteral("Pica-Pau-Amarelo-4417");

const QString kAvisoConexao = QStringLiteral(
    "AVISO: Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo selecionado é "
    "válido! \n");

// The command run as a person who set (or did not set) Firebird's variables.
TResultadoCli Executa(const QStringList& argumentos, const QString& usuario = kSysdba, const QString& senha = kSenha) {
    QProcess processo;
    processo.setProcessEnvironment(TServidorFirebird::AmbienteCliente(usuario, senha));
    return ExecutaCli(processo, argumentos, kLimiteMs);
}

// The password shows nowhere the program writes.
void SemSenha(const TResultadoCli& r, const QString& resumo = {}) {
    EXPECT_FALSE(r.saida.contains(kSenha)) << r.saida.toStdString();
    EXPECT_FALSE(r.erro.contains(kSenha)) << r.erro.toStdString();
    if (!resumo.isEmpty()) {
        QFile json(resumo);
        ASSERT_TRUE(json.open(QIODevice::ReadOnly));
        EXPECT_FALSE(json.readAll().contains(kSenha.toUtf8()));
    }
}

QString GeraOrigem(const QTemporaryDir& pasta, const QString& nome, const QStringList& opcoes) {
    const QString origem = pasta.filePath(nome);
    EXPECT_TRUE(QDir().mkpath(origem));
    const auto r = ExecutaCli(QStringList{QStringLiteral("gerar-exemplo"), origem} + opcoes);
    EXPECT_EQ(r.codigo, 0) << r.erro.toStdString();
    return origem;
}

// The first difference between two databases' contents, or "" when they hold the same rows.
QString PrimeiraDiferenca(const std::map<QString, QStringList>& a, const std::map<QString, QStringList>& b) {
    if (a.size() != b.size()) {
        return QStringLiteral("%1 tables against %2").arg(a.size()).arg(b.size());
    }
    for (const auto& [tabela, linhas] : a) {
        const auto outra = b.find(tabela);
        if (outra == b.end()) {
            return tabela + QStringLiteral(" missing");
        }
        for (qsizetype i = 0; i < std::max(linhas.size(), outra->second.size()); ++i) {
            if (linhas.value(i) != outra->second.value(i)) {
                return QStringLiteral("%1, row %2: «%3» against «%4»")
                    .arg(tabela)
                    .arg(i)
                    .arg(linhas.value(i), outra->second.value(i));
            }
        }
    }
    return {};
}

// What a refused command must leave as it was: the sellers and the state of the triggers.
QString Estado(const TBancoTemporario& banco) {
    QStringList r;
    for (const auto& linha : banco.Linhas(QStringLiteral("SELECT CODVENDEDOR, NOME FROM VENDEND ORDER BY 1"))) {
        r << linha.value(QStringLiteral("CODVENDEDOR")) + QLatin1Char('=') + linha.value(QStringLiteral("NOME"));
    }
    return r.join(QLatin1Char(';')) + QStringLiteral(";triggers=") + EstadoTriggers(banco).join(QString());
}

class PeloServidor : public ::testing::Test {
protected:
    void SetUp() override {
        if (const QString motivo = TServidorFirebird::Indisponivel(); !motivo.isEmpty()) {
            GTEST_SKIP() << motivo.toStdString();
        }
        servidor = std::make_unique<TServidorFirebird>(kSenha);
        ASSERT_TRUE(servidor->Ativo()) << servidor->Falha().toStdString();
    }

    std::unique_ptr<TServidorFirebird> servidor;
};

TEST_F(PeloServidor, TodosOsTiposGravamAsMesmasLinhasQueOMotorEmbarcado) {
    const struct {
        const char* nome;
        QStringList opcoes;
    } amostras[] = {
        {"comum",
         {QStringLiteral("--registros"), QStringLiteral("300"), QStringLiteral("--semente"), QStringLiteral("3")}},
        {"hostil",
         {QStringLiteral("--registros"), QStringLiteral("120"), QStringLiteral("--semente"), QStringLiteral("5"),
          QStringLiteral("--hostil")}},
    };
    for (const auto& amostra : amostras) {
        SCOPED_TRACE(amostra.nome);
        QTemporaryDir pasta;
        const QString origem = GeraOrigem(pasta, QStringLiteral("origem"), amostra.opcoes);
        const QString embarcado = pasta.filePath(QStringLiteral("EMBARCADO.FB"));
        const QString arquivo = pasta.filePath(QStringLiteral("SERVIDOR.FB"));
        const QString resumo = pasta.filePath(QStringLiteral("resumo.json"));
        ASSERT_EQ(ExecutaCli({QStringLiteral("criar-destino"), embarcado}).codigo, 0);
        const auto local = Executa(ArgumentosConverter(origem, embarcado, {QStringLiteral("--todos")}), {}, {});
        ASSERT_EQ(local.codigo, 0) << local.erro.toStdString();

        // The target made through the server too, in the servidor/porta:/caminho form.
        const auto criado = Executa({QStringLiteral("criar-destino"), servidor->Nome(arquivo)});
        ASSERT_EQ(criado.codigo, 0) << criado.erro.toStdString();
        const auto r = Executa(ArgumentosConverter(origem, servidor->Nome(arquivo),
                                                   {QStringLiteral("--todos"), QStringLiteral("--resumo"), resumo}));
        ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
        EXPECT_TRUE(r.erro.endsWith(QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!\n")))
            << r.erro.toStdString();
        SemSenha(r, resumo);

        const auto esperado = ConteudoBanco(embarcado);
        ASSERT_GT(esperado.at(QStringLiteral("CLIENTE")).size(), 0);
        EXPECT_EQ(PrimeiraDiferenca(ConteudoBanco(arquivo), esperado), QString());
    }
}

TEST_F(PeloServidor, RecusasAntesDaConversaoNaoMudamNada) {
    TBancoTemporario banco;
    banco.Executa(QStringLiteral("INSERT INTO VENDEND (CODVENDEDOR, NOME) VALUES ('0099', 'ANTIGO')"));
    const QString antes = Estado(banco);
    QTemporaryDir origem;
    const QString inexistente = origem.filePath(QStringLiteral("NAO-EXISTE.FB"));
    const QString kRecusada =
        QStringLiteral("usuário ou senha recusados pelo servidor; defina ISC_USER e ISC_PASSWORD");
    const QString kLocal = QStringLiteral("AVISO: O ensaio precisa de um banco local: \"%1\" está num servidor.\n");

    struct Caso {
        const char* nome;
        QString destino;
        QString usuario;
        QString senha;
        QStringList extras;                             ///< more options of converter
        QString inicio;                                 ///< stderr starts so
        QString contem;                                 ///< and holds this
        std::function<std::shared_ptr<void>()> prepara; ///< holds what it sets up for the run
    };
    const std::vector<Caso> casos = {
        {"porta fechada",
         QStringLiteral("localhost/1:") + banco.Caminho(),
         kSysdba,
         kSenha,
         {},
         QStringLiteral("ERRO: O servidor Firebird de \"localhost/1:%1\" não respondeu.").arg(banco.Caminho()),
         kAvisoConexao,
         nullptr},
        {"senha errada",
         servidor->Nome(banco.Caminho()),
         kSysdba,
         QStringLiteral("errada"),
         {},
         QStringLiteral("ERRO: O servidor Firebird não abriu o banco de dados \"%1\": ")
             .arg(servidor->Nome(banco.Caminho())),
         kRecusada,
         nullptr},
        {"usuario desconhecido",
         servidor->Nome(banco.Caminho()),
         QStringLiteral("FULANO"),
         kSenha,
         {},
         QStringLiteral("ERRO: O servidor Firebird não abriu o banco de dados \"%1\": ")
             .arg(servidor->Nome(banco.Caminho())),
         kRecusada,
         nullptr},
        // Without the variables the program's own SYSDBA password, which this server does not take.
        {"sem ISC_USER e ISC_PASSWORD",
         servidor->Nome(banco.Caminho()),
         {},
         {},
         {},
         QStringLiteral("ERRO: O servidor Firebird não abriu o banco de dados \"%1\": ")
             .arg(servidor->Nome(banco.Caminho())),
         kRecusada,
         nullptr},
        {"caminho que o servidor não tem",
         servidor->Nome(inexistente),
         kSysdba,
         kSenha,
         {},
         QStringLiteral("ERRO: O banco de dados \"%1\" não foi encontrado no servidor")
             .arg(servidor->Nome(inexistente)),
         kAvisoConexao,
         nullptr},
        {"arquivo local aberto pelo servidor",
         banco.Caminho(),
         kSysdba,
         kSenha,
         {},
         QStringLiteral("ERRO: O banco de dados \"%1\" está aberto pelo servidor Firebird desta máquina. Converta "
                        "através do servidor: informe o banco como \"localhost:%1\".")
             .arg(banco.Caminho()),
         kAvisoConexao,
         [&]() -> std::shared_ptr<void> {
             // This test process holds the database through the server, as the target system would.
             const TCredenciaisFirebird credenciais(kSysdba, kSenha);
             auto ocupante = std::make_shared<TConexaoDestino>();
             ocupante->SetNomeBanco(servidor->Nome(banco.Caminho()));
             ocupante->Abre();
             return ocupante;
         }},
        {"ensaio servidor/porta",
         servidor->Nome(banco.Caminho()),
         kSysdba,
         kSenha,
         {QStringLiteral("--ensaio")},
         kLocal.arg(servidor->Nome(banco.Caminho())),
         {},
         nullptr},
        {"ensaio inet://",
         QStringLiteral("inet://localhost:%1/%2").arg(servidor->Porta()).arg(banco.Caminho()),
         kSysdba,
         kSenha,
         {QStringLiteral("--ensaio")},
         kLocal.arg(QStringLiteral("inet://localhost:%1/%2").arg(servidor->Porta()).arg(banco.Caminho())),
         {},
         nullptr},
        // Last: the server stops.
        {"servidor parado",
         servidor->Nome(banco.Caminho()),
         kSysdba,
         kSenha,
         {},
         QStringLiteral("ERRO: O servidor Firebird de \"%1\" não respondeu.").arg(servidor->Nome(banco.Caminho())),
         kAvisoConexao,
         [&]() -> std::shared_ptr<void> {
             servidor->Para();
             return nullptr;
         }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        {
            const std::shared_ptr<void> preparado = caso.prepara ? caso.prepara() : nullptr;
            // ativar-triggers opens the database as converter does; it has no rehearsal.
            QList<QStringList> comandos{ArgumentosConverter(origem.path(), caso.destino,
                                                            QStringList{QStringLiteral("--vendedores")} + caso.extras)};
            if (caso.extras.isEmpty()) {
                comandos << QStringList{QStringLiteral("ativar-triggers"), caso.destino};
            }
            for (const QStringList& argumentos : comandos) {
                const auto r = Executa(argumentos, caso.usuario, caso.senha);
                EXPECT_EQ(r.codigo, 2) << r.erro.toStdString();
                EXPECT_TRUE(r.erro.startsWith(caso.inicio)) << r.erro.toStdString();
                EXPECT_TRUE(r.erro.contains(caso.contem)) << r.erro.toStdString();
                SemSenha(r);
            }
        }
        EXPECT_EQ(Estado(banco), antes);
    }
}

// Starts `converter --todos` through the server and stops it (SIGSTOP) in the middle of the customers.
class TExecucaoSuspensa {
public:
    TExecucaoSuspensa(const QString& origem, const QString& destino) {
        QProcessEnvironment ambiente = TServidorFirebird::AmbienteCliente(kSysdba, kSenha);
        ambiente.insert(QStringLiteral("TAVRIN_PROGRESSO_MS"), QStringLiteral("0"));
        m_processo.setProcessEnvironment(ambiente);
        m_processo.setStandardInputFile(QProcess::nullDevice());
        m_processo.setStandardOutputFile(QProcess::nullDevice());
        m_processo.start(QStringLiteral(TAVRIN_CLI), ArgumentosConverter(origem, destino, {QStringLiteral("--todos")}));
        static const QRegularExpression kClientes(QStringLiteral("Convertendo Clientes - Registro [1-9]"));
        QElapsedTimer relogio;
        relogio.start();
        while (m_processo.state() != QProcess::NotRunning && relogio.elapsed() < kLimiteMs) {
            m_processo.waitForReadyRead(100);
            m_erro += QString::fromUtf8(m_processo.readAllStandardError());
            if (kClientes.match(m_erro).hasMatch()) {
                m_suspensa = ::kill(static_cast<pid_t>(m_processo.processId()), SIGSTOP) == 0;
                return;
            }
        }
    }
    ~TExecucaoSuspensa() {
        if (m_processo.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(m_processo.processId()), SIGCONT);
            m_processo.kill();
            m_processo.waitForFinished();
        }
    }
    bool Suspensa() const { return m_suspensa; }
    qint64 Pid() { return m_processo.processId(); }
    const QString& Erro() const { return m_erro; }
    /// Lets it go on to its end; its exit status.
    int Termina() {
        ::kill(static_cast<pid_t>(m_processo.processId()), SIGCONT);
        // Its progress lines must be read, or it blocks on a full pipe.
        while (m_processo.state() != QProcess::NotRunning) {
            m_processo.waitForReadyRead(100);
            m_erro += QString::fromUtf8(m_processo.readAllStandardError());
        }
        m_erro += QString::fromUtf8(m_processo.readAllStandardError());
        return m_processo.exitStatus() == QProcess::NormalExit ? m_processo.exitCode() : -1;
    }

private:
    QProcess m_processo;
    QString m_erro;
    bool m_suspensa = false;
};

TEST_F(PeloServidor, SegundaExecucaoNoMesmoBancoERecusadaENaoMisturaAsLinhas) {
    QTemporaryDir pasta;
    const QString primeira = GeraOrigem(
        pasta, QStringLiteral("primeira"),
        {QStringLiteral("--registros"), QStringLiteral("400"), QStringLiteral("--semente"), QStringLiteral("1")});
    const QString segunda = GeraOrigem(
        pasta, QStringLiteral("segunda"),
        {QStringLiteral("--registros"), QStringLiteral("60"), QStringLiteral("--semente"), QStringLiteral("2")});
    TBancoTemporario banco;
    const QString destino = servidor->Nome(banco.Caminho());

    TExecucaoSuspensa emAndamento(primeira, destino);
    ASSERT_TRUE(emAndamento.Suspensa()) << emAndamento.Erro().toStdString();
    // The run that holds the database: its triggers are off and its customers half written.
    const QString inicio = QStringLiteral("AVISO: O banco de dados \"%1\" já está aberto por outra execução do "
                                          "conversor (processo %2, máquina 127.0.0.1)")
                               .arg(destino)
                               .arg(emAndamento.Pid());
    for (const QStringList& argumentos : {ArgumentosConverter(segunda, destino, {QStringLiteral("--todos")}),
                                          QStringList{QStringLiteral("ativar-triggers"), destino}}) {
        const auto r = Executa(argumentos);
        EXPECT_EQ(r.codigo, 2) << r.erro.toStdString();
        EXPECT_TRUE(r.erro.startsWith(inicio)) << r.erro.toStdString();
        EXPECT_FALSE(r.erro.contains(QStringLiteral("Triggers inativas"))) << r.erro.toStdString();
    }
    EXPECT_EQ(emAndamento.Termina(), 0) << emAndamento.Erro().toStdString();

    // The database holds the first run's rows alone, as a run on its own leaves them.
    const QString referencia = pasta.filePath(QStringLiteral("REFERENCIA.FB"));
    ASSERT_EQ(ExecutaCli({QStringLiteral("criar-destino"), referencia}).codigo, 0);
    ASSERT_EQ(ExecutaCli(ArgumentosConverter(primeira, referencia, {QStringLiteral("--todos")})).codigo, 0);
    EXPECT_EQ(PrimeiraDiferenca(ConteudoBanco(banco.Caminho()), ConteudoBanco(referencia)), QString());
    EXPECT_EQ(EstadoTriggers(banco), QStringList(TriggersDaConversao().size(), QStringLiteral("0")));
}

TEST_F(PeloServidor, TriggersInativasAvisadasEAtivadasPeloServidor) {
    TBancoTemporario banco;
    const QString destino = servidor->Nome(banco.Caminho());
    const QStringList todasAtivas(TriggersDaConversao().size(), QStringLiteral("0"));
    const auto desliga = [&](const QStringList& triggers) {
        for (const QString& trigger : triggers) {
            banco.Executa(QStringLiteral("ALTER TRIGGER %1 INACTIVE").arg(trigger));
        }
    };

    // A conversion names them before its run and switches them on at its end.
    desliga({QStringLiteral("MVGERAL_AI0"), QStringLiteral("COMPCLIE_AU0")});
    auto r = Executa(ArgumentosConverter(banco.Pasta(), destino));
    EXPECT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_TRUE(
        r.erro.startsWith(QStringLiteral("AVISO: Triggers inativas no banco de destino: MVGERAL_AI0, COMPCLIE_AU0.\n")))
        << r.erro.toStdString();
    EXPECT_TRUE(r.erro.endsWith(QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!\n")))
        << r.erro.toStdString();
    EXPECT_EQ(EstadoTriggers(banco), todasAtivas);

    // ativar-triggers switches them on and names them.
    desliga({QStringLiteral("PRODUTO_BI0"), QStringLiteral("MVGERAL_BU0")});
    r = Executa({QStringLiteral("ativar-triggers"), destino});
    EXPECT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_EQ(
        r.erro,
        QStringLiteral("INFORMAÇÃO: Triggers ativadas no banco \"%1\": PRODUTO_BI0, MVGERAL_BU0.\n").arg(destino));
    EXPECT_EQ(EstadoTriggers(banco), todasAtivas);
}

} // namespace
