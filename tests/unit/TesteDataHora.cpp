// Day counts, the date patterns and the reading of short dates.
#include "ConfiguracaoRegional.h"
#include "DataHora.h"
#include "ImprimeQString.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

void FixaHoje(QDate hoje) {
    DefineRelogio([hoje] { return QDateTime(hoje, QTime(10, 30)); });
}

TEST(DataHora, ContagemDeDias) {
    const struct {
        QDate data;
        double dias;
    } casos[] = {
        {QDate(1899, 12, 30), 0},  {QDate(1899, 12, 31), 1},        {QDate(1900, 1, 1), 2},
        {QDate(1899, 12, 29), -1}, {QDate(2015, 3, 15), 42078},     {QDate(2000, 2, 29), 36585},
        {QDate(1, 1, 1), -693593}, {QDate(9999, 12, 31), 2958465},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.data.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(DataParaTDateTime(caso.data), caso.dias);
        EXPECT_EQ(TDateTimeParaData(caso.dias), caso.data);
        // the time of day never moves the date (it is subtracted before day 0)
        EXPECT_EQ(TDateTimeParaData(caso.dias < 0 ? caso.dias - 0.99 : caso.dias + 0.99), caso.data);
    }
}

TEST(DataHora, HoraComoFracao) {
    EXPECT_DOUBLE_EQ(DataHoraParaTDateTime(QDateTime(QDate(2015, 3, 15), QTime(18, 0))), 42078.75);
    EXPECT_EQ(TDateTimeParaDataHora(42078.75), QDateTime(QDate(2015, 3, 15), QTime(18, 0)));
    EXPECT_EQ(TDateTimeParaDataHora(42078.5 + 1.0 / 86400), QDateTime(QDate(2015, 3, 15), QTime(12, 0, 1)));
    // before day 0 the time is still a positive fraction beside the negative day
    EXPECT_DOUBLE_EQ(DataHoraParaTDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    EXPECT_EQ(TDateTimeParaDataHora(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    // a time that rounds up to midnight belongs to the next day
    EXPECT_EQ(TDateTimeParaDataHora(42078.9999999999), QDateTime(QDate(2015, 3, 16), QTime(0, 0)));
}

TEST(DataHora, ForaDoIntervaloNaoEData) {
    for (const double dias : {2958466.0, -693594.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(dias);
        EXPECT_FALSE(TDateTimeParaData(dias).isValid());
        EXPECT_FALSE(TDateTimeParaDataHora(dias).isValid());
    }
    EXPECT_FALSE(TDateTimeParaData(2958465.9999999999).isValid());
    EXPECT_EQ(FormataDataHora(QStringLiteral("dd/mm/yyyy"), 3e6), QStringLiteral("00/00/0000"));
    EXPECT_EQ(DataParaTDateTime(QDate()), 0.0);
}

TEST(DataHora, FormataDataHora) {
    const double instante = DataHoraParaTDateTime(QDateTime(QDate(2015, 3, 5), QTime(18, 7, 9)));
    const struct {
        const char* formato;
        const char* esperado;
    } casos[] = {
        {"dd/mm/yyyy", "05/03/2015"},
        {"DD/MM/YYYY", "05/03/2015"},
        {"dd.mm.yyyy", "05.03.2015"},
        {"d/m/yy", "5/3/15"},
        {"yyyymmdd", "20150305"},
        {"yyy", "2015"},
        {"hh:nn:ss", "18:07:09"},
        {"h:n:s", "18:7:9"},
        {"hh:mm", "18:07"}, // "m" after an hour is minutes
        {"mm hh", "03 18"},
        {"yyyy-mm-dd hh:nn", "2015-03-05 18:07"},
        {"'dia' d", "dia 5"},
        {"\"d/m\" d", "d/m 5"},
        {"x", "x"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.formato);
        EXPECT_EQ(FormataDataHora(QString::fromLatin1(caso.formato), instante), QString::fromLatin1(caso.esperado));
    }
}

TEST(DataHora, BarraEOSeparadorRegional) {
    const double dia = DataParaTDateTime(QDate(2015, 3, 15));
    EXPECT_EQ(DataParaTextoCurto(dia), QStringLiteral("15/03/2015"));
    Regional().separadorData = QLatin1Char('-');
    EXPECT_EQ(FormataDataHora(QStringLiteral("DD/MM/YYYY"), dia), QStringLiteral("15-03-2015"));
    EXPECT_EQ(DataParaTextoCurto(dia), QStringLiteral("15-03-2015"));
    Regional().formatoDataCurta = QStringLiteral("yyyy/mm/dd");
    EXPECT_EQ(DataParaTextoCurto(dia), QStringLiteral("2015-03-15"));
}

struct CasoLeituraData {
    const char* texto;
    QDate esperado; // invalid: not a date
};

TEST(DataHora, TextoCurtoParaData) {
    FixaHoje(QDate(2025, 6, 15)); // two-digit years fall between 1975 and 2074
    const CasoLeituraData casos[] = {
        {"15/03/2015", QDate(2015, 3, 15)},
        {" 15 / 3 / 2015 ", QDate(2015, 3, 15)},
        {"1/1/1900", QDate(1900, 1, 1)},
        {"29/02/2016", QDate(2016, 2, 29)},
        {"31/12/9999", QDate(9999, 12, 31)},
        {"15/03/15", QDate(2015, 3, 15)},
        {"15/03/74", QDate(2074, 3, 15)},
        {"15/03/75", QDate(1975, 3, 15)},
        {"15/03/5", QDate(2005, 3, 15)},
        {"15/03", QDate(2025, 3, 15)},
        {"29/02/2015", QDate()},
        {"31/04/2015", QDate()},
        {"00/03/2015", QDate()},
        {"15/00/2015", QDate()},
        {"15/13/2015", QDate()},
        {"15/03/0000", QDate()},
        {"15/03/20150", QDate()},
        {"15.03.2015", QDate()},
        {"15/03/2015 10:00", QDate()},
        {"15//2015", QDate()},
        {"/03/2015", QDate()},
        {"15/03/", QDate()},
        {"-1/03/2015", QDate()},
        {"", QDate()},
        {"   ", QDate()},
        {"01/01/1900x", QDate()},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.texto);
        const auto lido = TextoCurtoParaData(QString::fromLatin1(caso.texto));
        ASSERT_EQ(lido.has_value(), caso.esperado.isValid());
        if (lido) {
            EXPECT_EQ(TDateTimeParaData(*lido), caso.esperado);
        }
    }
}

TEST(DataHora, TextoCurtoSegueOFormatoRegional) {
    FixaHoje(QDate(2025, 6, 15));
    Regional().formatoDataCurta = QStringLiteral("mm/dd/yyyy");
    EXPECT_EQ(TextoCurtoParaData(QStringLiteral("03/15/2015")), DataParaTDateTime(QDate(2015, 3, 15)));
    EXPECT_FALSE(TextoCurtoParaData(QStringLiteral("15/03/2015")).has_value());

    Regional().formatoDataCurta = QStringLiteral("yyyy/mm/dd");
    Regional().separadorData = QLatin1Char('-');
    EXPECT_EQ(TextoCurtoParaData(QStringLiteral("2015-03-15")), DataParaTDateTime(QDate(2015, 3, 15)));
    EXPECT_EQ(TextoCurtoParaData(QStringLiteral("80-03-15")), DataParaTDateTime(QDate(1980, 3, 15)));
    EXPECT_FALSE(TextoCurtoParaData(QStringLiteral("2015/03/15")).has_value());
}

} // namespace
