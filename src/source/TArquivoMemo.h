#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>

/// The memo layouts a table can point into.
enum class TipoMemo {
    DbtIII, ///< dBASE III: 512-byte blocks, text ends at 0x1A
    DbtIV,  ///< dBASE IV/7: FF FF 08 00 + length, block size in the header
    Fpt,    ///< FoxPro: big-endian block size, type and length before the data
};

/// An open memo file (.DBT or .FPT) read-only; owns the file handle. Reads one memo at a time, so memory
/// stays at the size of the largest memo read, and never past the end of the file.
class TArquivoMemo {
public:
    /// Opens the file; Aberto() tells whether that worked, Erro() why not.
    TArquivoMemo(const QString& caminho, TipoMemo tipo);

    bool Aberto() const { return m_aberto; }
    const QString& Caminho() const { return m_caminho; }
    const QString& Erro() const { return m_erro; }

    /// The bytes of the memo starting at the given block. False with a reason in `erro` when the
    /// block lies past the end of the file or the memo's own length does not fit in it.
    bool Le(std::uint64_t bloco, QByteArray& dados, QString& erro);

private:
    bool LeBytes(qint64 posicao, qint64 tamanho, QByteArray& dados);

    QFile m_arquivo;
    QString m_caminho;
    QString m_erro;
    TipoMemo m_tipo;
    qint64 m_tamanhoArquivo = 0;
    qint64 m_tamanhoBloco = 512;
    bool m_aberto = false;
};
