#include "EstadoTriggers.h"

#include "TQueryDestino.h"
#include "classConversao.h"

#include <QSet>

QStringList TriggersInativas(TConexaoDestino& banco) {
    TQueryDestino consulta(banco);
    consulta.SetSQL(QStringLiteral("SELECT RDB$TRIGGER_NAME AS NOME FROM RDB$TRIGGERS WHERE RDB$TRIGGER_INACTIVE = 1"));
    consulta.Abre();
    QSet<QString> inativas;
    for (; !consulta.Eof(); consulta.Proximo()) {
        inativas.insert(consulta.CampoTexto(QStringLiteral("NOME")).trimmed().toUpper());
    }
    consulta.Fecha();
    QStringList r;
    for (const QString& trigger : TConversao::Triggers()) {
        if (inativas.contains(trigger)) {
            r << trigger;
        }
    }
    return r;
}

QString AvisoTriggersInativas(const QStringList& inativas) {
    return QStringLiteral("Triggers inativas no banco de destino: %1.\r"
                          "Uma conversão anterior provavelmente foi interrompida antes do fim. Enquanto elas "
                          "estiverem inativas o sistema Quorvel não atualiza o estoque dos produtos.\r"
                          "Elas serão ativadas ao final da próxima conversão, ou agora com "
                          "\"conversor-tavrin ativar-triggers BANCO\".")
        .arg(inativas.join(QStringLiteral(", ")));
}
