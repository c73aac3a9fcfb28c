#include "AnaliseOrigem.h"
#include "Argumentos.h"
#include "ArquivoAlteracoes.h"
#include "ArquivoResumo.h"
#include "Comandos.h"
#include "EConversao.h"
#include "InterfaceTerminal.h"
#include "PaginaCodigo.h"
#include "ResultadoAnalise.h"
#include "VerificacaoDestino.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <memory>
#include <optional>

namespace {

const char* const kUsoAnalisar =
    "Uso: conversor-tavrin analisar --origem PASTA [--pagina-codigo PAGINA]\n"
    "         [--relatorio ARQUIVO.csv] [--resumo ARQUIVO.json]\n"
    "         [--vendedores] [--clientes] [--fornecedores] [--grupos-produtos] [--produtos] [--todos]\n"
    "  Lê só as tabelas de origem (nenhum banco é preciso, nada é gravado além dos arquivos pedidos) e\n"
    "  lista todos os problemas de todos os registros: fatais (a conversão pararia ou perderia um\n"
    "  registro), perdas (a conversão mudaria o valor) e de qualidade (o valor passa como está).\n"
    "  Sem nenhum tipo marcado, analisa os cinco.\n"
    "  --relatorio  grava cada problema em CSV (as colunas do registro de alterações e a classe)\n"
    "  --resumo     grava o resumo da análise em JSON (o resumo em tabela sai sempre no stdout)\n"
    "Saída: 0 nenhum problema fatal; 1 a conversão pararia ou perderia registros; 2 uso incorreto.\n";

struct TOpcoesAnalisar {
    QString origem;
    QStringList chaves;
    QString arquivoRelatorio;
    QString arquivoResumo;
    std::optional<PaginaCodigo> pagina;
};

int UsoIncorreto(const QString& motivo) {
    QTextStream(stderr) << motivo << "\n" << kUsoAnalisar;
    return kSaidaUsoIncorreto;
}

std::optional<int> LeOpcoes(const QStringList& argumentos, TOpcoesAnalisar& opcoes) {
    const QStringList todos = {QStringLiteral("VENDEDORES"), QStringLiteral("CLIENTES"), QStringLiteral("FORNECEDORES"),
                               QStringLiteral("GRUPOSPRODUTOS"), QStringLiteral("PRODUTOS")};
    TArgumentos args(argumentos);
    // An empty value is as good as none.
    const auto valor = [&args](QString& destino) { return args.Valor(destino) && !destino.isEmpty(); };
    while (!args.Fim()) {
        const QString& a = args.Proximo();
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            QTextStream(stdout) << kUsoAnalisar;
            return kSaidaSucesso;
        } else if (a == QLatin1String("--origem")) {
            if (!valor(opcoes.origem)) {
                return UsoIncorreto(QStringLiteral("--origem precisa de uma pasta."));
            }
        } else if (a == QLatin1String("--relatorio")) {
            if (!valor(opcoes.arquivoRelatorio)) {
                return UsoIncorreto(QStringLiteral("--relatorio precisa do caminho do arquivo CSV."));
            }
        } else if (a == QLatin1String("--resumo")) {
            if (!valor(opcoes.arquivoResumo)) {
                return UsoIncorreto(QStringLiteral("--resumo precisa do caminho do arquivo JSON."));
            }
        } else if (a == QLatin1String("--pagina-codigo")) {
            QString erro;
            opcoes.pagina = args.ValorPaginaCodigo(erro);
            if (!opcoes.pagina) {
                return UsoIncorreto(erro);
            }
        } else if (a == QLatin1String("--todos")) {
            opcoes.chaves = todos;
        } else if (const QString chave = ChaveDoTipo(a); !chave.isEmpty()) {
            if (!opcoes.chaves.contains(chave)) {
                opcoes.chaves << chave;
            }
        } else {
            return UsoIncorreto(QStringLiteral("Opção desconhecida: ") + a);
        }
    }
    if (opcoes.origem.isEmpty()) {
        return UsoIncorreto(QStringLiteral("Informe a pasta das tabelas de origem com --origem."));
    }
    if (opcoes.chaves.isEmpty()) {
        opcoes.chaves = todos;
    }
    return std::nullopt;
}

