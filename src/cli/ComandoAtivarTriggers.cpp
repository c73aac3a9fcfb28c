// conversor-tavrin ativar-triggers BANCO: switches on the nine triggers a run switches off, for a
// database left with them inactive by a run that was killed or lost its machine.
#include "AberturaDestino.h"
#include "Comandos.h"
#include "EConversao.h"
#include "EstadoTriggers.h"
#include "InterfaceTerminal.h"
#include "TConexaoDestino.h"
#include "classConversao.h"

#include <QTextStream>

namespace {

const char* const kUsoAtivarTriggers = "Uso: conversor-tavrin ativar-triggers BANCO\n"
                                       "  Ativa as nove triggers que a conversão desativa durante o seu trabalho.\n";

} // namespace

int ComandoAtivarTriggers(const QStringList& argumentos) {
    if (argumentos.size() == 1 &&
        (argumentos.first() == QLatin1String("--help") || argumentos.first() == QLatin1String("-h"))) {
        QTextStream(stdout) << kUsoAtivarTriggers;
        return kSaidaSucesso;
    }
    if (argumentos.size() != 1 || argumentos.first().isEmpty() || argumentos.first().startsWith(QLatin1Char('-'))) {
        QTextStream(stderr) << kUsoAtivarTriggers;
        return kSaidaUsoIncorreto;
    }
    const QString banco = argumentos.first();

    TInterfaceTerminal terminal;
    TConexaoDestino conexao;
    if (!AbreDestino(conexao, banco, banco)) {
        return kSaidaUsoIncorreto;
    }
    try {
        const QStringList inativas = TriggersInativas(conexao);
        if (inativas.isEmpty()) {
            MostraInformacao(QStringLiteral("As triggers do banco \"%1\" já estão todas ativas.").arg(banco));
            return kSaidaSucesso;
        }
        // The run's own switch: all nine in one transaction, committed; a failure is shown as its warning.
        TConversao conversao(conexao);
        conversao.AtivaTriggers(conexao, conexao.Transacao());
        const QStringList restantes = TriggersInativas(conexao);
        conversao.PConfirmaTransacao(conexao.Transacao());
        if (!restantes.isEmpty()) {
            MostraErro(QStringLiteral("As triggers %1 continuam inativas no banco \"%2\".")
                           .arg(restantes.join(QStringLiteral(", ")), banco));
            return kSaidaErroExecucao;
        }
        MostraInformacao(
            QStringLiteral("Triggers ativadas no banco \"%1\": %2.").arg(banco, inativas.join(QStringLiteral(", "))));
        return kSaidaSucesso;
    } catch (const std::exception& e) {
        MostraErro(MensagemDe(e));
        return kSaidaErroExecucao;
    }
}
