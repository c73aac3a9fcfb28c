#include "AberturaDestino.h"

#include "EConversao.h"
#include "TConexaoDestino.h"
#include "VerificacaoDestino.h"
#include "ui/InterfaceUsuario.h"

bool AbreDestino(TConexaoDestino& conexao, const QString& banco, const QString& nomeMostrado) {
    conexao.SetNomeBanco(banco);
    if (const auto problema = ProblemaArquivoDestino(banco)) {
        MostraErro(*problema);
    } else {
        try {
            conexao.Abre();
            if (conexao.TestaConexao()) {
                conexao.Transacao().Inicia();
            }
        } catch (const std::exception& e) {
            MostraErro(MensagemFalhaAbertura(nomeMostrado, e));
        }
    }
    if (!conexao.TestaConexao()) {
        MostraAviso(QStringLiteral("Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o "
                                   "arquivo selecionado é válido! "));
        return false;
    }
    try {
        if (const auto problema = ProblemaBancoAberto(conexao)) {
            MostraAviso(*problema);
            conexao.Fecha();
            return false;
        }
    } catch (const std::exception& e) {
        MostraErro(MensagemFalhaAbertura(nomeMostrado, e));
        conexao.Fecha();
        return false;
    }
    return true;
}
