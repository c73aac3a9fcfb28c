#pragma once

// Customer tests' shared pieces: a TABCLI writer and the CLIENTE / COMPCLIE rows to expect.
#include "ConsultasTeste.h"
#include "TEscritorDbf.h"

#include <QDate>
#include <QDir>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct TRegistroTabcli {
    QString codigo;
    QString nome;
    QString endereco;
    QString bairro;
    QString estado;
    QString cidade;
    QString cep;
    QString cgc;
    QString insc;
    QString obs; ///< memo
    QString contato;
    QString telefone;
    QString fax;
    std::optional<double> lkvendedor;
    QString atividade;
    QDate data;                    ///< invalid: blank
    QDate nascimento;              ///< invalid: blank
    QString tagTexto;              ///< TAGFISICA when the table holds it as text
    std::optional<bool> tagLogico; ///< TAGFISICA when the table holds it as a logical
    QMap<QString, QString> brutos; ///< characters written as given over the values above (damaged fields)
};

/// TAGFISICA is written as a character field (any text) or as a logical field (T/F/blank).
enum class TipoTagFisica { Texto, Logico };

inline void EscreveTabcli(const QString& pasta, const std::vector<TRegistroTabcli>& registros,
                          TipoTagFisica tipoTag = TipoTagFisica::Texto) {
    std::vector<TDefinicaoCampo> campos = {
        {QStringLiteral("CODIGO"), 'C', 8},     {QStringLiteral("NOME"), 'C', 45},
        {QStringLiteral("ENDERECO"), 'C', 50},  {QStringLiteral("BAIRRO"), 'C', 25},
        {QStringLiteral("ESTADO"), 'C', 2},     {QStringLiteral("CIDADE"), 'C', 25},
        {QStringLiteral("CEP"), 'C', 10},       {QStringLiteral("CGC"), 'C', 20},
        {QStringLiteral("INSC"), 'C', 18},      {QStringLiteral("OBS"), 'M', 10},
        {QStringLiteral("CONTATO"), 'C', 30},   {QStringLiteral("TELEFONE"), 'C', 25},
        {QStringLiteral("FAX"), 'C', 15},       {QStringLiteral("LKVENDEDOR"), 'N', 4},
        {QStringLiteral("ATIVIDADE"), 'C', 30}, {QStringLiteral("DATA"), 'D', 8},
        {QStringLiteral("NASCIMENTO"), 'D', 8},
    };
    campos.push_back(tipoTag == TipoTagFisica::Texto ? TDefinicaoCampo{QStringLiteral("TAGFISICA"), 'C', 12}
                                                     : TDefinicaoCampo{QStringLiteral("TAGFISICA"), 'L', 1});
    TEscritorDbf escritor(QDir(pasta).filePath(QStringLiteral("TABCLI.DBF")), campos);
    for (const TRegistroTabcli& r : registros) {
        escritor.NovoRegistro();
        escritor.Texto(QStringLiteral("CODIGO"), r.codigo);
        escritor.Texto(QStringLiteral("NOME"), r.nome);
        escritor.Texto(QStringLiteral("ENDERECO"), r.endereco);
        escritor.Texto(QStringLiteral("BAIRRO"), r.bairro);
        escritor.Texto(QStringLiteral("ESTADO"), r.estado);
        escritor.Texto(QStringLiteral("CIDADE"), r.cidade);
        escritor.Texto(QStringLiteral("CEP"), r.cep);
        escritor.Texto(QStringLiteral("CGC"), r.cgc);
        escritor.Texto(QStringLiteral("INSC"), r.insc);
        escritor.Memo(QStringLiteral("OBS"), r.obs);
        escritor.Texto(QStringLiteral("CONTATO"), r.contato);
        escritor.Texto(QStringLiteral("TELEFONE"), r.telefone);
        escritor.Texto(QStringLiteral("FAX"), r.fax);
        if (r.lkvendedor) {
            escritor.Numero(QStringLiteral("LKVENDEDOR"), *r.lkvendedor);
        }
        escritor.Texto(QStringLiteral("ATIVIDADE"), r.atividade);
        if (r.data.isValid()) {
            escritor.Data(QStringLiteral("DATA"), r.data);
        }
        if (r.nascimento.isValid()) {
            escritor.Data(QStringLiteral("NASCIMENTO"), r.nascimento);
        }
        if (tipoTag == TipoTagFisica::Texto) {
            escritor.Texto(QStringLiteral("TAGFISICA"), r.tagTexto);
        } else {
            escritor.Logico(QStringLiteral("TAGFISICA"), r.tagLogico);
        }
        for (auto it = r.brutos.begin(); it != r.brutos.end(); ++it) {
            escritor.Texto(it.key(), it.value());
        }
        escritor.GravaRegistro();
    }
    escritor.Fecha();
}

