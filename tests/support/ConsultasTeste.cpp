#include "ConsultasTeste.h"

#include "EConversao.h"

#include <QDate>

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
