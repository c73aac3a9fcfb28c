#include "PaginaCodigo.h"

#include <QStringList>

#include <array>

#include <iconv.h>

namespace {

// The pages a table may be written in: DOS and Windows pages, the Macintosh pages Visual FoxPro
// names, Latin-1 and UTF-8 (which .cpg files name), and the four East Asian pages.
struct TPaginaConhecida {
    int numero;
    const char* iconv;
    const char* nome;
    bool multibyte;
    std::uint8_t ldid; ///< the byte our writer stores; 0 for pages no driver names
};

constexpr std::array<TPaginaConhecida, 29> kPaginas = {{
    {437, "CP437", "CP437", false, 0x01},
    {737, "CP737", "CP737", false, 0x6A},
    {850, "CP850", "CP850", false, 0x25},
    {852, "CP852", "CP852", false, 0x64},
    {857, "CP857", "CP857", false, 0x6B},
    {860, "CP860", "CP860", false, 0x24},
    {861, "CP861", "CP861", false, 0x67},
    {862, "CP862", "CP862", false, 0x00},
    {863, "CP863", "CP863", false, 0x6C},
    {865, "CP865", "CP865", false, 0x66},
    {866, "CP866", "CP866", false, 0x65},
    {874, "CP874", "CP874", false, 0x7C},
    {932, "CP932", "CP932", true, 0x7B},
    {936, "CP936", "CP936", true, 0x7A},
    {949, "CP949", "CP949", true, 0x79},
    {950, "CP950", "CP950", true, 0x78},
    {1250, "CP1250", "CP1250", false, 0xC8},
    {1251, "CP1251", "CP1251", false, 0xC9},
    {1252, "CP1252", "CP1252", false, 0x03},
    {1253, "CP1253", "CP1253", false, 0xCB},
    {1254, "CP1254", "CP1254", false, 0xCA},
    {1255, "CP1255", "CP1255", false, 0x7D},
    {1256, "CP1256", "CP1256", false, 0x7E},
    {1257, "CP1257", "CP1257", false, 0xCC},
    {1258, "CP1258", "CP1258", false, 0x00},
    {10000, "MACINTOSH", "MACINTOSH", false, 0x04},
    {10007, "CP10007", "CP10007", false, 0x96},
    {10029, "MAC-CENTRALEUROPE", "MAC-CENTRALEUROPE", false, 0x97},
    {28591, "ISO-8859-1", "ISO-8859-1", false, 0x00},
}};

constexpr TPaginaConhecida kUtf8 = {65001, "UTF-8", "UTF-8", true, 0x00};

const TPaginaConhecida* Conhecida(int numero) {
    if (numero == kUtf8.numero) {
        return &kUtf8;
    }
    for (const TPaginaConhecida& pagina : kPaginas) {
        if (pagina.numero == numero) {
            return &pagina;
        }
    }
    return nullptr;
}

} // namespace

QString NomePaginaCodigo(PaginaCodigo pagina) {
    if (const TPaginaConhecida* conhecida = Conhecida(static_cast<int>(pagina))) {
        return QLatin1String(conhecida->nome);
    }
    return QStringLiteral("CP%1").arg(static_cast<int>(pagina));
}

const char* NomeIconvPaginaCodigo(PaginaCodigo pagina) {
    const TPaginaConhecida* conhecida = Conhecida(static_cast<int>(pagina));
    return conhecida ? conhecida->iconv : "";
}

bool PaginaCodigoMultibyte(PaginaCodigo pagina) {
    const TPaginaConhecida* conhecida = Conhecida(static_cast<int>(pagina));
    return conhecida && conhecida->multibyte;
}

