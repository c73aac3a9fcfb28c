#pragma once

#include "PaginaCodigo.h"
#include "TextoPagina.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

/// A column to write: dBASE type letter, width and decimals; `flags` is Visual FoxPro's descriptor byte 18.
struct TDefinicaoCampo {
    QString nome;
    char tipo = 'C';
    int tamanho = 10;
    int decimais = 0;
    std::uint8_t flags = 0;
};

/// The memo layout written next to the table.
enum class FormatoMemoEscrita { DbtIII, DbtIV, Fpt };

/// Writes one dBASE table (and its memo file) record by record: the sample generator and the tests'
/// fixtures use it. Owns both open files until Fecha(); memory holds one record. Field names go into the
/// header as standard readers expect them: at most 10 characters (31 in dBASE 7) and NUL-terminated;
/// a field is still found by the longer name it was defined with.
class TEscritorDbf {
public:
    struct Opcoes {
        /// Version byte; 0 chooses 0x03, or with memo fields 0x83 (DBT III), 0x8B (DBT IV), 0xF5 (FPT).
        /// 0x30-0x32 write a Visual FoxPro header, a version whose low bits are 4 a dBASE 7 header.
        std::uint8_t versao = 0;
        std::uint8_t ldid = 0x25;
        PaginaCodigo pagina = PaginaCodigo::CP850;
        FormatoMemoEscrita memo = FormatoMemoEscrita::DbtIII;
        int tamanhoBlocoMemo = 512; ///< DBT IV and FPT; dBASE III blocks are always 512 bytes
        bool marcaFim = true;       ///< the 0x1A after the last record
        /// The record count written in the header; empty writes the true count.
        std::optional<std::uint32_t> quantRegistrosCabecalho;
        QDate dataAtualizacao = QDate(2024, 1, 2);
    };

    /// Creates (or replaces) `caminho` and, when a field is a memo, the .DBT/.FPT beside it. Raises
    /// EConversao when a file cannot be written or the fields make no table (two names equal once cut).
    TEscritorDbf(const QString& caminho, std::vector<TDefinicaoCampo> campos, Opcoes opcoes);
    TEscritorDbf(const QString& caminho, std::vector<TDefinicaoCampo> campos);
    /// Closes the files if Fecha() was not called; never throws.
    ~TEscritorDbf();
    TEscritorDbf(const TEscritorDbf&) = delete;
    TEscritorDbf& operator=(const TEscritorDbf&) = delete;

    /// Starts a record: character-like fields blank, binary fields zero.
    void NovoRegistro();
    /// C: encoded text, left-justified, cut to the width; M: the memo; N/F/D/L and others: the
    /// characters as given (numbers right-justified).
    void Texto(const QString& campo, const QString& valor);
    /// N/F with the declared decimals, right-justified; a value too wide becomes '*'s, as dBASE did.
    void Numero(const QString& campo, double valor);
    /// D as YYYYMMDD; an invalid date leaves the field blank.
    void Data(const QString& campo, const QDate& data);
    /// L as 'T' / 'F'; empty leaves it blank.
    void Logico(const QString& campo, std::optional<bool> valor);
    /// The memo text; an empty text leaves the pointer blank.
    void Memo(const QString& campo, const QString& texto);
    /// The field's exact bytes (cut or blank-padded to its width), for damaged or binary values.
    void Bruto(const QString& campo, const QByteArray& bytes);
    /// The same operations by the field's position, for writers of many records; IndiceCampo() finds it.
    void Texto(int campo, const QString& valor);
    void Numero(int campo, double valor);
    void Data(int campo, const QDate& data);
    void Logico(int campo, std::optional<bool> valor);
    void Memo(int campo, const QString& texto);
    void Bruto(int campo, const QByteArray& bytes);
    /// Position of a field (any case); raises EConversao when the table lacks it.
    int IndiceCampo(const QString& campo) const { return Indice(campo); }
    const TDefinicaoCampo& Campo(int campo) const { return m_campos.at(static_cast<std::size_t>(campo)); }
    int QuantCampos() const { return static_cast<int>(m_campos.size()); }

    /// Appends the record; `excluido` writes the '*' deletion flag.
    void GravaRegistro(bool excluido = false);

    /// Writes the final header and end mark and closes the files.
    void Fecha();


private:
    int Indice(const QString& campo) const;
    void Grava(QFile& arquivo, const QByteArray& bytes);
    QByteArray Cabecalho() const;
    QByteArray CabecalhoMemo() const;
    std::uint32_t GravaMemo(const QByteArray& bytes);

    QString m_caminho;
    QString m_caminhoMemo;
    std::vector<TDefinicaoCampo> m_campos;
    std::vector<int> m_deslocamentos;
    Opcoes m_opcoes;
    QFile m_arquivo;
    QFile m_memo;
    QByteArray m_registro;
    int m_tamanhoRegistro = 1;
    int m_tamanhoCabecalho = 0;
    std::uint32_t m_quantGravados = 0;
    std::uint32_t m_proximoBlocoMemo = 1;
    bool m_fechado = false;
};
