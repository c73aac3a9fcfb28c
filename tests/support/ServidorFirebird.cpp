#include "ServidorFirebird.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kEsperaMs = 30000;
constexpr int kParadaMs = 2000;

// The server program, isql and the installed Firebird root (messages, character sets).
QString Servidor() {
    return QStandardPaths::findExecutable(QStringLiteral("firebird"),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/opt/firebird/bin")});
}

QString Isql() {
    const QString debian = QStandardPaths::findExecutable(QStringLiteral("isql-fb"));
    return debian.isEmpty()
               ? QStandardPaths::findExecutable(QStringLiteral("isql"), {QStringLiteral("/opt/firebird/bin")})
               : debian;
}

QString RaizInstalada() {
    QStringList candidatas{QStringLiteral("/usr/lib/firebird/3.0"), QStringLiteral("/opt/firebird")};
    const QDir lib(QStringLiteral("/usr/lib"));
    for (const QString& pasta : lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        candidatas << lib.filePath(pasta + QStringLiteral("/firebird/3.0"));
    }
    for (const QString& raiz : candidatas) {
        if (QFileInfo::exists(raiz + QStringLiteral("/intl/libfbintl.so")) &&
            QFileInfo::exists(raiz + QStringLiteral("/firebird.msg"))) {
            return raiz;
        }
    }
    return {};
}

// A loopback port nobody listens on right now.
int PortaLivre() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0) {
        return 0;
    }
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    endereco.sin_port = 0;
    socklen_t tamanho = sizeof(endereco);
    int porta = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&endereco), sizeof(endereco)) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&endereco), &tamanho) == 0) {
        porta = ntohs(endereco.sin_port);
    }
    ::close(s);
    return porta;
}

bool Escuta(int porta) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0) {
        return false;
    }
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    endereco.sin_port = htons(static_cast<uint16_t>(porta));
    const bool conectou = ::connect(s, reinterpret_cast<sockaddr*>(&endereco), sizeof(endereco)) == 0;
    ::close(s);
    return conectou;
}

bool Grava(const QString& caminho, const QString& texto) {
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate) && arquivo.write(texto.toUtf8()) >= 0;
}

// The server's own variables and no credentials: it reads nothing of the system's Firebird set-up.
QProcessEnvironment AmbienteServidor(const QString& raiz) {
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.remove(QStringLiteral("ISC_USER"));
    ambiente.remove(QStringLiteral("ISC_PASSWORD"));
    ambiente.insert(QStringLiteral("FIREBIRD"), raiz);
    ambiente.insert(QStringLiteral("FIREBIRD_LOCK"), raiz + QStringLiteral("/travas"));
    ambiente.insert(QStringLiteral("FIREBIRD_TMP"), raiz + QStringLiteral("/tmp"));
    return ambiente;
}

} // namespace

QString TServidorFirebird::Indisponivel() {
    if (Servidor().isEmpty()) {
        return QStringLiteral("the Firebird server program (firebird3.0-server) is not installed");
    }
    if (Isql().isEmpty()) {
        return QStringLiteral("isql-fb (firebird3.0-utils) is not installed");
    }
    if (RaizInstalada().isEmpty()) {
        return QStringLiteral("the Firebird message and character set files were not found");
    }
    return {};
}

TServidorFirebird::TServidorFirebird(QString senhaSysdba) : m_senha(std::move(senhaSysdba)) {
    m_falha = Indisponivel();
    if (m_falha.isEmpty() && !m_raiz.isValid()) {
        m_falha = QStringLiteral("no temporary folder: ") + m_raiz.errorString();
    }
    if (m_falha.isEmpty()) {
        Inicia();
    }
}

TServidorFirebird::~TServidorFirebird() {
    Para();
}

bool TServidorFirebird::Ativo() const {
    return m_processo && m_processo->state() == QProcess::Running;
}

QString TServidorFirebird::Nome(const QString& caminho) const {
    return QStringLiteral("localhost/%1:%2").arg(m_porta).arg(caminho);
}

