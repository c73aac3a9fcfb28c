#include "AberturaDestino.h"
#include "Argumentos.h"
#include "ArquivoResumo.h"
#include "AvisosLeitura.h"
#include "ClassesConversaoController.h"
#include "Comandos.h"
#include "EConversao.h"
#include "EstadoTriggers.h"
#include "InterfaceTerminal.h"
#include "ListaParametros.h"
#include "NomeBanco.h"
#include "PaginaCodigo.h"
#include "PastaEnsaio.h"
#include "ResumoExecucao.h"
#include "SaidaAlteracoes.h"
#include "SinaisTerminacao.h"
#include "TConexaoDestino.h"
#include "VerificacaoDestino.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <optional>

#include <sys/file.h>

namespace {

const char* const kUsoConverter =
    "Uso: conversor-tavrin converter --origem PASTA --destino BANCO\n"
    "         [--vendedores] [--clientes] [--fornecedores] [--grupos-produtos] [--produtos] [--todos]\n"
    "         [--pagina-codigo PAGINA] [--resumo ARQUIVO.json] [--alteracoes ARQUIVO.csv] [--ensaio]\n"
    "  --pagina-codigo  lê o texto de todas as tabelas nessa página de código (CP850, CP1252, CP437,\n"
    "                   CP860, CP852, CP1250, CP1251, UTF-8, ...), em vez da que cada tabela indica\n"
    "                   (ou da que se deduz do texto quando ela não indica nenhuma)\n"
    "  --resumo  grava o resumo da execução em JSON (o resumo em tabela sai sempre no stdout)\n"
    "  --alteracoes  grava em CSV (UTF-8) cada valor que a conversão não pôde gravar como estava:\n"
    "                textos cortados na largura da coluna, caracteres fora do WIN1252, registros\n"
    "                ignorados ou recusados pelo banco\n"
    "  --ensaio  converte numa cópia temporária do banco local e a descarta: o banco não muda\n";

struct TOpcoesConverter {
    QString origem;
    std::optional<QString> destino;
    TTiposMarcados marcados;
    QString arquivoResumo;
    QString arquivoAlteracoes;
    bool ensaio = false;
    std::optional<PaginaCodigo> pagina;
};

int UsoIncorreto(const QString& motivo) {
    QTextStream(stderr) << motivo << "\n" << kUsoConverter;
    return kSaidaUsoIncorreto;
}

// Reads the options; returns an exit status when the command must stop here.
std::optional<int> LeOpcoes(const QStringList& argumentos, TOpcoesConverter& opcoes) {
    TArgumentos args(argumentos);
    QStringList tipos;
    while (!args.Fim()) {
        const QString& a = args.Proximo();
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            QTextStream(stdout) << kUsoConverter;
            return kSaidaSucesso;
        } else if (a == QLatin1String("--origem")) {
            if (!args.Valor(opcoes.origem)) {
                return UsoIncorreto(QStringLiteral("--origem precisa de uma pasta."));
            }
        } else if (a == QLatin1String("--destino")) {
            QString destino;
            if (!args.Valor(destino)) {
                return UsoIncorreto(QStringLiteral("--destino precisa do caminho do banco."));
            }
            opcoes.destino = destino;
        } else if (a == QLatin1String("--resumo")) {
            if (!args.Valor(opcoes.arquivoResumo) || opcoes.arquivoResumo.isEmpty()) {
                return UsoIncorreto(QStringLiteral("--resumo precisa do caminho do arquivo JSON."));
            }
        } else if (a == QLatin1String("--alteracoes")) {
            if (!args.Valor(opcoes.arquivoAlteracoes) || opcoes.arquivoAlteracoes.isEmpty()) {
                return UsoIncorreto(QStringLiteral("--alteracoes precisa do caminho do arquivo CSV."));
            }
        } else if (a == QLatin1String("--ensaio")) {
            opcoes.ensaio = true;
        } else if (a == QLatin1String("--pagina-codigo")) {
            QString erro;
            opcoes.pagina = args.ValorPaginaCodigo(erro);
            if (!opcoes.pagina) {
                return UsoIncorreto(erro);
            }
        } else if (a == QLatin1String("--todos")) {
            opcoes.marcados = {true, true, true, true, true};
        } else if (const QString chave = ChaveDoTipo(a); !chave.isEmpty()) {
            tipos << chave;
        } else {
            return UsoIncorreto(QStringLiteral("Opção desconhecida: ") + a);
        }
    }
    opcoes.marcados.vendedores |= tipos.contains(QLatin1String("VENDEDORES"));
    opcoes.marcados.clientes |= tipos.contains(QLatin1String("CLIENTES"));
    opcoes.marcados.fornecedores |= tipos.contains(QLatin1String("FORNECEDORES"));
    opcoes.marcados.gruposProdutos |= tipos.contains(QLatin1String("GRUPOSPRODUTOS"));
    opcoes.marcados.produtos |= tipos.contains(QLatin1String("PRODUTOS"));
    if (opcoes.origem.isEmpty()) {
        return UsoIncorreto(QStringLiteral("Informe a pasta das tabelas de origem com --origem."));
    }
    return std::nullopt;
}

} // namespace

