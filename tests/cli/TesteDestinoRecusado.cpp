// A target or source the command cannot use: each refused before the run with a message that
// names the file and says what is wrong, exit status 2, the database untouched, never a hang.
#include "ArquivosTeste.h"
#include "BancoTemporario.h"
#include "ExecutaCli.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <grp.h>
#include <unistd.h>

#include <functional>
#include <vector>

namespace {

constexpr int kLimiteMs = 60000; // a refusal is immediate; a hang fails the test instead of blocking it
constexpr uid_t kNobody = 65534;

const QString kAvisoConexao = QStringLiteral(
    "AVISO: Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo selecionado é "
    "válido! \n");

QStringList Converter(const QString& origem, const QString& destino) {
    return ArgumentosConverter(origem, destino, {QStringLiteral("--vendedores")});
}

// What a database holds that a run would change: the sellers and the state of the triggers.
QString Estado(const TBancoTemporario& banco) {
    QStringList r;
    for (const auto& linha : banco.Linhas(QStringLiteral("SELECT CODVENDEDOR, NOME FROM VENDEND ORDER BY 1"))) {
        r << linha.value(QStringLiteral("CODVENDEDOR")) + QLatin1Char('=') + linha.value(QStringLiteral("NOME"));
    }
    r << QStringLiteral("inativas=") +
             banco.Valor(QStringLiteral("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_INACTIVE = 1"));
    return r.join(QLatin1Char(';'));
}

// A database with one seller in it, for checking that a refused command changed nothing.
void PoeVendedor(const TBancoTemporario& banco) {
    banco.Executa(QStringLiteral("INSERT INTO VENDEND (CODVENDEDOR, NOME) VALUES ('0099', 'ANTIGO')"));
}

TEST(DestinoRecusado, BancoEmUsoPorOutroProcessoNaoMudaNada) {
    TBancoTemporario banco;
    PoeVendedor(banco);
    const QString antes = Estado(banco);
    QTemporaryDir origem;
    {
        // This test process holds the database, as the target system or another conversion would.
        const auto ocupante = banco.Conecta();
        for (const QStringList& args : {Converter(origem.path(), banco.Caminho()),
                                        QStringList{QStringLiteral("ativar-triggers"), banco.Caminho()}}) {
            const auto r = ExecutaCli(args, kLimiteMs);
            EXPECT_EQ(r.codigo, 2) << r.erro.toStdString();
            EXPECT_TRUE(r.erro.startsWith(
                QStringLiteral("ERRO: O banco de dados \"%1\" está em uso por outro programa").arg(banco.Caminho())))
                << r.erro.toStdString();
            EXPECT_TRUE(r.erro.contains(QStringLiteral("nada foi alterado"))) << r.erro.toStdString();
            EXPECT_TRUE(r.erro.endsWith(kAvisoConexao)) << r.erro.toStdString();
        }
    }
    EXPECT_EQ(Estado(banco), antes);
}

TEST(DestinoRecusado, ArquivoQueNaoServeDeBanco) {
    struct Caso {
        const char* nome;
        std::function<QString(const QTemporaryDir&)> prepara; ///< returns the path given to --destino
        QString inicio;                                       ///< the ERRO block starts so (%1: the path)
    };
    const std::vector<Caso> casos = {
        {"texto",
         [](const QTemporaryDir& d) {
             const QString c = d.filePath(QStringLiteral("texto.fb"));
             EXPECT_TRUE(GravaArquivo(c, QByteArray(8192, 'x')));
             return c;
         },
         QStringLiteral("ERRO: O arquivo \"%1\" não é um banco de dados Firebird válido (ou está danificado).\n")},
        {"vazio",
         [](const QTemporaryDir& d) {
             const QString c = d.filePath(QStringLiteral("vazio.fb"));
             EXPECT_TRUE(GravaArquivo(c, QByteArray()));
             return c;
         },
         QStringLiteral("ERRO: O arquivo \"%1\" não é um banco de dados Firebird válido (ou está danificado).\n")},
        {"cortado",
         [](const QTemporaryDir& d) {
             // The first page of a real database and nothing else.
             const QString c = d.filePath(QStringLiteral("cortado.fb"));
             TBancoTemporario inteiro;
             QFile f(inteiro.Caminho());
             EXPECT_TRUE(f.open(QIODevice::ReadOnly));
             EXPECT_TRUE(GravaArquivo(c, f.read(1024)));
             return c;
         },
         QStringLiteral("ERRO: O arquivo \"%1\" não é um banco de dados Firebird válido (ou está danificado).\n")},
        {"pasta", [](const QTemporaryDir& d) { return d.path(); },
         QStringLiteral("ERRO: \"%1\" é uma pasta, não um arquivo de banco de dados.\n")},
        {"inexistente", [](const QTemporaryDir& d) { return d.filePath(QStringLiteral("nao-existe.fb")); },
         QStringLiteral("ERRO: O banco de dados \"%1\" não existe.\n")},
    };
    QTemporaryDir origem;
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        QTemporaryDir pasta;
        const QString destino = caso.prepara(pasta);
        const auto r = ExecutaCli(Converter(origem.path(), destino), kLimiteMs);
        EXPECT_EQ(r.codigo, 2) << r.erro.toStdString();
        EXPECT_TRUE(r.erro.startsWith(caso.inicio.arg(destino))) << r.erro.toStdString();
        EXPECT_TRUE(r.erro.endsWith(kAvisoConexao)) << r.erro.toStdString();
    }
}

