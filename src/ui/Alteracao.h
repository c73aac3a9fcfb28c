#pragma once

#include <QString>

#include <array>
#include <optional>

/// What the rules did to a value or a record on its way to the target.
enum class TipoAlteracao {
    Cortado,          ///< cut to the column's width; the detail is the width
    ForaWin1252,      ///< a character the target's WIN1252 cannot hold was replaced
    DataIlegivel,     ///< a date that could not be read was left empty
    NumeroIlegivel,   ///< a number that could not be read was left empty
    RegistroIgnorado, ///< the record wrote no row; the detail is the reason
    RegistroRecusado, ///< the database refused the record; the detail is its message
    // What only an analysis of the source finds; the change log of a run never holds these.
    TabelaIlegivel,    ///< the table cannot be opened; the detail is the reader's reason
    CampoAusente,      ///< the table lacks a field the kind reads
    MemoDanificado,    ///< a memo cannot be read; the detail is the reader's reason
    CampoRecusado,     ///< the kind refuses the field's value; the detail is why
    ChaveRepetida,     ///< another record gets the same target key; the detail names the key and the record
    DocumentoInvalido, ///< a CPF or CNPJ whose check digits or length are wrong
    CepInvalido,       ///< a CEP that is not 8 digits
    UfDesconhecida,    ///< a state that is not one of the 27 units (or EX)
    NomeVazio,         ///< a record without a name or description
    EmailSemArroba,    ///< an e-mail address without "@"
};

inline constexpr std::array<TipoAlteracao, 6> kTiposAlteracao = {
    TipoAlteracao::Cortado,        TipoAlteracao::ForaWin1252,      TipoAlteracao::DataIlegivel,
    TipoAlteracao::NumeroIlegivel, TipoAlteracao::RegistroIgnorado, TipoAlteracao::RegistroRecusado,
};

/// What an analysis of the source adds to the change log's kinds.
inline constexpr std::array<TipoAlteracao, 10> kTiposProblema = {
    TipoAlteracao::TabelaIlegivel, TipoAlteracao::CampoAusente,   TipoAlteracao::MemoDanificado,
    TipoAlteracao::CampoRecusado,  TipoAlteracao::ChaveRepetida,  TipoAlteracao::DocumentoInvalido,
    TipoAlteracao::CepInvalido,    TipoAlteracao::UfDesconhecida, TipoAlteracao::NomeVazio,
    TipoAlteracao::EmailSemArroba,
};

/// How serious a problem of a source is, for lists that sort problems rather than changes.
enum class ClasseProblema {
    Fatal,     ///< the run would stop or lose a record
    Perda,     ///< the run would change the value
    Qualidade, ///< the run keeps the value, but the retailer may want to fix it
};

/// What happened as a person reads it: "cortado na largura 40", "caractere fora do WIN1252",
/// "registro ignorado: sem descrição".
QString TextoAlteracao(TipoAlteracao tipo, const QString& detalhe);

/// One change to one value (or one whole record) of one source record.
struct TAlteracao {
    QString tipo;          ///< the kind's key, e.g. "CLIENTES"; the run fills it in when left empty
    QString tabelaOrigem;  ///< e.g. "TABCLI"
    qint64 registro = 0;   ///< the record's number in the source table, from 1
    QString codigoOrigem;  ///< the record's code in the source table, as read
    QString campoOrigem;   ///< the source field, e.g. "NOME"; empty for a whole record
    QString colunaDestino; ///< the target column, e.g. "CLIENTE.NOMECLI"; empty for a whole record
    TipoAlteracao oQue = TipoAlteracao::Cortado;
    QString detalhe; ///< the width, the reason or the database's message
    QString valorOriginal;
    QString valorGravado;
    std::optional<ClasseProblema> classe; ///< only in lists of problems

    /// What happened as a person reads it.
    QString OQue() const { return TextoAlteracao(oQue, detalhe); }
};

/// How many values of one source field reached one target column changed only by the ordinary
/// cleaning (accents removed, masks, upper case, zero padding): counted, never logged one by one.
struct TLimpezaComum {
    QString tipo;          ///< the kind's key; the run fills it in when left empty
    QString tabelaOrigem;  ///< e.g. "TABCLI"
    QString campoOrigem;   ///< e.g. "NOME"
    QString colunaDestino; ///< e.g. "CLIENTE.NOME"
    qint64 quantidade = 0;

    /// "TABCLI.NOME -> CLIENTE.NOME"
    QString Rotulo() const {
        return tabelaOrigem + QLatin1Char('.') + campoOrigem + QStringLiteral(" -> ") + colunaDestino;
    }
};

/// What happened without its detail: "cortado na largura", "registro recusado pelo banco".
QString RotuloAlteracao(TipoAlteracao tipo);
/// The same for any text of what happened, also one this program does not know: the text before
/// its first ": ", without a trailing number. Filters group changes by it.
QString CategoriaAlteracao(const QString& oQue);
/// "fatal", "perda" or "qualidade".
QString NomeClasse(ClasseProblema classe);
/// A stable key for files read by scripts: "cortado", "caractereForaWin1252", ...
QString ChaveAlteracao(TipoAlteracao tipo);

inline constexpr int IndiceAlteracao(TipoAlteracao tipo) {
    return static_cast<int>(tipo);
}
