#include "ClassesConversaoController.h"
#include "Comandos.h"
#include "EConversao.h"
#include "InterfaceTerminal.h"
#include "ListaParametros.h"
#include "TConexaoDestino.h"
#include "TiposPendentes.h"

#include <QTextStream>

#include <optional>

namespace {

const char* const kUsoConverter =
    "Uso: conversor-tavrin converter --origem PASTA --destino BANCO\n"
    "         [--vendedores] [--clientes] [--fornecedores] [--grupos-produtos] [--produtos] [--todos]\n";

struct TOpcoesConverter {
    QString origem;
    std::optional<QString> destino;
    TTiposMarcados marcados;
};

int UsoIncorreto(const QString& motivo) {
    QTextStream(stderr) << motivo << "\n" << kUsoConverter;
    return kSaidaUsoIncorreto;
}

// Reads the options; returns an exit status when the command must stop here.
std::optional<int> LeOpcoes(const QStringList& argumentos, TOpcoesConverter& opcoes) {
    for (int i = 0; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        auto valor = [&](QString& destino) -> bool {
            if (i + 1 >= argumentos.size()) {
                return false;
            }
            destino = argumentos[++i];
            return true;
        };
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            QTextStream(stdout) << kUsoConverter;
            return kSaidaSucesso;
        } else if (a == QLatin1String("--origem")) {
            if (!valor(opcoes.origem)) {
                return UsoIncorreto(QStringLiteral("--origem precisa de uma pasta."));
            }
        } else if (a == QLatin1String("--destino")) {
            QString destino;
            if (!valor(destino)) {
                return UsoIncorreto(QStringLiteral("--destino precisa do caminho do banco."));
            }
            opcoes.destino = destino;
        } else if (a == QLatin1String("--vendedores")) {
            opcoes.marcados.vendedores = true;
        } else if (a == QLatin1String("--clientes")) {
            opcoes.marcados.clientes = true;
        } else if (a == QLatin1String("--fornecedores")) {
            opcoes.marcados.fornecedores = true;
        } else if (a == QLatin1String("--grupos-produtos")) {
            opcoes.marcados.gruposProdutos = true;
        } else if (a == QLatin1String("--produtos")) {
            opcoes.marcados.produtos = true;
        } else if (a == QLatin1String("--todos")) {
            opcoes.marcados = {true, true, true, true, true};
        } else {
            return UsoIncorreto(QStringLiteral("Opção desconhecida: ") + a);
        }
    }
    if (opcoes.origem.isEmpty()) {
        return UsoIncorreto(QStringLiteral("Informe a pasta das tabelas de origem com --origem."));
    }
    const std::pair<bool, const char*> pedidos[] = {
        {opcoes.marcados.vendedores, "VENDEDORES"},     {opcoes.marcados.clientes, "CLIENTES"},
        {opcoes.marcados.fornecedores, "FORNECEDORES"}, {opcoes.marcados.gruposProdutos, "GRUPOSPRODUTOS"},
        {opcoes.marcados.produtos, "PRODUTOS"},
    };
    for (const auto& [pedido, chave] : pedidos) {
        if (pedido && !TipoDisponivel(QLatin1String(chave))) {
            return UsoIncorreto(QStringLiteral("A conversão de %1 ainda não está disponível nesta versão.")
                                    .arg(QString::fromLatin1(chave).toLower()));
        }
    }
    return std::nullopt;
}

} // namespace

int ComandoConverter(const QStringList& argumentos) {
    TOpcoesConverter opcoes;
    if (const auto saida = LeOpcoes(argumentos, opcoes)) {
        return *saida;
    }

    TInterfaceTerminal terminal;
    if (opcoes.destino.value_or(QString()).isEmpty()) {
        MostraAviso(QStringLiteral("O caminho do banco de dados está vazio!"));
        return kSaidaUsoIncorreto;
    }

    // Connect as the window's "Abrir" does: open, test, and start the transaction.
    TConexaoDestino conexao;
    conexao.SetNomeBanco(*opcoes.destino);
    try {
        conexao.Abre();
        if (conexao.TestaConexao()) {
            conexao.Transacao().Inicia();
        }
    } catch (const std::exception& e) {
        MostraErro(MensagemDe(e));
    }
    if (!conexao.TestaConexao()) {
        MostraAviso(QStringLiteral("Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o "
                                   "arquivo selecionado é válido! "));
        return kSaidaUsoIncorreto;
    }

    TListaParametros params;
    IniciaListaParametros(params);
    CarregaParametros(params, opcoes.marcados);
    try {
        TClassesConversaoController run;
        const bool sucesso = run.FEfetuaConversao(params, opcoes.origem, conexao, conexao.Transacao(), terminal,
                                                  terminal);
        return sucesso ? kSaidaSucesso : kSaidaErroExecucao;
    } catch (const std::exception& e) {
        // Failures before the run's protected block (e.g. the connection lost) reach here.
        MostraErro(MensagemDe(e));
        return kSaidaErroExecucao;
    }
}
