// gerar-exemplo: sample source tables for trying the converter, for tests and for benchmarks.
#include "Comandos.h"
#include "EConversao.h"
#include "GeradorExemplo.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTextStream>

#include <exception>
#include <optional>

namespace {

const char* const kUsoGerarExemplo =
    "Uso: conversor-tavrin gerar-exemplo PASTA [--registros N] [--semente S] [--hostil] [--substituir]\n"
    "Grava TABVEND, TABCLI (com TABCLI.DBT), TABFOR, TABEST8 e TABEST1 em PASTA, que precisa existir.\n"
    "Tabelas dBASE III (Clipper) em cp850.\n"
    "  --registros N  clientes e produtos (padrão 100); fornecedores N/10, grupos N/10 até 999,\n"
    "                 vendedores N/20 até 99; alguns registros excluídos a mais em cada tabela.\n"
    "                 Códigos de produto têm 6 dígitos: acima de 1000000 produtos eles se repetem\n"
    "  --semente S    a mesma semente gera os mesmos arquivos (padrão 1)\n"
    "  --hostil       todo campo de texto recebe aspas, comandos SQL, :PARAMETROS, caracteres de\n"
    "                 controle, letras acentuadas e caracteres fora do Windows-1252\n"
    "  --substituir   troca arquivos com esses nomes que já estejam na pasta; sem ela, uma pasta que\n"
    "                 já tenha algum deles (em maiúsculas ou minúsculas) é recusada\n";

// Every file the sample writes; a folder holding any of them may be a real TAVRIN folder.
const char* const kArquivosExemplo[] = {"TABVEND.DBF", "TABCLI.DBF",  "TABCLI.DBT",
                                        "TABFOR.DBF",  "TABEST8.DBF", "TABEST1.DBF"};

int Recusa(const QString& motivo) {
    QTextStream(stderr) << motivo << "\n\n" << kUsoGerarExemplo;
    return kSaidaUsoIncorreto;
}

// Says why the folder cannot take the tables, or nothing when it can. Writing a scratch file is the
// only test that also holds for read-only mounts and for the superuser.
std::optional<QString> MotivoPastaRecusada(const QString& pasta) {
    const QFileInfo info(pasta);
    if (!info.exists()) {
        return QStringLiteral("A pasta \"%1\" não existe.").arg(QDir::toNativeSeparators(pasta));
    }
    if (!info.isDir()) {
        return QStringLiteral("\"%1\" não é uma pasta.").arg(QDir::toNativeSeparators(pasta));
    }
    QTemporaryFile teste(QDir(pasta).filePath(QStringLiteral(".gerar-exemplo-XXXXXX")));
    if (!teste.open()) {
        return QStringLiteral("Sem permissão de escrita na pasta \"%1\": %2")
            .arg(QDir::toNativeSeparators(pasta), teste.errorString());
    }
    return std::nullopt;
}

// The files of the folder the sample would replace, named as they are there (any case).
QStringList ArquivosExistentes(const QString& pasta) {
    QStringList existentes;
    for (const QString& nome : QDir(pasta).entryList(QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name)) {
        for (const char* arquivo : kArquivosExemplo) {
            if (nome.compare(QLatin1String(arquivo), Qt::CaseInsensitive) == 0) {
                existentes << nome;
            }
        }
    }
    return existentes;
}

} // namespace

int ComandoGerarExemplo(const QStringList& argumentos) {
    TOpcoesExemplo opcoes;
    QString pasta;
    bool substituir = false;
    for (int i = 0; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            QTextStream(stdout) << kUsoGerarExemplo;
            return kSaidaSucesso;
        }
        if (a == QLatin1String("--registros") || a == QLatin1String("--semente")) {
            if (i + 1 >= argumentos.size()) {
                return Recusa(QStringLiteral("%1 precisa de um número.").arg(a));
            }
            const QString valor = argumentos[++i];
            bool ok = false;
            if (a == QLatin1String("--registros")) {
                opcoes.registros = valor.toLongLong(&ok);
                if (!ok || opcoes.registros < 0 || opcoes.registros > kMaximoRegistrosExemplo) {
                    return Recusa(QStringLiteral("--registros precisa de um número inteiro de 0 a %1: \"%2\".")
                                      .arg(kMaximoRegistrosExemplo)
                                      .arg(valor));
                }
            } else {
                opcoes.semente = valor.toULongLong(&ok);
                if (!ok) {
                    return Recusa(
                        QStringLiteral("--semente precisa de um número inteiro não negativo: \"%1\".").arg(valor));
                }
            }
        } else if (a == QLatin1String("--hostil")) {
            opcoes.hostil = true;
        } else if (a == QLatin1String("--substituir")) {
            substituir = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            return Recusa(QStringLiteral("Opção desconhecida: %1").arg(a));
        } else if (pasta.isEmpty()) {
            pasta = a;
        } else {
            return Recusa(QStringLiteral("Só uma pasta, por favor: \"%1\" e \"%2\".").arg(pasta, a));
        }
    }
    if (pasta.isEmpty()) {
        return Recusa(QStringLiteral("Informe a pasta onde gravar as tabelas."));
    }
    if (const auto motivo = MotivoPastaRecusada(pasta)) {
        return Recusa(*motivo);
    }
    if (const QStringList existentes = ArquivosExistentes(pasta); !existentes.isEmpty() && !substituir) {
        return Recusa(QStringLiteral("A pasta \"%1\" já tem %2. Nada foi gravado; use --substituir para trocá-los "
                                     "pelas tabelas de exemplo.")
                          .arg(QDir::toNativeSeparators(pasta), existentes.join(QStringLiteral(", "))));
    }

    try {
        QTextStream saida(stdout);
        for (const TTabelaExemplo& tabela : GeraExemplo(pasta, opcoes)) {
            saida << tabela.arquivo << ": " << tabela.registros << " registros";
            if (tabela.excluidos > 0) {
                saida << " (+" << tabela.excluidos << (tabela.excluidos == 1 ? " excluído)" : " excluídos)");
            }
            saida << "\n";
        }
    } catch (const std::exception& e) {
        QTextStream(stderr) << "Erro ao gerar as tabelas: " << MensagemDe(e) << "\n";
        return kSaidaErroExecucao;
    }
    return kSaidaSucesso;
}
