#include "Renderizacao.h"

#include "FormatoNumero.h"
#include "SqlMontada.h"

QString LiteralTexto(const QString& texto) {
    return AspasSql(texto);
}

QString LiteralReal(double valor) {
    QString r = FloatParaTexto(valor);
    r.replace(QLatin1Char(','), QLatin1Char('.'));
    return r;
}

QString TextoData(TDateTime valor) {
    return FormataDataHora(QStringLiteral("dd.mm.yyyy"), valor);
}
