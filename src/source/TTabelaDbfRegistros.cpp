#include "TTabelaDbf.h"

#include "ConfiguracaoRegional.h"
#include "EConversao.h"
#include "FormatoNumero.h"
#include "ValorDbf.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <cstring>

// Reading a table's records and decoding its values. Opening it is in TTabelaDbf.cpp.

using namespace dbf;

namespace {

// Records are read in runs of about this many bytes; the buffer never grows beyond one run.
constexpr qint64 kBytesPorBloco = 64 * 1024;

} // namespace

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

std::uint64_t TTabelaDbf::BlocoMemo(int campo) const {
    return PonteiroMemo(VistaCampo(campo)).value_or(0);
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
    VaiPara(1);
}

void TTabelaDbf::VaiPara(qint64 registro) {
    m_atual = ProximoVivo(registro - 1);
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
        return m_indiceCurto.Procura(std::string_view(dados, static_cast<std::size_t>(tamanho)));
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
    const TDescricaoCampo& c = Campo(campo);
    if (c.tipo == 'N' || c.tipo == 'F') {
        // The common type reads its bytes once, in place.
        if (m_atual < 0 || NuloVfp(campo)) {
            return 0;
        }
        const QByteArrayView bytes = VistaCampo(campo);
        const NumeroAscii numero = LeNumeroAscii(bytes);
        if (numero.estado == NumeroAscii::Nulo) {
            return 0;
        }
        if (numero.estado != NumeroAscii::Valido) {
            ErroCampo(
                campo,
                QStringLiteral("\"%1\" não é um número válido").arg(m_decodificador.Decodifica(AsciiLimpo(bytes))));
        }
        return numero.valor;
    }
    if (Nulo(campo)) {
        return 0;
    }
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
