#pragma once

// A Firebird server of a test's own, for the tests and the benchmark that convert through one.
#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <memory>

/// Firebird's own server program started as a child process on a free loopback port, with its own
/// root (firebird.conf with the port, databases.conf), security database (SYSDBA with the password
/// given), lock and temporary folders, all inside a temporary folder; stopped when destroyed. It
/// never touches the system's Firebird service or its files (the engine's own log excepted, whose
/// place is fixed when the package is built).
class TServidorFirebird {
public:
    explicit TServidorFirebird(QString senhaSysdba);
    ~TServidorFirebird();
    TServidorFirebird(const TServidorFirebird&) = delete;
    TServidorFirebird& operator=(const TServidorFirebird&) = delete;

    /// Why no server can run on this machine (the server or isql-fb missing), or "" when one can.
    static QString Indisponivel();

    /// True once the server listens; otherwise Falha() says what went wrong.
    bool Ativo() const;
    const QString& Falha() const { return m_falha; }
    int Porta() const { return m_porta; }
    const QString& Senha() const { return m_senha; }
    /// The server's root folder (what FIREBIRD names for it): a client process whose FIREBIRD names
    /// it reaches this server as "localhost:" without a port.
    QString Raiz() const { return m_raiz.path(); }
    /// "localhost/PORT:" + the path of a file on this machine.
    QString Nome(const QString& caminho) const;
    /// The system's environment for a client process, with ISC_USER and ISC_PASSWORD as given
    /// (removed when empty) and none of the server's own Firebird variables.
    static QProcessEnvironment AmbienteCliente(const QString& usuario, const QString& senha);

    /// Stops the server (what it holds is released); nothing when it is not running.
    void Para();

private:
    bool Inicia();

    QTemporaryDir m_raiz;
    QString m_senha;
    QString m_falha;
    int m_porta = 0;
    std::unique_ptr<QProcess> m_processo;
};

/// Sets ISC_USER and ISC_PASSWORD in this process for its own connections, as a person sets them
/// for the program; puts back what they were when destroyed.
class TCredenciaisFirebird {
public:
    TCredenciaisFirebird(const QString& usuario, const QString& senha);
    ~TCredenciaisFirebird();
    TCredenciaisFirebird(const TCredenciaisFirebird&) = delete;
    TCredenciaisFirebird& operator=(const TCredenciaisFirebird&) = delete;

private:
    struct TValor {
        bool definida;
        QByteArray valor;
    };
    static TValor Le(const char* nome);
    static void Poe(const char* nome, const TValor& valor);
    TValor m_usuario;
    TValor m_senha;
};
