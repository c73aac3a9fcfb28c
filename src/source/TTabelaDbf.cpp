#include "TTabelaDbf.h"

#include "ArquivoComum.h"
#include "ConfiguracaoRegional.h"
#include "DetectorPaginaCodigo.h"
#include "EConversao.h"
#include "ValorDbf.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

// Opening a table: its header, its fields, its code page and the scan that counts its records.
// Reading records and their values is in TTabelaDbfRegistros.cpp.

using namespace dbf;

namespace {

// Memos examined, when the bytes of the character fields did not settle the code page.
constexpr int kMemosParaDetectar = 50;

// The entry of that name in the folder, any case; whatever its type, so that a FIFO or a folder named
// like a table is refused by name instead of being reported missing.
QString ArquivoNaPasta(const QDir& pasta, const QString& nomeArquivo) {
    const QString exato = pasta.filePath(nomeArquivo);
    if (QFileInfo(exato).exists()) {
        return exato;
    }
    const QStringList nomes =
        pasta.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& nome : nomes) {
        if (nome.compare(nomeArquivo, Qt::CaseInsensitive) == 0) {
            return pasta.filePath(nome);
        }
    }
    return {};
}

// dBASE II also starts with 02h, but its first field descriptor (16 bytes) follows at offset 8 where
// the later formats keep the header and record lengths: a name in capitals, then C, N or L.
bool PareceDbaseII(const unsigned char* h) {
    if (h[0] != 0x02 || h[8] < 'A' || h[8] > 'Z') {
        return false;
    }
    int i = 8;
    while (i < 19 && h[i] != 0) {
        if (!((h[i] >= 'A' && h[i] <= 'Z') || (h[i] >= '0' && h[i] <= '9') || h[i] == '_' || h[i] == ':')) {
            return false;
        }
        ++i;
    }
    return (h[19] == 'C' || h[19] == 'N' || h[19] == 'L') && h[20] > 0;
}

} // namespace

QString NomeEscolhaPagina(EscolhaPagina escolha) {
    switch (escolha) {
    case EscolhaPagina::Forcada:
        return QStringLiteral("forçado");
    case EscolhaPagina::Declarada:
        return QStringLiteral("declarado");
    case EscolhaPagina::Cpg:
        return QStringLiteral(".cpg");
    case EscolhaPagina::Detectada:
        break;
    }
    return QStringLiteral("detectado");
}

TTabelaDbf::TTabelaDbf(const QString& pasta, const QString& tabela, std::optional<PaginaCodigo> paginaForcada)
    : m_pasta(pasta), m_nome(tabela), m_paginaForcada(paginaForcada) {
    const QDir dir(pasta);
    if (pasta.isEmpty() || !dir.exists()) {
        throw EConversao(QStringLiteral("Tabela %1: a pasta de origem \"%2\" não existe.").arg(tabela, pasta));
    }
    m_caminho = ArquivoNaPasta(dir, tabela + QStringLiteral(".DBF"));
    if (m_caminho.isEmpty()) {
        throw EConversao(
            QStringLiteral("Tabela %1 não encontrada na pasta \"%2\" (arquivo %1.DBF).").arg(tabela, pasta));
    }
    if (const QString problema = AbreArquivoComum(m_arquivo, m_caminho); !problema.isEmpty()) {
        ErroTabela(QStringLiteral("o arquivo %1 %2").arg(QDir::toNativeSeparators(m_caminho), problema));
    }
    LeCabecalho();
    IndexaNomes();
    QString problemaCpg;
    const std::optional<PaginaCodigo> declarada = PaginaDeclarada(problemaCpg);
    if (declarada) {
        m_decodificador = TDecodificador(*declarada);
    }
    VarreRegistros(!declarada);
    const QString usada = QStringLiteral("%1 (%2)").arg(NomePaginaCodigo(Pagina()), NomeEscolhaPagina(m_escolhaPagina));
    if (m_ldid != 0 && m_escolhaPagina != EscolhaPagina::Forcada && m_escolhaPagina != EscolhaPagina::Declarada) {
        Avisa(QStringLiteral("o byte de idioma do cabeçalho, 0x%1, indica uma página de código que este programa "
                             "não conhece; o texto foi lido em %2")
                  .arg(m_ldid, 2, 16, QLatin1Char('0'))
                  .arg(usada));
    }
    if (!problemaCpg.isEmpty()) {
        Avisa(problemaCpg + QStringLiteral("; o texto foi lido em ") + usada);
    }
    Primeiro();
}