/// A CLIENTE row, as the test database reads it back, of a record holding only its reset values
/// ("<NULL>" for NULL, dates as dd.mm.yyyy).
inline QMap<QString, QString> ClienteReiniciado(const QString& codigo, const QString& hoje) {
    QMap<QString, QString> r;
    for (const char* coluna :
         {"CODFORNEC",   "NOME",         "CONTATO",       "NOMEFANTASIA", "ENDERECO",     "ENDERECOENT",  "ENDERECOCOB",
          "BAIRRO",      "BAIRROENT",    "BAIRROCOB",     "CODCIDADE",    "CODCIDADEENT", "CODCIDADECOB", "ESTADO",
          "ESTADOENT",   "ESTADOCOB",    "CEP",           "CEPENT",       "CEPCOB",       "CGCCPF",       "INSCEST",
          "FONE",        "FAX",          "PREFIXCELULAR", "CELULAR",      "EMAIL",        "HOMEPAGE",     "RETEMISS",
          "OBSERVACAO",  "CAMPOLIVRE1",  "CAMPOLIVRE2",   "CAMPOLIVRE3",  "CAMPOLIVRE4",  "CAMPOLIVRE5",  "CAMPOLIVRE6",
          "CAMPOLIVRE7", "CAMPOLIVRE8",  "CAMPOLIVRE9",   "CAMPOLIVRE10", "CODSEGMENTO",  "CODCLASCLI",   "CODVENDEND1",
          "CODPAIS",     "CODMUNICIPIO", "NOMESOCIO",     "CODPRAZO"}) {
        r.insert(QLatin1String(coluna), QString());
    }
    r.insert(QStringLiteral("CODCLIENTE"), codigo);
    r.insert(QStringLiteral("PESSOA_FJ"), QStringLiteral("F"));
    r.insert(QStringLiteral("ATIVO"), QStringLiteral("S"));
    r.insert(QStringLiteral("CLIBLOQUEADO"), QStringLiteral("N"));
    r.insert(QStringLiteral("MALADIRETAELETR"), QStringLiteral("N"));
    r.insert(QStringLiteral("PROTESTARCLIENTE"), QStringLiteral("N"));
    r.insert(QStringLiteral("DT_NASCIMENTO"), QStringLiteral("<NULL>"));
    r.insert(QStringLiteral("DT_CADASTRO"), hoje);
    r.insert(QStringLiteral("DT_ULTVENDA"), QStringLiteral("<NULL>"));
    r.insert(QStringLiteral("DATA_ULT_ALTERACAO"), hoje);
    r.insert(QStringLiteral("DT_VALCAD"), QStringLiteral("<NULL>"));
    r.insert(QStringLiteral("LIMITECREDITO"), QStringLiteral("0"));
    return r;
}

/// The differences between a table read back and the rows expected, keyed by CODCLIENTE: rows
/// missing, rows not expected and, per row, the columns that differ.
inline QStringList DiferencasTabela(const std::vector<QMap<QString, QString>>& lidas,
                                    const QMap<QString, QMap<QString, QString>>& esperadas) {
    QStringList r;
    QMap<QString, QMap<QString, QString>> porCodigo;
    for (const auto& linha : lidas) {
        const QString codigo = linha.value(QStringLiteral("CODCLIENTE"));
        if (porCodigo.contains(codigo)) {
            r << codigo + QStringLiteral(": repeated");
        }
        porCodigo.insert(codigo, linha);
    }
    for (auto it = esperadas.begin(); it != esperadas.end(); ++it) {
        if (!porCodigo.contains(it.key())) {
            r << it.key() + QStringLiteral(": row missing");
            continue;
        }
        for (const QString& diferenca : DiferencasLinha(porCodigo.value(it.key()), it.value())) {
            r << it.key() + QStringLiteral(" ") + diferenca;
        }
    }
    for (auto it = porCodigo.begin(); it != porCodigo.end(); ++it) {
        if (!esperadas.contains(it.key())) {
            r << it.key() + QStringLiteral(": row not expected");
        }
    }
    return r;
}
