#pragma once

// Small helpers for tests that need dBASE files: tables are written with the project's own writer,
// then, for damaged files, patched or cut byte by byte.
#include "ArquivosTeste.h"
#include "TEscritorDbf.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

/// Overwrites bytes of a file at a position.
inline void AlteraBytes(const QString& caminho, qsizetype posicao, const QByteArray& bytes) {
    QByteArray conteudo = LeArquivo(caminho);
    conteudo.replace(posicao, bytes.size(), bytes);
    GravaArquivo(caminho, conteudo);
}

/// Keeps the first `tamanho` bytes of a file.
inline void CortaArquivo(const QString& caminho, qsizetype tamanho) {
    GravaArquivo(caminho, LeArquivo(caminho).left(tamanho));
}

/// Writes a table: `preenche` is called once per record with the writer and the record's index;
/// it returns false for a record to be written as deleted.
inline void GravaTabela(const QString& caminho, std::vector<TDefinicaoCampo> campos, int registros,
                        const std::function<bool(TEscritorDbf&, int)>& preenche,
                        TEscritorDbf::Opcoes opcoes = TEscritorDbf::Opcoes{}) {
    TEscritorDbf escritor(caminho, std::move(campos), opcoes);
    for (int i = 0; i < registros; ++i) {
        escritor.NovoRegistro();
        const bool vivo = preenche(escritor, i);
        escritor.GravaRegistro(!vivo);
    }
    escritor.Fecha();
}