bool PaginaCodigoDisponivel(PaginaCodigo pagina) {
    switch (pagina) {
    case PaginaCodigo::CP437:
    case PaginaCodigo::CP850:
    case PaginaCodigo::CP860:
    case PaginaCodigo::CP1252:
    case PaginaCodigo::UTF8:
        return true; // decoded without iconv
    default:
        break;
    }
    const TPaginaConhecida* conhecida = Conhecida(static_cast<int>(pagina));
    if (!conhecida) {
        return false;
    }
    const iconv_t teste = iconv_open("UTF-8", conhecida->iconv);
    if (teste == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    iconv_close(teste);
    return true;
}

std::optional<PaginaCodigo> PaginaCodigoPorNome(const QString& nome) {
    QString n = nome;
    n.remove(QChar(0xFEFF)); // a .cpg written with a byte-order mark
    n = n.trimmed().toUpper();
    for (const QLatin1String prefixo : {QLatin1String("ANSI "), QLatin1String("OEM ")}) {
        if (n.startsWith(prefixo)) {
            n = n.mid(prefixo.size()).trimmed();
        }
    }
    int numero = 0;
    if (n == QLatin1String("UTF8") || n == QLatin1String("UTF-8")) {
        numero = kUtf8.numero;
    } else if (n == QLatin1String("LATIN1") || n == QLatin1String("ISO8859-1") || n == QLatin1String("ISO88591") ||
               n == QLatin1String("88591")) {
        numero = 28591;
    } else {
        for (const QLatin1String prefixo : {QLatin1String("WINDOWS-"), QLatin1String("CP"), QLatin1String("IBM")}) {
            if (n.startsWith(prefixo)) {
                n = n.mid(prefixo.size());
                break;
            }
        }
        bool ok = false;
        numero = n.toInt(&ok);
        if (!ok || n.isEmpty() || !n.at(0).isDigit()) {
            numero = 0;
            for (const TPaginaConhecida& pagina : kPaginas) {
                if (nome.trimmed().compare(QLatin1String(pagina.nome), Qt::CaseInsensitive) == 0) {
                    numero = pagina.numero;
                }
            }
        }
    }
    if (!Conhecida(numero) || !PaginaCodigoDisponivel(static_cast<PaginaCodigo>(numero))) {
        return std::nullopt;
    }
    return static_cast<PaginaCodigo>(numero);
}

QString PaginasCodigoDisponiveis() {
    QStringList nomes;
    for (const TPaginaConhecida& pagina : kPaginas) {
        if (PaginaCodigoDisponivel(static_cast<PaginaCodigo>(pagina.numero))) {
            nomes << QLatin1String(pagina.nome);
        }
    }
    nomes << QLatin1String(kUtf8.nome);
    return nomes.join(QStringLiteral(", "));
}

std::optional<PaginaCodigo> PaginaCodigoDoLdid(std::uint8_t ldid) {
    // The language-driver bytes of dBASE, FoxPro and Visual FoxPro and the page each one names.
    int numero = 0;
    switch (ldid) {
    case 0x01: // US MS-DOS
    case 0x09:
    case 0x0B:
    case 0x0D:
    case 0x0F:
    case 0x11:
    case 0x15:
    case 0x18:
    case 0x19:
    case 0x1B: // dBASE ENU cp437
        numero = 437;
        break;
    case 0x02: // International MS-DOS
    case 0x0A:
    case 0x0E:
    case 0x10:
    case 0x12:
    case 0x14:
    case 0x16:
    case 0x1A:
    case 0x1D:
    case 0x25: // dBASE PTB cp850 (Brazil)
    case 0x37: // dBASE ENU cp850
        numero = 850;
        break;
    case 0x24: // dBASE PTG cp860 (Portugal)
        numero = 860;
        break;
    case 0x03: // Windows ANSI
    case 0x57:
    case 0x58:
    case 0x59:
        numero = 1252;
        break;
    case 0x04:
        numero = 10000;
        break;
    case 0x08:
    case 0x17:
    case 0x66:
        numero = 865;
        break;
    case 0x13:
    case 0x7B:
        numero = 932;
        break;
    case 0x1C:
    case 0x6C:
        numero = 863;
        break;
    case 0x1F:
    case 0x22:
    case 0x23:
    case 0x40:
    case 0x64:
    case 0x87:
        numero = 852;
        break;
    case 0x26:
    case 0x65:
        numero = 866;
        break;
    case 0x4D:
    case 0x7A:
        numero = 936;
        break;
    case 0x4E:
    case 0x79:
        numero = 949;
        break;
    case 0x4F:
    case 0x78:
        numero = 950;
        break;
    case 0x50:
    case 0x7C:
        numero = 874;
        break;
    case 0x67:
        numero = 861;
        break;
    case 0x6A:
    case 0x86:
        numero = 737;
        break;
    case 0x6B:
    case 0x88:
        numero = 857;
        break;
    case 0x7D:
        numero = 1255;
        break;
    case 0x7E:
        numero = 1256;
        break;
    case 0x96:
        numero = 10007;
        break;
    case 0x97:
        numero = 10029;
        break;
    case 0xC8:
        numero = 1250;
        break;
    case 0xC9:
        numero = 1251;
        break;
    case 0xCA:
        numero = 1254;
        break;
    case 0xCB:
        numero = 1253;
        break;
    case 0xCC:
        numero = 1257;
        break;
    default:
        return std::nullopt; // 0, and drivers such as Kamenický (0x68) and Mazovia (0x69) we cannot decode
    }
    return static_cast<PaginaCodigo>(numero);
}

std::uint8_t LdidDaPaginaCodigo(PaginaCodigo pagina) {
    const TPaginaConhecida* conhecida = Conhecida(static_cast<int>(pagina));
    return conhecida ? conhecida->ldid : 0;
}
