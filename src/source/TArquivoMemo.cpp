#include "TArquivoMemo.h"

#include "ArquivoComum.h"
#include "ValorDbf.h"

#include <QFileInfo>

#include <algorithm>
#include <bit>

namespace {

// A memo that ends at a marker is read in pieces of this size up to the marker or its bound.
constexpr qint64 kPedaco = 4096;
constexpr qint64 kTamanhoCabecalho = 32;

} // namespace

TArquivoMemo::TArquivoMemo(const QString& caminho, TipoMemo tipo) : m_caminho(caminho), m_tipo(tipo) {
    if (!QFileInfo(caminho).exists()) {
        m_erro = QStringLiteral("não foi encontrado");
        return;
    }
    m_erro = AbreArquivoComum(m_arquivo, caminho);
    if (!m_erro.isEmpty()) {
        return;
    }
    m_tamanhoArquivo = m_arquivo.size();
    if (m_tamanhoArquivo == 0) {
        m_erro = QStringLiteral("está vazio (0 bytes)");
        return;
    }
    QByteArray cabecalho;
    if (!LeBytes(0, kTamanhoCabecalho, cabecalho)) {
        m_erro =
            QStringLiteral("tem só %1 bytes, menos que o cabeçalho; o arquivo está truncado").arg(m_tamanhoArquivo);
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
    m_proximoLivre = m_tipo == TipoMemo::Fpt ? dbf::Le32Be(p) : dbf::Le32(p);
    if (m_proximoLivre > static_cast<std::uint64_t>(m_tamanhoArquivo / m_tamanhoBloco) + 1) {
        m_proximoLivre = 0; // past the end: it tells nothing
    }
    if (m_tipo != TipoMemo::Fpt) {
        const auto blocos = static_cast<std::size_t>(m_tamanhoArquivo / m_tamanhoBloco + 1);
        m_inicios.assign((blocos + 63) / 64, 0);
    }
    m_aberto = true;
}

void TArquivoMemo::MarcaInicio(std::uint64_t bloco) {
    if (bloco / 64 < m_inicios.size()) {
        m_inicios[static_cast<std::size_t>(bloco / 64)] |= std::uint64_t(1) << (bloco % 64);
    }
}

qint64 TArquivoMemo::FimDoMemo(std::uint64_t bloco) const {
    std::uint64_t limite = static_cast<std::uint64_t>((m_tamanhoArquivo + m_tamanhoBloco - 1) / m_tamanhoBloco);
    if (m_proximoLivre > bloco) {
        limite = std::min(limite, m_proximoLivre);
    }
    // The next block a record points at, one 64-block word at a time.
    for (std::uint64_t i = bloco + 1; i < limite;) {
        const std::size_t palavra = static_cast<std::size_t>(i / 64);
        if (palavra >= m_inicios.size()) {
            break;
        }
        const std::uint64_t bits = m_inicios[palavra] >> (i % 64);
        if (bits != 0) {
            limite = std::min(limite, i + static_cast<std::uint64_t>(std::countr_zero(bits)));
            break;
        }
        i = (i / 64 + 1) * 64;
    }
    return std::min(m_tamanhoArquivo, static_cast<qint64>(limite) * m_tamanhoBloco);
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
        erro = QStringLiteral("o arquivo de memo %1 %2").arg(m_caminho, m_erro);
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
        const qint64 tamanho = dbf::Le32Be(reinterpret_cast<const unsigned char*>(prefixo.constData()) + 4);
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
            const qint64 tamanho = qint64(dbf::Le32(p + 4)) - 8;
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
    return LeAteMarca(bloco, dados, erro);
}

bool TArquivoMemo::LeAteMarca(std::uint64_t bloco, QByteArray& dados, QString& erro) {
    const qint64 fim = FimDoMemo(bloco);
    qint64 posicao = static_cast<qint64>(bloco) * m_tamanhoBloco;
    QByteArray pedaco;
    while (posicao < fim) {
        const qint64 quanto = std::min(kPedaco, fim - posicao);
        if (!LeBytes(posicao, quanto, pedaco)) {
            erro = QStringLiteral("falha ao ler o memo no bloco %1 de %2").arg(bloco).arg(m_caminho);
            return false;
        }
        const qsizetype marca = pedaco.indexOf('\x1A');
        if (marca >= 0) {
            dados.append(pedaco.constData(), marca);
            return true;
        }
        dados.append(pedaco);
        posicao += quanto;
    }
    return true;
}
