#include "TEscritorDbf.h"

#include "EConversao.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

// Longest names the headers hold, a NUL after them.
constexpr qsizetype kTamanhoNome = 10;
constexpr qsizetype kTamanhoNomeDbase7 = 31;

bool EhVfp(std::uint8_t versao) {
    return versao >= 0x30 && versao <= 0x32;
}

bool EhDbase7(std::uint8_t versao) {
    return (versao & 0x07) == 0x04;
}

bool EhMemo(char tipo) {
    return tipo == 'M' || tipo == 'G' || tipo == 'P';
}

bool Binario(char tipo) {
    return tipo == 'I' || tipo == 'B' || tipo == 'Y' || tipo == 'T' || tipo == 'O' || tipo == '@' || tipo == '+' ||
           tipo == '0';
}

void Poe16(QByteArray& b, int pos, std::uint32_t v) {
    b[pos] = static_cast<char>(v & 0xFF);
    b[pos + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void Poe32(QByteArray& b, int pos, std::uint32_t v) {
    Poe16(b, pos, v & 0xFFFF);
    Poe16(b, pos + 2, v >> 16);
}

void Poe32Be(QByteArray& b, int pos, std::uint32_t v) {
    b[pos] = static_cast<char>((v >> 24) & 0xFF);
    b[pos + 1] = static_cast<char>((v >> 16) & 0xFF);
    b[pos + 2] = static_cast<char>((v >> 8) & 0xFF);
    b[pos + 3] = static_cast<char>(v & 0xFF);
}

} // namespace

TEscritorDbf::TEscritorDbf(const QString& caminho, std::vector<TDefinicaoCampo> campos)
    : TEscritorDbf(caminho, std::move(campos), Opcoes{}) {}

TEscritorDbf::TEscritorDbf(const QString& caminho, std::vector<TDefinicaoCampo> campos, Opcoes opcoes)
    : m_caminho(caminho), m_campos(std::move(campos)), m_opcoes(opcoes), m_arquivo(caminho) {
    if (m_campos.empty()) {
        throw EConversao(QStringLiteral("Tabela %1 sem campos.").arg(caminho));
    }
    const bool temMemo =
        std::any_of(m_campos.begin(), m_campos.end(), [](const TDefinicaoCampo& c) { return EhMemo(c.tipo); });
    if (m_opcoes.versao == 0) {
        if (!temMemo) {
            m_opcoes.versao = 0x03;
        } else if (m_opcoes.memo == FormatoMemoEscrita::DbtIV) {
            m_opcoes.versao = 0x8B;
        } else if (m_opcoes.memo == FormatoMemoEscrita::Fpt) {
            m_opcoes.versao = 0xF5;
        } else {
            m_opcoes.versao = 0x83;
        }
    }
    if (m_opcoes.memo == FormatoMemoEscrita::DbtIII || m_opcoes.tamanhoBlocoMemo <= 0) {
        m_opcoes.tamanhoBlocoMemo = 512;
    }
    const qsizetype maximoNome = EhDbase7(m_opcoes.versao) ? kTamanhoNomeDbase7 : kTamanhoNome;
    for (std::size_t i = 0; i < m_campos.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (m_campos[i].nome.left(maximoNome).compare(m_campos[j].nome.left(maximoNome), Qt::CaseInsensitive) ==
                0) {
                throw EConversao(QStringLiteral("Tabela %1: os campos %2 e %3 teriam o mesmo nome no cabeçalho.")
                                     .arg(caminho, m_campos[j].nome, m_campos[i].nome));
            }
        }
    }
    const int descritor = EhDbase7(m_opcoes.versao) ? 48 : 32;
    m_tamanhoCabecalho = (EhDbase7(m_opcoes.versao) ? 68 : 32) + descritor * static_cast<int>(m_campos.size()) + 1 +
                         (EhVfp(m_opcoes.versao) ? 263 : 0);
    for (const TDefinicaoCampo& campo : m_campos) {
        m_deslocamentos.push_back(m_tamanhoRegistro);
        m_tamanhoRegistro += campo.tamanho;
    }
    if (m_tamanhoCabecalho > 0xFFFF || m_tamanhoRegistro > 0xFFFF) {
        throw EConversao(QStringLiteral("Tabela %1 grande demais para o formato dBASE.").arg(caminho));
    }
    m_registro = QByteArray(m_tamanhoRegistro, ' ');

    if (!m_arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        throw EConversao(
            QStringLiteral("Não foi possível criar o arquivo %1: %2").arg(caminho, m_arquivo.errorString()));
    }
    Grava(m_arquivo, Cabecalho());
    if (temMemo) {
        const QFileInfo info(caminho);
        const bool minusculo = info.suffix() == info.suffix().toLower() && !info.suffix().isEmpty();
        QString extensao = m_opcoes.memo == FormatoMemoEscrita::Fpt ? QStringLiteral("FPT") : QStringLiteral("DBT");
        if (minusculo) {
            extensao = extensao.toLower();
        }
        m_caminhoMemo = info.dir().filePath(info.completeBaseName() + QLatin1Char('.') + extensao);
        m_memo.setFileName(m_caminhoMemo);
        if (!m_memo.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            throw EConversao(
                QStringLiteral("Não foi possível criar o arquivo %1: %2").arg(m_caminhoMemo, m_memo.errorString()));
        }
        // The header takes 512 bytes, then up to the next block: a single block 0 when blocks are 512 or
        // larger, several when they are smaller.
        const int bytesCabecalho = 512;
        m_proximoBlocoMemo =
            static_cast<std::uint32_t>((bytesCabecalho + m_opcoes.tamanhoBlocoMemo - 1) / m_opcoes.tamanhoBlocoMemo);
        QByteArray cabecalho = CabecalhoMemo();
        cabecalho.append(QByteArray(
            static_cast<qsizetype>(m_proximoBlocoMemo) * m_opcoes.tamanhoBlocoMemo - cabecalho.size(), '\0'));
        Grava(m_memo, cabecalho);
    }
}

