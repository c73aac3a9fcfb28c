// Values bound in each column's own type land exactly where the engine lands the literal the
// value stands for, or are refused with the engine's own message: every case is run both ways on
// a table of this test's own, holding the exact numeric, CHAR and blob columns the real target's
// schema may have where ours has doubles and VARCHARs.
#include "BancoTemporario.h"
#include "EBancoDestino.h"
#include "FormatoDestino.h"
#include "FormatoNumero.h"
#include "ImprimeQString.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"

#include <QDate>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// Dialect 1: NUMERIC(15,2) is a double with a scale, NUMERIC(9,2) and (4,1) scaled integers,
// DATE a timestamp.
constexpr const char* kTabela =
    "CREATE TABLE LITERAIS (ID INTEGER NOT NULL PRIMARY KEY, N2 NUMERIC(9,2), N1 NUMERIC(4,1), N15 NUMERIC(15,2), "
    "D DOUBLE PRECISION, F FLOAT, I INTEGER, S SMALLINT, C CHAR(5), V VARCHAR(5), DT DATE, B BLOB SUB_TYPE TEXT)";

struct Caso {
    QString coluna;
    TValorParametro valor;
    /// What the literal side writes in the VALUES list: a literal, or an expression of :V bound
    /// with the same value in its own type (for values no literal writes, such as a double).
    QString referencia;
};