TTabelaDbf::~TTabelaDbf() = default;

void TTabelaDbf::ErroTabela(const QString& motivo) const {
    throw EConversao(
        QStringLiteral("Não foi possível ler a tabela %1 na pasta \"%2\": %3.").arg(m_nome, m_pasta, motivo));
}

void TTabelaDbf::ErroCampo(int campo, const QString& motivo) const {
    throw EConversao(QStringLiteral("Erro ao ler o campo %1 do registro %2 da tabela %3 (pasta \"%4\"): %5.")
                         .arg(Campo(campo).nome)
                         .arg(NumeroRegistro())
                         .arg(m_nome, m_pasta, motivo));
}

void TTabelaDbf::Avisa(const QString& texto) {
    m_avisos << QStringLiteral("Tabela %1 (pasta \"%2\"): %3.").arg(m_nome, m_pasta, texto);
}

void TTabelaDbf::LeCabecalho() {
    const qint64 tamanhoArquivo = m_arquivo.size();
    if (tamanhoArquivo < 32) {
        ErroTabela(QStringLiteral("o arquivo tem %1 bytes, menos que um cabeçalho").arg(tamanhoArquivo));
    }
    QByteArray inicio = m_arquivo.read(32);
    if (inicio.size() < 32) {
        ErroTabela(QStringLiteral("falha ao ler o cabeçalho"));
    }
    const auto* h = reinterpret_cast<const unsigned char*>(inicio.constData());
    m_versao = h[0];
    if (PareceDbaseII(h)) {
        ErroTabela(QStringLiteral("tabela dBASE II não suportada; converta-a para dBASE III ou posterior"));
    }
    m_ldid = h[29];
    m_quantDeclarada = Le32(h + 4);
    m_tamanhoCabecalho = Le16(h + 8);
    m_tamanhoRegistro = Le16(h + 10);
    if (m_tamanhoCabecalho > tamanhoArquivo) {
        // Cut inside the header: the field list and every record are missing, not merely empty.
        ErroTabela(QStringLiteral("o cabeçalho indica %1 bytes, mas o arquivo tem só %2; o arquivo está truncado")
                       .arg(m_tamanhoCabecalho)
                       .arg(tamanhoArquivo));
    }
    const bool dbase7 = (m_versao & 0x07) == 0x04;
    const bool vfp = EhVisualFoxPro(m_versao);
    const qint64 tamanhoDescritor = dbase7 ? 48 : 32;
    const qint64 primeiroDescritor = dbase7 ? 68 : 32;

    // Descriptors run to the 0x0D terminator or to the header length, whichever comes first;
    // the records always start at the header length.
    const qint64 regiao = std::min(m_tamanhoCabecalho, tamanhoArquivo);
    m_arquivo.seek(0);
    const QByteArray cabecalho = m_arquivo.read(regiao);
    if (cabecalho.size() < regiao) {
        ErroTabela(QStringLiteral("falha ao ler o cabeçalho"));
    }
    const auto* c = reinterpret_cast<const unsigned char*>(cabecalho.constData());
    std::vector<int> tamanhoLongo;
    for (qint64 pos = primeiroDescritor; pos + tamanhoDescritor <= regiao && c[pos] != 0x0D; pos += tamanhoDescritor) {
        const unsigned char* d = c + pos;
        TDescricaoCampo campo;
        const int tamanhoNome = dbase7 ? 32 : 11;
        int fimNome = 0;
        while (fimNome < tamanhoNome && d[fimNome] != 0) {
            ++fimNome;
        }
        campo.nome = QString::fromLatin1(reinterpret_cast<const char*>(d), fimNome).trimmed();
        if (dbase7) {
            campo.tipo = static_cast<char>(d[32]);
            campo.tamanho = d[33];
            campo.decimais = d[34];
            tamanhoLongo.push_back(campo.tamanho);
        } else {
            campo.tipo = static_cast<char>(d[11]);
            campo.tamanho = d[16];
            campo.decimais = d[17];
            tamanhoLongo.push_back(campo.tipo == 'C' ? d[16] + 256 * d[17] : d[16]);
            if (vfp) {
                campo.oculto = (d[18] & 0x01) != 0;
                if (d[18] & 0x02) {
                    campo.bitNulo = 0; // numbered below, once the order is known
                }
            }
        }
        m_campos.push_back(campo);
    }
    if (m_campos.empty()) {
        ErroTabela(QStringLiteral("o cabeçalho não descreve nenhum campo"));
    }
    if (m_tamanhoRegistro <= 0) {
        ErroTabela(QStringLiteral("o cabeçalho indica registros de tamanho zero"));
    }

    // Clipper and FoxPro keep character lengths above 255 in the decimals byte; trust that only when
    // the lengths then add up to the record length.
    qint64 soma = 0;
    qint64 somaLonga = 0;
    for (std::size_t i = 0; i < m_campos.size(); ++i) {
        soma += m_campos[i].tamanho;
        somaLonga += tamanhoLongo[i];
    }
    if (soma + 1 != m_tamanhoRegistro && somaLonga + 1 == m_tamanhoRegistro) {
        for (std::size_t i = 0; i < m_campos.size(); ++i) {
            if (m_campos[i].tipo == 'C') {
                m_campos[i].tamanho = tamanhoLongo[i];
                m_campos[i].decimais = 0;
            }
        }
        soma = somaLonga;
    }
    if (soma + 1 > m_tamanhoRegistro) {
        ErroTabela(QStringLiteral("o cabeçalho indica registros de %1 bytes, mas os campos somam %2 bytes")
                       .arg(m_tamanhoRegistro)
                       .arg(soma + 1));
    }
    int deslocamento = 1;
    int proximoBit = 0;
    for (std::size_t i = 0; i < m_campos.size(); ++i) {
        TDescricaoCampo& campo = m_campos[i];
        campo.deslocamento = deslocamento;
        deslocamento += campo.tamanho;
        if (vfp && campo.tipo == '0') {
            m_campoNulos = static_cast<int>(i);
            campo.oculto = true;
        }
        if (vfp && (campo.tipo == 'V' || campo.tipo == 'Q')) {
            campo.bitTamanho = proximoBit++; // a variable-length column's "short" bit comes before its null bit
        }
        if (campo.bitNulo >= 0) {
            campo.bitNulo = proximoBit++;
        }
    }

    const bool temMemo = std::any_of(m_campos.begin(), m_campos.end(),
                                     [vfp](const TDescricaoCampo& campo) { return EhMemo(campo.tipo, vfp); });
    if (temMemo) {
        const QFileInfo info(m_caminho);
        const QDir dir = info.dir();
        const bool fox = vfp || m_versao == 0xF5 || m_versao == 0xFB;
        const QString base = info.completeBaseName();
        const QString dbt = ArquivoNaPasta(dir, base + QStringLiteral(".DBT"));
        const QString fpt = ArquivoNaPasta(dir, base + QStringLiteral(".FPT"));
        if (fox ? !fpt.isEmpty() : dbt.isEmpty() && !fpt.isEmpty()) {
            m_caminhoMemo = fpt;
            m_tipoMemo = TipoMemo::Fpt;
        } else if (!dbt.isEmpty()) {
            m_caminhoMemo = dbt;
            m_tipoMemo = (m_versao & 0x08) != 0 ? TipoMemo::DbtIV : TipoMemo::DbtIII;
        } else {
            // Nothing to open: reading a memo names the file that should be there.
            m_caminhoMemo = dir.filePath(base + (fox ? QStringLiteral(".FPT") : QStringLiteral(".DBT")));
        }
        m_memo = std::make_unique<TArquivoMemo>(m_caminhoMemo, m_tipoMemo);
    }
}

