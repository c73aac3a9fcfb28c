#pragma once

#include "DataHora.h"
#include "IndiceNomesCurtos.h"
#include "PaginaCodigo.h"
#include "TArquivoMemo.h"
#include "TextoPagina.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

/// One column of a dBASE table as its header describes it.
struct TDescricaoCampo {
    QString nome;
    char tipo = 'C';
    int tamanho = 0;
    int decimais = 0;
    int deslocamento = 0; ///< offset inside the record; the deletion flag is byte 0
    int bitNulo = -1;     ///< Visual FoxPro: bit in _NullFlags that marks the value null, -1 when not nullable
    int bitTamanho = -1;  ///< Visual FoxPro V/Q: bit in _NullFlags set when the value's length is in its last byte
    bool oculto = false;  ///< Visual FoxPro system column (_NullFlags), not visible by name
};

/// How the code page of a table was chosen.
enum class EscolhaPagina {
    Forcada,   ///< the command's --pagina-codigo
    Declarada, ///< the table's language-driver byte
    Cpg,       ///< a .cpg file beside the table
    Detectada, ///< told from the text itself
};

/// "forçado", "declarado", ".cpg" or "detectado", as the summary names the choice.
QString NomeEscolhaPagina(EscolhaPagina escolha);

/// A dBASE table (.DBF, with its .DBT/.FPT memo file) opened read-only. Owns both file handles and a
/// fixed-size read buffer: records are read on demand, so memory does not grow with the table.
/// Deleted records are skipped; positions are physical record indexes (0-based) of live records.
/// The records read are the ones the header declares that the file holds whole; what the reader had to
/// work around (fewer records than declared, an early end mark, a code page it could not tell) is kept
/// as warnings for the caller to show.
class TTabelaDbf {
public:
    /// Finds `<tabela>.DBF` in `pasta` ignoring case and opens it. Raises EConversao naming the table
    /// and the folder for every problem the header, the file's size and type and the memo file's
    /// presence show: a missing folder or file, one that is not a regular file, a header we cannot
    /// read, a file without even its first declared record, records that point into a memo file that
    /// is missing or empty. A forced code page overrides the one the table declares (the command's
    /// --pagina-codigo).
    TTabelaDbf(const QString& pasta, const QString& tabela, std::optional<PaginaCodigo> paginaForcada = std::nullopt);
    ~TTabelaDbf();
    TTabelaDbf(const TTabelaDbf&) = delete;
    TTabelaDbf& operator=(const TTabelaDbf&) = delete;

    const QString& Nome() const { return m_nome; }
    const QString& Pasta() const { return m_pasta; }
    std::uint8_t Ldid() const { return m_ldid; }
    /// The code page text is decoded with: the override, else the language-driver byte, else the .cpg
    /// file beside the table, else told from the text (CP850 when the text does not tell).
    PaginaCodigo Pagina() const { return m_decodificador.Pagina(); }
    EscolhaPagina EscolhaDaPagina() const { return m_escolhaPagina; }
    /// What was worked around at open, one sentence each, naming the table and the folder.
    const QStringList& Avisos() const { return m_avisos; }

    int QuantCampos() const { return static_cast<int>(m_campos.size()); }
    const TDescricaoCampo& Campo(int indice) const { return m_campos[static_cast<std::size_t>(indice)]; }
    /// Index of the visible field with that name (any case), -1 when the table lacks it. A name longer
    /// than the 10 characters a header holds is also found under its first 10 (BASECALCULO: BASECALCUL).
    int IndiceCampo(const QString& nome) const;
    int IndiceCampo(QLatin1StringView nome) const;

    /// Number of live (not deleted) records.
    qint64 QuantRegistros() const { return m_quantVivos; }
    /// Number of records marked deleted (skipped by every read).
    qint64 QuantExcluidos() const { return m_quantFisicos - m_quantVivos; }

    void Primeiro();
    void Proximo();
    /// Positions on the first live record numbered `registro` or later (numbers as NumeroRegistro gives
    /// them); Eof when there is none. Cursors of their own on one table can so share its records out.
    void VaiPara(qint64 registro);
    /// Positions on the last live record and, as Delphi datasets do, sets Eof.
    void Ultimo();
    bool Eof() const { return m_eof; }
    /// Record number in the file (1-based, deleted records included, as dBASE's RECNO()); 0 when none.
    qint64 NumeroRegistro() const { return m_atual + 1; }

    /// The current record's values; with no current record every field is null.
    bool Nulo(int campo) const;
    QString Texto(int campo) const;
    /// Raise EConversao naming table, record and field when the value cannot be read as a number / a date.
    double Numero(int campo) const;
    TDateTime DataHora(int campo) const;

    /// Raises EConversao naming the table, the current record and the field, with the reason.
    [[noreturn]] void ErroCampo(int campo, const QString& motivo) const;

private:
    void LeCabecalho();
    void IndexaNomes();
    /// The page given by the override, the language-driver byte or a .cpg file; empty when it must be
    /// told from the text. `problemaCpg` says why a .cpg file beside the table could not be used.
    std::optional<PaginaCodigo> PaginaDeclarada(QString& problemaCpg);
    void VarreRegistros(bool detectar);
    /// The memo block the current record's field points at; 0 for none or a pointer that is no number.
    std::uint64_t BlocoMemo(int campo) const;
    void Avisa(const QString& texto);
    void LeBloco(qint64 registro) const;
    const char* Registro(qint64 registro) const;
    char Marca(qint64 registro) const;
    qint64 ProximoVivo(qint64 desde) const;
    QByteArray BytesCampo(int campo) const;
    /// The field's bytes in the read buffer, valid until the next record is read.
    QByteArrayView VistaCampo(int campo) const;
    /// The same without the length byte of a short Visual FoxPro V value.
    QByteArrayView VistaValor(int campo) const;
    QByteArray Memo(int campo) const;
    bool NuloVfp(int campo) const;
    [[noreturn]] void ErroTabela(const QString& motivo) const;

    QString m_pasta;
    QString m_nome;
    QString m_caminho;
    mutable QFile m_arquivo;
    mutable std::unique_ptr<TArquivoMemo> m_memo;
    QString m_caminhoMemo; ///< empty when the table has no memo file to look for
    TipoMemo m_tipoMemo = TipoMemo::DbtIII;
    std::vector<TDescricaoCampo> m_campos;
    QHash<QString, int> m_indicePorNome; ///< upper-cased name of each visible field
    /// The same names as bytes, for the controllers' literal names.
    TIndiceNomesCurtos m_indiceCurto;

    int m_campoNulos = -1; ///< index of _NullFlags, -1 when absent

    std::uint8_t m_versao = 0;
    std::uint8_t m_ldid = 0;
    TDecodificador m_decodificador;
    EscolhaPagina m_escolhaPagina = EscolhaPagina::Detectada;
    std::optional<PaginaCodigo> m_paginaForcada;
    QStringList m_avisos;
    qint64 m_tamanhoCabecalho = 0;
    qint64 m_tamanhoRegistro = 0;
    qint64 m_quantDeclarada = 0; ///< the header's record count
    qint64 m_quantFisicos = 0;   ///< the declared records the file holds whole
    qint64 m_quantVivos = 0;

    qint64 m_atual = -1;
    bool m_eof = true;

    mutable QByteArray m_bloco; ///< a run of whole records read at once
    mutable qint64 m_primeiroDoBloco = 0;
    mutable qint64 m_quantNoBloco = 0;
};
