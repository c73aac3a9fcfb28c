// Fuzzes the dBASE reader: each input becomes TABEST1.DBF (with its .DBT and/or .FPT) in a
// private folder, and every field of every record is read in every form the controllers use.
// Errors the reader raises (EConversao) are expected answers to damaged files; anything else —
// a crash, a sanitizer report, a record count that does not match the records walked — is a
// finding.
#include "EConversao.h"
#include "EntradaDbf.h"
#include "PaginaCodigo.h"
#include "TQueryOrigem.h"
#include "TTabelaDbf.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

const QTemporaryDir& Pasta() {
    static const QTemporaryDir pasta;
    if (!pasta.isValid()) {
        std::fprintf(stderr, "fuzz_leitor_dbf: sem pasta temporária\n");
        std::abort();
    }
    return pasta;
}

void Grava(const QString& nome, const QByteArray& bytes, bool presente) {
    const QString caminho = QDir(Pasta().path()).filePath(nome);
    if (!presente) {
        QFile::remove(caminho);
        return;
    }
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate) || arquivo.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz_leitor_dbf: não gravou %s\n", qPrintable(caminho));
        std::abort();
    }
}

// The field names as the header gives them, and the record walk through the table itself.
QStringList NomesECaminhada() {
    TTabelaDbf tabela(Pasta().path(), QStringLiteral("TABEST1"));
    QStringList nomes;
    for (int i = 0; i < tabela.QuantCampos(); ++i) {
        nomes << tabela.Campo(i).nome;
    }
    tabela.Ultimo();
    (void)tabela.NumeroRegistro();
    tabela.Primeiro();
    return nomes;
}

void LeTudo(std::optional<PaginaCodigo> pagina) {
    const QStringList nomes = NomesECaminhada();
    TQueryOrigem consulta;
    consulta.SetNomeBanco(Pasta().path());
    consulta.SetPaginaCodigo(pagina);
    consulta.SetSQL(QStringLiteral("SELECT * FROM TABEST1"));
    consulta.Abre();
    const int quantidade = consulta.QuantRegistros();
    int percorridos = 0;
    for (; !consulta.Eof(); consulta.Proximo()) {
        ++percorridos;
        for (const QString& nome : nomes) {
            try {
                const TCampoOrigem campo = consulta.CampoPorNome(nome);
                const bool nulo = campo.Nulo();
                const QString texto = campo.ComoTexto();
                if (nulo && !texto.isEmpty()) {
                    std::fprintf(stderr, "campo %s nulo com texto \"%s\"\n", qPrintable(nome), qPrintable(texto));
                    std::abort();
                }
                try {
                    (void)campo.ComoDouble();
                } catch (const EConversao&) {
                }
                try {
                    (void)campo.ComoDataHora();
                } catch (const EConversao&) {
                }
            } catch (const EConversao&) {
                // A damaged value (or a name the header repeats oddly) is reported, not a finding.
            }
        }
    }
    // The count the controllers show as "Registro n de m" must be the records they walk.
    if (percorridos != quantidade) {
        std::fprintf(stderr, "QuantRegistros() = %d, mas foram percorridos %d registros\n", quantidade, percorridos);
        std::abort();
    }
    consulta.Ultimo();
    consulta.Primeiro();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const TEntradaDbf entrada = TEntradaDbf::Desempacota(dados, tamanho);
    Grava(QStringLiteral("TABEST1.DBF"), entrada.tabela, true);
    Grava(QStringLiteral("TABEST1.DBT"), entrada.arquivoMemo,
          entrada.memo == TEntradaDbf::Dbt || entrada.memo == TEntradaDbf::Ambos);
    Grava(QStringLiteral("TABEST1.FPT"), entrada.arquivoMemo,
          entrada.memo == TEntradaDbf::Fpt || entrada.memo == TEntradaDbf::Ambos);
    try {
        LeTudo(entrada.paginaForcada);
    } catch (const EConversao&) {
        // The reader's answer to a file it cannot read.
    }
    return 0;
}