TEscritorDbf::~TEscritorDbf() {
    try {
        Fecha();
    } catch (...) {
        // A destructor must not throw; a caller that cares calls Fecha() itself.
    }
}

QByteArray TEscritorDbf::Cabecalho() const {
    QByteArray h(m_tamanhoCabecalho, '\0');
    const std::uint8_t versao = m_opcoes.versao;
    h[0] = static_cast<char>(versao);
    const QDate data = m_opcoes.dataAtualizacao.isValid() ? m_opcoes.dataAtualizacao : QDate(2024, 1, 2);
    h[1] = static_cast<char>(std::clamp(data.year() - 1900, 0, 255));
    h[2] = static_cast<char>(data.month());
    h[3] = static_cast<char>(data.day());
    Poe32(h, 4, m_opcoes.quantRegistrosCabecalho.value_or(m_quantGravados));
    Poe16(h, 8, static_cast<std::uint32_t>(m_tamanhoCabecalho));
    Poe16(h, 10, static_cast<std::uint32_t>(m_tamanhoRegistro));
    const bool temMemo =
        !m_caminhoMemo.isEmpty() ||
        std::any_of(m_campos.begin(), m_campos.end(), [](const TDefinicaoCampo& c) { return EhMemo(c.tipo); });
    if (EhVfp(versao) && temMemo) {
        h[28] = 0x02;
    }
    h[29] = static_cast<char>(m_opcoes.ldid);

    int pos = 32;
    if (EhDbase7(versao)) {
        const QByteArray driver = QByteArrayLiteral("DBWINUS0");
        std::copy(driver.begin(), driver.end(), h.begin() + 32);
        pos = 68;
    }
    for (std::size_t i = 0; i < m_campos.size(); ++i) {
        const TDefinicaoCampo& campo = m_campos[i];
        const QByteArray nome = campo.nome.toLatin1();
        if (EhDbase7(versao)) {
            std::copy_n(nome.begin(), std::min<qsizetype>(nome.size(), kTamanhoNomeDbase7), h.begin() + pos);
            h[pos + 32] = campo.tipo;
            h[pos + 33] = static_cast<char>(campo.tamanho & 0xFF);
            h[pos + 34] = static_cast<char>(campo.decimais);
            pos += 48;
            continue;
        }
        std::copy_n(nome.begin(), std::min<qsizetype>(nome.size(), kTamanhoNome), h.begin() + pos);
        h[pos + 11] = campo.tipo;
        Poe32(h, pos + 12, static_cast<std::uint32_t>(m_deslocamentos[i]));
        h[pos + 16] = static_cast<char>(campo.tamanho & 0xFF);
        // Clipper's long character fields keep the high byte of the width in the decimals byte.
        h[pos + 17] = static_cast<char>(campo.tipo == 'C' && campo.tamanho > 255 ? campo.tamanho >> 8 : campo.decimais);
        h[pos + 18] = static_cast<char>(campo.flags);
        pos += 32;
    }
    h[pos] = 0x0D;
    return h;
}

