// Text to the target's code page: ASCII, the characters CP1252 holds, and those it does not.
#include "Cp1252.h"

#include <gtest/gtest.h>

namespace {

struct CasoCp1252 {
    QString texto;
    QByteArray esperado;
};

class ParaCp1252Teste : public ::testing::TestWithParam<CasoCp1252> {};

TEST_P(ParaCp1252Teste, CadaCaractereViraSeuByteOuInterrogacao) {
    EXPECT_EQ(ParaCp1252(GetParam().texto).toHex().toStdString(), GetParam().esperado.toHex().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ParaCp1252Teste,
    ::testing::Values(CasoCp1252{QString(), QByteArray()}, CasoCp1252{QStringLiteral("abc"), QByteArray("abc")},
                      CasoCp1252{QStringLiteral("abcd"), QByteArray("abcd")},
                      CasoCp1252{QStringLiteral("INSERT INTO T VALUES ('x')"),
                                 QByteArray("INSERT INTO T VALUES ('x')")},
                      // one character outside ASCII anywhere in a group of four, or in the tail
                      CasoCp1252{QStringLiteral("abcÇ"), QByteArray("abc\xC7")},
                      CasoCp1252{QStringLiteral("abcdefgé"), QByteArray("abcdefg\xE9")},
                      CasoCp1252{QStringLiteral("Ação €"), QByteArray("A\xE7\xE3o \x80")},
                      CasoCp1252{QStringLiteral("ÿ“”–"), QByteArray("\xFF\x93\x94\x96")},
                      // C1 controls, characters beyond CP1252, a pair of surrogates, a lone surrogate
                      CasoCp1252{QString(QChar(0x81)) + QChar(0x9D), QByteArray("??")},
                      CasoCp1252{QStringLiteral("aĀ中b"), QByteArray("a??b")},
                      CasoCp1252{QStringLiteral("a😀b"), QByteArray("a?b")},
                      CasoCp1252{QStringLiteral("ab") + QChar(0xD800) + QStringLiteral("cd"), QByteArray("ab?cd")}));

} // namespace
