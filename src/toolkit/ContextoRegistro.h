#pragma once

#include "Alteracao.h"

#include <QLatin1StringView>
#include <QString>

#include <map>
#include <string_view>
#include <utility>

class IRegistroAlteracoes;

/// The source record a conversion is on, as the writers read it to say where a change came from.
/// The loop over a table fills it before each record's values are mapped; the mapping names the
/// field whose value the next setters take.
struct TContextoRegistro {
    QString tipo;         ///< the kind's key, e.g. "CLIENTES"
    QString tabelaOrigem; ///< e.g. "TABCLI"
    qint64 registro = 0;  ///< the record's number in the source table, from 1
    QString codigoOrigem; ///< the record's code, as read
    /// Where the writers record what they change; not owned, may be none (nothing is recorded).
    IRegistroAlteracoes* alteracoes = nullptr;
    QLatin1StringView campo; ///< the source field being mapped
    QString valorCampo;      ///< its text as read
    /// Values the ordinary cleaning changed, by (source field, target column), since the last flush;
    /// counting is no change to the record the writers read, so they count through a const context.
    /// Keyed by the names' bytes: compared in place, as this is looked up for most values read.
    mutable std::map<std::pair<std::string_view, std::string_view>, qint64> limpezas;

    /// Names the field the next setters take their value from; returns its text.
    const QString& Campo(QLatin1StringView nome, const QString& valor) {
        campo = nome;
        valorCampo = valor;
        return valorCampo;
    }
    /// Records a change of the current field's value, stored in `coluna` ("CLIENTE.NOME") as `gravado`.
    void Registra(TipoAlteracao oQue, QLatin1StringView coluna, const QString& detalhe, const QString& gravado) const;
    /// Records a change of the whole record (ignored, refused).
    void RegistraRegistro(TipoAlteracao oQue, const QString& detalhe) const;
    /// Counts the current field against `coluna` when `gravado` differs from the text as read by
    /// more than the blanks the DBF pads a field with.
    void ContaLimpeza(QLatin1StringView coluna, const QString& gravado) const;
    /// Hands the counts to the log and starts them again.
    void DescarregaLimpezas();
};

/// Records a character WIN1252 cannot hold in `gravado`, against the current field; true when it did.
bool ConfereWin1252(const TContextoRegistro* contexto, QLatin1StringView coluna, const QString& gravado);

/// The text as the target stores it: each character WIN1252 cannot hold becomes '?'.
QString ComoGravado(const QString& texto);

/// What the writers check of every value they take from the source: records, against the current
/// field, a cut when the text the rules cut (`tamanho` characters before the cut) was longer than
/// `largura`, and a character WIN1252 cannot hold in `gravado`, the value the column receives.
/// A value changed by neither is counted when the ordinary cleaning changed it.
/// Records nothing without a context or without a log.
inline void ConfereValor(const TContextoRegistro* contexto, QLatin1StringView coluna, qsizetype tamanho,
                         qsizetype largura, const QString& gravado) {
    if (contexto == nullptr || contexto->alteracoes == nullptr) {
        return;
    }
    const bool cortado = tamanho > largura;
    if (cortado) {
        contexto->Registra(TipoAlteracao::Cortado, coluna, QString::number(largura), gravado);
    }
    if (!ConfereWin1252(contexto, coluna, gravado) && !cortado) {
        contexto->ContaLimpeza(coluna, gravado);
    }
}
