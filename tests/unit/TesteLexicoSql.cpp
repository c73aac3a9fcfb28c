// Which literals of a statement text may travel as bound values, and what they become.
#include "LexicoSql.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "<shape> | <literal>, ... | <literals left in the text>"; a literal reads T'bytes', N<digits>e<scale>
// or NULL, with a leading '=' when it is compared rather than assigned. "-" when nothing applies.
std::string Descreve(const QByteArray& sql) {
    const std::optional<FormaSql> forma = ExtraiLiterais(sql);
    if (!forma) {
        return "-";
    }
    std::string r = forma->texto.toStdString() + " |";
    for (const LiteralSql& l : forma->literais) {
        r += ' ';
        if (!l.atribuicao) {
            r += '=';
        }
        switch (l.tipo) {
        case LiteralSql::Tipo::Texto:
            r += "T'" + TextoLiteral(sql, l).toStdString() + "'";
            break;
        case LiteralSql::Tipo::Numero:
            r += "N" + std::to_string(l.numero) + "e" + std::to_string(l.escala);
            break;
        case LiteralSql::Tipo::Nulo:
            r += "NULL";
            break;
        }
    }
    return r + " | " + std::to_string(forma->restantes);
}

struct Caso {
    const char* sql;
    const char* esperado;
};

class Levantamento : public ::testing::TestWithParam<Caso> {};

TEST_P(Levantamento, LiftsOnlyWhereABoundValueActsAsTheLiteral) {
    EXPECT_EQ(Descreve(QByteArray(GetParam().sql)), GetParam().esperado) << GetParam().sql;
}

INSTANTIATE_TEST_SUITE_P(
    Insercoes, Levantamento,
    ::testing::Values(
        // strings in either quote with doubled quotes undone, NULL, negative and scaled numbers
        Caso{"INSERT INTO T (A,B,C,D,E) VALUES ('x''y', \"N\", -12.50, NULL, 7)",
             "INSERT INTO T (A,B,C,D,E) VALUES (?, ?, ?, ?, ?) | T'x'y' T'N' N-1250e-2 NULL N7e0 | 0"},
        Caso{"insert into t values ('a\"b', \"c''d\", \"e\"\"f\", '')",
             "insert into t values (?, ?, ?, ?) | T'a\"b' T'c''d' T'e\"f' T'' | 0"},
        Caso{"INSERT INTO T VALUES (12., .5, - 3, 0007, 9223372036854775807)",
             "INSERT INTO T VALUES (?, ?, ?, ?, ?) | N12e0 N5e-1 N-3e0 N7e0 N9223372036854775807e0 | 0"},
        // exponents, values beyond 64 bits, hexadecimal and malformed numbers stay in the text
        Caso{"INSERT INTO T VALUES (1.5E3, 2e-5, 99999999999999999999, -9223372036854775808, 0x1F, 1.2.3, 4)",
             "INSERT INTO T VALUES (1.5E3, 2e-5, 99999999999999999999, -9223372036854775808, 0x1F, 1.2.3, ?) | "
             "N4e0 | 6"},
        Caso{"INSERT INTO T VALUES (0.0000000000000000001)", "INSERT INTO T VALUES (0.0000000000000000001) | | 1"},
        // expressions, function calls, introducers and typed literals are not lone literals
        Caso{"INSERT INTO T VALUES ('a' || 'b', 1 + 2, GEN_ID(G, 1), -A, _WIN1252 'c', X'41', DATE '2014-03-05', 'ok')",
             "INSERT INTO T VALUES ('a' || 'b', 1 + 2, GEN_ID(G, 1), -A, _WIN1252 'c', X'41', DATE '2014-03-05', ?) | "
             "T'ok' | 8"},
        // comments and their quotes are kept as they are
        Caso{"INSERT INTO T VALUES ('a' /* 'b' */, 'c') -- 'd'",
             "INSERT INTO T VALUES (? /* 'b' */, ?) -- 'd' | T'a' T'c' | 0"},
        // a list left open is the engine's to judge, as written
        Caso{"INSERT INTO T VALUES ('a', (1)", "INSERT INTO T VALUES ('a', (1) | | 2"},
        // only VALUES: a select feeding an insert keeps its literals
        Caso{"INSERT INTO T SELECT * FROM U WHERE A = 1", "INSERT INTO T SELECT * FROM U WHERE A = 1 | | 1"}));

INSTANTIATE_TEST_SUITE_P(
    Alteracoes, Levantamento,
    ::testing::Values(
        Caso{"UPDATE T SET A = 'x', B = B + 1, C = NULL, t.D = -3 WHERE K = '001' AND J = 5",
             "UPDATE T SET A = ?, B = B + 1, C = ?, t.D = ? WHERE K = ? AND J = ? | T'x' NULL N-3e0 =T'001' =N5e0 | 1"},
        Caso{"Update Cliente set cliente.Nome = 'ANA', cliente.ativo = \"S\" where cliente.codcliente = '000012'",
             "Update Cliente set cliente.Nome = ?, cliente.ativo = ? where cliente.codcliente = ? | T'ANA' T'S' "
             "=T'000012' | 0"},
        // a subselect's WHERE is compared too; the SET item around it is an expression
        Caso{"UPDATE T SET A = (SELECT X FROM Y WHERE Z = 'q'), B = 'r' WHERE K = 1",
             "UPDATE T SET A = (SELECT X FROM Y WHERE Z = ?), B = ? WHERE K = ? | =T'q' T'r' =N1e0 | 0"},
        Caso{"DELETE FROM T WHERE (A = -5) OR NOT B = 'x'",
             "DELETE FROM T WHERE (A = ?) OR NOT B = ? | =N-5e0 =T'x' | 0"},
        // NULL is never compared through a parameter
        Caso{"DELETE FROM T WHERE A = NULL", "DELETE FROM T WHERE A = NULL | | 0"}));

