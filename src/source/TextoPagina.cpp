#include "TextoPagina.h"

#include <cerrno>
#include <cstdint>
#include <utility>

#include <iconv.h>

namespace {

// Upper halves (0x80-0xFF) of the code pages; the lower half is ASCII in all of them.
// The five bytes Windows-1252 leaves undefined map to the C1 controls, as Windows does.
constexpr std::array<char16_t, 128> k437 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

constexpr std::array<char16_t, 128> k850 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

// CP860 (Portuguese) is CP437 with the Portuguese capitals and tilde letters in these places.
constexpr std::array<char16_t, 128> k860 = [] {
    constexpr std::pair<unsigned char, char16_t> kPortugues[] = {
        {0x84, 0x00E3}, {0x86, 0x00C1}, {0x89, 0x00CA}, {0x8B, 0x00CD}, {0x8C, 0x00D4}, {0x8E, 0x00C3},
        {0x8F, 0x00C2}, {0x91, 0x00C0}, {0x92, 0x00C8}, {0x94, 0x00F5}, {0x96, 0x00DA}, {0x98, 0x00CC},
        {0x99, 0x00D5}, {0x9D, 0x00D9}, {0x9F, 0x00D3}, {0xA9, 0x00D2},
    };
    std::array<char16_t, 128> tabela = k437;
    for (const auto& [byte, caractere] : kPortugues) {
        tabela[byte - 0x80u] = caractere;
    }
    return tabela;
}();

// CP1252 is Latin-1 from 0xA0 on.
constexpr std::array<char16_t, 128> k1252 = [] {
    std::array<char16_t, 128> tabela = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (std::size_t i = 0x20; i < tabela.size(); ++i) {
        tabela[i] = static_cast<char16_t>(0x80 + i);
    }
    return tabela;
}();

const std::array<char16_t, 128>* TabelaPropria(PaginaCodigo pagina) {
    switch (pagina) {
    case PaginaCodigo::CP437:
        return &k437;
    case PaginaCodigo::CP850:
        return &k850;
    case PaginaCodigo::CP860:
        return &k860;
    case PaginaCodigo::CP1252:
        return &k1252;
    default:
        return nullptr;
    }
}

const char* const kUtf16 = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "UTF-16LE" : "UTF-16BE";
constexpr char16_t kSubstituto = 0xFFFD;

iconv_t IconvInvalido() {
    return reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));
}

// The character one byte of a single-byte page stands for; U+FFFD when the page leaves it undefined.
char16_t UmCaractere(iconv_t conversor, unsigned char byte) {
    iconv(conversor, nullptr, nullptr, nullptr, nullptr);
    char entrada = static_cast<char>(byte);
    char* de = &entrada;
    std::size_t restaEntrada = 1;
    char16_t saida[4] = {};
    char* para = reinterpret_cast<char*>(saida);
    std::size_t restaSaida = sizeof saida;
    const std::size_t falha = static_cast<std::size_t>(-1);
    if (iconv(conversor, &de, &restaEntrada, &para, &restaSaida) == falha ||
        iconv(conversor, nullptr, nullptr, &para, &restaSaida) == falha) { // pages that compose keep the last one
        return kSubstituto;
    }
    return sizeof saida - restaSaida == sizeof(char16_t) ? saida[0] : kSubstituto;
}

} // namespace

struct TDecodificador::TIconv {
    explicit TIconv(iconv_t h) : conversor(h) {}
    ~TIconv() { iconv_close(conversor); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;
    iconv_t conversor;
};

TDecodificador::TDecodificador(PaginaCodigo pagina) : m_pagina(pagina) {
    if (const std::array<char16_t, 128>* propria = TabelaPropria(pagina)) {
        m_metadeSuperior = *propria;
        m_tipo = Tipo::UmByte;
        return;
    }
    if (pagina == PaginaCodigo::UTF8) {
        m_tipo = Tipo::Utf8;
        return;
    }
    const char* nome = NomeIconvPaginaCodigo(pagina);
    if (*nome == '\0') {
        return;
    }
    const iconv_t conversor = iconv_open(kUtf16, nome);
    if (conversor == IconvInvalido()) {
        return;
    }
    auto dono = std::make_unique<TIconv>(conversor);
    if (PaginaCodigoMultibyte(pagina)) {
        m_iconv = std::move(dono);
        m_tipo = Tipo::Iconv;
        return;
    }
    // A single-byte page is looked up in a table like our own pages: iconv only builds it.
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        m_metadeSuperior[static_cast<std::size_t>(byte - 0x80)] =
            UmCaractere(conversor, static_cast<unsigned char>(byte));
    }
    m_tipo = Tipo::UmByte;
}

TDecodificador::~TDecodificador() = default;
TDecodificador::TDecodificador(TDecodificador&& outro) noexcept = default;
TDecodificador& TDecodificador::operator=(TDecodificador&& outro) noexcept = default;

QString TDecodificador::Decodifica(const char* dados, qsizetype tamanho) const {
    switch (m_tipo) {
    case Tipo::UmByte: {
        QString texto(tamanho, Qt::Uninitialized);
        QChar* destino = texto.data();
        for (qsizetype i = 0; i < tamanho; ++i) {
            destino[i] = QChar(Caractere(static_cast<unsigned char>(dados[i])));
        }
        return texto;
    }
    case Tipo::Utf8:
        return QString::fromUtf8(dados, tamanho);
    case Tipo::Iconv:
        return DecodificaIconv(dados, tamanho);
    case Tipo::Invalido:
        break;
    }
    return QString::fromLatin1(dados, tamanho);
}

