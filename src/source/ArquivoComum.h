#pragma once

#include <QFile>
#include <QString>

/// Opens `caminho` read-only into `arquivo` when it is a regular file (or a link to one). A FIFO, a
/// device or a folder is refused without waiting on it, so a run never hangs on a name in the source
/// folder. Returns an empty text on success, otherwise why not, as words that follow the file's name
/// ("não é um arquivo comum, e sim um FIFO (pipe nomeado)").
QString AbreArquivoComum(QFile& arquivo, const QString& caminho);
