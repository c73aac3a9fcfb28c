// conversor-tavrin: the conversion without a window, for servers, scripts, tests and benchmarks.
#include "Comandos.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

const char* const kAjuda =
    "Uso:\n"
    "  conversor-tavrin converter --origem PASTA --destino BANCO\n"
    "                   [--vendedores] [--clientes] [--fornecedores] [--grupos-produtos] [--produtos] [--todos]\n"
    "                   [--pagina-codigo PAGINA] [--resumo ARQUIVO.json] [--alteracoes ARQUIVO.csv] [--ensaio]\n"
    "  conversor-tavrin analisar --origem PASTA [--pagina-codigo PAGINA] [--relatorio ARQUIVO.csv]\n"
    "                   [--resumo ARQUIVO.json] [--vendedores] [--clientes] ... [--todos]\n"
    "  conversor-tavrin criar-destino BANCO\n"
    "  conversor-tavrin gerar-exemplo PASTA [--registros N] [--semente S] [--hostil] [--substituir]\n"
    "  conversor-tavrin ativar-triggers BANCO   (ativa as nove triggers após uma conversão interrompida)\n"
    "  conversor-tavrin --help | --version\n"
    "\n"
    "Saída: 0 sucesso; 1 a conversão terminou com erro; 2 uso incorreto ou recusa antes da conversão;\n"
    "       130 ou 143 a conversão foi interrompida por SIGINT (Ctrl+C) ou SIGTERM.\n";

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList argumentos = QCoreApplication::arguments().mid(1);
    QTextStream saida(stdout);

    if (argumentos.isEmpty()) {
        QTextStream(stderr) << kAjuda;
        return kSaidaUsoIncorreto;
    }
    const QString comando = argumentos.takeFirst();
    if (comando == QLatin1String("--help") || comando == QLatin1String("-h")) {
        saida << kAjuda;
        return kSaidaSucesso;
    }
    if (comando == QLatin1String("--version")) {
        saida << "conversor-tavrin " << TAVRIN_VERSAO << "\n";
        return kSaidaSucesso;
    }
    if (comando == QLatin1String("converter")) {
        return ComandoConverter(argumentos);
    }
    if (comando == QLatin1String("analisar")) {
        return ComandoAnalisar(argumentos);
    }
    if (comando == QLatin1String("criar-destino")) {
        return ComandoCriarDestino(argumentos);
    }
    if (comando == QLatin1String("gerar-exemplo")) {
        return ComandoGerarExemplo(argumentos);
    }
    if (comando == QLatin1String("ativar-triggers")) {
        return ComandoAtivarTriggers(argumentos);
    }
    QTextStream(stderr) << "Comando desconhecido: " << comando << "\n\n" << kAjuda;
    return kSaidaUsoIncorreto;
}