// Databases the engine opens but the conversion must not write: each refused before anything changes.
TEST(DestinoRecusado, BancoSomenteLeituraOuDeOutroDialeto) {
    const QString gfix = QStandardPaths::findExecutable(QStringLiteral("gfix"));
    if (gfix.isEmpty()) {
        GTEST_SKIP() << "gfix (firebird3.0-utils) is needed to change a database's mode and dialect";
    }
    const struct {
        const char* nome;
        QStringList gfix; ///< what makes the database so
        QString aviso;    ///< %1: the database
    } casos[] = {
        {"somente leitura",
         {QStringLiteral("-mode"), QStringLiteral("read_only")},
         QStringLiteral("AVISO: O banco de dados \"%1\" está no modo somente leitura do Firebird e não pode receber a "
                        "conversão. Passe-o para leitura e gravação (gfix -mode read_write) e tente de novo.\n")},
        {"dialeto 3",
         {QStringLiteral("-sql_dialect"), QStringLiteral("3")},
         QStringLiteral("AVISO: O banco de dados \"%1\" usa o dialeto SQL 3; os bancos do sistema Quorvel usam o "
                        "dialeto 1, e a conversão só grava nesses. Verifique se este é o banco certo; nada foi "
                        "alterado nele.\n")},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        TBancoTemporario banco;
        PoeVendedor(banco);
        const QString antes = Estado(banco);
        QProcess p;
        p.start(gfix, caso.gfix + QStringList{banco.Caminho(), QStringLiteral("-user"), QStringLiteral("SYSDBA")});
        ASSERT_TRUE(p.waitForFinished(kLimiteMs));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();

        QTemporaryDir origem;
        for (const QStringList& args : {Converter(origem.path(), banco.Caminho()),
                                        QStringList{QStringLiteral("ativar-triggers"), banco.Caminho()}}) {
            const auto r = ExecutaCli(args, kLimiteMs);
            EXPECT_EQ(r.codigo, 2) << r.erro.toStdString();
            EXPECT_EQ(r.erro, caso.aviso.arg(banco.Caminho()));
        }
        EXPECT_EQ(Estado(banco), antes);
    }
}

TEST(DestinoRecusado, PastaDeOrigemQueNaoSeLe) {
    TBancoTemporario banco;
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("TABVEND.DBF"));
    ASSERT_TRUE(GravaArquivo(arquivo, QByteArray("x")));
    const struct {
        QString origem;
        QString aviso;
    } casos[] = {
        {pasta.filePath(QStringLiteral("sumiu")),
         QStringLiteral("AVISO: A pasta de origem \"%1\" não existe.\n").arg(pasta.filePath(QStringLiteral("sumiu")))},
        {arquivo, QStringLiteral("AVISO: \"%1\" não é uma pasta: informe a pasta que contém as tabelas (*.DBF) de "
                                 "origem.\n")
                      .arg(arquivo)},
    };
    for (const auto& caso : casos) {
        const auto r = ExecutaCli(Converter(caso.origem, banco.Caminho()), kLimiteMs);
        EXPECT_EQ(r.codigo, 2) << r.erro.toStdString();
        EXPECT_EQ(r.erro, caso.aviso);
    }
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_INACTIVE = 1")),
              QStringLiteral("0"));
}

// ---- as another user ---------------------------------------------------------------------------------
// Permissions mean nothing to root, so these cases run the command as "nobody"; they need root for that.

TResultadoCli ExecutaComoNobody(const QStringList& argumentos, const QProcessEnvironment& ambiente) {
    QProcess processo;
    processo.setProcessEnvironment(ambiente);
    processo.setChildProcessModifier([] {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) {
            _exit(127);
        }
    });
    return ExecutaCli(processo, argumentos, kLimiteMs);
}

