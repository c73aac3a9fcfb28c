#include "Renderizacao.h"

#include "FormatoNumero.h"

QString LiteralTexto(const QString& texto) {
    const qsizetype aspas = texto.count(QLatin1Char('\''));
    QString r(texto.size() + aspas + 2, Qt::Uninitialized);
    QChar* p = r.data();
    *p++ = QLatin1Char('\'');
    for (const QChar c : texto) {
        *p++ = c;
        if (c == QLatin1Char('\'')) {
            *p++ = c;
        }
    }
    *p = QLatin1Char('\'');
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
