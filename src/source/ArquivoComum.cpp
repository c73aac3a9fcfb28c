#include "ArquivoComum.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString TipoDoArquivo(mode_t modo) {
    if (S_ISDIR(modo)) {
        return QStringLiteral("uma pasta");
    }
    if (S_ISFIFO(modo)) {
        return QStringLiteral("um FIFO (pipe nomeado)");
    }
    if (S_ISSOCK(modo)) {
        return QStringLiteral("um socket");
    }
    if (S_ISCHR(modo) || S_ISBLK(modo)) {
        return QStringLiteral("um dispositivo");
    }
    return QStringLiteral("um arquivo especial");
}

} // namespace

QString AbreArquivoComum(QFile& arquivo, const QString& caminho) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer that may never come.
    const int descritor = ::open(QFile::encodeName(caminho).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descritor < 0) {
        return QStringLiteral("não pode ser aberto (%1)").arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
    struct stat estado {};
    if (::fstat(descritor, &estado) != 0 || !S_ISREG(estado.st_mode)) {
        const QString tipo = TipoDoArquivo(estado.st_mode);
        ::close(descritor);
        return QStringLiteral("não é um arquivo comum, e sim %1").arg(tipo);
    }
    const int modo = ::fcntl(descritor, F_GETFL);
    if (modo >= 0) {
        ::fcntl(descritor, F_SETFL, modo & ~O_NONBLOCK);
    }
    if (!arquivo.open(descritor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descritor);
        return QStringLiteral("não pode ser aberto (%1)").arg(arquivo.errorString());
    }
    return {};
}
