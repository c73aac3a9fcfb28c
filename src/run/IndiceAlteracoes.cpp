#include "IndiceAlteracoes.h"

#include "Alteracao.h"
#include "EConversao.h"
#include "FormatoCsv.h"

#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace {

// Where the kind and what happened stand in every record.
constexpr int kCampoTipo = 0;
constexpr int kCampoOQue = 6;

// The position of `chave`'s value among `valores`, added at the end the first time it is seen.
template <typename Chave, typename Texto>
qint32 Posicao(QHash<Chave, qint32>& posicoes, std::vector<TValorContado>& valores, const Chave& chave, Texto texto) {
    const auto achado = posicoes.constFind(chave);
    if (achado != posicoes.constEnd()) {
        return *achado;
    }
    const auto posicao = static_cast<qint32>(valores.size());
    posicoes.insert(chave, posicao);
    valores.push_back({texto(), 0});
    return posicao;
}

} // namespace

/// One pass over the file's bytes: splits records at line ends outside quotes and keeps the two
/// fields the filters need.
class TVarreduraAlteracoes {
public:
    explicit TVarreduraAlteracoes(TIndiceAlteracoes& indice) : m_indice(indice) {}

    void Bytes(const char* dados, qsizetype tamanho, qint64 deslocamento) {
        for (qsizetype i = 0; i < tamanho; ++i) {
            Byte(dados[i], deslocamento + i);
        }
    }

    void Fim(qint64 tamanho) { FimRegistro(m_crAntes ? tamanho - 1 : tamanho); }

    void Inicio(qint64 posicao) { m_inicio = posicao; }

private:
    void Byte(char c, qint64 posicao) {
        if (m_entreAspas) {
            m_crAntes = false;
            if (!m_aspaPendente) {
                if (c == '"') {
                    m_aspaPendente = true;
                } else {
                    Guarda(c);
                }
                return;
            }
            m_aspaPendente = false;
            if (c == '"') {
                Guarda(c);
                return;
            }
            m_entreAspas = false; // that quote closed the field; c follows it
        }
        if (c == '\n') {
            FimRegistro(m_crAntes ? posicao - 1 : posicao);
            m_inicio = posicao + 1;
            return;
        }
        m_crAntes = c == '\r';
        if (c == ',') {
            ++m_campo;
            m_campoIniciado = false;
        } else if (c == '"' && !m_campoIniciado) {
            m_entreAspas = true;
            m_campoIniciado = true;
        } else {
            m_campoIniciado = true;
            Guarda(c);
        }
    }

    void Guarda(char c) {
        if (m_campo == kCampoTipo) {
            m_campoTipo += c;
        } else if (m_campo == kCampoOQue) {
            m_campoOQue += c;
        }
    }

    void FimRegistro(qint64 fim) {
        if (fim > m_inicio) {
            if (m_indice.m_inicioCabecalho < 0) {
                m_indice.m_inicioCabecalho = m_inicio;
                m_indice.m_fimCabecalho = fim;
            } else {
                Acrescenta(fim);
            }
        }
        m_entreAspas = m_aspaPendente = m_campoIniciado = m_crAntes = false;
        m_campo = 0;
        m_campoTipo.resize(0);
        m_campoOQue.resize(0);
    }

    void Acrescenta(qint64 fim) {
        m_indice.m_inicio.push_back(m_inicio);
        m_indice.m_fim.push_back(fim);
        const qint32 tipo =
            Posicao(m_posicaoTipo, m_indice.m_tipos, m_campoTipo, [this] { return TextoCampoCsv(m_campoTipo); });
        ++m_indice.m_tipos[static_cast<std::size_t>(tipo)].quantidade;
        m_indice.m_tipo.push_back(tipo);
        // Many records share a text of what happened: its category is worked out once per text.
        auto categoria = m_categoriaDoTexto.constFind(m_campoOQue);
        if (categoria == m_categoriaDoTexto.constEnd()) {
            const QString nome = CategoriaAlteracao(TextoCampoCsv(m_campoOQue));
            const qint32 posicao = Posicao(m_posicaoCategoria, m_indice.m_categorias, nome, [&] { return nome; });
            categoria = m_categoriaDoTexto.insert(m_campoOQue, posicao);
        }
        ++m_indice.m_categorias[static_cast<std::size_t>(*categoria)].quantidade;
        m_indice.m_categoria.push_back(*categoria);
    }

    TIndiceAlteracoes& m_indice;
    qint64 m_inicio = 0;
    int m_campo = 0;
    bool m_entreAspas = false;
    bool m_aspaPendente = false; // a quote inside quotes: closes the field, or is the first of two
    bool m_campoIniciado = false;
    bool m_crAntes = false; // the byte before was a carriage return outside quotes
    QByteArray m_campoTipo;
    QByteArray m_campoOQue;
    QHash<QByteArray, qint32> m_posicaoTipo;
    QHash<QString, qint32> m_posicaoCategoria;
    QHash<QByteArray, qint32> m_categoriaDoTexto;
};

