#include "Alteracao.h"

#include <QLatin1StringView>

QString RotuloAlteracao(TipoAlteracao tipo) {
    switch (tipo) {
    case TipoAlteracao::Cortado:
        return QStringLiteral("cortado na largura");
    case TipoAlteracao::ForaWin1252:
        return QStringLiteral("caractere fora do WIN1252");
    case TipoAlteracao::DataIlegivel:
        return QStringLiteral("data ilegível");
    case TipoAlteracao::NumeroIlegivel:
        return QStringLiteral("número ilegível");
    case TipoAlteracao::RegistroIgnorado:
        return QStringLiteral("registro ignorado");
    case TipoAlteracao::RegistroRecusado:
        return QStringLiteral("registro recusado pelo banco");
    }
    return QString();
}

QString TextoAlteracao(TipoAlteracao tipo, const QString& detalhe) {
    const QString rotulo = RotuloAlteracao(tipo);
    if (detalhe.isEmpty()) {
        return rotulo;
    }
    // A width reads as part of the phrase; a reason or a message follows a colon.
    return rotulo + (tipo == TipoAlteracao::Cortado ? QStringLiteral(" ") : QStringLiteral(": ")) + detalhe;
}

QString CategoriaAlteracao(const QString& oQue) {
    QString categoria = oQue.left(oQue.indexOf(QLatin1StringView(": ")));
    qsizetype fim = categoria.size();
    while (fim > 0 && categoria[fim - 1].isDigit()) {
        --fim;
    }
    if (fim < categoria.size() && fim > 0 && categoria[fim - 1] == QLatin1Char(' ')) {
        categoria.truncate(fim - 1);
    }
    return categoria;
}

QString NomeClasse(ClasseProblema classe) {
    switch (classe) {
    case ClasseProblema::Fatal:
        return QStringLiteral("fatal");
    case ClasseProblema::Perda:
        return QStringLiteral("perda");
    case ClasseProblema::Qualidade:
        return QStringLiteral("qualidade");
    }
    return QString();
}

QString ChaveAlteracao(TipoAlteracao tipo) {
    switch (tipo) {
    case TipoAlteracao::Cortado:
        return QStringLiteral("cortado");
    case TipoAlteracao::ForaWin1252:
        return QStringLiteral("caractereForaWin1252");
    case TipoAlteracao::DataIlegivel:
        return QStringLiteral("dataIlegivel");
    case TipoAlteracao::NumeroIlegivel:
        return QStringLiteral("numeroIlegivel");
    case TipoAlteracao::RegistroIgnorado:
        return QStringLiteral("registroIgnorado");
    case TipoAlteracao::RegistroRecusado:
        return QStringLiteral("registroRecusado");
    }
    return QString();
}