void TTabelaDbf::IndexaNomes() {
    for (int i = 0; i < QuantCampos(); ++i) {
        const QString chave = Campo(i).nome.toUpper();
        if (!Campo(i).oculto && !m_indicePorNome.contains(chave)) {
            m_indicePorNome.insert(chave, i); // the first of equal names wins, as in the search below
            if (std::all_of(chave.cbegin(), chave.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
                const QByteArray bytes = chave.toLatin1();
                m_indiceCurto.Insere(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), i);
            }
        }
    }
    // A name longer than a header holds is also looked for under its first 10 characters: with both
    // names in the table nobody can tell which one a reader means. dBASE 7 headers hold 31.
    const bool dbase7 = (m_versao & 0x07) == 0x04;
    for (int i = 0; i < QuantCampos() && !dbase7; ++i) {
        const QString& nome = Campo(i).nome;
        if (Campo(i).oculto || nome.size() <= kTamanhoNomeCampo) {
            continue;
        }
        const auto curto = m_indicePorNome.constFind(nome.left(kTamanhoNomeCampo).toUpper());
        if (curto != m_indicePorNome.constEnd()) {
            ErroTabela(QStringLiteral("a tabela tem os campos %1 e %2, e um nome de mais de %3 caracteres também "
                                      "responde pelos seus %3 primeiros; não se sabe qual dos dois ler")
                           .arg(nome, Campo(curto.value()).nome)
                           .arg(kTamanhoNomeCampo));
        }
    }
}

