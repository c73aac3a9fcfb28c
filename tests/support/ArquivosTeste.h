#pragma once

// Whole files read and written in one go, for tests that prepare or damage them byte by byte.
#include <QByteArray>
#include <QFile>
#include <QString>

/// The file's bytes (empty when it cannot be read).
inline QByteArray LeArquivo(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        return {};
    }
    return arquivo.readAll();
}

/// Creates or replaces the file with these bytes; false when it could not be written whole.
inline bool GravaArquivo(const QString& caminho, const QByteArray& bytes) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return arquivo.write(bytes) == bytes.size();
}
