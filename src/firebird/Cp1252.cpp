#include "Cp1252.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr char16_t kIndefinido = 0;

// Unicode of the bytes 0x80..0x9F; the rest of CP1252 equals Latin-1.
constexpr std::array<char16_t, 32> kFaixa80 = {
    0x20AC,      kIndefinido, 0x201A, 0x0192, 0x201E, 0x2026,      0x2020, 0x2021,      // 80-87
    0x02C6,      0x2030,      0x0160, 0x2039, 0x0152, kIndefinido, 0x017D, kIndefinido, // 88-8F
    kIndefinido, 0x2018,      0x2019, 0x201C, 0x201D, 0x2022,      0x2013, 0x2014,      // 90-97
    0x02DC,      0x2122,      0x0161, 0x203A, 0x0153, kIndefinido, 0x017E, 0x0178,      // 98-9F
};

char ByteDe(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (std::size_t i = 0; i < kFaixa80.size(); ++i) {
        if (kFaixa80[i] != kIndefinido && kFaixa80[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

/// Writes the CP1252 bytes of n UTF-16 units to saida (room for n bytes); returns how many.
qsizetype Converte(const char16_t* entrada, qsizetype n, char* saida) {
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        // Runs of ASCII four characters at a time; the rest one by one.
        while (i + 4 <= n) {
            std::uint64_t quatro;
            std::memcpy(&quatro, entrada + i, sizeof quatro);
            if ((quatro & 0xFF80FF80FF80FF80ull) != 0) {
                break;
            }
            for (int j = 0; j < 4; ++j) {
                saida[k++] = static_cast<char>(entrada[i + j]);
            }
            i += 4;
        }
        if (i >= n) {
            break;
        }
        const char16_t c = entrada[i];
        if (c < 0x80) {
            saida[k++] = static_cast<char>(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(entrada[i + 1])) {
            ++i; // a character outside the BMP: never in CP1252, one '?' for the pair
            saida[k++] = '?';
        } else {
            saida[k++] = ByteDe(c);
        }
    }
    return k;
}

} // namespace

bool CabeEmCp1252(QStringView texto) {
    const char16_t* c = texto.utf16();
    const qsizetype n = texto.size();
    qsizetype i = 0;
    // Most texts are ASCII: four characters tested at a time.
    for (; i + 4 <= n; i += 4) {
        std::uint64_t quatro;
        std::memcpy(&quatro, c + i, sizeof quatro);
        if ((quatro & 0xFF80FF80FF80FF80ull) != 0) {
            break;
        }
    }
    for (; i < n; ++i) {
        if (c[i] >= 0x80 && ByteDe(c[i]) == '?') {
            return false;
        }
    }
    return true;
}

QByteArray ParaCp1252(const QString& texto) {
    const qsizetype n = texto.size();
    const char16_t* entrada = reinterpret_cast<const char16_t*>(texto.constData());
    // Statement texts are mostly ASCII, where CP1252 is Latin-1: four characters tested at a time,
    // then Qt's own narrowing.
    std::uint64_t todos = 0;
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint64_t quatro;
        std::memcpy(&quatro, entrada + i, sizeof quatro);
        todos |= quatro;
    }
    for (; i < n; ++i) {
        todos |= entrada[i];
    }
    if ((todos & 0xFF80FF80FF80FF80ull) == 0) {
        return texto.toLatin1();
    }
    QByteArray r(n, Qt::Uninitialized);
    r.truncate(Converte(entrada, n, r.data()));
    return r;
}

qsizetype EscreveCp1252(QStringView texto, char* saida) {
    return Converte(reinterpret_cast<const char16_t*>(texto.data()), texto.size(), saida);
}

QString DeCp1252(const char* dados, qsizetype tamanho) {
    QString r(tamanho, Qt::Uninitialized);
    QChar* saida = r.data();
    for (qsizetype i = 0; i < tamanho; ++i) {
        const auto b = static_cast<unsigned char>(dados[i]);
        if (b >= 0x80 && b <= 0x9F) {
            const char16_t u = kFaixa80[b - 0x80];
            saida[i] = u == kIndefinido ? QChar(u'?') : QChar(u);
        } else {
            saida[i] = QChar(static_cast<char16_t>(b));
        }
    }
    return r;
}
