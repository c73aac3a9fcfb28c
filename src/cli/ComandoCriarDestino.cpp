#include "BancoTeste.h"
#include "Comandos.h"
#include "EConversao.h"
#include "NomeBanco.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <exception>

namespace {

const char* const kUsoCriarDestino =
    "Uso: conversor-tavrin criar-destino BANCO\n"
    "Cria um banco de destino de teste (dialeto 1, WIN1252) com todas as tabelas e triggers\n"
    "que a conversão usa. Recusa um arquivo que já existe.\n";

int Recusa(const QString& motivo) {
    QTextStream(stderr) << motivo << "\n";
    return kSaidaUsoIncorreto;
}

// Says why the path cannot take a new database, or nothing when it can.
QString MotivoRecusa(const QString& caminho) {
    const QFileInfo arquivo(caminho);
    if (arquivo.exists()) {
        return QStringLiteral("O arquivo \"%1\" já existe; o criar-destino não sobrescreve bancos.").arg(caminho);
    }
    const QFileInfo pasta(arquivo.absolutePath());
    if (!pasta.exists() || !pasta.isDir()) {
        return QStringLiteral("A pasta \"%1\" não existe.").arg(QDir::toNativeSeparators(pasta.filePath()));
    }
    if (!pasta.isWritable()) {
        return QStringLiteral("Sem permissão de escrita na pasta \"%1\".")
            .arg(QDir::toNativeSeparators(pasta.filePath()));
    }
    return {};
}

} // namespace

int ComandoCriarDestino(const QStringList& argumentos) {
    QString caminho;
    for (const QString& a : argumentos) {
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            QTextStream(stdout) << kUsoCriarDestino;
            return kSaidaSucesso;
        }
        if (a.startsWith(QLatin1String("--"))) {
            return Recusa(QStringLiteral("Opção desconhecida: %1\n").arg(a) + QLatin1String(kUsoCriarDestino));
        }
        if (!caminho.isEmpty()) {
            return Recusa(QStringLiteral("Informe um único banco.\n") + QLatin1String(kUsoCriarDestino));
        }
        caminho = a;
    }
    if (caminho.trimmed().isEmpty()) {
        return Recusa(QStringLiteral("Informe o caminho do banco a criar.\n") + QLatin1String(kUsoCriarDestino));
    }
    // A server's file is the server's to check; the engine reports what stands in the way.
    const bool noServidor = BancoNoServidor(caminho);
    if (const QString motivo = noServidor ? QString() : MotivoRecusa(caminho); !motivo.isEmpty()) {
        return Recusa(motivo);
    }
    const QString nome = noServidor ? caminho : QFileInfo(caminho).absoluteFilePath();
    try {
        CriaBancoTeste(nome);
    } catch (const std::exception& e) {
        QTextStream(stderr) << "Não foi possível criar o banco \"" << caminho << "\":\n" << MensagemDe(e) << "\n";
        return kSaidaErroExecucao;
    }
    QTextStream(stdout) << nome << "\n";
    return kSaidaSucesso;
}
