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

void ConfereWin1252(const TContextoRegistro* contexto, QLatin1StringView coluna, const QString& gravado) {
    if (contexto == nullptr || contexto->alteracoes == nullptr || CabeEmCp1252(gravado)) {
        return;
    }
    contexto->Registra(TipoAlteracao::ForaWin1252, coluna, QString(), gravado);
}

QString ComoGravado(const QString& texto) {
    return CabeEmCp1252(texto) ? texto : DeCp1252(ParaCp1252(texto));
}