namespace {

// For a rehearsal: copies the target file into `pasta` and returns the copy's path, or says
// on stderr why it cannot and returns nothing.
std::optional<QString> CopiaParaEnsaio(const QString& banco, const TPastaEnsaio& pasta) {
    // A database on a server cannot be copied here.
    if (BancoNoServidor(banco)) {
        MostraAviso(QStringLiteral("O ensaio precisa de um banco local: \"%1\" está num servidor.").arg(banco));
        return std::nullopt;
    }
    if (!QFileInfo(banco).isFile()) {
        MostraAviso(QStringLiteral("O banco \"%1\" não existe.").arg(banco));
        return std::nullopt;
    }
    if (!pasta.Valida()) {
        MostraAviso(QStringLiteral("Não foi possível criar a pasta temporária do ensaio: %1").arg(pasta.Erro()));
        return std::nullopt;
    }
    // The engine holds an exclusive lock on a database it has open; a shared lock of ours
    // tells that another program is writing it, and keeps an engine from opening it while we copy.
    QFile original(banco);
    if (!original.open(QIODevice::ReadOnly)) {
        MostraAviso(QStringLiteral("Não foi possível ler \"%1\": %2").arg(banco, original.errorString()));
        return std::nullopt;
    }
    if (::flock(original.handle(), LOCK_SH | LOCK_NB) != 0) {
        MostraAviso(QStringLiteral("O banco de dados \"%1\" está em uso por outro programa; feche-o antes do "
                                   "ensaio. Nada foi copiado.")
                        .arg(banco));
        return std::nullopt;
    }
    const QString copia = pasta.Caminho(QFileInfo(banco).fileName());
    if (!QFile::copy(banco, copia)) {
        MostraAviso(QStringLiteral("Não foi possível copiar \"%1\" para o ensaio.").arg(banco));
        return std::nullopt;
    }
    // The copy must be writable even when the original is read-only.
    QFile(copia).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return copia;
}

// After a run that did not end well: whether the nine triggers are on again, in plain words
// (`sempre`: also when they are).
void DizEstadoTriggers(TConexaoDestino& conexao, const QString& banco, bool sempre) {
    try {
        const QStringList inativas = TriggersInativas(conexao);
        if (!inativas.isEmpty()) {
            MostraAviso(QStringLiteral("As triggers %1 continuam INATIVAS no banco de destino. Ative-as antes de usar "
                                       "o sistema Quorvel: conversor-tavrin ativar-triggers \"%2\"")
                            .arg(inativas.join(QStringLiteral(", ")), banco));
        } else if (sempre) {
            MostraInformacao(QStringLiteral("As triggers do banco de destino estão ativas."));
        }
    } catch (const std::exception& e) {
        MostraAviso(QStringLiteral("Não foi possível verificar se as triggers do banco de destino estão ativas (%1). "
                                   "Para ativá-las: conversor-tavrin ativar-triggers \"%2\"")
                        .arg(MensagemDe(e), banco));
    }
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
    if (const auto problema = ProblemaPastaOrigem(opcoes.origem)) {
        MostraAviso(*problema);
        return kSaidaUsoIncorreto;
    }
    const QString bancoLocal = BancoNoServidor(*opcoes.destino) ? QString() : *opcoes.destino;
    if (!opcoes.arquivoResumo.isEmpty()) {
        if (const auto problema = ProblemaArquivoResumo(opcoes.arquivoResumo, bancoLocal, opcoes.origem)) {
            MostraAviso(*problema);
            return kSaidaUsoIncorreto;
        }
    }
    if (!opcoes.arquivoAlteracoes.isEmpty()) {
        if (const auto problema = ProblemaArquivoAlteracoes(opcoes.arquivoAlteracoes, bancoLocal, opcoes.origem)) {
            MostraAviso(*problema);
            return kSaidaUsoIncorreto;
        }
    }
    // Created before the run, so a log that cannot be written costs no conversion.
    std::optional<TSaidaAlteracoes> alteracoes;
    if (!opcoes.arquivoAlteracoes.isEmpty() && !alteracoes.emplace(opcoes.arquivoAlteracoes).Abre()) {
        return kSaidaErroExecucao;
    }

    QString banco = *opcoes.destino;
    TPastaEnsaio::RemoveAbandonadas();
    const std::optional<TPastaEnsaio> pastaEnsaio =
        opcoes.ensaio ? std::make_optional<TPastaEnsaio>() : std::optional<TPastaEnsaio>();
    if (pastaEnsaio) {
        const auto copia = CopiaParaEnsaio(banco, *pastaEnsaio);
        if (!copia) {
            return kSaidaUsoIncorreto;
        }
        banco = *copia;
        QTextStream(stderr) << "Ensaio: a conversão roda numa cópia temporária; \"" << *opcoes.destino
                            << "\" não será alterado.\n";
    }

    // Connect as the window's "Abrir" does: open, test, and start the transaction.
    TConexaoDestino conexao;
    if (!AbreDestino(conexao, banco, *opcoes.destino)) {
        return kSaidaUsoIncorreto;
    }
    // From here on SIGINT and SIGTERM stop the run at its next record instead of the engine's own
    // handlers, installed as the connection opened, shutting the connection down under it.
    TSinaisTerminacao sinais;
    // Triggers left off by a run that never ended: say so; this run switches them on at its end.
    try {
        if (const QStringList inativas = TriggersInativas(conexao); !inativas.isEmpty()) {
            MostraAviso(AvisoTriggersInativas(inativas));
        }
    } catch (const std::exception& e) {
        MostraErro(MensagemDe(e));
        return kSaidaUsoIncorreto;
    }

    TListaParametros params;
    IniciaListaParametros(params);
    CarregaParametros(params, opcoes.marcados);
    TColetorResumo coletor(conexao, opcoes.origem, opcoes.pagina);
    TAvisosLeitura avisos(coletor); // the reader's warnings as AVISO blocks, before the final message
    bool sucesso = false;
    try {
        TClassesConversaoController run;
        run.SetObservador(&avisos);
        run.SetInterrupcao(&sinais);
        run.SetPaginaCodigo(opcoes.pagina);
        run.SetRegistroAlteracoes(alteracoes ? &alteracoes->Registro() : nullptr);
        sucesso = run.FEfetuaConversao(params, opcoes.origem, conexao, conexao.Transacao(), terminal, terminal);
    } catch (const std::exception& e) {
        // Failures before the run's protected block (e.g. the connection lost) reach here.
        MostraErro(MensagemDe(e));
        return kSaidaErroExecucao;
    }
    if (sinais.Sinal() != 0) {
        coletor.SetInterrupcao(sinais.NomeSinal());
    }
    // A rehearsal's copy is thrown away: the real database's triggers were never touched.
    if (!sucesso && !opcoes.ensaio) {
        DizEstadoTriggers(conexao, *opcoes.destino, sinais.Sinal() != 0);
    }
    conexao.Fecha();

    int codigo = sucesso ? kSaidaSucesso : kSaidaErroExecucao;
    QTextStream(stdout) << FormataResumo(coletor.Resumo());
    if (!opcoes.arquivoResumo.isEmpty() && !GravaResumoJson(opcoes.arquivoResumo, coletor.Resumo()) &&
        codigo == kSaidaSucesso) {
        codigo = kSaidaErroExecucao;
    }
    if (alteracoes && !alteracoes->Conclui() && codigo == kSaidaSucesso) {
        codigo = kSaidaErroExecucao;
    }
    // As a shell reports a process a signal ended: 128 + the signal's number.
    return sinais.Sinal() != 0 ? 128 + sinais.Sinal() : codigo;
}