std::optional<PaginaCodigo> TTabelaDbf::PaginaDeclarada(QString& problemaCpg) {
    if (m_paginaForcada) {
        m_escolhaPagina = EscolhaPagina::Forcada;
        return m_paginaForcada;
    }
    if (const std::optional<PaginaCodigo> doLdid = PaginaCodigoDoLdid(m_ldid);
        doLdid && PaginaCodigoDisponivel(*doLdid)) {
        m_escolhaPagina = EscolhaPagina::Declarada;
        return doLdid;
    }
    // GIS tools keep the code page in a text file beside the table: "1252", "ANSI 1252", "UTF-8".
    m_escolhaPagina = EscolhaPagina::Detectada;
    const QFileInfo info(m_caminho);
    const QString cpg = ArquivoNaPasta(info.dir(), info.completeBaseName() + QStringLiteral(".cpg"));
    if (cpg.isEmpty()) {
        return std::nullopt;
    }
    QFile arquivo;
    const QString problema = AbreArquivoComum(arquivo, cpg);
    if (!problema.isEmpty()) {
        problemaCpg = QStringLiteral("o arquivo %1 %2").arg(QDir::toNativeSeparators(cpg), problema);
        return std::nullopt;
    }
    const QString texto = QString::fromUtf8(arquivo.read(64)).trimmed();
    const std::optional<PaginaCodigo> pagina = PaginaCodigoPorNome(texto);
    if (!pagina) {
        problemaCpg = QStringLiteral("o arquivo %1 indica a página de código \"%2\", que este programa não conhece")
                          .arg(QDir::toNativeSeparators(cpg), texto.left(40));
        return std::nullopt;
    }
    m_escolhaPagina = EscolhaPagina::Cpg;
    return pagina;
}

