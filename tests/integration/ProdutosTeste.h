#pragma once

// Product tests' shared pieces: a TABEST1 writer and the PRODUTO row to expect.
#include "BancoTemporario.h"
#include "TEscritorDbf.h"

#include <QDate>
#include <QDir>
#include <QMap>
#include <QString>

#include <optional>
#include <vector>

/// One TABEST1 record; an empty optional or an invalid date leaves the field blank.
struct TRegistroTabest1 {
    QString codigo;
    QString produto;
    QString lksetor;
    std::optional<double> lkfornec;
    QString unidade;
    std::optional<double> precovenda;
    std::optional<double> estminimo;
    std::optional<double> lucro;
    QDate ultreaj;
    std::optional<double> basecalculo;
    std::optional<double> precocusto;
    std::optional<double> customedio;
    std::optional<double> quantidade;
};

inline void EscreveTabest1(const QString& pasta, const std::vector<TRegistroTabest1>& registros) {
    const std::vector<TDefinicaoCampo> campos = {
        {QStringLiteral("CODIGO"), 'C', 8},         {QStringLiteral("PRODUTO"), 'C', 60},
        {QStringLiteral("LKSETOR"), 'C', 5},        {QStringLiteral("LKFORNEC"), 'N', 6},
        {QStringLiteral("UNIDADE"), 'C', 8},        {QStringLiteral("PRECOVENDA"), 'N', 14, 3},
        {QStringLiteral("ESTMINIMO"), 'N', 10, 3},  {QStringLiteral("LUCRO"), 'N', 8, 2},
        {QStringLiteral("ULTREAJ"), 'D', 8},        {QStringLiteral("BASECALCULO"), 'N', 10, 2},
        {QStringLiteral("PRECOCUSTO"), 'N', 12, 2}, {QStringLiteral("CUSTOMEDIO"), 'N', 12, 4},
        {QStringLiteral("QUANTIDADE"), 'N', 12, 3},
    };
    TEscritorDbf escritor(QDir(pasta).filePath(QStringLiteral("TABEST1.DBF")), campos);
    const auto numero = [&escritor](const char* campo, const std::optional<double>& valor) {
        if (valor) {
            escritor.Numero(QLatin1String(campo), *valor);
        }
    };
    for (const TRegistroTabest1& r : registros) {
        escritor.NovoRegistro();
        escritor.Texto(QStringLiteral("CODIGO"), r.codigo);
        escritor.Texto(QStringLiteral("PRODUTO"), r.produto);
        escritor.Texto(QStringLiteral("LKSETOR"), r.lksetor);
        numero("LKFORNEC", r.lkfornec);
        escritor.Texto(QStringLiteral("UNIDADE"), r.unidade);
        numero("PRECOVENDA", r.precovenda);
        numero("ESTMINIMO", r.estminimo);
        numero("LUCRO", r.lucro);
        if (r.ultreaj.isValid()) {
            escritor.Data(QStringLiteral("ULTREAJ"), r.ultreaj);
        }
        numero("BASECALCULO", r.basecalculo);
        numero("PRECOCUSTO", r.precocusto);
        numero("CUSTOMEDIO", r.customedio);
        numero("QUANTIDADE", r.quantidade);
        escritor.GravaRegistro();
    }
    escritor.Fecha();
}

/// A PRODUTO row, as the test database reads it back, of a product written from a freshly reset
/// writer: every text column '', every number 0, every date NULL (left out of the insert), except
/// the writer's own defaults. Column types come from the database, so no column is forgotten.
inline QMap<QString, QString> ProdutoReiniciado(const TBancoTemporario& banco, const QString& codigo) {
    QMap<QString, QString> r;
    for (const auto& coluna : banco.Linhas(QStringLiteral(
             "SELECT TRIM(RF.RDB$FIELD_NAME) AS NOME, F.RDB$FIELD_TYPE AS TIPO FROM RDB$RELATION_FIELDS RF "
             "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE WHERE RF.RDB$RELATION_NAME = 'PRODUTO'"))) {
        const int tipo = coluna.value(QStringLiteral("TIPO")).toInt();
        // 37 VARCHAR, 35 TIMESTAMP (a dialect-1 DATE), the rest numbers.
        r.insert(coluna.value(QStringLiteral("NOME")),
                 tipo == 37 ? QString() : (tipo == 35 ? QStringLiteral("<NULL>") : QStringLiteral("0")));
    }
    r[QStringLiteral("CODPROD")] = codigo;
    r[QStringLiteral("TIPOPROD")] = QStringLiteral("R");
    r[QStringLiteral("ATIVO")] = QStringLiteral("S");
    r[QStringLiteral("PRODBLOQUEADO")] = QStringLiteral("N");
    r[QStringLiteral("UNIDADEENT")] = QStringLiteral("UN");
    r[QStringLiteral("UNIDADESAIDA")] = QStringLiteral("UN");
    return r;
}