QString Aspas(const QString& texto) {
    return u'\'' + QString(texto).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString LiteralReal(double valor) {
    return FloatParaTexto(valor).replace(u',', u'.');
}

/// The outcome of one insert: the value read back (as text, and as a double for a number), or
/// the error's message.
struct Resultado {
    std::optional<QString> texto;
    std::optional<double> real;
    QString erro;
};

class Parametros : public ::testing::Test {
protected:
    TBancoTemporario banco;
    std::unique_ptr<TConexaoDestino> conexao = banco.Conecta();
    int proximoId = 0;

    void SetUp() override {
        TQueryDestino q(*conexao);
        q.SetSQL(QString::fromLatin1(kTabela));
        q.Executa();
        conexao->Transacao().Confirma();
    }

    // Inserts the value through `valores` (with :V bound to `valor` when it names it) and reads
    // the column back.
    Resultado Insere(const QString& coluna, const QString& valores, const TValorParametro& valor) {
        const int id = ++proximoId;
        TQueryDestino q(*conexao);
        q.SetSQL(QStringLiteral("INSERT INTO LITERAIS (ID, %1) VALUES (%2, %3)").arg(coluna).arg(id).arg(valores));
        if (q.NumeroParametros() > 0) {
            q.SetParametro(0, valor);
        }
        Resultado r;
        try {
            q.Executa();
        } catch (const EConversao& e) {
            r.erro = e.Mensagem();
            return r;
        }
        q.SetSQL(QStringLiteral("SELECT %1 AS X FROM LITERAIS WHERE ID = %2").arg(coluna).arg(id));
        q.Abre();
        r.texto = q.CampoNulo(QStringLiteral("X")) ? QStringLiteral("<NULL>") : q.CampoTexto(QStringLiteral("X"));
        if (coluna != QLatin1String("C") && coluna != QLatin1String("V") && coluna != QLatin1String("B") &&
            !q.CampoNulo(QStringLiteral("X"))) {
            r.real = q.CampoDouble(QStringLiteral("X"));
        }
        return r;
    }
};

std::vector<Caso> Casos() {
    std::vector<Caso> casos;
    const QStringList numericas = {QStringLiteral("N2"), QStringLiteral("N1"), QStringLiteral("N15"),
                                   QStringLiteral("D"),  QStringLiteral("F"),  QStringLiteral("I"),
                                   QStringLiteral("S")};
    // Reals as the general float text writes them: exact literals of their own scale, or doubles
    // when written with an exponent; halves to round, values beyond a column's range.
    const double reais[] = {0.0,
                            2.675,
                            1.005,
                            -2.675,
                            0.125,
                            0.35,
                            0.1 + 0.2,
                            -0.0049999999999,
                            12.5,
                            1e-5,
                            1.5e-7,
                            123456.789,
                            21474836.475,
                            99999.95,
                            32767.5,
                            1e15,
                            1.23456789012345678e20,
                            3.14159265358979,
                            1e-300,
                            1.7976931348623157e308};
    for (const QString& coluna : numericas) {
        for (const double r : reais) {
            casos.push_back({coluna, TValorParametro::Real(r), LiteralReal(r)});
        }
        for (const qint64 n : {qint64{7}, qint64{-3}, qint64{40000}, qint64{2147483648}}) {
            casos.push_back({coluna, TValorParametro::Inteiro(n), QString::number(n)});
        }
        // A double as it is: the engine's own conversion of a double is the reference.
        for (const double d : {2.5, 2.4999999999999996, -2.5, 0.005, 2.675, 1e10, 0.49999999999999994}) {
            casos.push_back({coluna, TValorParametro::Double(d), QStringLiteral("CAST(:V AS DOUBLE PRECISION)")});
        }
        for (const char* texto : {"12.5", " 7 ", "-0.125", "1e3", "abc", "1,5", ""}) {
            casos.push_back(
                {coluna, TValorParametro::Texto(QString::fromLatin1(texto)), Aspas(QString::fromLatin1(texto))});
        }
    }
    // Texts into CHAR, VARCHAR and a text blob: padding, blanks beyond the width, too long, quotes,
    // characters outside CP1252; exact numbers written as text.
    for (const char* coluna : {"C", "V", "B"}) {
        for (const QString& texto :
             {QString(), QStringLiteral("ab"), QStringLiteral("abc   "), QStringLiteral("abcdef"),
              QStringLiteral("a'b\"c"), QStringLiteral("ÁÉÍÓÚ"), QStringLiteral("ÁÉÍÓÚÇ"), QStringLiteral("€😀")}) {
            casos.push_back({QLatin1String(coluna), TValorParametro::Texto(texto), Aspas(texto)});
        }
    }
    for (const char* coluna : {"C", "V"}) {
        for (const double r : {12.5, -0.05, 3.0, 123456.0}) {
            casos.push_back({QLatin1String(coluna), TValorParametro::Real(r), LiteralReal(r)});
        }
        casos.push_back({QLatin1String(coluna), TValorParametro::Inteiro(-42), QStringLiteral("-42")});
    }
    // Date texts as the engine reads them: day.month.year, month/day/year, year-month-day, month
    // names, two-digit years, times, words, and what it refuses.
    for (const char* texto : {"05.03.2014",
                              "5.3.14",
                              "5.3.80",
                              "2014-03-05",
                              "2014.03.05",
                              "03/05/2014",
                              "15/03/2015",
                              "31.02.2020",
                              "29.02.2000",
                              "29.02.1900",
                              "xx",
                              "",
                              "05.03.2014 13:45:07",
                              "05.03.2014 13:45:07.5",
                              "05.03.2014 13:45",
                              "05.03.2014 25:00",
                              "05.03.2014 13",
                              "05-MAR-2014",
                              "MARCH 5, 2014",
                              "5 mar 2014",
                              "05.03",
                              "01.01.0000",
                              "01.01.0001",
                              "31.12.9999",
                              "1.1.10000",
                              "  05.03.2014  ",
                              "05.03.2014x",
                              "0.0.0",
                              "05.03.2014.",
                              "05/03",
                              "10:11",
                              "TODAY",
                              "today1",
                              "TODAYX",
                              "05.03.2014\xe9"}) {
        casos.push_back({QStringLiteral("DT"), TValorParametro::Texto(QString::fromLatin1(texto)),
                         Aspas(QString::fromLatin1(texto))});
    }
    casos.push_back({QStringLiteral("DT"), TValorParametro::DataHora(formato::DiaMotor(QDate(2014, 3, 5)), 495000000),
                     QStringLiteral("'05.03.2014 13:45'")});
    casos.push_back({QStringLiteral("DT"), TValorParametro::Real(12.5), QStringLiteral("12.5")});
    for (const char* coluna : {"N2", "D", "V", "C", "DT", "B"}) {
        casos.push_back({QLatin1String(coluna), TValorParametro::Nulo(), QStringLiteral("NULL")});
    }
    return casos;
}

TEST_F(Parametros, EachValueLandsAsItsLiteralOrIsRefusedWithTheEnginesMessage) {
    for (const Caso& caso : Casos()) {
        const QString descricao = caso.coluna + QStringLiteral(" <- ") + caso.referencia +
                                  (caso.valor.tipo == TValorParametro::Tipo::Double
                                       ? QStringLiteral(" ") + QString::number(caso.valor.real, 'g', 17)
                                       : QString());
        SCOPED_TRACE(descricao.toStdString());
        const Resultado referencia = Insere(caso.coluna, caso.referencia, caso.valor);
        const Resultado vinculado = Insere(caso.coluna, QStringLiteral(":V"), caso.valor);
        if (referencia.texto) {
            ASSERT_TRUE(vinculado.texto.has_value()) << vinculado.erro.toStdString();
            EXPECT_EQ(vinculado.texto->toStdString(), referencia.texto->toStdString());
            ASSERT_EQ(vinculado.real.has_value(), referencia.real.has_value());
            if (referencia.real) {
                // Bit for bit: the same double, not merely the same text.
                EXPECT_EQ(std::memcmp(&*vinculado.real, &*referencia.real, sizeof(double)), 0)
                    << *vinculado.real << " / " << *referencia.real;
            }
        } else {
            // The engine's words, and the parameter named after them.
            EXPECT_EQ(vinculado.erro.toStdString(), (referencia.erro + QStringLiteral("\n-parâmetro V")).toStdString());
        }
    }
}

} // namespace
