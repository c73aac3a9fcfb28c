#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <vector>

/// The memo layouts a table can point into.
enum class TipoMemo {
    DbtIII, ///< dBASE III: 512-byte blocks, text ends at 0x1A
    DbtIV,  ///< dBASE IV/7: FF FF 08 00 + length, block size in the header
    Fpt,    ///< FoxPro: big-endian block size, type and length before the data
};

/// An open memo file (.DBT or .FPT) read-only; owns the file handle and, for memos that end at a
/// marker, one bit per block telling where a memo starts (a 512th of the file's size in bytes at most).
/// Reads one memo at a time, so memory stays at the size of the largest memo read, and never past the
/// end of the file.
class TArquivoMemo {
public:
    /// Opens the file; Aberto() tells whether that worked, Erro() why not (missing, not a regular file,
    /// empty, header cut short).
    TArquivoMemo(const QString& caminho, TipoMemo tipo);

    bool Aberto() const { return m_aberto; }
    const QString& Caminho() const { return m_caminho; }
    const QString& Erro() const { return m_erro; }

    /// Tells that a record points at this block. A memo that has no end marker (or has lost it) then
    /// ends where the next memo starts, at the header's first free block, or at the end of the file.
    void MarcaInicio(std::uint64_t bloco);

    /// The bytes of the memo starting at the given block. False with a reason in `erro` when the
    /// block lies past the end of the file or the memo's own length does not fit in it.
    bool Le(std::uint64_t bloco, QByteArray& dados, QString& erro);

private:
    bool LeBytes(qint64 posicao, qint64 tamanho, QByteArray& dados);
    bool LeAteMarca(std::uint64_t bloco, QByteArray& dados, QString& erro);
    qint64 FimDoMemo(std::uint64_t bloco) const;

    QFile m_arquivo;
    QString m_caminho;
    QString m_erro;
    TipoMemo m_tipo;
    qint64 m_tamanhoArquivo = 0;
    qint64 m_tamanhoBloco = 512;
    std::uint64_t m_proximoLivre = 0;     ///< the header's first free block; 0 when it says nothing usable
    std::vector<std::uint64_t> m_inicios; ///< bit per block: a record points there
    bool m_aberto = false;
};
