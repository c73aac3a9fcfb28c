#include "ContextoRegistro.h"

#include "Cp1252.h"
#include "RegistroAlteracoes.h"

void TContextoRegistro::Registra(TipoAlteracao oQue, QLatin1StringView coluna, const QString& detalhe,
                                 const QString& gravado) const {
    if (alteracoes == nullptr) {
        return;
    }
    TAlteracao a;
    a.tipo = tipo;
    a.tabelaOrigem = tabelaOrigem;
    a.registro = registro;
    a.codigoOrigem = codigoOrigem;
    a.campoOrigem = campo;
    a.colunaDestino = coluna;
    a.oQue = oQue;
    a.detalhe = detalhe;
    a.valorOriginal = valorCampo;
    a.valorGravado = ComoGravado(gravado);
    alteracoes->Registra(a);
}

void TContextoRegistro::RegistraRegistro(TipoAlteracao oQue, const QString& detalhe) const {
    if (alteracoes == nullptr) {
        return;
    }
    TAlteracao a;
    a.tipo = tipo;
    a.tabelaOrigem = tabelaOrigem;
    a.registro = registro;
    a.codigoOrigem = codigoOrigem;
    a.oQue = oQue;
    a.detalhe = detalhe;
    alteracoes->Registra(a);
}

namespace {

// The letters and digits of a text as the ordinary cleaning leaves them alone: without accents, in
// upper case, without the zeros a code is padded with. What masks and punctuation add or drop is left out.
QString Essencia(QStringView texto) {
    QString essencia;
    essencia.reserve(texto.size());
    for (QChar c : texto) {
        if (!c.isLetterOrNumber() || (essencia.isEmpty() && c == u'0')) {
            continue;
        }
        if (c.decompositionTag() == QChar::Canonical) {
            c = c.decomposition().at(0);
        }
        essencia += c.toUpper();
    }
    return essencia;
}

} // namespace

void TContextoRegistro::ContaLimpeza(QLatin1StringView coluna, const QString& gravado) const {
    // Blanks around the text are the DBF's padding (left of numbers, right of texts), not a change.
    // A value whose letters and digits differ is not this field's value cleaned (a setter fed from
    // elsewhere while this field was current): it is not counted against it.
    const QStringView lido = QStringView(valorCampo).trimmed();
    const QStringView escrito = QStringView(gravado).trimmed();
    if (campo.isEmpty() || lido == escrito) {
        return;
    }
    // Nothing left to compare (a writer emptied for the next record) tells nothing either.
    const QString essencia = Essencia(lido);
    if (essencia.isEmpty() || essencia != Essencia(escrito)) {
        return;
    }
    ++limpezas[{campo, coluna}];
}

void TContextoRegistro::DescarregaLimpezas() {
    if (alteracoes != nullptr) {
        for (const auto& [chave, quantidade] : limpezas) {
            TLimpezaComum limpeza;
            limpeza.tipo = tipo;
            limpeza.tabelaOrigem = tabelaOrigem;
            limpeza.campoOrigem = chave.first;
            limpeza.colunaDestino = chave.second;
            limpeza.quantidade = quantidade;
            alteracoes->ContaLimpeza(limpeza);
        }
    }
    limpezas.clear();
}

bool ConfereWin1252(const TContextoRegistro* contexto, QLatin1StringView coluna, const QString& gravado) {
    if (contexto == nullptr || contexto->alteracoes == nullptr || CabeEmCp1252(gravado)) {
        return false;
    }
    contexto->Registra(TipoAlteracao::ForaWin1252, coluna, QString(), gravado);
    return true;
}

QString ComoGravado(const QString& texto) {
    return CabeEmCp1252(texto) ? texto : DeCp1252(ParaCp1252(texto));
}
