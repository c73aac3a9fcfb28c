#include "TArquivoMemo.h"

namespace {

std::uint32_t Le32Be(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::uint32_t Le32Le(const unsigned char* p) {
    return (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

// A dBASE III memo runs until 0x1A; read it in pieces so a memo without terminator costs no more than the file.
constexpr qint64 kPedaco = 4096;

} // namespace

TArquivoMemo::TArquivoMemo(const QString& caminho, TipoMemo tipo) : m_arquivo(caminho), m_caminho(caminho), m_tipo(tipo) {
    if (!m_arquivo.open(QIODevice::ReadOnly)) {
        m_erro = m_arquivo.errorString();
        return;
    }
    m_tamanhoArquivo = m_arquivo.size();
    QByteArray cabecalho;
    if (!LeBytes(0, 32, cabecalho) || cabecalho.size() < 32) {
        m_erro = QStringLiteral("cabeçalho incompleto");
        return;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(cabecalho.constData());
    if (m_tipo == TipoMemo::DbtIV) {
        const qint64 bloco = p[20] | (p[21] << 8);
        m_tamanhoBloco = bloco > 0 ? bloco : 512;
    } else if (m_tipo == TipoMemo::Fpt) {
        const qint64 bloco = (p[6] << 8) | p[7];
        // FoxPro's SET BLOCKSIZE TO 0 means one-byte blocks.
        m_tamanhoBloco = bloco > 0 ? bloco : 1;
    }
    m_aberto = true;
}

bool TArquivoMemo::LeBytes(qint64 posicao, qint64 tamanho, QByteArray& dados) {
    dados.clear();
    if (posicao < 0 || tamanho < 0 || posicao > m_tamanhoArquivo || tamanho > m_tamanhoArquivo - posicao) {
        return false;
    }
    if (!m_arquivo.seek(posicao)) {
        return false;
    }
    dados = m_arquivo.read(tamanho);
    return dados.size() == tamanho;
}

bool TArquivoMemo::Le(std::uint64_t bloco, QByteArray& dados, QString& erro) {
    dados.clear();
    if (!m_aberto) {
        erro = m_erro;
        return false;
    }
    const auto tamanhoBloco = static_cast<std::uint64_t>(m_tamanhoBloco);
    const auto limite = static_cast<std::uint64_t>(m_tamanhoArquivo);
    if (bloco == 0 || bloco > limite / tamanhoBloco || bloco * tamanhoBloco >= limite) {
        erro = QStringLiteral("o bloco %1 do memo fica além do fim do arquivo %2").arg(bloco).arg(m_caminho);
        return false;
    }
    const auto inicio = static_cast<qint64>(bloco * tamanhoBloco);

    QByteArray prefixo;
    if (m_tipo == TipoMemo::Fpt) {
        if (!LeBytes(inicio, 8, prefixo)) {
            erro = QStringLiteral("o memo no bloco %1 de %2 está incompleto").arg(bloco).arg(m_caminho);
            return false;
        }
        const qint64 tamanho = Le32Be(reinterpret_cast<const unsigned char*>(prefixo.constData()) + 4);
        if (!LeBytes(inicio + 8, tamanho, dados)) {
            erro = QStringLiteral("o memo no bloco %1 de %2 diz ter %3 bytes, além do fim do arquivo")
                       .arg(bloco)
                       .arg(m_caminho)
                       .arg(tamanho);
            return false;
        }
        return true;
    }
    if (m_tipo == TipoMemo::DbtIV && LeBytes(inicio, 8, prefixo)) {
        const auto* p = reinterpret_cast<const unsigned char*>(prefixo.constData());
        if (p[0] == 0xFF && p[1] == 0xFF && p[2] == 0x08 && p[3] == 0x00) {
            const qint64 tamanho = qint64(Le32Le(p + 4)) - 8;
            if (tamanho < 0 || !LeBytes(inicio + 8, tamanho, dados)) {
                erro = QStringLiteral("o memo no bloco %1 de %2 tem um tamanho inválido (%3 bytes)")
                           .arg(bloco)
                           .arg(m_caminho)
                           .arg(tamanho + 8);
                return false;
            }
            return true;
        }
        // Some dBASE IV tables carry dBASE III-style memos; read those to the terminator.
    }
    qint64 posicao = inicio;
    QByteArray pedaco;
    while (posicao < m_tamanhoArquivo) {
        const qint64 quanto = std::min(kPedaco, m_tamanhoArquivo - posicao);
        if (!LeBytes(posicao, quanto, pedaco)) {
            erro = QStringLiteral("falha ao ler o memo no bloco %1 de %2").arg(bloco).arg(m_caminho);
            return false;
        }
        const qsizetype fim = pedaco.indexOf('\x1A');
        if (fim >= 0) {
            dados.append(pedaco.constData(), fim);
            return true;
        }
        dados.append(pedaco);
        posicao += quanto;
    }
    return true;
}
