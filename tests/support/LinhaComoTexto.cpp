#include "LinhaComoTexto.h"

#include "FormatoNumero.h"
#include "LexicoSql.h"

namespace {

QString Literal(const TValorParametro& v) {
    switch (v.tipo) {
    case TValorParametro::Tipo::Nulo:
        return QStringLiteral("NULL");
    case TValorParametro::Tipo::Texto:
        return u'\'' + QString(v.texto).replace(u'\'', QStringLiteral("''")) + u'\'';
    case TValorParametro::Tipo::Inteiro:
        return QString::number(v.inteiro);
    case TValorParametro::Tipo::Real:
        return FloatParaTexto(v.real).replace(u',', u'.');
    case TValorParametro::Tipo::Double:
        return QString::number(v.real, 'g', 17);
    case TValorParametro::Tipo::DataHora:
        return QStringLiteral("<%1 %2>").arg(v.dia).arg(v.hora);
    }
    return {};
}

} // namespace

QString LinhaComoTexto(const TLinhaMontada& linha) {
    const SqlAnalisada analise = AnalisaSql(linha.sql);
    QStringList nomes;
    QString r;
    qsizetype k = 0;
    for (const QChar c : analise.texto) {
        if (c != u'?' || k >= analise.parametros.size()) {
            r += c;
            continue;
        }
        const QString& nome = analise.parametros[k++];
        qsizetype i = nomes.indexOf(nome);
        if (i < 0) {
            i = nomes.size();
            nomes << nome;
        }
        r += i < static_cast<qsizetype>(linha.valores.size()) ? Literal(linha.valores[static_cast<std::size_t>(i)])
                                                              : QStringLiteral("<sem valor>");
    }
    return r;
}