QByteArray TEscritorDbf::CabecalhoMemo() const {
    QByteArray h(512, '\0');
    switch (m_opcoes.memo) {
    case FormatoMemoEscrita::DbtIII:
        Poe32(h, 0, m_proximoBlocoMemo);
        h[16] = 0x03;
        break;
    case FormatoMemoEscrita::DbtIV: {
        Poe32(h, 0, m_proximoBlocoMemo);
        const QByteArray nome = QFileInfo(m_caminho).completeBaseName().toUpper().toLatin1().left(8);
        std::copy(nome.begin(), nome.end(), h.begin() + 8);
        Poe16(h, 20, static_cast<std::uint32_t>(m_opcoes.tamanhoBlocoMemo));
        break;
    }
    case FormatoMemoEscrita::Fpt:
        Poe32Be(h, 0, m_proximoBlocoMemo);
        h[6] = static_cast<char>((m_opcoes.tamanhoBlocoMemo >> 8) & 0xFF);
        h[7] = static_cast<char>(m_opcoes.tamanhoBlocoMemo & 0xFF);
        break;
    }
    return h;
}

void TEscritorDbf::Grava(QFile& arquivo, const QByteArray& bytes) {
    if (arquivo.write(bytes) != bytes.size()) {
        throw EConversao(
            QStringLiteral("Falha ao gravar o arquivo %1: %2").arg(arquivo.fileName(), arquivo.errorString()));
    }
}

