#include "ServidorLocal.h"

#include <QFile>
#include <QStringList>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// Process names of the Firebird server: Firebird 3 and the servers of earlier versions.
bool NomeDeServidor(const QByteArray& nome) {
    for (const char* servidor : {"firebird", "fbserver", "fb_smp_server", "fb_inet_server"}) {
        if (nome == servidor) {
            return true;
        }
    }
    return false;
}

QByteArray NomeProcesso(const QByteArray& pid) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(QString::fromLatin1(pid)));
    if (!comm.open(QIODevice::ReadOnly)) {
        return {};
    }
    return comm.readAll().trimmed();
}

} // namespace

bool AbertoPeloServidorLocal(const QString& caminho) {
    struct stat info {};
    if (::stat(QFile::encodeName(caminho).constData(), &info) != 0) {
        return false;
    }
    // Each line: "1: FLOCK  ADVISORY  WRITE 8096 fe:00:10953312 0 EOF"; a waiting lock has "->" after
    // the number. The device is "major:minor" in hexadecimal, the inode in decimal.
    const QByteArray arquivo = QByteArray::number(major(info.st_dev), 16).rightJustified(2, '0') + ':' +
                               QByteArray::number(minor(info.st_dev), 16).rightJustified(2, '0') + ':' +
                               QByteArray::number(static_cast<qulonglong>(info.st_ino));
    QFile travas(QStringLiteral("/proc/locks"));
    if (!travas.open(QIODevice::ReadOnly)) {
        return false;
    }
    for (const QByteArray& linha : travas.readAll().split('\n')) {
        const QList<QByteArray> campos = linha.simplified().split(' ');
        if (campos.size() < 6 || campos[1] == "->" || campos[5] != arquivo) {
            continue;
        }
        if (NomeDeServidor(NomeProcesso(campos[4]))) {
            return true;
        }
    }
    return false;
}