void TTabelaDbf::VarreRegistros(bool detectar) {
    const qint64 disponivel = std::max<qint64>(0, m_arquivo.size() - m_tamanhoCabecalho);
    const qint64 inteiros = disponivel / m_tamanhoRegistro;
    const qint64 resto = disponivel % m_tamanhoRegistro;
    if (m_quantDeclarada > 0 && inteiros == 0) {
        // Not even the first record: such a file is damaged, not an empty table.
        ErroTabela(QStringLiteral("o cabeçalho declara %1 registros de %2 bytes, mas o arquivo tem só %3 bytes depois "
                                  "do cabeçalho; o arquivo está truncado")
                       .arg(m_quantDeclarada)
                       .arg(m_tamanhoRegistro)
                       .arg(disponivel));
    }
    m_quantFisicos = std::min(m_quantDeclarada, inteiros);
    // Whole records after the declared ones (a writer that stopped before it updated the count)
    // are read too, as long as each starts with a deletion flag: losing them would lose data.
    const auto pareceRegistro = [this](qint64 registro) {
        char marca = '\x1A';
        return m_arquivo.seek(m_tamanhoCabecalho + registro * m_tamanhoRegistro) && m_arquivo.getChar(&marca) &&
               (marca == ' ' || marca == '*');
    };
    while (m_quantFisicos < inteiros && pareceRegistro(m_quantFisicos)) {
        ++m_quantFisicos;
    }

    const bool vfp = EhVisualFoxPro(m_versao);
    std::vector<int> camposTexto;
    std::vector<int> camposMemo;
    for (int i = 0; i < QuantCampos(); ++i) {
        if (detectar && (Campo(i).tipo == 'C' || Campo(i).tipo == 'V')) {
            camposTexto.push_back(i);
        }
        if (EhMemo(Campo(i).tipo, vfp)) {
            camposMemo.push_back(i);
        }
    }
    const bool memoAberto = m_memo && m_memo->Aberto();
    TDetectorPaginaCodigo detector;
    qint64 primeiraMarcaFim = -1;
    for (qint64 i = 0; i < m_quantFisicos; ++i) {
        const char* registro = Registro(i);
        if (*registro == '\x1A' && primeiraMarcaFim < 0) {
            primeiraMarcaFim = i;
        }
        m_atual = i;
        for (const int campo : camposMemo) {
            const std::uint64_t bloco = BlocoMemo(campo);
            if (bloco == 0) {
                continue;
            }
            if (memoAberto) {
                m_memo->MarcaInicio(bloco); // deleted records' memos take their blocks too
            } else if (*registro != '*') {
                ErroTabela(QStringLiteral("o arquivo de memo %1 %2, e o campo %3 do registro %4 aponta para ele")
                               .arg(QDir::toNativeSeparators(m_caminhoMemo), m_memo ? m_memo->Erro() : QString(),
                                    Campo(campo).nome)
                               .arg(i + 1));
            }
        }
        if (*registro == '*') {
            continue;
        }
        ++m_quantVivos;
        if (detectar && !detector.Decidido()) {
            for (const int campo : camposTexto) {
                detector.Examina(registro + Campo(campo).deslocamento, Campo(campo).tamanho);
            }
        }
    }
    m_atual = -1;

    if (inteiros < m_quantDeclarada) {
        QString aviso = QStringLiteral("o cabeçalho declara %1 registros, mas o arquivo tem só %2 registros inteiros; "
                                       "foram lidos esses %2")
                            .arg(m_quantDeclarada)
                            .arg(inteiros);
        if (resto > 0) {
            m_arquivo.seek(m_tamanhoCabecalho + inteiros * m_tamanhoRegistro);
            const QByteArray cauda = m_arquivo.read(resto);
            if (!std::all_of(cauda.begin(), cauda.end(), [](char b) { return b == '\x1A' || b == '\0'; })) {
                aviso += QStringLiteral(", e o registro %1, incompleto (%2 de %3 bytes), foi descartado")
                             .arg(inteiros + 1)
                             .arg(resto)
                             .arg(m_tamanhoRegistro);
            }
        }
        Avisa(aviso);
    } else if (m_quantFisicos > m_quantDeclarada) {
        Avisa(QStringLiteral("o cabeçalho declara %1 registros, mas depois deles o arquivo tem mais %2 registros "
                             "inteiros; foram lidos todos os %3")
                  .arg(m_quantDeclarada)
                  .arg(m_quantFisicos - m_quantDeclarada)
                  .arg(m_quantFisicos));
    }
    if (primeiraMarcaFim >= 0) {
        Avisa(QStringLiteral("o registro %1 começa com a marca de fim de arquivo (1Ah), antes do fim dos %2 registros "
                             "declarados; ele e os seguintes foram lidos assim mesmo")
                  .arg(primeiraMarcaFim + 1)
                  .arg(m_quantDeclarada));
    }

    if (!detectar) {
        return;
    }
    if (!detector.Decidido() && memoAberto) {
        int examinados = 0;
        for (qint64 i = 0; i < m_quantFisicos && examinados < kMemosParaDetectar; ++i) {
            m_atual = i;
            for (const int campo : camposMemo) {
                if (Marca(i) == '*' || Nulo(campo)) {
                    continue;
                }
                try {
                    const QByteArray memo = Memo(campo);
                    detector.Examina(memo.constData(), memo.size());
                    ++examinados;
                } catch (const EConversao&) {
                    // A damaged memo is reported when it is read; here it just tells nothing.
                }
            }
        }
        m_atual = -1;
    }
    const std::optional<PaginaCodigo> detectada = detector.Resultado();
    m_decodificador = TDecodificador(detectada.value_or(PaginaCodigo::CP850));
    if (!detectada && detector.ViuAcentos()) {
        Avisa(QStringLiteral("a tabela não declara a página de código e o texto não permite decidir entre CP850 e "
                             "CP1252; foi usada CP850. Se os acentos saírem trocados, converta de novo com "
                             "--pagina-codigo CP1252"));
    }
}
