#include "DetectorPaginaCodigo.h"

#include <QChar>
#include <QStringView>

namespace {

// Below this margin either reading is about as Portuguese as the other.
constexpr long kMargemMinima = 2;
// At this margin (or this many UTF-8 sequences) more text would not turn the answer round.
constexpr long kMargemFinal = 64;

// Counts the UTF-8 sequences of a value; false when a byte breaks one. A sequence cut by the end of
// the value is allowed: fixed-width fields cut text by bytes.
bool ContaUtf8(const unsigned char* bytes, qsizetype tamanho, long& sequencias) {
    for (qsizetype i = 0; i < tamanho;) {
        const unsigned char b = bytes[i];
        const int seguintes = b < 0x80                 ? 0
                              : b >= 0xC2 && b <= 0xDF ? 1
                              : b >= 0xE0 && b <= 0xEF ? 2
                              : b >= 0xF0 && b <= 0xF4 ? 3
                                                       : -1;
        if (seguintes < 0) {
            return false;
        }
        for (int j = 1; j <= seguintes; ++j) {
            if (i + j >= tamanho) {
                return true;
            }
            if ((bytes[i + j] & 0xC0) != 0x80) {
                return false;
            }
        }
        sequencias += seguintes > 0 ? 1 : 0;
        i += 1 + seguintes;
    }
    return true;
}

bool Vogal(QChar c) {
    return QStringView(u"aeiouáéíóúâêôãõàü").contains(c.toLower());
}

// Characters that occur in Portuguese business text without saying anything about the page.
bool Neutro(QChar c) {
    return QStringView(u"§²³¹½¼¾£¢¥©®±×÷µ¿¡«»¬·¨´\u00A0").contains(c);
}

// How Portuguese one decoded character above ASCII looks beside its neighbours: 1 when nothing
// speaks against it, 0 when it says nothing, negative for each thing that speaks against it.
int Pontos(QChar antes2, QChar antes, QChar c, QChar depois) {
    const QChar minuscula = c.toLower();
    if (!c.isLetter() || !QStringView(u"ãõçéáíóúâêôàü").contains(minuscula)) {
        if (c == QChar(0x00BA) || c == QChar(0x00AA) || c == QChar(0x00B0)) { // º ª °: "Nº 5", "1ª", "20°"
            return antes.isDigit() || antes == QLatin1Char('N') || antes == QLatin1Char('n') ? 1 : 0;
        }
        return Neutro(c) ? 0 : -2; // box drawing, controls, letters Portuguese does not use
    }
    const bool letraAntes = antes.isLetter();
    const bool letraDepois = depois.isLetter();
    int contra = 0;
    if (c.isUpper()) {
        if (letraAntes && antes.isLower()) {
            contra += 3; // "JosÚ"
        } else if (letraAntes && antes.isUpper() && letraDepois && depois.isLower()) {
            contra += 2; // "CÔmara"
        }
    } else if (letraAntes && antes.isUpper() && antes2.isLetter() && antes2.isUpper()) {
        contra += 3; // "JOSé"
    } else if (letraDepois && depois.isUpper()) {
        contra += 2; // "àTICA"
    }
    const QChar seguinte = depois.toLower();
    switch (minuscula.unicode()) {
    case u'ç':
        // Only vowels and r, l, n come before it, and only a, o, u after it.
        if (!letraAntes || (!Vogal(antes) && !QStringView(u"rln").contains(antes.toLower()))) {
            contra += 2;
        }
        if (!QStringView(u"aouãõáóú").contains(seguinte)) {
            contra += 2;
        }
        break;
    case u'ã':
    case u'õ':
        // Never first in a word; then o, e, s (ã also i) or the word ends.
        if (!letraAntes) {
            contra += 2;
        }
        if (letraDepois && !QStringView(minuscula == u'ã' ? u"oesi" : u"es").contains(seguinte)) {
            contra += 2;
        }
        break;
    case u'ú':
        if (letraAntes && !Vogal(antes) && !letraDepois) {
            contra += 1; // "baú" ends so, "SÚ" does not
        }
        break;
    default:
        break;
    }
    if (!letraAntes && !letraDepois && minuscula != u'à' && minuscula != u'é') {
        contra += 1; // of the one-letter words only "à" and "é" are common
    }
    return contra > 0 ? -contra : 1;
}

} // namespace

TDetectorPaginaCodigo::TDetectorPaginaCodigo() : m_cp850(PaginaCodigo::CP850), m_cp1252(PaginaCodigo::CP1252) {}

void TDetectorPaginaCodigo::Examina(const char* dados, qsizetype tamanho) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(dados);
    const auto pontos = [bytes, tamanho](const TDecodificador& pagina, qsizetype i) {
        const auto em = [&](qsizetype j) {
            return j >= 0 && j < tamanho ? QChar(pagina.Caractere(bytes[j])) : QChar(u' ');
        };
        return Pontos(em(i - 2), em(i - 1), em(i), em(i + 1));
    };
    if (m_utf8) {
        m_utf8 = ContaUtf8(bytes, tamanho, m_sequenciasUtf8);
    }
    for (qsizetype i = 0; i < tamanho; ++i) {
        if (bytes[i] < 0x80) {
            continue;
        }
        m_viuAcentos = true;
        m_pontos850 += pontos(m_cp850, i);
        m_pontos1252 += pontos(m_cp1252, i);
    }
}

bool TDetectorPaginaCodigo::Decidido() const {
    if (m_utf8) {
        return m_sequenciasUtf8 >= kMargemFinal;
    }
    const long diferenca = m_pontos1252 - m_pontos850;
    return diferenca >= kMargemFinal || diferenca <= -kMargemFinal;
}

std::optional<PaginaCodigo> TDetectorPaginaCodigo::Resultado() const {
    if (m_utf8 && m_sequenciasUtf8 > 0) {
        return PaginaCodigo::UTF8;
    }
    const long diferenca = m_pontos1252 - m_pontos850;
    if (diferenca >= kMargemMinima) {
        return PaginaCodigo::CP1252;
    }
    if (diferenca <= -kMargemMinima) {
        return PaginaCodigo::CP850;
    }
    return std::nullopt;
}