bool TServidorFirebird::Inicia() {
    const QString raiz = Raiz();
    const QString instalada = RaizInstalada();
    const QDir dir(raiz);
    dir.mkpath(QStringLiteral("travas"));
    dir.mkpath(QStringLiteral("tmp"));
    dir.mkpath(QStringLiteral("intl"));
    // The character sets must be a file of the root (a link to the installed one is refused);
    // the messages may be a link.
    QFile::copy(instalada + QStringLiteral("/intl/libfbintl.so"), dir.filePath(QStringLiteral("intl/libfbintl.so")));
    QFile::link(instalada + QStringLiteral("/firebird.msg"), dir.filePath(QStringLiteral("firebird.msg")));
    const QString seguranca = dir.filePath(QStringLiteral("security3.fdb"));
    Grava(dir.filePath(QStringLiteral("databases.conf")),
          QStringLiteral("security.db = %1\n{\n    RemoteAccess = false\n}\n").arg(seguranca));
    // Written before isql runs: it names the security database that isql fills, never the system's.
    const auto configura = [&] {
        m_porta = PortaLivre();
        return Grava(dir.filePath(QStringLiteral("firebird.conf")),
                     QStringLiteral("RemoteServicePort = %1\nRemoteBindAddress = 127.0.0.1\nSecurityDatabase = %2\n"
                                    "TempDirectories = %3\nAuthServer = Srp\nUserManager = Srp\n")
                         .arg(m_porta)
                         .arg(seguranca, dir.filePath(QStringLiteral("tmp"))));
    };
    if (!configura()) {
        m_falha = QStringLiteral("could not write the server's firebird.conf");
        return false;
    }

    // The security database, with SYSDBA's password, made by the embedded engine under this root.
    const QString script = dir.filePath(QStringLiteral("seguranca.sql"));
    QString senha = m_senha;
    senha.replace(QLatin1Char('\''), QStringLiteral("''"));
    Grava(script, QStringLiteral("create database '%1';\ncreate user SYSDBA password '%2' using plugin Srp;\ncommit;\n")
                      .arg(seguranca, senha));
    QProcess isql;
    isql.setProcessEnvironment(AmbienteServidor(raiz));
    isql.setProcessChannelMode(QProcess::MergedChannels);
    isql.setStandardInputFile(QProcess::nullDevice());
    isql.start(Isql(),
               {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"), QStringLiteral("-i"), script});
    const bool criou = isql.waitForFinished(kEsperaMs) && isql.exitCode() == 0;
    QFile::remove(script);
    if (!criou) {
        m_falha =
            QStringLiteral("isql could not create the security database: ") + QString::fromLocal8Bit(isql.readAll());
        return false;
    }

    // A port taken by someone else between our look and the server's bind ends the server: try another.
    for (int tentativa = 0; tentativa < 3; ++tentativa) {
        if (tentativa > 0) {
            configura();
        }
        m_processo = std::make_unique<QProcess>();
        m_processo->setProcessEnvironment(AmbienteServidor(raiz));
        m_processo->setStandardInputFile(QProcess::nullDevice());
        m_processo->setStandardOutputFile(dir.filePath(QStringLiteral("servidor.log")), QIODevice::Append);
        m_processo->setStandardErrorFile(dir.filePath(QStringLiteral("servidor.log")), QIODevice::Append);
        m_processo->start(Servidor(), {});
        m_processo->waitForStarted(kEsperaMs);
        QElapsedTimer relogio;
        relogio.start();
        while (m_processo->state() != QProcess::NotRunning && relogio.elapsed() < kEsperaMs) {
            if (Escuta(m_porta)) {
                m_falha.clear();
                return true;
            }
            QThread::msleep(20);
        }
        Para();
        m_falha = QStringLiteral("the server did not listen on port %1").arg(m_porta);
    }
    return false;
}

void TServidorFirebird::Para() {
    if (!m_processo) {
        return;
    }
    // After serving clients the server may take minutes to act on SIGTERM; by then it holds nothing
    // of the tests' (a database is closed when its last attachment goes), so it is killed instead.
    if (m_processo->state() != QProcess::NotRunning) {
        m_processo->terminate();
        if (!m_processo->waitForFinished(kParadaMs)) {
            m_processo->kill();
            m_processo->waitForFinished(kEsperaMs);
        }
    }
    m_processo.reset();
}

QProcessEnvironment TServidorFirebird::AmbienteCliente(const QString& usuario, const QString& senha) {
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    for (const char* nome : {"FIREBIRD", "FIREBIRD_LOCK", "FIREBIRD_TMP", "ISC_USER", "ISC_PASSWORD"}) {
        ambiente.remove(QLatin1String(nome));
    }
    if (!usuario.isEmpty()) {
        ambiente.insert(QStringLiteral("ISC_USER"), usuario);
    }
    if (!senha.isEmpty()) {
        ambiente.insert(QStringLiteral("ISC_PASSWORD"), senha);
    }
    return ambiente;
}

TCredenciaisFirebird::TCredenciaisFirebird(const QString& usuario, const QString& senha)
    : m_usuario(Le("ISC_USER")), m_senha(Le("ISC_PASSWORD")) {
    Poe("ISC_USER", {true, usuario.toUtf8()});
    Poe("ISC_PASSWORD", {true, senha.toUtf8()});
}

TCredenciaisFirebird::~TCredenciaisFirebird() {
    Poe("ISC_USER", m_usuario);
    Poe("ISC_PASSWORD", m_senha);
}

TCredenciaisFirebird::TValor TCredenciaisFirebird::Le(const char* nome) {
    return {qEnvironmentVariableIsSet(nome), qgetenv(nome)};
}

void TCredenciaisFirebird::Poe(const char* nome, const TValor& valor) {
    if (valor.definida) {
        qputenv(nome, valor.valor);
    } else {
        qunsetenv(nome);
    }
}
