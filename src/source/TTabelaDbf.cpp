#include "TTabelaDbf.h"

#include "ArquivoComum.h"
#include "ConfiguracaoRegional.h"
#include "DetectorPaginaCodigo.h"
#include "EConversao.h"
#include "FormatoNumero.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Records are read in runs of about this many bytes; the buffer never grows beyond one run.
constexpr qint64 kBytesPorBloco = 64 * 1024;
// Memos examined, when the bytes of the character fields did not settle the code page.
constexpr int kMemosParaDetectar = 50;
// The longest field name a dBASE III/IV or FoxPro header holds.
constexpr int kTamanhoNomeCampo = 10;
constexpr qint64 kMsPorDia = 86400000;

std::uint16_t Le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Le32(const unsigned char* p) {
    return (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

std::uint32_t Le32Be(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::uint64_t Le64(const unsigned char* p) {
    return (std::uint64_t(Le32(p + 4)) << 32) | Le32(p);
}

std::uint64_t Le64Be(const unsigned char* p) {
    return (std::uint64_t(Le32Be(p)) << 32) | Le32Be(p + 4);
}

double BitsParaDouble(std::uint64_t bits) {
    double valor = 0;
    std::memcpy(&valor, &bits, sizeof valor);
    return valor;
}

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

bool EhMemo(char tipo, bool vfp) {
    return tipo == 'M' || tipo == 'G' || tipo == 'P' || (tipo == 'B' && !vfp);
}

bool EhVisualFoxPro(std::uint8_t versao) {
    return versao == 0x30 || versao == 0x31 || versao == 0x32;
}

bool BrancoOuNul(char c) {
    return c == ' ' || c == '\0' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// ASCII bytes of a fixed-width field with NULs read as blanks and blanks trimmed at both ends. The
// result views the field's own bytes, or `copia` when a NUL inside had to become a blank.
QByteArrayView AsciiLimpo(QByteArrayView bytes, QByteArray& copia) {
    qsizetype inicio = 0;
    qsizetype fim = bytes.size();
    while (inicio < fim && BrancoOuNul(bytes[inicio])) {
        ++inicio;
    }
    while (fim > inicio && BrancoOuNul(bytes[fim - 1])) {
        --fim;
    }
    const QByteArrayView meio = bytes.sliced(inicio, fim - inicio);
    if (std::memchr(meio.data(), '\0', static_cast<std::size_t>(meio.size())) == nullptr) {
        return meio;
    }
    copia = meio.toByteArray();
    copia.replace('\0', ' ');
    return copia;
}

QByteArray AsciiLimpo(QByteArrayView bytes) {
    QByteArray copia;
    return AsciiLimpo(bytes, copia).toByteArray();
}

struct NumeroAscii {
    enum Estado { Nulo, Valido, Invalido } estado = Nulo;
    double valor = 0;
    /// With comTexto: the text form read straight from the digits when they allow it (an integral
    /// value written without exponent; or at most 15 significant digits, not below 0.0001, which
    /// is exactly what the general float text of the value shows); empty otherwise. When it is
    /// set, valor is not.
    QString texto;
};

// A memo field's block number: 4 bytes in Visual FoxPro, else up to 10 digits; 0 for none, empty when
// the field holds something else.
std::optional<std::uint64_t> PonteiroMemo(QByteArrayView bytes) {
    if (bytes.size() == 4) {
        return Le32(reinterpret_cast<const unsigned char*>(bytes.data()));
    }
    QByteArray copia;
    const QByteArrayView texto = AsciiLimpo(bytes, copia);
    if (texto.size() > 18 || !std::all_of(texto.begin(), texto.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::uint64_t bloco = 0;
    for (const char c : texto) {
        bloco = bloco * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return bloco;
}

bool SoZeros(QByteArrayView v) {
    return std::all_of(v.begin(), v.end(), [](char c) { return c == '0'; });
}

// The general float text of a decimal number written with at most 15 significant digits and not
// below 0.0001: its own digits, without the zeros that do not count, with the regional separator.
// Empty when the digits do not allow it.
QString TextoDecimal(QByteArrayView inteira, QByteArrayView fracao, bool negativo) {
    while (!inteira.isEmpty() && inteira.front() == '0') {
        inteira = inteira.sliced(1);
    }
    while (!fracao.isEmpty() && fracao.back() == '0') {
        fracao.chop(1);
    }
    qsizetype zerosAposPonto = 0;
    if (inteira.isEmpty()) {
        while (zerosAposPonto < fracao.size() && fracao[zerosAposPonto] == '0') {
            ++zerosAposPonto;
        }
        if (zerosAposPonto > 3) {
            return {}; // below 0.0001: exponent form
        }
    }
    if (fracao.isEmpty() || inteira.size() + fracao.size() - zerosAposPonto > 15) {
        return {};
    }
    QChar r[32];
    qsizetype n = 0;
    if (negativo) {
        r[n++] = QLatin1Char('-');
    }
    if (inteira.isEmpty()) {
        r[n++] = QLatin1Char('0');
    }
    for (const char c : inteira) {
        r[n++] = QLatin1Char(c);
    }
    r[n++] = Regional().separadorDecimal;
    for (const char c : fracao) {
        r[n++] = QLatin1Char(c);
    }
    return QString(r, n);
}

// Numbers as dBASE stores them: right-justified ASCII, '.' decimal point ("12,50" is accepted too),
// a leading '*' marks an overflowed value (null), trailing '*' padding is dropped.
NumeroAscii LeNumeroAscii(QByteArrayView bytes, bool comTexto = false) {
    NumeroAscii numero;
    QByteArray copia;
    QByteArrayView texto = AsciiLimpo(bytes, copia);
    if (texto.isEmpty() || texto.startsWith('*')) {
        return numero;
    }
    while (texto.endsWith('*')) {
        texto.chop(1);
    }
    numero.estado = NumeroAscii::Invalido;
    if (std::find(texto.begin(), texto.end(), '.') == texto.end() && std::count(texto.begin(), texto.end(), ',') == 1) {
        copia = texto.toByteArray();
        copia.replace(',', '.');
        texto = copia;
    }
    bool negativo = false;
    qsizetype inicio = 0;
    if (!texto.isEmpty() && (texto[0] == '+' || texto[0] == '-')) {
        negativo = texto[0] == '-';
        inicio = 1;
    }
    const char* p = texto.data() + inicio;
    const char* fim = texto.data() + texto.size();
    if (p == fim || !(std::isdigit(static_cast<unsigned char>(*p)) || *p == '.')) {
        return numero;
    }
    const QByteArrayView corpo(p, fim - p);
    // Digits with at most one point: a valid finite number whose text comes from the digits.
    const auto pontos = std::count(corpo.begin(), corpo.end(), '.');
    const bool simples =
        corpo.size() <= 40 && pontos <= 1 &&
        std::all_of(corpo.begin(), corpo.end(), [](char c) { return c == '.' || (c >= '0' && c <= '9'); }) &&
        corpo.size() > pontos;
    if (comTexto && simples) {
        const auto ponto = std::find(corpo.begin(), corpo.end(), '.');
        const QByteArrayView inteira(corpo.begin(), ponto);
        const QByteArrayView fracao = ponto == corpo.end() ? QByteArrayView() : QByteArrayView(ponto + 1, corpo.end());
        if (SoZeros(fracao)) {
            qsizetype zeros = 0;
            while (zeros < inteira.size() && inteira[zeros] == '0') {
                ++zeros;
            }
            QString digitos = QString::fromLatin1(inteira.sliced(zeros));
            if (digitos.isEmpty()) {
                digitos = QStringLiteral("0");
            } else if (negativo) {
                digitos.prepend(QLatin1Char('-'));
            }
            numero.texto = digitos;
        } else {
            numero.texto = TextoDecimal(inteira, fracao, negativo);
        }
        if (!numero.texto.isEmpty()) {
            numero.estado = NumeroAscii::Valido;
            return numero; // the value itself is not needed
        }
    }
    double valor = 0;
    const auto [ate, erro] = std::from_chars(p, fim, valor, std::chars_format::general);
    if (erro != std::errc() || ate != fim || !std::isfinite(valor)) {
        return numero;
    }
    numero.estado = NumeroAscii::Valido;
    numero.valor = negativo ? -valor : valor;
    return numero;
}

struct DataAscii {
    enum Estado { Nula, Valida, Invalida } estado = Nula;
    QDate data;
};

// YYYYMMDD; blanks, NULs and zeros ("00000000", "       0") mean no date.
DataAscii LeDataAscii(QByteArrayView bytes) {
    DataAscii data;
    QByteArray copia;
    const QByteArrayView texto = AsciiLimpo(bytes, copia);
    if (std::all_of(texto.begin(), texto.end(), [](char c) { return c == '0'; })) {
        return data;
    }
    data.estado = DataAscii::Invalida;
    if (texto.size() != 8 || !std::all_of(texto.begin(), texto.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return data;
    }
    const auto numero = [&texto](qsizetype de, qsizetype ate) {
        int v = 0;
        for (qsizetype i = de; i < ate; ++i) {
            v = v * 10 + (texto[i] - '0');
        }
        return v;
    };
    const QDate lida(numero(0, 4), numero(4, 6), numero(6, 8));
    if (lida.isValid()) {
        data.estado = DataAscii::Valida;
        data.data = lida;
    }
    return data;
}

// Logical: T/Y true, F/N false, '?', blank and anything else unknown.
std::optional<bool> LeLogico(QByteArrayView bytes) {
    if (bytes.isEmpty()) {
        return std::nullopt;
    }
    switch (bytes[0]) {
    case 'T':
    case 't':
    case 'Y':
    case 'y':
        return true;
    case 'F':
    case 'f':
    case 'N':
    case 'n':
        return false;
    default:
        return std::nullopt;
    }
}

// The general float form of a value, integral values as plain digits.
QString TextoDeNumero(double valor) {
    if (std::trunc(valor) == valor && std::fabs(valor) < 1e15) {
        return QString::number(static_cast<qint64>(valor));
    }
    return FloatParaTexto(valor);
}

// The regional short date of a day. The default pattern is written straight from the date: walking
// the pattern costs more than reading the rest of the field.
QString DataCurta(const QDate& data) {
    const ConfiguracaoRegional& regional = Regional();
    if (regional.formatoDataCurta != QLatin1String("dd/mm/yyyy") || data.year() < 1 || data.year() > 9999) {
        return DataParaTextoCurto(DataParaTDateTime(data));
    }
    const auto digitos = [](QChar* p, int valor, int largura) {
        for (int i = largura - 1; i >= 0; --i, valor /= 10) {
            p[i] = QLatin1Char(static_cast<char>('0' + valor % 10));
        }
    };
    QChar r[10];
    digitos(r, data.day(), 2);
    r[2] = regional.separadorData;
    digitos(r + 3, data.month(), 2);
    r[5] = regional.separadorData;
    digitos(r + 6, data.year(), 4);
    return QString(r, 10);
}

// A day and the milliseconds of its time as the legacy date-time keeps them: before day 0 the time is
// a fraction taken away from the negative day (-1.25 is 29 December 1899, 06:00).
TDateTime DiaEHora(qint64 dia, qint64 ms) {
    const double fracao = static_cast<double>(ms) / static_cast<double>(kMsPorDia);
    return dia < 0 ? static_cast<double>(dia) - fracao : static_cast<double>(dia) + fracao;
}

// The DOS pages, whose Clipper memos may carry MEMOEDIT's soft line breaks.
bool PaginaDos(PaginaCodigo pagina) {
    const int numero = static_cast<int>(pagina);
    return numero >= 437 && numero <= 869;
}

QString TextoDeDataHora(TDateTime valor) {
    QString texto = DataParaTextoCurto(valor);
    const double fracao = valor - std::floor(valor);
    if (fracao > 0) {
        texto += QLatin1Char(' ') + FormataDataHora(QStringLiteral("hh:nn:ss"), valor);
    }
    return texto;
}

// MEMOEDIT's soft line breaks (0x8D 0x0A) are word-wrap artefacts, not text: a blank joins the words again.
QByteArray SemQuebrasSuaves(QByteArray memo) {
    qsizetype i = 0;
    while ((i = memo.indexOf("\x8D\x0A", i)) >= 0) {
        const bool blankAntes = i > 0 && memo[i - 1] == ' ';
        memo.replace(i, 2, blankAntes ? QByteArray() : QByteArray(" "));
    }
    return memo;
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

void TTabelaDbf::LeBloco(qint64 registro) const {
    const qint64 porBloco = std::max<qint64>(1, kBytesPorBloco / m_tamanhoRegistro);
    const qint64 quantos = std::min(porBloco, m_quantFisicos - registro);
    if (registro < 0 || quantos <= 0) {
        ErroTabela(QStringLiteral("o registro %1 não existe").arg(registro + 1));
    }
    const qint64 bytes = quantos * m_tamanhoRegistro;
    m_bloco.resize(bytes);
    if (!m_arquivo.seek(m_tamanhoCabecalho + registro * m_tamanhoRegistro) ||
        m_arquivo.read(m_bloco.data(), bytes) != bytes) {
        m_quantNoBloco = 0;
        ErroTabela(QStringLiteral("falha ao ler o registro %1 (%2)").arg(registro + 1).arg(m_arquivo.errorString()));
    }
    m_primeiroDoBloco = registro;
    m_quantNoBloco = quantos;
}

const char* TTabelaDbf::Registro(qint64 registro) const {
    if (registro < m_primeiroDoBloco || registro >= m_primeiroDoBloco + m_quantNoBloco) {
        LeBloco(registro);
    }
    return m_bloco.constData() + (registro - m_primeiroDoBloco) * m_tamanhoRegistro;
}

char TTabelaDbf::Marca(qint64 registro) const {
    return *Registro(registro);
}

void TTabelaDbf::IndexaNomes() {
    for (int i = 0; i < QuantCampos(); ++i) {
        const QString chave = Campo(i).nome.toUpper();
        if (!Campo(i).oculto && !m_indicePorNome.contains(chave)) {
            m_indicePorNome.insert(chave, i); // the first of equal names wins, as in the search below
            if (std::all_of(chave.cbegin(), chave.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
                m_indicePorNomeLatin1.insert(chave.toLatin1(), i);
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

std::uint64_t TTabelaDbf::BlocoMemo(int campo) const {
    return PonteiroMemo(VistaCampo(campo)).value_or(0);
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

qint64 TTabelaDbf::ProximoVivo(qint64 desde) const {
    for (qint64 i = std::max<qint64>(0, desde); i < m_quantFisicos; ++i) {
        if (Marca(i) != '*') {
            return i;
        }
    }
    return -1;
}

void TTabelaDbf::Primeiro() {
    m_atual = ProximoVivo(0);
    m_eof = m_atual < 0;
}

void TTabelaDbf::Proximo() {
    if (m_atual < 0) {
        m_eof = true;
        return;
    }
    const qint64 proximo = ProximoVivo(m_atual + 1);
    if (proximo < 0) {
        m_eof = true;
    } else {
        m_atual = proximo;
        m_eof = false;
    }
}

void TTabelaDbf::Ultimo() {
    m_atual = -1;
    const qint64 porBloco = std::max<qint64>(1, kBytesPorBloco / m_tamanhoRegistro);
    for (qint64 i = m_quantFisicos - 1; i >= 0; --i) {
        if (i < m_primeiroDoBloco || i >= m_primeiroDoBloco + m_quantNoBloco) {
            LeBloco(std::max<qint64>(0, i - porBloco + 1)); // read backwards a whole run at a time
        }
        if (Marca(i) != '*') {
            m_atual = i;
            break;
        }
    }
    m_eof = true;
}

int TTabelaDbf::IndiceCampo(const QString& nome) const {
    // The controllers ask by the name as the table spells it, once a field and record.
    if (const auto it = m_indicePorNome.constFind(nome); it != m_indicePorNome.constEnd()) {
        return it.value();
    }
    const QString procurado = nome.trimmed();
    for (int i = 0; i < QuantCampos(); ++i) {
        if (!Campo(i).oculto && Campo(i).nome.compare(procurado, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    // Other programs keep only the first 10 characters of a longer name.
    return procurado.size() > kTamanhoNomeCampo ? IndiceCampo(procurado.left(kTamanhoNomeCampo)) : -1;
}

int TTabelaDbf::IndiceCampo(QLatin1StringView nome) const {
    // The bytes are looked up where they lie: no copy of the name.
    const auto busca = [this](const char* dados, qsizetype tamanho) {
        const auto it = m_indicePorNomeLatin1.constFind(QByteArray::fromRawData(dados, tamanho));
        return it != m_indicePorNomeLatin1.constEnd() ? it.value() : -1;
    };
    int indice = busca(nome.data(), nome.size());
    if (indice < 0 && nome.size() > kTamanhoNomeCampo) {
        indice = busca(nome.data(), kTamanhoNomeCampo);
    }
    return indice >= 0 ? indice : IndiceCampo(QString(nome));
}

QByteArrayView TTabelaDbf::VistaCampo(int campo) const {
    if (m_atual < 0) {
        return {};
    }
    const TDescricaoCampo& c = Campo(campo);
    return QByteArrayView(Registro(m_atual) + c.deslocamento, c.tamanho);
}

QByteArray TTabelaDbf::BytesCampo(int campo) const {
    return VistaCampo(campo).toByteArray();
}

bool TTabelaDbf::NuloVfp(int campo) const {
    const int bit = Campo(campo).bitNulo;
    if (bit < 0 || m_campoNulos < 0) {
        return false;
    }
    const QByteArrayView flags = VistaCampo(m_campoNulos);
    const qsizetype byte = bit / 8;
    return byte < flags.size() && (static_cast<unsigned char>(flags[byte]) >> (bit % 8)) & 1;
}

QByteArray TTabelaDbf::Memo(int campo) const {
    const std::optional<std::uint64_t> bloco = PonteiroMemo(VistaCampo(campo));
    if (!bloco) {
        ErroCampo(
            campo,
            QStringLiteral("ponteiro de memo inválido \"%1\"").arg(QString::fromLatin1(AsciiLimpo(BytesCampo(campo)))));
    }
    if (*bloco == 0) {
        return {};
    }
    if (!m_memo || !m_memo->Aberto()) {
        ErroCampo(campo, QStringLiteral("o arquivo de memo %1 %2")
                             .arg(QDir::toNativeSeparators(m_caminhoMemo), m_memo ? m_memo->Erro() : QString()));
    }
    QByteArray dados;
    QString erro;
    if (!m_memo->Le(*bloco, dados, erro)) {
        ErroCampo(campo, erro);
    }
    return dados;
}

QByteArrayView TTabelaDbf::VistaValor(int campo) const {
    const QByteArrayView bytes = VistaCampo(campo);
    const int bit = Campo(campo).bitTamanho;
    if (bit < 0 || m_campoNulos < 0 || bytes.isEmpty()) {
        return bytes;
    }
    const QByteArrayView flags = VistaCampo(m_campoNulos);
    const qsizetype byte = bit / 8;
    if (byte >= flags.size() || ((static_cast<unsigned char>(flags[byte]) >> (bit % 8)) & 1) == 0) {
        return bytes; // the value fills the field
    }
    const auto tamanho = static_cast<unsigned char>(bytes.back());
    return bytes.first(std::min<qsizetype>(tamanho, bytes.size() - 1));
}

bool TTabelaDbf::Nulo(int campo) const {
    if (m_atual < 0 || NuloVfp(campo)) {
        return true;
    }
    const TDescricaoCampo& c = Campo(campo);
    const QByteArrayView bytes = VistaCampo(campo);
    const bool vfp = EhVisualFoxPro(m_versao);
    const bool dbase7 = (m_versao & 0x07) == 0x04;
    const auto zerado = [&bytes] { return std::all_of(bytes.begin(), bytes.end(), [](char b) { return b == 0; }); };
    if (EhMemo(c.tipo, vfp)) {
        if (bytes.size() == 4) {
            return zerado();
        }
        QByteArray copia;
        const QByteArrayView texto = AsciiLimpo(bytes, copia);
        return std::all_of(texto.begin(), texto.end(), [](char ch) { return ch == '0'; });
    }
    switch (c.tipo) {
    case 'N':
    case 'F':
        return LeNumeroAscii(bytes).estado == NumeroAscii::Nulo;
    case 'D':
        return LeDataAscii(bytes).estado == DataAscii::Nula;
    case 'L':
        return !LeLogico(bytes).has_value();
    case 'I':
    case '+':
        return dbase7 && zerado();
    case 'O':
    case '@':
        return zerado();
    case 'T':
        return bytes.size() < 8 || Le32(reinterpret_cast<const unsigned char*>(bytes.data())) == 0;
    case 'B':
    case 'Y':
        return false;
    case '0':
        return true;
    default: {
        const QByteArrayView valor = VistaValor(campo);
        return std::all_of(valor.begin(), valor.end(), BrancoOuNul);
    }
    }
}

QString TTabelaDbf::Texto(int campo) const {
    const TDescricaoCampo& c = Campo(campo);
    if (!EhMemo(c.tipo, EhVisualFoxPro(m_versao))) {
        // The common types read their bytes once, in place.
        if (m_atual < 0 || NuloVfp(campo)) {
            return {};
        }
        const QByteArrayView bytes = VistaCampo(campo);
        switch (c.tipo) {
        case 'N':
        case 'F': {
            const NumeroAscii numero = LeNumeroAscii(bytes, true);
            if (numero.estado == NumeroAscii::Nulo) {
                return {};
            }
            if (numero.estado == NumeroAscii::Invalido) {
                return m_decodificador.Decodifica(AsciiLimpo(bytes));
            }
            return numero.texto.isEmpty() ? TextoDeNumero(numero.valor) : numero.texto;
        }
        case 'D': {
            const DataAscii data = LeDataAscii(bytes);
            if (data.estado == DataAscii::Nula) {
                return {};
            }
            if (data.estado == DataAscii::Invalida) {
                // Kept as written, so that nothing is lost silently; reading it as a date raises.
                return m_decodificador.Decodifica(AsciiLimpo(bytes));
            }
            return DataCurta(data.data);
        }
        case 'L': {
            const std::optional<bool> logico = LeLogico(bytes);
            if (!logico) {
                return {};
            }
            return *logico ? QStringLiteral("VERDADEIRO") : QStringLiteral("FALSO");
        }
        case 'C':
            if (std::all_of(bytes.begin(), bytes.end(), BrancoOuNul)) {
                return {};
            }
            if (std::memchr(bytes.data(), '\0', static_cast<std::size_t>(bytes.size())) == nullptr) {
                qsizetype fim = bytes.size();
                while (fim > 0 && bytes[fim - 1] == ' ') {
                    --fim;
                }
                return m_decodificador.Decodifica(bytes.data(), fim);
            }
            break;
        default:
            break;
        }
    }
    if (Nulo(campo)) {
        return {};
    }
    if (EhMemo(c.tipo, EhVisualFoxPro(m_versao))) {
        QByteArray memo = Memo(campo);
        if (PaginaDos(Pagina())) {
            memo = SemQuebrasSuaves(std::move(memo));
        }
        memo.replace('\0', QByteArray());
        return m_decodificador.Decodifica(memo);
    }
    switch (c.tipo) {
    case 'I':
    case '+':
    case 'B':
    case 'O':
    case 'Y':
        return TextoDeNumero(Numero(campo));
    case 'T':
    case '@':
        return TextoDeDataHora(DataHora(campo));
    default: {
        QByteArray texto = VistaValor(campo).toByteArray();
        texto.replace('\0', QByteArray());
        qsizetype fim = texto.size();
        while (fim > 0 && texto[fim - 1] == ' ') {
            --fim;
        }
        return m_decodificador.Decodifica(texto.constData(), fim);
    }
    }
}

double TTabelaDbf::Numero(int campo) const {
    if (Nulo(campo)) {
        return 0;
    }
    const TDescricaoCampo& c = Campo(campo);
    const QByteArray bytes = BytesCampo(campo);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const bool dbase7 = (m_versao & 0x07) == 0x04;
    const bool binario = c.tipo == 'I' || c.tipo == '+' || c.tipo == 'O' || c.tipo == 'Y' || c.tipo == 'T' ||
                         c.tipo == '@' || (c.tipo == 'B' && EhVisualFoxPro(m_versao));
    if (binario) {
        const int precisa = (c.tipo == 'I' || c.tipo == '+') ? 4 : 8;
        if (bytes.size() < precisa) {
            ErroCampo(campo, QStringLiteral("campo binário com %1 bytes, esperado %2").arg(bytes.size()).arg(precisa));
        }
    }
    switch (c.tipo) {
    case 'N':
    case 'F': {
        const NumeroAscii numero = LeNumeroAscii(bytes);
        if (numero.estado != NumeroAscii::Valido) {
            ErroCampo(
                campo,
                QStringLiteral("\"%1\" não é um número válido").arg(m_decodificador.Decodifica(AsciiLimpo(bytes))));
        }
        return numero.valor;
    }
    case 'D':
    case 'T':
    case '@':
        return DataHora(campo);
    case 'L':
        ErroCampo(campo, QStringLiteral("um campo lógico não pode ser lido como número"));
    case 'I':
    case '+':
        if (dbase7 || c.tipo == '+') {
            // dBASE 7 integers are big-endian with the sign bit inverted, so that they sort as bytes.
            return static_cast<double>(static_cast<std::int32_t>(Le32Be(p) ^ 0x80000000u));
        }
        return static_cast<double>(static_cast<std::int32_t>(Le32(p)));
    case 'O': {
        // Order-preserving big-endian double: positives have the sign bit set, negatives every bit inverted.
        const std::uint64_t bits = Le64Be(p);
        return BitsParaDouble((bits & 0x8000000000000000ull) ? (bits & 0x7FFFFFFFFFFFFFFFull) : ~bits);
    }
    case 'Y':
        return static_cast<double>(static_cast<std::int64_t>(Le64(p))) / 10000.0;
    case 'B':
        if (EhVisualFoxPro(m_versao)) {
            return BitsParaDouble(Le64(p));
        }
        break;
    default:
        break;
    }
    const QString texto = Texto(campo).trimmed();
    if (texto.isEmpty()) {
        return 0;
    }
    if (const std::optional<double> valor = TextoParaFloat(texto)) {
        return *valor;
    }
    const NumeroAscii numero = LeNumeroAscii(texto.toLatin1());
    if (numero.estado != NumeroAscii::Valido) {
        ErroCampo(campo, QStringLiteral("\"%1\" não é um número válido").arg(texto));
    }
    return numero.valor;
}

TDateTime TTabelaDbf::DataHora(int campo) const {
    if (Nulo(campo)) {
        return 0;
    }
    const TDescricaoCampo& c = Campo(campo);
    const QByteArray bytes = BytesCampo(campo);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    switch (c.tipo) {
    case 'D': {
        const DataAscii data = LeDataAscii(bytes);
        if (data.estado != DataAscii::Valida) {
            ErroCampo(
                campo,
                QStringLiteral("\"%1\" não é uma data válida").arg(m_decodificador.Decodifica(AsciiLimpo(bytes))));
        }
        return DataParaTDateTime(data.data);
    }
    case 'T': {
        // Visual FoxPro: Julian day number, then milliseconds since midnight.
        const std::int64_t dia = static_cast<std::int32_t>(Le32(p));
        const std::int64_t ms = static_cast<std::int32_t>(Le32(p + 4));
        const QDate data = QDate::fromJulianDay(dia);
        if (!data.isValid() || ms < 0 || ms >= kMsPorDia) {
            ErroCampo(campo, QStringLiteral("data e hora inválidas (dia juliano %1, %2 ms)").arg(dia).arg(ms));
        }
        return DiaEHora(static_cast<qint64>(DataParaTDateTime(data)), ms);
    }
    case '@': {
        if (bytes.size() < 8) {
            ErroCampo(campo, QStringLiteral("campo de data e hora com %1 bytes, esperado 8").arg(bytes.size()));
        }
        // dBASE 7 timestamp as the BDE keeps it: big-endian double of milliseconds since 1 January 0001,
        // counted from day 1.
        const double ms = BitsParaDouble(Le64Be(p));
        const double dias = ms / static_cast<double>(kMsPorDia) - 693594.0;
        if (!std::isfinite(dias) || dias < -693593.0 || dias >= 2958466.0) {
            ErroCampo(campo, QStringLiteral("data e hora inválidas"));
        }
        const qint64 total = std::llround(ms) - qint64(693594) * kMsPorDia;
        const qint64 dia = total >= 0 ? total / kMsPorDia : -((-total + kMsPorDia - 1) / kMsPorDia);
        return DiaEHora(dia, total - dia * kMsPorDia);
    }
    case 'L':
        ErroCampo(campo, QStringLiteral("um campo lógico não pode ser lido como data"));
    case 'N':
    case 'F':
    case 'I':
    case '+':
    case 'O':
    case 'Y':
        return Numero(campo);
    default:
        break;
    }
    if (c.tipo == 'B' && EhVisualFoxPro(m_versao)) {
        return Numero(campo);
    }
    const QString texto = Texto(campo).trimmed();
    if (texto.isEmpty()) {
        return 0;
    }
    if (const std::optional<TDateTime> data = TextoCurtoParaData(texto)) {
        return *data;
    }
    ErroCampo(campo, QStringLiteral("\"%1\" não é uma data válida").arg(texto));
}
