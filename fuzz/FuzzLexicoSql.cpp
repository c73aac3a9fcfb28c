// Fuzzes the target layer's SQL lexing: named parameters, '...' and "..." literals, comments,
// the COMMIT / ROLLBACK texts handled without the engine, script splitting, and the lifting of
// literal values into bound parameters. Besides crashes it checks properties the query layer
// relies on.
#include "LexicoSql.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

[[noreturn]] void Falha(const char* o_que, const QString& sql) {
    std::fprintf(stderr, "%s\nSQL: %s\n", o_que, sql.toUtf8().constData());
    std::abort();
}

// A lifted value written back as a literal: text in single quotes, numbers with their scale.
QByteArray Literal(const QByteArray& sql, const LiteralSql& l) {
    switch (l.tipo) {
    case LiteralSql::Tipo::Nulo:
        return "NULL";
    case LiteralSql::Tipo::Texto: {
        QByteArray t = TextoLiteral(sql, l);
        return '\'' + t.replace('\'', "''") + '\'';
    }
    case LiteralSql::Tipo::Numero: {
        const bool negativo = l.numero < 0;
        QByteArray digitos = QByteArray::number(negativo ? -static_cast<quint64>(l.numero) : quint64(l.numero));
        if (l.escala < 0) {
            const qsizetype casas = -l.escala;
            digitos = digitos.rightJustified(casas + 1, '0');
            digitos.insert(digitos.size() - casas, '.');
        }
        return negativo ? '-' + digitos : digitos;
    }
    }
    return {};
}

// The positions of the '?' outside literals and comments, with the lexical rules of the lifting.
std::vector<qsizetype> Marcas(const QByteArray& s) {
    std::vector<qsizetype> r;
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n;) {
        const char c = s.at(i);
        if (c == '-' && i + 1 < n && s.at(i + 1) == '-') {
            const qsizetype fim = s.indexOf('\n', i);
            i = fim < 0 ? n : fim + 1;
        } else if (c == '/' && i + 1 < n && s.at(i + 1) == '*') {
            const qsizetype fim = s.indexOf("*/", i + 2);
            i = fim < 0 ? n : fim + 2;
        } else if (c == '\'' || c == '"') {
            qsizetype j = i + 1;
            while (j < n && !(s.at(j) == c && !(j + 1 < n && s.at(j + 1) == c))) {
                j += s.at(j) == c ? 2 : 1;
            }
            i = j + 1;
        } else {
            if (c == '?') {
                r.push_back(i);
            }
            ++i;
        }
    }
    return r;
}

bool Iguais(const QByteArray& sqlA, const LiteralSql& a, const QByteArray& sqlB, const LiteralSql& b) {
    if (a.tipo != b.tipo || a.atribuicao != b.atribuicao) {
        return false;
    }
    switch (a.tipo) {
    case LiteralSql::Tipo::Nulo:
        return true;
    case LiteralSql::Tipo::Texto:
        return TextoLiteral(sqlA, a) == TextoLiteral(sqlB, b);
    case LiteralSql::Tipo::Numero:
        return a.numero == b.numero && a.escala == b.escala;
    }
    return false;
}

// Every lifted value takes exactly one '?', and writing the values back as literals gives a text
// that lifts to the same shape and the same values: nothing is lost, moved or altered on the way.
void VerificaLiterais(const QByteArray& sql) {
    const std::optional<FormaSql> forma = ExtraiLiterais(sql);
    if (!forma) {
        return;
    }
    const QString texto = QString::fromLatin1(sql);
    const std::vector<qsizetype> marcas = Marcas(forma->texto);
    if (marcas.size() != forma->literais.size()) {
        Falha("número de '?' diferente do número de valores levantados", texto);
    }
    if (forma->restantes < 0) {
        Falha("contagem negativa de literais restantes", texto);
    }
    // A text value is exactly what lies between its quotes, each doubled quote counted once.
    for (const LiteralSql& l : forma->literais) {
        if (l.tipo != LiteralSql::Tipo::Texto) {
            continue;
        }
        if (l.inicio < 1 || l.tamanho < 0 || l.inicio + l.tamanho >= sql.size()) {
            Falha("texto levantado fora do comando", texto);
        }
        const char aspa = sql.at(l.inicio - 1);
        if ((aspa != '\'' && aspa != '"') || sql.at(l.inicio + l.tamanho) != aspa) {
            Falha("texto levantado não está entre aspas", texto);
        }
        const QByteArray bruto = sql.mid(l.inicio, l.tamanho);
        const QByteArray dupla(2, aspa);
        if (bruto.count(aspa) % 2 != 0 ||
            TextoLiteral(sql, l) != QByteArray(bruto).replace(dupla, QByteArray(1, aspa))) {
            Falha("valor de texto levantado difere do literal", texto);
        }
    }
    QByteArray reescrito;
    qsizetype copiado = 0;
    for (std::size_t i = 0; i < marcas.size(); ++i) {
        reescrito += forma->texto.mid(copiado, marcas[i] - copiado);
        reescrito += Literal(sql, forma->literais[i]);
        copiado = marcas[i] + 1;
    }
    reescrito += forma->texto.mid(copiado);
    const std::optional<FormaSql> denovo = ExtraiLiterais(reescrito);
    if (!denovo || denovo->texto != forma->texto || denovo->literais.size() != forma->literais.size()) {
        Falha("os valores escritos de volta não dão a mesma forma",
              texto + QStringLiteral("\nREESCRITO: ") + QString::fromLatin1(reescrito));
    }
    for (std::size_t i = 0; i < forma->literais.size(); ++i) {
        if (!Iguais(sql, forma->literais[i], reescrito, denovo->literais[i])) {
            Falha("um valor mudou ao ser escrito de volta",
                  texto + QStringLiteral("\nREESCRITO: ") + QString::fromLatin1(reescrito));
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
        if (nome.isEmpty() || nome != nome.toUpper()) {
            Falha("nome de parâmetro vazio ou não maiúsculo", sql);
        }
    }
    // Every :NAME became a '?': the rewritten text holds no named parameter any more.
    if (!AnalisaSql(analisada.texto).parametros.isEmpty()) {
        Falha("parâmetro nomeado restou após a troca por '?'", sql);
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
    VerificaLiterais(bytes);
    return 0;
}
