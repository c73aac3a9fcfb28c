#include "BancoTeste.h"

#include "EBancoDestino.h"
#include "EsquemaTeste.h"
#include "LexicoSql.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"

#include <QFile>

namespace {

bool Ddl(const QString& instrucao) {
    const QString inicio = PrimeiraPalavra(instrucao);
    return inicio == QLatin1String("CREATE") || inicio == QLatin1String("ALTER") ||
           inicio == QLatin1String("RECREATE") || inicio == QLatin1String("DROP");
}

void ExecutaEsquema(TConexaoDestino& conexao) {
    // DDL commits before the first row is written: the engine may not see a table created in
    // the same transaction yet.
    bool ddlPendente = false;
    for (const QString& instrucao : DivideScript(QString::fromLatin1(EsquemaTesteSql()))) {
        const bool ddl = Ddl(instrucao);
        if (!ddl && ddlPendente) {
            conexao.Transacao().Confirma();
            ddlPendente = false;
        }
        TQueryDestino q(conexao);
        q.SetSQL(instrucao);
        try {
            q.Executa();
        } catch (const EBancoDestino& e) {
            throw EBancoDestino(QStringLiteral("Erro ao criar o esquema de teste em \"%1\":\n%2")
                                    .arg(instrucao.section(QLatin1Char('\n'), 0, 0), e.Mensagem()),
                                e.Codigos());
        }
        ddlPendente = ddlPendente || ddl;
    }
    conexao.Transacao().Confirma();
}

} // namespace

void CriaBancoTeste(const QString& caminho) {
    TConexaoDestino::CriaBanco(caminho);
    try {
        TConexaoDestino conexao;
        conexao.SetNomeBanco(caminho);
        conexao.Abre();
        ExecutaEsquema(conexao);
        conexao.Fecha();
    } catch (...) {
        // Do not leave a half-made database behind: a new attempt would be refused.
        QFile::remove(caminho);
        throw;
    }
}
