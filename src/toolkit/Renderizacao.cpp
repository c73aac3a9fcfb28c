#include "Renderizacao.h"

#include "FormatoNumero.h"

QString LiteralTexto(const QString& texto) {
    QString r;
    r.reserve(texto.size() + 2);
    r += QLatin1Char('\'');
    for (const QChar c : texto) {
        r += c;
        if (c == QLatin1Char('\'')) {
            r += c;
        }
    }
    r += QLatin1Char('\'');
    return r;
}

QString LiteralReal(double valor) {
    QString r = FloatParaTexto(valor);
    r.replace(QLatin1Char(','), QLatin1Char('.'));
    return r;
}

QString LiteralData(TDateTime valor) {
    return QLatin1Char('\'') + FormataDataHora(QStringLiteral("dd.mm.yyyy"), valor) + QLatin1Char('\'');
}