TIndiceAlteracoes::TIndiceAlteracoes(const QString& caminho) : m_caminho(caminho), m_arquivo(caminho) {
    if (!m_arquivo.open(QIODevice::ReadOnly)) {
        throw EConversao(QStringLiteral("Não foi possível ler o registro de alterações \"%1\": %2")
                             .arg(caminho, m_arquivo.errorString()));
    }
    Indexa();
    if (m_inicioCabecalho >= 0) {
        const QByteArray cabecalho = Bytes(m_inicioCabecalho, m_fimCabecalho);
        m_colunas = LeRegistroCsv(cabecalho.constData(), cabecalho.size());
    }
    if (m_colunas != ColunasAlteracoes(false) && m_colunas != ColunasAlteracoes(true)) {
        throw EConversao(
            QStringLiteral("O arquivo \"%1\" não é um registro de alterações deste programa.").arg(caminho));
    }
}

void TIndiceAlteracoes::Indexa() {
    TVarreduraAlteracoes varredura(*this);
    QByteArray bloco(1 << 20, Qt::Uninitialized);
    qint64 posicao = 0;
    for (;;) {
        const qint64 lidos = m_arquivo.read(bloco.data(), bloco.size());
        if (lidos < 0) {
            throw EConversao(QStringLiteral("Não foi possível ler o registro de alterações \"%1\": %2")
                                 .arg(m_caminho, m_arquivo.errorString()));
        }
        if (lidos == 0) {
            break;
        }
        qsizetype inicio = 0;
        if (posicao == 0 && lidos >= kTamanhoMarcaUtf8 &&
            QByteArrayView(bloco.constData(), kTamanhoMarcaUtf8) == QByteArrayView(kMarcaUtf8)) {
            inicio = kTamanhoMarcaUtf8;
            varredura.Inicio(inicio);
        }
        varredura.Bytes(bloco.constData() + inicio, static_cast<qsizetype>(lidos) - inicio, posicao + inicio);
        posicao += lidos;
    }
    varredura.Fim(posicao);
}

QByteArray TIndiceAlteracoes::Bytes(qint64 inicio, qint64 fim) const {
    if (!m_arquivo.seek(inicio)) {
        return QByteArray();
    }
    return m_arquivo.read(fim - inicio);
}

QStringList TIndiceAlteracoes::Registro(qint64 indice) const {
    const auto i = static_cast<std::size_t>(indice);
    if (indice < 0 || i >= m_inicio.size()) {
        return QStringList();
    }
    const QByteArray bytes = Bytes(m_inicio[i], m_fim[i]);
    if (bytes.size() != m_fim[i] - m_inicio[i]) {
        return QStringList();
    }
    QStringList campos = LeRegistroCsv(bytes.constData(), bytes.size());
    while (campos.size() < m_colunas.size()) {
        campos << QString();
    }
    return campos;
}

std::vector<qint64> TIndiceAlteracoes::Filtra(int tipo, int categoria) const {
    std::vector<qint64> registros;
    for (std::size_t i = 0; i < m_inicio.size(); ++i) {
        if ((tipo < 0 || m_tipo[i] == tipo) && (categoria < 0 || m_categoria[i] == categoria)) {
            registros.push_back(static_cast<qint64>(i));
        }
    }
    return registros;
}

void TIndiceAlteracoes::Grava(const QString& destino, const std::vector<qint64>& registros) const {
    // Saving over the file being shown would leave nothing to show the rest from.
    if (QFileInfo(destino).canonicalFilePath() == QFileInfo(m_caminho).canonicalFilePath()) {
        throw EConversao(QStringLiteral("Escolha outro arquivo: \"%1\" é o próprio registro de alterações "
                                        "que está sendo mostrado.")
                             .arg(destino));
    }
    QSaveFile arquivo(destino);
    const auto falha = [&](const QString& motivo) {
        return EConversao(QStringLiteral("Não foi possível salvar \"%1\": %2").arg(destino, motivo));
    };
    if (!arquivo.open(QIODevice::WriteOnly)) {
        throw falha(arquivo.errorString());
    }
    const auto escreve = [&](const QByteArray& bytes) {
        if (arquivo.write(bytes) != bytes.size()) {
            throw falha(arquivo.errorString());
        }
    };
    escreve(QByteArray(kMarcaUtf8, kTamanhoMarcaUtf8) + Bytes(m_inicioCabecalho, m_fimCabecalho) + "\r\n");
    for (const qint64 r : registros) {
        const auto i = static_cast<std::size_t>(r);
        if (r < 0 || i >= m_inicio.size()) {
            continue;
        }
        const QByteArray bytes = Bytes(m_inicio[i], m_fim[i]);
        if (bytes.size() != m_fim[i] - m_inicio[i]) {
            throw falha(QStringLiteral("o registro de alterações \"%1\" não pode mais ser lido").arg(m_caminho));
        }
        escreve(bytes + "\r\n");
    }
    if (!arquivo.commit()) {
        throw falha(arquivo.errorString());
    }
}