// The device the problems are written to: the report's file, replaced only when the analysis ends,
// or nowhere.
class TRegistroDescartado final : public IRegistroAlteracoes {
public:
    void Registra(const TAlteracao&) override {}
};

} // namespace

int ComandoAnalisar(const QStringList& argumentos) {
    TOpcoesAnalisar opcoes;
    if (const auto saida = LeOpcoes(argumentos, opcoes)) {
        return *saida;
    }
    TInterfaceTerminal terminal;
    if (const auto problema = ProblemaPastaOrigem(opcoes.origem)) {
        MostraAviso(*problema);
        return kSaidaUsoIncorreto;
    }
    if (!opcoes.arquivoRelatorio.isEmpty() && !opcoes.arquivoResumo.isEmpty() &&
        QFileInfo(opcoes.arquivoRelatorio).absoluteFilePath() == QFileInfo(opcoes.arquivoResumo).absoluteFilePath()) {
        return UsoIncorreto(QStringLiteral("--relatorio e --resumo precisam de arquivos diferentes."));
    }
    const std::optional<QString> problemaRelatorio =
        opcoes.arquivoRelatorio.isEmpty() ? std::nullopt
                                          : ProblemaArquivoRelatorio(opcoes.arquivoRelatorio, opcoes.origem);
    const std::optional<QString> problemaResumo =
        opcoes.arquivoResumo.isEmpty() ? std::nullopt
                                       : ProblemaArquivoResumo(opcoes.arquivoResumo, QString(), opcoes.origem);
    for (const auto& problema : {problemaRelatorio, problemaResumo}) {
        if (problema) {
            MostraAviso(*problema);
            return kSaidaUsoIncorreto;
        }
    }

    // Through a link, the file it names is replaced, not the link.
    const QFileInfo infoRelatorio(opcoes.arquivoRelatorio);
    QSaveFile arquivoRelatorio(infoRelatorio.isSymLink() ? infoRelatorio.canonicalFilePath() : opcoes.arquivoRelatorio);
    std::unique_ptr<TArquivoAlteracoes> relatorio;
    TRegistroDescartado descartado;
    TResultadoAnalise resultado;
    try {
        if (!opcoes.arquivoRelatorio.isEmpty()) {
            if (!arquivoRelatorio.open(QIODevice::WriteOnly)) {
                throw EConversao(
                    QStringLiteral("Não foi possível gravar o relatório em \"%1\": %2")
                        .arg(QDir::toNativeSeparators(opcoes.arquivoRelatorio), arquivoRelatorio.errorString()));
            }
            relatorio = std::make_unique<TArquivoAlteracoes>(arquivoRelatorio, true);
        }
        TAnaliseOrigem analise(opcoes.origem, opcoes.pagina,
                               relatorio ? static_cast<IRegistroAlteracoes&>(*relatorio) : descartado);
        analise.Analisa(opcoes.chaves);
        if (relatorio) {
            relatorio->Conclui();
            if (!arquivoRelatorio.commit()) {
                throw EConversao(
                    QStringLiteral("Não foi possível gravar o relatório em \"%1\": %2")
                        .arg(QDir::toNativeSeparators(opcoes.arquivoRelatorio), arquivoRelatorio.errorString()));
            }
        }
        resultado = analise.Resultado();
    } catch (const std::exception& e) {
        MostraErro(MensagemDe(e));
        return kSaidaErroExecucao;
    }

    QTextStream(stdout) << FormataAnalise(resultado);
    int codigo = resultado.Fatal() ? kSaidaErroExecucao : kSaidaSucesso;
    if (!opcoes.arquivoResumo.isEmpty() &&
        !GravaArquivoJson(opcoes.arquivoResumo, AnaliseJson(resultado), QStringLiteral("o resumo"))) {
        codigo = kSaidaErroExecucao;
    }
    return codigo;
}
