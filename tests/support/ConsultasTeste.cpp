#include "ConsultasTeste.h"

#include "EConversao.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"

#include <QDate>

#include <vector>

QString Texto(const QStringList& linhas) {
    return linhas.join(QLatin1Char('\n'));
}

QString HojePontuado() {
    return QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
}

const QStringList& TriggersDaConversao() {
    static const QStringList triggers = {
        QStringLiteral("PRODUTO_BI0"), QStringLiteral("MVGERAL_AD0"),  QStringLiteral("MVGERAL_AI0"),
        QStringLiteral("MVGERAL_AU0"), QStringLiteral("MVGERAL_BD0"),  QStringLiteral("MVGERAL_BI0"),
        QStringLiteral("MVGERAL_BU0"), QStringLiteral("COMPCLIE_AI0"), QStringLiteral("COMPCLIE_AU0"),
    };
    return triggers;
}

QStringList EstadoTriggers(const TBancoTemporario& banco) {
    QStringList estados;
    for (const QString& t : TriggersDaConversao()) {
        estados << banco
                       .Valor(QStringLiteral("SELECT COALESCE(RDB$TRIGGER_INACTIVE, 0) AS I FROM RDB$TRIGGERS "
                                             "WHERE RDB$TRIGGER_NAME = '%1'")
                                  .arg(t))
                       .trimmed();
    }
    return estados;
}

int Contagem(const TBancoTemporario& banco, const char* tabela) {
    return banco.Valor(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(tabela))).toInt();
}

QString MensagemChaveRepetida(const QString& insercao) {
    TBancoTemporario rascunho;
    rascunho.Executa(insercao);
    try {
        rascunho.Executa(insercao);
    } catch (const EConversao& e) {
        return e.Mensagem();
    }
    return QString();
}

QStringList DiferencasLinha(const QMap<QString, QString>& lida, const QMap<QString, QString>& esperada) {
    QStringList r;
    for (auto it = esperada.begin(); it != esperada.end(); ++it) {
        if (!lida.contains(it.key())) {
            r << it.key() + QStringLiteral(": missing");
        } else if (lida.value(it.key()) != it.value()) {
            r << it.key() + QStringLiteral(": read «") + lida.value(it.key()) + QStringLiteral("», expected «") +
                     it.value() + QStringLiteral("»");
        }
    }
    for (auto it = lida.begin(); it != lida.end(); ++it) {
        if (!esperada.contains(it.key())) {
            r << it.key() + QStringLiteral(": not expected");
        }
    }
    return r;
}

std::map<QString, QStringList> ConteudoBanco(const QString& caminho) {
    TConexaoDestino conexao;
    conexao.SetNomeBanco(caminho);
    conexao.Abre();
    std::map<QString, QStringList> r;
    {
        TQueryDestino q(conexao);
        q.SetSQL(QStringLiteral("SELECT TRIM(R.RDB$RELATION_NAME) AS TABELA, TRIM(C.RDB$FIELD_NAME) AS COLUNA, "
                                "F.RDB$FIELD_TYPE AS TIPO FROM RDB$RELATIONS R "
                                "JOIN RDB$RELATION_FIELDS C ON C.RDB$RELATION_NAME = R.RDB$RELATION_NAME "
                                "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = C.RDB$FIELD_SOURCE "
                                "WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0 AND R.RDB$VIEW_BLR IS NULL "
                                "ORDER BY R.RDB$RELATION_NAME, C.RDB$FIELD_POSITION"));
        std::map<QString, std::vector<std::pair<QString, bool>>> colunas;
        for (q.Abre(); !q.Eof(); q.Proximo()) {
            const qint64 tipo = q.CampoInteiro(QStringLiteral("TIPO"));
            colunas[q.CampoTexto(QStringLiteral("TABELA"))].emplace_back(q.CampoTexto(QStringLiteral("COLUNA")),
                                                                         tipo == 27 || tipo == 10); // double, float
        }
        q.Fecha();
        for (const auto& [tabela, lista] : colunas) {
            QStringList& linhas = r[tabela];
            q.SetSQL(QStringLiteral("SELECT * FROM ") + tabela);
            for (q.Abre(); !q.Eof(); q.Proximo()) {
                QStringList campos;
                for (const auto& [coluna, real] : lista) {
                    if (q.CampoNulo(coluna)) {
                        campos << QStringLiteral("<NULL>");
                    } else if (real) {
                        campos << QString::number(q.CampoDouble(coluna), 'g', 17);
                    } else {
                        campos << q.CampoTexto(coluna);
                    }
                }
                linhas << campos.join(u'|');
            }
            q.Fecha();
            linhas.sort();
        }
        q.SetSQL(QStringLiteral("SELECT TRIM(RDB$GENERATOR_NAME) AS NOME FROM RDB$GENERATORS "
                                "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0"));
        QStringList geradores;
        for (q.Abre(); !q.Eof(); q.Proximo()) {
            geradores << q.CampoTexto(QStringLiteral("NOME"));
        }
        q.Fecha();
        for (const QString& nome : geradores) {
            q.SetSQL(QStringLiteral("SELECT GEN_ID(%1, 0) AS V FROM RDB$DATABASE").arg(nome));
            q.Abre();
            r[QStringLiteral("gerador ") + nome] << q.CampoTexto(QStringLiteral("V"));
            q.Fecha();
        }
    }
    conexao.Transacao().Cancela();
    return r;
}