INSTANTIATE_TEST_SUITE_P(
    Consultas, Levantamento,
    ::testing::Values(
        // literals of the select list stay; the WHERE's simple comparisons go
        Caso{"SELECT 'x', 1 AS N FROM T WHERE A = 'y' ORDER BY 1",
             "SELECT 'x', 1 AS N FROM T WHERE A = ? ORDER BY 1 | =T'y' | 3"},
        Caso{"SELECT CODCIDADE FROM CIDADES WHERE CIDADE = 'SAO PAULO' AND ESTADO = 'SP'",
             "SELECT CODCIDADE FROM CIDADES WHERE CIDADE = ? AND ESTADO = ? | =T'SAO PAULO' =T'SP' | 0"},
        // anything but "name = literal" between AND/OR/parentheses keeps its literal
        Caso{"SELECT * FROM T WHERE A = 'y' || 'z' AND UPPER(B) = 'Y' AND C LIKE 'x%' AND D IN ('a', 'b') "
             "AND E = 'x' COLLATE PT_BR AND F <= 3 AND 4 = G AND H = I",
             "SELECT * FROM T WHERE A = 'y' || 'z' AND UPPER(B) = 'Y' AND C LIKE 'x%' AND D IN ('a', 'b') "
             "AND E = 'x' COLLATE PT_BR AND F <= 3 AND 4 = G AND H = I | | 9"},
        Caso{"SELECT * FROM T WHERE A = 1 GROUP BY A HAVING COUNT(*) = 2",
             "SELECT * FROM T WHERE A = ? GROUP BY A HAVING COUNT(*) = 2 | =N1e0 | 1"},
        // before the WHERE (a join's ON) nothing is compared through a parameter
        Caso{"SELECT * FROM T JOIN U ON U.A = 1 WHERE T.B = 2",
             "SELECT * FROM T JOIN U ON U.A = 1 WHERE T.B = ? | =N2e0 | 1"}));

INSTANTIATE_TEST_SUITE_P(
    Recusas, Levantamento,
    ::testing::Values(
        // other statements: transaction texts, DDL, blocks, upserts
        Caso{"COMMIT", "-"}, Caso{"Commit;", "-"}, Caso{"CREATE TABLE X (A CHAR(1) DEFAULT 'x')", "-"},
        Caso{"ALTER TRIGGER PRODUTO_BI0 INACTIVE", "-"},
        Caso{"EXECUTE BLOCK AS BEGIN INSERT INTO T VALUES (1); END", "-"},
        Caso{"UPDATE OR INSERT INTO T (A) VALUES (1) MATCHING (A)", "-"},
        // parameters already there, an unterminated literal, a Q-string with its own quoting
        Caso{"INSERT INTO T VALUES (?, 'a')", "-"}, Caso{"INSERT INTO T VALUES (:A, 'a')", "-"},
        Caso{"INSERT INTO T VALUES ('a", "-"}, Caso{"INSERT INTO T VALUES (q'{x', 'y', 'z'}')", "-"},
        // a colon inside a literal is no parameter
        Caso{"INSERT INTO T VALUES ('12:30', 'a?b')", "INSERT INTO T VALUES (?, ?) | T'12:30' T'a?b' | 0"}));

// A writer's inserts repeat their table and columns; the analysis of one must not leak into the
// next: each second text reads as it does after an unrelated insert.
TEST(Levantamento, AnInsertRepeatingThePreviousColumnsReadsAsOnItsOwn) {
    const std::pair<const char*, const char*> pares[] = {
        {"INSERT INTO T (A, B) VALUES ('x', 1)", "INSERT INTO T (A, B) VALUES ('y''z', -2.50)"},
        {"INSERT INTO T (A, B) VALUES ('x', 1)", "INSERT INTO T (A, B) values (NULL, 3)"},
        {"INSERT INTO T (A, B) VALUES ('x', 1)", "INSERT INTO T (A, B) VALUES (?, 3)"},
        {"INSERT INTO T (A, B) VALUES ('x', 1)", "INSERT INTO T (A, B) VALUES ('a"},
        {"INSERT INTO T (A, B) VALUES ('x', 1)", "INSERT INTO T (A, B) VALUESX ('a', 1)"},
        {"INSERT INTO T (A, B) VALUES ('x', 1)", "INSERT INTO T (A, B) VALUES"},
        {"INSERT INTO T (A, B) VALUES ('x', 1)", "INSERT INTO T (A, B) VALUES ('a', 1) -- ?"},
        {"INSERT INTO T (A, B) VALUES ('x', 1)", "INSERT INTO T (A, B, C) VALUES ('a', 1, 2)"},
        {"INSERT INTO T (A, B)VALUES ('x', 1)", "INSERT INTO T (A, B)VALUES(1.5E3, 'b')"},
    };
    for (const auto& [primeiro, segundo] : pares) {
        Descreve(QByteArray("INSERT INTO OUTRA (Z) VALUES (0)"));
        const std::string sozinho = Descreve(QByteArray(segundo));
        Descreve(QByteArray(primeiro));
        EXPECT_EQ(Descreve(QByteArray(segundo)), sozinho) << primeiro << " / " << segundo;
    }
}

} // namespace
