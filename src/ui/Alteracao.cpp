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
    case TipoAlteracao::TabelaIlegivel:
        return QStringLiteral("tabela ilegível");
    case TipoAlteracao::CampoAusente:
        return QStringLiteral("campo ausente");
    case TipoAlteracao::MemoDanificado:
        return QStringLiteral("memo danificado");
    case TipoAlteracao::CampoRecusado:
        return QStringLiteral("valor recusado");
    case TipoAlteracao::ChaveRepetida:
        return QStringLiteral("chave repetida no destino");
    case TipoAlteracao::DocumentoInvalido:
        return QStringLiteral("CPF/CNPJ inválido");
    case TipoAlteracao::CepInvalido:
        return QStringLiteral("CEP sem 8 dígitos");
    case TipoAlteracao::UfDesconhecida:
        return QStringLiteral("UF desconhecida");
    case TipoAlteracao::NomeVazio:
        return QStringLiteral("nome vazio");
    case TipoAlteracao::EmailSemArroba:
        return QStringLiteral("e-mail sem @");
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
    case TipoAlteracao::TabelaIlegivel:
        return QStringLiteral("tabelaIlegivel");
    case TipoAlteracao::CampoAusente:
        return QStringLiteral("campoAusente");
    case TipoAlteracao::MemoDanificado:
        return QStringLiteral("memoDanificado");
    case TipoAlteracao::CampoRecusado:
        return QStringLiteral("valorRecusado");
    case TipoAlteracao::ChaveRepetida:
        return QStringLiteral("chaveRepetida");
    case TipoAlteracao::DocumentoInvalido:
        return QStringLiteral("documentoInvalido");
    case TipoAlteracao::CepInvalido:
        return QStringLiteral("cepInvalido");
    case TipoAlteracao::UfDesconhecida:
        return QStringLiteral("ufDesconhecida");
    case TipoAlteracao::NomeVazio:
        return QStringLiteral("nomeVazio");
    case TipoAlteracao::EmailSemArroba:
        return QStringLiteral("emailSemArroba");
    }
    return QString();
}