// A folder "nobody" can enter, with a lock folder of its own for the engine.
struct TPastaNobody {
    QTemporaryDir pasta;
    QString travas;
    TPastaNobody() : travas(pasta.filePath(QStringLiteral("travas"))) {
        QFile::setPermissions(pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                                QFile::ExeOther);
        QDir().mkpath(travas);
        QFile::setPermissions(travas, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::WriteOther | QFile::ExeOther);
    }
    QProcessEnvironment Ambiente() const {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("FIREBIRD_LOCK"), travas);
        return ambiente;
    }
};

// A copy of a fresh test database that "nobody" may read (and, when asked, write).
QString BancoParaNobody(const TPastaNobody& p, bool gravavel) {
    TBancoTemporario banco;
    PoeVendedor(banco);
    const QString copia = p.pasta.filePath(gravavel ? QStringLiteral("gravavel.fb") : QStringLiteral("leitura.fb"));
    EXPECT_TRUE(QFile::copy(banco.Caminho(), copia));
    QFile::Permissions modo = QFile::ReadOwner | QFile::ReadOther;
    if (gravavel) {
        modo |= QFile::WriteOwner | QFile::WriteOther;
    }
    QFile::setPermissions(copia, modo);
    return copia;
}

TEST(DestinoRecusado, OutroUsuarioSemPermissao) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root, to run the command as the user nobody";
    }
    TPastaNobody p;

    // A database file the user may read but not write.
    const QString soLeitura = BancoParaNobody(p, false);
    const QByteArray bytesAntes = [&] {
        QFile f(soLeitura);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    auto r = ExecutaComoNobody(Converter(p.pasta.path(), soLeitura), p.Ambiente());
    EXPECT_EQ(r.codigo, 2) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.startsWith(
        QStringLiteral("ERRO: O banco de dados \"%1\" é somente leitura para este usuário").arg(soLeitura)))
        << r.erro.toStdString();
    QFile depois(soLeitura);
    ASSERT_TRUE(depois.open(QIODevice::ReadOnly));
    EXPECT_TRUE(depois.readAll() == bytesAntes);

    // A source folder the user may not read (the temporary folder is the owner's only).
    QTemporaryDir fechada;
    const QString gravavel = BancoParaNobody(p, true);
    r = ExecutaComoNobody(Converter(fechada.path(), gravavel), p.Ambiente());
    EXPECT_EQ(r.codigo, 2) << r.erro.toStdString();
    EXPECT_EQ(r.erro, QStringLiteral("AVISO: Sem permissão para ler a pasta de origem \"%1\" com este usuário.\n")
                          .arg(fechada.path()));

    // Both usable: the same user converts, so the refusals above came from the permissions alone.
    r = ExecutaComoNobody(Converter(p.pasta.path(), gravavel) << QStringLiteral("--grupos-produtos"), p.Ambiente());
    EXPECT_EQ(r.codigo, 1) << r.erro.toStdString(); // the folder holds no tables: the run itself reports that
    EXPECT_TRUE(r.erro.contains(QStringLiteral("TABVEND"))) << r.erro.toStdString();
}

TEST(DestinoRecusado, PastaDeTravasSemPermissao) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root, to run the command as the user nobody";
    }
    TBancoTemporario criaTravas; // this process's engine has made its lock folder by now
    QString travas = qEnvironmentVariable("FIREBIRD_LOCK");
    if (travas.isEmpty()) {
        travas = QStringLiteral("/tmp/firebird");
    }
    const QFileInfo info(travas);
    if (!info.isDir() || info.ownerId() == kNobody || (info.permissions() & QFile::WriteOther)) {
        GTEST_SKIP() << "the lock folder " << travas.toStdString() << " is writable by nobody";
    }
    TPastaNobody p;
    const QString banco = BancoParaNobody(p, true);
    QProcessEnvironment ambiente = p.Ambiente();
    ambiente.remove(QStringLiteral("FIREBIRD_LOCK"));
    if (!qEnvironmentVariableIsEmpty("FIREBIRD_LOCK")) {
        ambiente.insert(QStringLiteral("FIREBIRD_LOCK"), travas);
    }
    for (const QStringList& args :
         {Converter(p.pasta.path(), banco), QStringList{QStringLiteral("ativar-triggers"), banco}}) {
        const auto r = ExecutaComoNobody(args, ambiente);
        EXPECT_EQ(r.codigo, 2) << r.erro.toStdString();
        EXPECT_TRUE(r.erro.startsWith(
            QStringLiteral("ERRO: O Firebird não pode usar a sua pasta de travas \"%1\" com este usuário").arg(travas)))
            << r.erro.toStdString();
        EXPECT_TRUE(r.erro.contains(QStringLiteral("O banco \"%1\" não foi alterado.").arg(banco)))
            << r.erro.toStdString();
        EXPECT_TRUE(r.erro.endsWith(kAvisoConexao)) << r.erro.toStdString();
    }
}

} // namespace
