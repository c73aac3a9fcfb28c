#include "PastaEnsaio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kPrefixo = QStringLiteral("conversor-tavrin-ensaio-");

// True for a folder of ours (a real folder, not a link, owned by this user) whose process is gone.
bool Abandonada(const QString& caminho, const QString& nome) {
    struct stat info {};
    if (::lstat(QFile::encodeName(caminho).constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::geteuid()) {
        return false;
    }
    bool ok = false;
    const qint64 pid = nome.mid(kPrefixo.size()).section(QLatin1Char('-'), 0, 0).toLongLong(&ok);
    if (!ok || pid <= 0 || pid == QCoreApplication::applicationPid()) {
        return false;
    }
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

TPastaEnsaio::TPastaEnsaio()
    : m_pasta(
          QDir(QDir::tempPath())
              .filePath(kPrefixo + QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX"))) {}

int TPastaEnsaio::RemoveAbandonadas() {
    const QDir temporaria(QDir::tempPath());
    int removidas = 0;
    const QStringList nomes =
        temporaria.entryList({kPrefixo + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& nome : nomes) {
        const QString caminho = temporaria.filePath(nome);
        if (Abandonada(caminho, nome) && QDir(caminho).removeRecursively()) {
            ++removidas;
        }
    }
    return removidas;
}