int TEscritorDbf::Indice(const QString& campo) const {
    for (std::size_t i = 0; i < m_campos.size(); ++i) {
        if (m_campos[i].nome.compare(campo, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    throw EConversao(QStringLiteral("Campo '%1' não existe na tabela %2.").arg(campo, m_caminho));
}

void TEscritorDbf::NovoRegistro() {
    m_registro.fill(' ');
    for (std::size_t i = 0; i < m_campos.size(); ++i) {
        if (Binario(m_campos[i].tipo) || (EhMemo(m_campos[i].tipo) && m_campos[i].tamanho == 4)) {
            std::fill_n(m_registro.begin() + m_deslocamentos[i], m_campos[i].tamanho, '\0');
        }
    }
}

void TEscritorDbf::Bruto(const QString& campo, const QByteArray& bytes) {
    Bruto(Indice(campo), bytes);
}

void TEscritorDbf::Bruto(int campo, const QByteArray& bytes) {
    const auto i = static_cast<std::size_t>(campo);
    const int tamanho = m_campos.at(i).tamanho;
    const qsizetype copiados = std::min<qsizetype>(bytes.size(), tamanho);
    char* destino = m_registro.data() + m_deslocamentos[i];
    std::copy_n(bytes.constData(), copiados, destino);
    std::fill(destino + copiados, destino + tamanho, ' ');
}

void TEscritorDbf::Texto(const QString& campo, const QString& valor) {
    Texto(Indice(campo), valor);
}

void TEscritorDbf::Texto(int campo, const QString& valor) {
    const TDefinicaoCampo& definicao = m_campos.at(static_cast<std::size_t>(campo));
    if (EhMemo(definicao.tipo)) {
        Memo(campo, valor);
        return;
    }
    const QByteArray bytes = CodificaTexto(valor, m_opcoes.pagina);
    if (definicao.tipo == 'N' || definicao.tipo == 'F') {
        Bruto(campo, bytes.rightJustified(definicao.tamanho, ' ', true));
    } else {
        Bruto(campo, bytes);
    }
}

void TEscritorDbf::Numero(const QString& campo, double valor) {
    Numero(Indice(campo), valor);
}

void TEscritorDbf::Numero(int campo, double valor) {
    const TDefinicaoCampo& definicao = m_campos.at(static_cast<std::size_t>(campo));
    QByteArray texto = QByteArray::number(valor, 'f', definicao.decimais);
    if (texto.size() > definicao.tamanho) {
        texto = QByteArray(definicao.tamanho, '*');
    }
    Bruto(campo, texto.rightJustified(definicao.tamanho, ' '));
}

void TEscritorDbf::Data(const QString& campo, const QDate& data) {
    Data(Indice(campo), data);
}

void TEscritorDbf::Data(int campo, const QDate& data) {
    if (!data.isValid() || data.year() < 0 || data.year() > 9999) {
        Bruto(campo, QByteArray());
        return;
    }
    char texto[9];
    std::snprintf(texto, sizeof texto, "%04d%02d%02d", data.year(), data.month(), data.day());
    Bruto(campo, QByteArray(texto, 8));
}

void TEscritorDbf::Logico(const QString& campo, std::optional<bool> valor) {
    Logico(Indice(campo), valor);
}

void TEscritorDbf::Logico(int campo, std::optional<bool> valor) {
    Bruto(campo, valor ? QByteArray(*valor ? "T" : "F") : QByteArray(" "));
}

std::uint32_t TEscritorDbf::GravaMemo(const QByteArray& bytes) {
    const std::uint32_t bloco = m_proximoBlocoMemo;
    QByteArray dados;
    switch (m_opcoes.memo) {
    case FormatoMemoEscrita::DbtIII:
        dados = bytes + QByteArrayLiteral("\x1A\x1A");
        break;
    case FormatoMemoEscrita::DbtIV:
        dados = QByteArray("\xFF\xFF\x08\x00", 4) + QByteArray(4, '\0') + bytes;
        Poe32(dados, 4, static_cast<std::uint32_t>(bytes.size() + 8));
        break;
    case FormatoMemoEscrita::Fpt:
        dados = QByteArray(8, '\0') + bytes;
        Poe32Be(dados, 0, 1);
        Poe32Be(dados, 4, static_cast<std::uint32_t>(bytes.size()));
        break;
    }
    const qsizetype bloco_ = m_opcoes.tamanhoBlocoMemo;
    const qsizetype blocos = (dados.size() + bloco_ - 1) / bloco_;
    dados.append(QByteArray(blocos * bloco_ - dados.size(), '\0'));
    Grava(m_memo, dados);
    m_proximoBlocoMemo += static_cast<std::uint32_t>(blocos);
    return bloco;
}

void TEscritorDbf::Memo(const QString& campo, const QString& texto) {
    Memo(Indice(campo), texto);
}

void TEscritorDbf::Memo(int campo, const QString& texto) {
    const TDefinicaoCampo& definicao = m_campos.at(static_cast<std::size_t>(campo));
    if (texto.isEmpty()) {
        Bruto(campo, definicao.tamanho == 4 ? QByteArray(4, '\0') : QByteArray());
        return;
    }
    const std::uint32_t bloco = GravaMemo(CodificaTexto(texto, m_opcoes.pagina));
    if (definicao.tamanho == 4) {
        QByteArray ponteiro(4, '\0');
        Poe32(ponteiro, 0, bloco);
        Bruto(campo, ponteiro);
    } else {
        Bruto(campo, QByteArray::number(bloco).rightJustified(definicao.tamanho, ' '));
    }
}

void TEscritorDbf::GravaRegistro(bool excluido) {
    m_registro[0] = excluido ? '*' : ' ';
    Grava(m_arquivo, m_registro);
    ++m_quantGravados;
}

void TEscritorDbf::Fecha() {
    if (m_fechado) {
        return;
    }
    m_fechado = true;
    if (m_opcoes.marcaFim) {
        Grava(m_arquivo, QByteArray("\x1A", 1));
    }
    if (!m_arquivo.seek(0)) {
        throw EConversao(QStringLiteral("Falha ao gravar o arquivo %1: %2").arg(m_caminho, m_arquivo.errorString()));
    }
    Grava(m_arquivo, Cabecalho());
    m_arquivo.close();
    if (m_memo.isOpen()) {
        m_memo.seek(0);
        Grava(m_memo, CabecalhoMemo());
        m_memo.close();
    }
}