QString TDecodificador::DecodificaIconv(const char* dados, qsizetype tamanho) const {
    const iconv_t conversor = m_iconv->conversor;
    iconv(conversor, nullptr, nullptr, nullptr, nullptr);
    QString texto;
    texto.reserve(tamanho);
    char* de = const_cast<char*>(dados);
    auto restaEntrada = static_cast<std::size_t>(tamanho);
    char16_t saida[256];
    const std::size_t falha = static_cast<std::size_t>(-1);
    bool fim = false;
    while (!fim) {
        char* para = reinterpret_cast<char*>(saida);
        std::size_t restaSaida = sizeof saida;
        std::size_t resultado = 0;
        if (restaEntrada > 0) {
            resultado = iconv(conversor, &de, &restaEntrada, &para, &restaSaida);
        } else {
            resultado = iconv(conversor, nullptr, nullptr, &para, &restaSaida);
            fim = resultado != falha;
        }
        const int erro = errno;
        texto.append(reinterpret_cast<const QChar*>(saida),
                     static_cast<qsizetype>((sizeof saida - restaSaida) / sizeof(char16_t)));
        if (resultado == falha && erro != E2BIG) {
            // An invalid or cut sequence: one replacement character, then go on after its first byte.
            texto.append(QChar(kSubstituto));
            if (restaEntrada == 0) {
                break;
            }
            ++de;
            --restaEntrada;
            iconv(conversor, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return texto;
}

QString DecodificaTexto(const char* dados, qsizetype tamanho, PaginaCodigo pagina) {
    return TDecodificador(pagina).Decodifica(dados, tamanho);
}

QString DecodificaTexto(const QByteArray& dados, PaginaCodigo pagina) {
    return DecodificaTexto(dados.constData(), dados.size(), pagina);
}

namespace {

// Every character of our own four tables lies below this code.
constexpr char16_t kLimiteInversa = 0x2600;

QByteArray CodificaPropria(const QString& texto, PaginaCodigo pagina) {
    // The inverse of each table, built once: the sample generator encodes millions of values.
    using Inversa = std::array<unsigned char, kLimiteInversa>;
    static const std::array<Inversa, 4> inversas = [] {
        std::array<Inversa, 4> todas{};
        const PaginaCodigo paginas[] = {PaginaCodigo::CP437, PaginaCodigo::CP850, PaginaCodigo::CP860,
                                        PaginaCodigo::CP1252};
        for (std::size_t p = 0; p < 4; ++p) {
            const auto& tabela = *TabelaPropria(paginas[p]);
            for (std::size_t i = tabela.size(); i-- > 0;) { // the first byte wins when two map to one character
                if (tabela[i] < kLimiteInversa) {
                    todas[p][tabela[i]] = static_cast<unsigned char>(0x80 + i);
                }
            }
        }
        return todas;
    }();
    const std::size_t indice = pagina == PaginaCodigo::CP437   ? 0
                               : pagina == PaginaCodigo::CP850 ? 1
                               : pagina == PaginaCodigo::CP860 ? 2
                                                               : 3;
    const Inversa& inversa = inversas[indice];
    QByteArray bytes(texto.size(), Qt::Uninitialized);
    char* destino = bytes.data();
    for (const QChar c : texto) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            *destino++ = static_cast<char>(u);
        } else {
            const unsigned char b = u < kLimiteInversa ? inversa[u] : 0;
            *destino++ = b != 0 ? static_cast<char>(b) : '?';
        }
    }
    return bytes;
}

// Any other page, one character at a time through iconv (tests and rare pages only).
QByteArray CodificaIconv(const QString& texto, PaginaCodigo pagina) {
    const iconv_t conversor = iconv_open(NomeIconvPaginaCodigo(pagina), "UTF-8");
    if (conversor == IconvInvalido()) {
        return QByteArray(texto.size(), '?');
    }
    const std::unique_ptr<void, int (*)(iconv_t)> dono(conversor, iconv_close);
    QByteArray bytes;
    const std::size_t falha = static_cast<std::size_t>(-1);
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const qsizetype tamanho = texto.at(i).isHighSurrogate() && i + 1 < texto.size() ? 2 : 1;
        QByteArray utf8 = texto.mid(i, tamanho).toUtf8();
        i += tamanho - 1;
        char* de = utf8.data();
        std::size_t restaEntrada = static_cast<std::size_t>(utf8.size());
        char saida[16];
        char* para = saida;
        std::size_t restaSaida = sizeof saida;
        iconv(conversor, nullptr, nullptr, nullptr, nullptr);
        if (iconv(conversor, &de, &restaEntrada, &para, &restaSaida) == falha ||
            iconv(conversor, nullptr, nullptr, &para, &restaSaida) == falha) {
            bytes.append('?');
        } else {
            bytes.append(saida, static_cast<qsizetype>(sizeof saida - restaSaida));
        }
    }
    return bytes;
}

} // namespace

QByteArray CodificaTexto(const QString& texto, PaginaCodigo pagina) {
    if (TabelaPropria(pagina)) {
        return CodificaPropria(texto, pagina);
    }
    if (pagina == PaginaCodigo::UTF8) {
        return texto.toUtf8();
    }
    return CodificaIconv(texto, pagina);
}
