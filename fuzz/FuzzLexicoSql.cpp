// Fuzzes the target layer's reading of texts: named parameters, '...' and "..." literals,
// comments, the COMMIT / ROLLBACK texts handled without the engine, script splitting, and date
// texts read as the engine reads them. Besides crashes it checks properties the query layer
// relies on.
#include "DataTextoMotor.h"
#include "LexicoSql.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Falha(const char* o_que, const QString& sql) {
    std::fprintf(stderr, "%s\nSQL: %s\n", o_que, sql.toUtf8().constData());
    std::abort();
}

// A text read as a date, a timestamp and a time: a day the engine can hold, a time within a day.
void VerificaData(const QByteArray& bytes) {
    constexpr std::int32_t kDiaMinimo = -678575; // 01.01.0001
    constexpr std::int32_t kDiaMaximo = 2973483; // 31.12.9999
    for (const EsperaDataHora espera : {EsperaDataHora::DataHora, EsperaDataHora::Data, EsperaDataHora::Hora}) {
        TDataHoraMotor r;
        if (LeDataHoraMotor(bytes, espera, r) != FalhaDataHora::Nenhuma) {
            continue;
        }
        if ((espera != EsperaDataHora::Hora && (r.dia < kDiaMinimo - 1 || r.dia > kDiaMaximo + 1)) ||
            r.hora >= 864000000u) {
            Falha("data lida fora da faixa", QString::fromLatin1(bytes));
        }
    }
}

void Verifica(const QString& sql) {
    const SqlAnalisada analisada = AnalisaSql(sql);
    // Without a parameter the text goes to the engine untouched.
    if (analisada.parametros.isEmpty() && analisada.texto != sql) {
        Falha("texto alterado sem parâmetros", sql);
    }
    for (const QString& nome : analisada.parametros) {
        if (nome != nome.toUpper()) {
            Falha("nome de parâmetro não maiúsculo", sql);
        }
    }
    // Every :NAME became a '?' where it stood: the rewritten text has the same positions, all bare.
    const QStringList denovo = AnalisaSql(analisada.texto).parametros;
    if (denovo.size() != analisada.parametros.size() ||
        std::any_of(denovo.cbegin(), denovo.cend(), [](const QString& nome) { return !nome.isEmpty(); })) {
        Falha("parâmetro nomeado restou ou sumiu após a troca por '?'", sql);
    }
    (void)PrimeiraPalavra(sql);
    const ComandoTransacao comando = ReconheceComandoTransacao(sql);
    // A transaction-control text has no parameters, whatever it looks like.
    if (comando != ComandoTransacao::Nenhum && !analisada.parametros.isEmpty()) {
        Falha("COMMIT/ROLLBACK reconhecido com parâmetros", sql);
    }
    for (const QString& instrucao : DivideScript(sql)) {
        if (instrucao.trimmed().isEmpty()) {
            Falha("instrução vazia no script", sql);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const QByteArray bytes(reinterpret_cast<const char*>(dados), static_cast<qsizetype>(tamanho));
    // As UTF-8 (what the code holds) and byte for byte (every Latin-1 character reachable).
    Verifica(QString::fromUtf8(bytes));
    Verifica(QString::fromLatin1(bytes));
    VerificaData(bytes);
    return 0;
}
