#include "TQueryDestino.h"

#include "ConexaoImpl.h"
#include "Cp1252.h"
#include "EBancoDestino.h"
#include "FormatoDestino.h"
#include "LexicoSql.h"
#include "SqlMontada.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <unordered_map>
#include <vector>

using namespace Firebird;
using fbapi::Ref;
using fbapi::Status;

namespace {

constexpr unsigned kCharsetWin1252 = 53;
constexpr unsigned kCharsetOctets = 1;
constexpr unsigned kTamanhoMinimoTexto = 32;
constexpr unsigned kTamanhoMaximoTexto = 32765;

/// A parameter value as the caller gave it; the engine converts it to the column's type.
struct Valor {
    enum class Tipo { Nulo, Texto, Inteiro, Double, DataHora };
    Tipo tipo = Tipo::Nulo;
    QByteArray texto; // CP1252
    qint64 inteiro = 0;
    int escala = 0; // an exact number is inteiro * 10^escala
    double real = 0.0;
    ISC_DATE dia = 0;
    ISC_TIME hora = 0;
};

/// The type of one position of the input message we send.
struct Descritor {
    unsigned tipo = 0;
    unsigned tamanho = 0;
    int escala = 0;
    int subtipo = 0;
    unsigned charset = 0;
    unsigned offset = 0;
    unsigned offsetNulo = 0;
    bool MesmoTipo(const Descritor& o) const {
        return tipo == o.tipo && tamanho == o.tamanho && escala == o.escala && subtipo == o.subtipo &&
               charset == o.charset;
    }
};

struct Coluna {
    QString nome;
    unsigned tipo = 0;
    int subtipo = 0;
    int escala = 0;
    unsigned tamanho = 0;
    unsigned charset = 0;
    unsigned offset = 0;
    unsigned offsetNulo = 0;
};

template <typename T> T Le(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename T> void Grava(unsigned char* p, T v) {
    std::memcpy(p, &v, sizeof v);
}

EConversao ErroValor(const QString& texto, const char* tipo) {
    return EConversao(QStringLiteral("'%1' não é um valor %2 válido.").arg(texto, QLatin1String(tipo)));
}

/// A prepared statement with the layout of its messages.
struct Preparada {
    /// The query whose result (an open cursor or a single row) lives in this statement's
    /// buffers; no other query may run it meanwhile.
    const void* emUso = nullptr;
    Ref<IStatement> instrucao;
    bool temCursor = false;
    Ref<IMessageMetadata> entradaDescrita;
    std::vector<Descritor> descritos;
    Ref<IMessageMetadata> entrada; // the layout of the values we send, rebuilt when their types change
    std::vector<Descritor> enviados;
    std::vector<unsigned char> bufEntrada;

    Ref<IMessageMetadata> saida;
    std::vector<Coluna> colunas;
    QHash<QString, int> indiceColuna;
    std::vector<unsigned char> bufSaida;
};

/// Prepared statements a connection keeps for its queries, by engine text, so that a text run
/// again (or a text of the same shape once its literals are lifted) is not prepared again.
constexpr std::size_t kMaximoGuardadas = 128;
constexpr qsizetype kMaximoRecusadas = 256;

/// Only statements that read or write rows are kept prepared between texts; DDL and anything
/// else is prepared for its own run, so it never acts on stale metadata.
bool Reutilizavel(const QString& primeiraPalavra) {
    return primeiraPalavra == QLatin1String("INSERT") || primeiraPalavra == QLatin1String("UPDATE") ||
           primeiraPalavra == QLatin1String("DELETE") || primeiraPalavra == QLatin1String("SELECT");
}

/// Whether a literal compared with a column may travel converted to the column's type: only
/// when that conversion loses nothing, so the comparison decides exactly as with the literal.
bool ComparacaoSemPerda(const LiteralSql& l, const Descritor& d) {
    switch (l.tipo) {
    case LiteralSql::Tipo::Texto:
        // (a doubled quote only makes the literal longer than its value)
        return (d.tipo == SQL_TEXT || d.tipo == SQL_VARYING) && (d.charset == kCharsetWin1252 || d.charset == 0) &&
               static_cast<unsigned>(l.tamanho) <= d.tamanho;
    case LiteralSql::Tipo::Numero: {
        if (d.tipo == SQL_DOUBLE || d.tipo == SQL_D_FLOAT) {
            return true; // both sides are compared as doubles either way
        }
        if (d.tipo != SQL_SHORT && d.tipo != SQL_LONG && d.tipo != SQL_INT64) {
            return false;
        }
        if (l.escala < d.escala) {
            return false;
        }
        qint64 v = l.numero;
        for (int e = l.escala; e > d.escala; --e) {
            if (v > std::numeric_limits<qint64>::max() / 10 || v < std::numeric_limits<qint64>::min() / 10) {
                return false;
            }
            v *= 10;
        }
        if (d.tipo == SQL_SHORT) {
            return v >= std::numeric_limits<qint16>::min() && v <= std::numeric_limits<qint16>::max();
        }
        if (d.tipo == SQL_LONG) {
            return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
        }
        return true;
    }
    case LiteralSql::Tipo::Nulo:
        return false;
    }
    return false;
}

/// An exact value with fewer decimals written at a finer scale converts to the same double;
/// true (and the rescaled value) when it stays below 2^53, where that holds.
bool Reescala(qint64 valor, int de, int para, qint64& resultado) {
    constexpr qint64 kLimite = qint64{1} << 53;
    if (para > de || para < -18) {
        return false;
    }
    for (int e = de; e > para; --e) {
        if (valor >= kLimite / 10 || valor <= -kLimite / 10) {
            return false;
        }
        valor *= 10;
    }
    resultado = valor;
    return true;
}

} // namespace

struct CacheInstrucoes {
    struct HashTexto {
        std::size_t operator()(const QByteArray& texto) const noexcept { return qHash(texto); }
    };
    struct Guardada {
        std::shared_ptr<Preparada> preparada;
        quint64 uso = 0;
    };
    std::unordered_map<QByteArray, Guardada, HashTexto> guardadas;
    quint64 relogio = 0;
    /// Shapes whose parameterised text the engine refused while the literal text prepared.
    QSet<QByteArray> recusadas;
    /// Changes whenever kept statements are dropped (what a query remembers of them is then void).
    quint64 geracao = 0;

    /// Drops the kept statements no query's result lives in.
    void Descarta() noexcept {
        ++geracao;
        for (auto it = guardadas.begin(); it != guardadas.end();) {
            if (it->second.preparada->emUso == nullptr) {
                it = guardadas.erase(it);
            } else {
                ++it;
            }
        }
        recusadas.clear();
    }
};

void ExcluiCacheInstrucoes::operator()(CacheInstrucoes* cache) const noexcept {
    delete cache;
}

struct TQueryDestino::Impl {
    explicit Impl(TConexaoDestino::Impl& c) : conexao(&c), acelera(!SemAceleracao()) {}

    TConexaoDestino::Impl* conexao; // null once the connection is gone
    const bool acelera;
    QString sql;
    QByteArray textoMotor; // CP1252 text with '?' for the parameters
    ComandoTransacao comando = ComandoTransacao::Nenhum;
    bool reutilizavel = false;
    std::optional<FormaSql> forma;           // the text with its literals lifted, when any could be
    /// The statement came put together (SetSQL(TSqlMontada)): forma holds its pieces and values,
    /// whose texts lie in bytesMontados; sql and textoMotor are written from `montada` only when
    /// the text as written is needed.
    bool deMontada = false;
    bool escritaPendente = false;
    TSqlMontada montada;
    QByteArray bytesMontados;
    std::vector<LiteralSql> literaisMontados;
    /// Shapes of put-together statements found fit to bind values to, in the order first seen
    /// (the oldest leaves when there are too many).
    static constexpr std::size_t kFormasMontaveis = 64;
    std::vector<QByteArray> formasMontaveis;
    QStringList nomes;                       // distinct parameter names, upper-cased
    std::vector<std::size_t> valorDaPosicao; // per '?': index into valores
    std::vector<Valor> valores;

    /// The statement of the text as written (DDL, a literal text whose shape the engine refused,
    /// or every text when the faster path is off); kept while the text stays the same.
    std::shared_ptr<Preparada> propria;
    QByteArray textoPropria;
    std::shared_ptr<Preparada> atual; // the statement last executed or opened
    bool usouForma = false;           // atual runs the text with its literals lifted
    /// The kept statement this query used last and its text: a writer's next row usually has the
    /// same shape, found again without hashing the text.
    QByteArray ultimoTexto;
    std::shared_ptr<Preparada> ultimaGuardada;
    quint64 ultimaGeracao = 0;

    Ref<IResultSet> cursor;
    bool aberta = false;
    bool eof = true;
    qint64 preparacoes = 0;

    TConexaoDestino::Impl& Conexao() const {
        if (conexao == nullptr) {
            throw EBancoDestino(QStringLiteral("A conexão com o banco de destino não existe mais."), {});
        }
        return *conexao;
    }

    void FechaCursor() noexcept {
        if (atual && atual->emUso == this) {
            atual->emUso = nullptr;
        }
        if (cursor) {
            Status st;
            cursor->close(&st);
            if (st.Erro()) {
                cursor.reset();
            } else {
                cursor.abandona();
            }
        }
        aberta = false;
        eof = true;
    }

    void LiberaInstrucao() noexcept {
        FechaCursor();
        atual.reset();
        ultimaGuardada.reset();
        ultimoTexto.clear();
        propria.reset();
        textoPropria.clear();
    }

    CacheInstrucoes& Cache() {
        TConexaoDestino::Impl& c = Conexao();
        if (!c.instrucoes) {
            c.instrucoes.reset(new CacheInstrucoes);
        }
        return *c.instrucoes;
    }

    /// Writes the text of a put-together statement, when it has not been written yet.
    void Escreve() {
        if (escritaPendente) {
            sql = montada.ComoTexto();
            textoMotor = ParaCp1252(sql);
            escritaPendente = false;
        }
    }

    /// Whether the pieces can be the shape the values are bound to: a row statement, ASCII (the
    /// shape is sent as it stands), every '?' a value's and no ':' that would read as a named
    /// parameter in the text as written.
    static bool FormaMontavel(const TSqlMontada& m) {
        const QByteArrayView f = m.Forma();
        std::size_t marcas = 0;
        bool ascii = true;
        for (const char c : f) {
            marcas += c == '?' ? 1 : 0;
            ascii = ascii && c > 0 && c != ':';
        }
        if (!ascii || marcas != m.Valores().size()) {
            return false;
        }
        return Reutilizavel(PrimeiraPalavra(QString::fromLatin1(f)));
    }

    /// Takes a put-together statement: its pieces as the shape, its values as the shape's lifted
    /// literals. False (nothing changed) when it must run as a text: pieces that are not a row
    /// statement's, no values, or a value the lexer would have left in the text.
    bool Monta(TSqlMontada&& m) {
        if (m.Valores().empty()) {
            return false;
        }
        const bool mesmaForma = deMontada && forma && forma->texto == m.Forma();
        const QByteArray* conhecida = nullptr;
        if (!mesmaForma) {
            // A writer's statements come in a few shapes (the columns a record fills), each
            // checked once and kept.
            const auto it = std::find(formasMontaveis.cbegin(), formasMontaveis.cend(), m.Forma());
            if (it != formasMontaveis.cend()) {
                conhecida = &*it;
            } else if (!FormaMontavel(m)) {
                return false;
            } else {
                if (formasMontaveis.size() >= kFormasMontaveis) {
                    formasMontaveis.erase(formasMontaveis.begin());
                }
                conhecida = &formasMontaveis.emplace_back(m.Forma().toByteArray());
            }
        }
        valores.clear(); // they point into the old bytes
        const auto recusa = [this] {
            // What was held is void now: the text SetSQL takes next is analysed anew.
            FechaCursor();
            atual.reset();
            forma.reset();
            sql.clear();
            deMontada = false;
            return false;
        };
        qsizetype total = 0;
        for (const TSqlMontada::Valor& v : m.Valores()) {
            total += v.tipo == TSqlMontada::Valor::Tipo::Texto ? v.texto.size() : 0;
        }
        bytesMontados.resize(total);
        char* const bytes = bytesMontados.data();
        std::vector<LiteralSql>& literais = literaisMontados;
        literais.clear();
        qsizetype escritos = 0;
        for (const TSqlMontada::Valor& v : m.Valores()) {
            if (v.tipo == TSqlMontada::Valor::Tipo::Numero) {
                std::optional<LiteralSql> numero = NumeroLiteral(v.texto);
                if (!numero) {
                    return recusa();
                }
                literais.push_back(*numero);
                continue;
            }
            LiteralSql& texto = literais.emplace_back();
            texto.tipo = LiteralSql::Tipo::Texto;
            texto.inicio = escritos;
            texto.tamanho = EscreveCp1252(v.texto, bytes + escritos);
            escritos += texto.tamanho;
            if (texto.tamanho > kTamanhoMaximoTexto) {
                return recusa(); // longer than a parameter can be: the engine judges the literal
            }
        }
        bytesMontados.truncate(escritos);
        FechaCursor();
        atual.reset();
        if (!mesmaForma) {
            forma.emplace();
            forma->texto = *conhecida;
            comando = ComandoTransacao::Nenhum;
            reutilizavel = true;
            nomes.clear();
            valorDaPosicao.clear();
        }
        forma->literais.swap(literais); // the old ones stay as room for the next statement
        deMontada = true;
        montada = std::move(m);
        escritaPendente = true;
        return true;
    }

    std::size_t IndiceParametro(const QString& nome) const {
        const qsizetype i = IndiceNome(nome);
        if (i < 0) {
            throw EConversao(QStringLiteral("Parâmetro '%1' não encontrado na instrução SQL.").arg(nome));
        }
        return static_cast<std::size_t>(i);
    }

    /// The position of the name among nomes (upper-cased), -1 when none. Names are ASCII as a rule
    /// and are compared as they stand, without making an upper-cased copy for every value set.
    qsizetype IndiceNome(const QString& nome) const {
        const auto ascii = [](QChar c) { return c.unicode() < 0x80; };
        if (!std::all_of(nome.cbegin(), nome.cend(), ascii)) {
            return nomes.indexOf(nome.toUpper());
        }
        const auto maiuscula = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
        for (qsizetype i = 0; i < nomes.size(); ++i) {
            const QString& n = nomes[i];
            if (n.size() == nome.size() &&
                std::equal(n.cbegin(), n.cend(), nome.cbegin(),
                           [&](QChar a, QChar b) { return a.unicode() == maiuscula(b.unicode()); })) {
                return i;
            }
        }
        return -1;
    }

    Valor& Parametro(const QString& nome) {
        Valor& v = valores[IndiceParametro(nome)];
        v = Valor{};
        return v;
    }

    std::shared_ptr<Preparada> Prepara(const QByteArray& texto, ITransaction* tra) {
        Status st;
        IAttachment* a = Conexao().Anexo();
        Ref<IStatement> nova(a->prepare(&st, tra, static_cast<unsigned>(texto.size()), texto.constData(),
                                        static_cast<unsigned>(Conexao().dialeto),
                                        IStatement::PREPARE_PREFETCH_METADATA));
        st.Verifica();
        ++preparacoes;
        auto p = std::make_shared<Preparada>();
        p->temCursor = (nova->getFlags(&st) & IStatement::FLAG_HAS_CURSOR) != 0;
        st.Verifica();

        Ref<IMessageMetadata> in(nova->getInputMetadata(&st));
        st.Verifica();
        std::vector<Descritor> desc(in->getCount(&st));
        for (unsigned i = 0; i < desc.size(); ++i) {
            desc[i].tipo = in->getType(&st, i);
            desc[i].tamanho = in->getLength(&st, i);
            desc[i].escala = in->getScale(&st, i);
            desc[i].subtipo = in->getSubType(&st, i);
            desc[i].charset = in->getCharSet(&st, i);
        }
        st.Verifica();

        Ref<IMessageMetadata> out(nova->getOutputMetadata(&st));
        st.Verifica();
        std::vector<Coluna> cols(out->getCount(&st));
        QHash<QString, int> indice;
        for (unsigned i = 0; i < cols.size(); ++i) {
            Coluna& c = cols[i];
            const char* alias = out->getAlias(&st, i);
            c.nome = alias != nullptr ? DeCp1252(alias, static_cast<qsizetype>(std::strlen(alias))) : QString();
            c.tipo = out->getType(&st, i);
            c.subtipo = out->getSubType(&st, i);
            c.escala = out->getScale(&st, i);
            c.tamanho = out->getLength(&st, i);
            c.charset = out->getCharSet(&st, i);
            c.offset = out->getOffset(&st, i);
            c.offsetNulo = out->getNullOffset(&st, i);
        }
        for (int i = static_cast<int>(cols.size()) - 1; i >= 0; --i) {
            indice.insert(cols[static_cast<std::size_t>(i)].nome.toUpper(), i); // the first of equal aliases wins
        }
        const unsigned tamanhoSaida = out->getMessageLength(&st);
        st.Verifica();

        p->instrucao = std::move(nova);
        p->entradaDescrita = std::move(in);
        p->descritos = std::move(desc);
        p->saida = std::move(out);
        p->colunas = std::move(cols);
        p->indiceColuna = std::move(indice);
        p->bufSaida.assign(tamanhoSaida, 0);
        return p;
    }

    const std::shared_ptr<Preparada>& PreparaPropria(ITransaction* tra) {
        Escreve();
        if (!propria || textoPropria != textoMotor) {
            propria.reset();
            textoPropria.clear();
            propria = Prepara(textoMotor, tra);
            textoPropria = textoMotor;
        }
        return propria;
    }

    /// The connection's kept statement for an engine text, prepared and kept first when new (the
    /// least recently used one not in use leaves when there are too many). Null when another
    /// query's result still lives in it. With recusavel, a text the engine refuses is judged by
    /// the literal text instead: its error is the one raised; when it prepares, the shape is
    /// remembered as refused and null returned, as it is for a shape refused before (a refused
    /// shape is never kept, so only a text not kept is looked for among them).
    std::shared_ptr<Preparada> PreparadaGuardada(const QByteArray& texto, ITransaction* tra, bool recusavel) {
        CacheInstrucoes& cache = Cache();
        if (ultimaGuardada && ultimaGeracao == cache.geracao && texto == ultimoTexto) {
            return ultimaGuardada->emUso != nullptr ? nullptr : ultimaGuardada;
        }
        const auto lembra = [&](const std::shared_ptr<Preparada>& p) {
            ultimoTexto = texto;
            ultimaGuardada = p;
            ultimaGeracao = cache.geracao;
            return p;
        };
        const auto it = cache.guardadas.find(texto);
        if (it != cache.guardadas.end()) {
            it->second.uso = ++cache.relogio;
            if (it->second.preparada->emUso != nullptr) {
                return nullptr;
            }
            return lembra(it->second.preparada);
        }
        if (recusavel && cache.recusadas.contains(texto)) {
            return nullptr;
        }
        std::shared_ptr<Preparada> nova;
        try {
            nova = Prepara(texto, tra);
        } catch (const EBancoDestino&) {
            if (!recusavel) {
                throw;
            }
            PreparaPropria(tra);
            if (cache.recusadas.size() >= kMaximoRecusadas) {
                cache.recusadas.clear();
            }
            cache.recusadas.insert(texto);
            return nullptr;
        }
        if (cache.guardadas.size() >= kMaximoGuardadas) {
            auto velha = cache.guardadas.end();
            for (auto g = cache.guardadas.begin(); g != cache.guardadas.end(); ++g) {
                if (g->second.preparada->emUso == nullptr &&
                    (velha == cache.guardadas.end() || g->second.uso < velha->second.uso)) {
                    velha = g;
                }
            }
            if (velha != cache.guardadas.end()) {
                cache.guardadas.erase(velha); // a query still holding it keeps it alive
            }
        }
        cache.guardadas.emplace(texto, CacheInstrucoes::Guardada{nova, ++cache.relogio});
        return lembra(nova);
    }

    /// The lifted literals as the values of the shape's positions; false when one of them would
    /// not behave there exactly as the literal does.
    bool VinculaLiterais(const Preparada& p) {
        const std::vector<LiteralSql>& literais = forma->literais;
        if (p.descritos.size() != literais.size()) {
            return false;
        }
        const QByteArray& base = deMontada ? bytesMontados : textoMotor;
        valores.resize(literais.size());
        valorDaPosicao.resize(literais.size());
        for (std::size_t i = 0; i < literais.size(); ++i) {
            const LiteralSql& l = literais[i];
            const Descritor& d = p.descritos[i];
            if (l.atribuicao ? d.tipo == SQL_ARRAY : !ComparacaoSemPerda(l, d)) {
                return false;
            }
            valorDaPosicao[i] = i;
            Valor& v = valores[i];
            v = Valor{};
            switch (l.tipo) {
            case LiteralSql::Tipo::Nulo:
                break;
            case LiteralSql::Tipo::Texto:
                v.tipo = Valor::Tipo::Texto;
                // Without doubled quotes the value is the literal's own bytes in the text, which
                // stays as it is until the next SetSQL clears these values.
                v.texto = l.aspasDobradas ? TextoLiteral(base, l)
                                          : QByteArray::fromRawData(base.constData() + l.inicio, l.tamanho);
                break;
            case LiteralSql::Tipo::Numero:
                v.tipo = Valor::Tipo::Inteiro;
                v.inteiro = l.numero;
                v.escala = l.escala;
                break;
            }
        }
        return true;
    }

    /// Chooses (preparing when needed) the statement this run of the text goes through.
    Preparada& EscolhePreparada(ITransaction* tra) {
        atual.reset();
        usouForma = false;
        if (!acelera) {
            return *(atual = PreparaPropria(tra));
        }
        if (!reutilizavel) {
            // DDL and the like may change what the kept statements were compiled against.
            Cache().Descarta();
            return *(atual = PreparaPropria(tra));
        }
        if (forma && !forma->literais.empty()) {
            std::shared_ptr<Preparada> p = PreparadaGuardada(forma->texto, tra, true);
            if (p && VinculaLiterais(*p)) {
                usouForma = true;
                return *(atual = std::move(p));
            }
            return *(atual = PreparaPropria(tra));
        }
        if (!forma || forma->restantes == 0) {
            // A text without literal values.
            if (std::shared_ptr<Preparada> p = PreparadaGuardada(textoMotor, tra, false)) {
                return *(atual = std::move(p));
            }
        }
        return *(atual = PreparaPropria(tra));
    }

    /// The descriptor a value travels with: its own type, so the engine converts it exactly
    /// as it would convert a literal (a text for a DATE column, a double for an INTEGER).
    static Descritor DescritorPara(const Preparada& p, const Valor& v, std::size_t posicao) {
        Descritor d;
        const Descritor& desc = p.descritos[posicao];
        const Descritor* enviado = posicao < p.enviados.size() ? &p.enviados[posicao] : nullptr;
        switch (v.tipo) {
        case Valor::Tipo::Nulo:
            return enviado != nullptr ? *enviado : desc;
        case Valor::Tipo::Texto: {
            const unsigned tamanho = static_cast<unsigned>(v.texto.size());
            if (enviado != nullptr && enviado->tipo == SQL_VARYING && enviado->charset == kCharsetWin1252 &&
                enviado->tamanho >= tamanho) {
                return *enviado;
            }
            const bool descritoTexto = desc.tipo == SQL_TEXT || desc.tipo == SQL_VARYING;
            d.tipo = SQL_VARYING;
            d.tamanho = std::max({tamanho, descritoTexto ? desc.tamanho : 0u, kTamanhoMinimoTexto});
            d.charset = kCharsetWin1252;
            return d;
        }
        case Valor::Tipo::Inteiro: {
            d.tipo = SQL_INT64;
            d.tamanho = sizeof(ISC_INT64);
            d.escala = v.escala;
            // Into a double column the value may keep the finer scale already sent (the same
            // double comes out), so prices of 1 and 2 decimals do not rebuild the message.
            qint64 reescalado = 0;
            if (enviado != nullptr && enviado->tipo == SQL_INT64 &&
                (desc.tipo == SQL_DOUBLE || desc.tipo == SQL_FLOAT) &&
                Reescala(v.inteiro, v.escala, enviado->escala, reescalado)) {
                d.escala = enviado->escala;
            }
            return d;
        }
        case Valor::Tipo::Double:
            d.tipo = SQL_DOUBLE;
            d.tamanho = sizeof(double);
            return d;
        case Valor::Tipo::DataHora:
            d.tipo = SQL_TIMESTAMP;
            d.tamanho = sizeof(ISC_TIMESTAMP);
            return d;
        }
        return d;
    }

    /// Builds the input message, rebuilding its layout only when a value's type changed.
    void MontaEntrada(Preparada& p) {
        const std::size_t n = p.descritos.size();
        if (n == 0) {
            return;
        }
        static const Valor kNulo;
        auto valorDe = [&](std::size_t i) -> const Valor& {
            return i < valorDaPosicao.size() ? valores[valorDaPosicao[i]] : kNulo; // unnamed '?' stays NULL
        };
        desejados.resize(n);
        bool muda = !p.entrada || p.enviados.size() != n;
        for (std::size_t i = 0; i < n; ++i) {
            desejados[i] = DescritorPara(p, valorDe(i), i);
            if (!muda && !desejados[i].MesmoTipo(p.enviados[i])) {
                muda = true;
            }
        }
        if (muda) {
            Status st;
            Ref<IMetadataBuilder> b(p.entradaDescrita->getBuilder(&st));
            st.Verifica();
            for (unsigned i = 0; i < n; ++i) {
                const Descritor& d = desejados[i];
                if (d.tamanho > kTamanhoMaximoTexto && d.tipo == SQL_VARYING) {
                    throw EConversao(QStringLiteral("Texto longo demais para o parâmetro %1.").arg(i + 1));
                }
                b->setType(&st, i, d.tipo | 1u); // the low bit keeps the position nullable
                b->setSubType(&st, i, d.subtipo);
                b->setLength(&st, i, d.tamanho);
                b->setScale(&st, i, d.escala);
                b->setCharSet(&st, i, d.charset);
            }
            st.Verifica();
            Ref<IMessageMetadata> meta(b->getMetadata(&st));
            st.Verifica();
            for (unsigned i = 0; i < n; ++i) {
                desejados[i].offset = meta->getOffset(&st, i);
                desejados[i].offsetNulo = meta->getNullOffset(&st, i);
            }
            const unsigned tamanho = meta->getMessageLength(&st);
            st.Verifica();
            p.entrada = std::move(meta);
            p.enviados = desejados;
            p.bufEntrada.assign(tamanho, 0);
        }
        unsigned char* buf = p.bufEntrada.data();
        for (std::size_t i = 0; i < n; ++i) {
            const Valor& v = valorDe(i);
            const Descritor& d = p.enviados[i];
            const bool nulo = v.tipo == Valor::Tipo::Nulo;
            Grava<ISC_SHORT>(buf + d.offsetNulo, nulo ? -1 : 0);
            unsigned char* q = buf + d.offset;
            switch (v.tipo) {
            case Valor::Tipo::Nulo:
                break;
            case Valor::Tipo::Texto:
                Grava<ISC_USHORT>(q, static_cast<ISC_USHORT>(v.texto.size()));
                std::memcpy(q + sizeof(ISC_USHORT), v.texto.constData(), static_cast<std::size_t>(v.texto.size()));
                break;
            case Valor::Tipo::Inteiro: {
                qint64 valor = v.inteiro;
                if (d.escala != v.escala) {
                    Reescala(v.inteiro, v.escala, d.escala, valor);
                }
                Grava<ISC_INT64>(q, valor);
                break;
            }
            case Valor::Tipo::Double:
                Grava<double>(q, v.real);
                break;
            case Valor::Tipo::DataHora:
                Grava<ISC_DATE>(q, v.dia);
                Grava<ISC_TIME>(q + sizeof(ISC_DATE), v.hora);
                break;
            }
        }
    }
    std::vector<Descritor> desejados; // scratch for MontaEntrada

    /// Runs COMMIT / ROLLBACK texts on our transaction object; true when the text was one.
    bool ExecutaComandoTransacao() {
        TConexaoDestino::Impl& c = Conexao();
        switch (comando) {
        case ComandoTransacao::Nenhum:
            return false;
        case ComandoTransacao::Confirma:
            c.Anexo();
            c.Confirma();
            return true;
        case ComandoTransacao::Cancela:
            c.Anexo();
            c.Cancela();
            return true;
        case ComandoTransacao::ConfirmaRetendo:
            c.ConfirmaRetendo();
            return true;
        case ComandoTransacao::CancelaRetendo:
            c.CancelaRetendo();
            return true;
        }
        return false;
    }

    ITransaction* PreparaParaExecutar() {
        if (!deMontada && std::all_of(textoMotor.cbegin(), textoMotor.cend(),
                        [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); })) {
            throw EConversao(QStringLiteral("A instrução SQL está vazia."));
        }
        ITransaction* tra = Conexao().TransacaoAtiva();
        MontaEntrada(EscolhePreparada(tra));
        return tra;
    }

    /// A value lifted out of the text that the engine could not take as a parameter (a
    /// conversion error raised while reading the input message, before the statement ran).
    bool ErroDosValores(const EBancoDestino& e) const {
        const std::vector<long>& c = e.Codigos();
        return usouForma && c.size() >= 2 && c[0] == isc_dsql_error && c[1] == isc_sqlerr;
    }

    void ExecutaPreparada(ITransaction* tra) {
        Preparada& p = *atual;
        Status st;
        IMessageMetadata* in = p.enviados.empty() ? nullptr : p.entrada.get();
        void* inBuf = p.enviados.empty() ? nullptr : p.bufEntrada.data();
        if (p.temCursor) {
            // A select run for its effect: open and close it.
            Ref<IResultSet> rs(p.instrucao->openCursor(&st, tra, in, inBuf, p.saida.get(), 0));
            st.Verifica();
            rs->close(&st);
            st.Verifica();
            rs.abandona();
            return;
        }
        const bool comSaida = !p.colunas.empty();
        p.instrucao->execute(&st, tra, in, inBuf, comSaida ? p.saida.get() : nullptr,
                             comSaida ? p.bufSaida.data() : nullptr);
        st.Verifica();
    }

    void AbrePreparada(ITransaction* tra) {
        Preparada& p = *atual;
        Status st;
        IMessageMetadata* in = p.enviados.empty() ? nullptr : p.entrada.get();
        void* inBuf = p.enviados.empty() ? nullptr : p.bufEntrada.data();
        if (p.temCursor) {
            Ref<IResultSet> rs(p.instrucao->openCursor(&st, tra, in, inBuf, p.saida.get(), 0));
            st.Verifica();
            cursor = std::move(rs);
            aberta = true;
            eof = false;
            p.emUso = this;
            Proximo();
            return;
        }
        if (p.colunas.empty()) {
            Escreve();
            throw EConversao(QStringLiteral("A instrução não devolve linhas: %1").arg(sql.trimmed()));
        }
        // EXECUTE PROCEDURE or ... RETURNING: a single row.
        p.instrucao->execute(&st, tra, in, inBuf, p.saida.get(), p.bufSaida.data());
        st.Verifica();
        aberta = true;
        eof = false;
        p.emUso = this;
    }

    /// Runs the statement; when a lifted value is what the engine refused, the text as written
    /// runs instead, so the outcome and the message are the literal's own.
    template <typename Acao> void ComoEscrito(Acao acao) {
        ITransaction* tra = PreparaParaExecutar();
        try {
            (this->*acao)(tra);
        } catch (const EBancoDestino& e) {
            if (!ErroDosValores(e)) {
                throw;
            }
            FechaCursor();
            usouForma = false;
            atual = PreparaPropria(tra);
            MontaEntrada(*atual);
            (this->*acao)(tra);
        }
    }

    void Executa() {
        FechaCursor();
        if (ExecutaComandoTransacao()) {
            return;
        }
        ComoEscrito(&Impl::ExecutaPreparada);
    }

    void Abre() {
        FechaCursor();
        if (comando != ComandoTransacao::Nenhum) {
            throw EConversao(QStringLiteral("A instrução '%1' não devolve linhas.").arg(sql.trimmed()));
        }
        ComoEscrito(&Impl::AbrePreparada);
    }

    void Proximo() {
        if (!aberta || eof) {
            return;
        }
        if (!cursor) {
            eof = true; // the single row of a statement without cursor
            return;
        }
        Status st;
        const int r = cursor->fetchNext(&st, atual->bufSaida.data());
        st.Verifica();
        if (r != IStatus::RESULT_OK) {
            eof = true;
        }
    }

    const Coluna& ColunaDe(const QString& nome) const {
        if (atual) {
            const auto it = atual->indiceColuna.constFind(nome.toUpper());
            if (it != atual->indiceColuna.constEnd()) {
                return atual->colunas[static_cast<std::size_t>(it.value())];
            }
        }
        throw EConversao(QStringLiteral("Campo '%1' não encontrado.").arg(nome));
    }

    /// The column's data in the current row, or null when NULL or there is no row.
    const unsigned char* Dado(const Coluna& c) const {
        if (!aberta || eof) {
            return nullptr;
        }
        const unsigned char* buf = atual->bufSaida.data();
        if (Le<ISC_SHORT>(buf + c.offsetNulo) != 0) {
            return nullptr;
        }
        return buf + c.offset;
    }

    QByteArray LeBlob(const unsigned char* p) const {
        ISC_QUAD id = Le<ISC_QUAD>(p);
        Status st;
        TConexaoDestino::Impl& c = Conexao();
        Ref<IBlob> blob(c.Anexo()->openBlob(&st, c.TransacaoAtiva(), &id, 0, nullptr));
        st.Verifica();
        QByteArray r;
        char segmento[16384];
        for (;;) {
            unsigned lido = 0;
            const int estado = blob->getSegment(&st, sizeof segmento, segmento, &lido);
            st.Verifica();
            if (estado != IStatus::RESULT_OK && estado != IStatus::RESULT_SEGMENT) {
                break;
            }
            r.append(segmento, static_cast<qsizetype>(lido));
        }
        blob->close(&st);
        st.Verifica();
        blob.abandona();
        return r;
    }

    static QString TextoDeBytes(const char* p, qsizetype n, unsigned charset) {
        if (charset == kCharsetOctets) {
            return QString::fromLatin1(p, n);
        }
        return DeCp1252(p, n);
    }

    QString Texto(const Coluna& c) const {
        const unsigned char* p = Dado(c);
        if (p == nullptr) {
            return {};
        }
        switch (c.tipo) {
        case SQL_TEXT: {
            const char* s = reinterpret_cast<const char*>(p);
            qsizetype n = static_cast<qsizetype>(c.tamanho);
            while (n > 0 && s[n - 1] == ' ') {
                --n; // CHAR comes padded with blanks
            }
            return TextoDeBytes(s, n, c.charset);
        }
        case SQL_VARYING:
            return TextoDeBytes(reinterpret_cast<const char*>(p + sizeof(ISC_USHORT)), Le<ISC_USHORT>(p), c.charset);
        case SQL_SHORT:
            return formato::TextoEscalado(Le<ISC_SHORT>(p), c.escala);
        case SQL_LONG:
            return formato::TextoEscalado(Le<ISC_LONG>(p), c.escala);
        case SQL_INT64:
            return formato::TextoEscalado(Le<ISC_INT64>(p), c.escala);
        case SQL_FLOAT:
            return formato::TextoDouble(Le<float>(p));
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return formato::TextoDouble(Le<double>(p));
        case SQL_TIMESTAMP:
            return formato::TextoDataHora(Le<ISC_DATE>(p), Le<ISC_TIME>(p + sizeof(ISC_DATE)), true);
        case SQL_TYPE_DATE:
            return formato::TextoDataHora(Le<ISC_DATE>(p), 0, false);
        case SQL_TYPE_TIME:
            return formato::TextoHora(Le<ISC_TIME>(p));
        case SQL_BOOLEAN:
            return *p != 0 ? QStringLiteral("True") : QStringLiteral("False");
        case SQL_BLOB: {
            const QByteArray b = LeBlob(p);
            return TextoDeBytes(b.constData(), b.size(), c.subtipo == 1 ? c.charset : kCharsetOctets);
        }
        default:
            throw EConversao(
                QStringLiteral("Campo '%1' de tipo %2 não pode ser lido como texto.").arg(c.nome).arg(c.tipo));
        }
    }

    static double Escala(qint64 v, int escala) { return static_cast<double>(v) * std::pow(10.0, escala); }

    double Real(const Coluna& c) const {
        const unsigned char* p = Dado(c);
        if (p == nullptr) {
            return 0.0;
        }
        switch (c.tipo) {
        case SQL_SHORT:
            return Escala(Le<ISC_SHORT>(p), c.escala);
        case SQL_LONG:
            return Escala(Le<ISC_LONG>(p), c.escala);
        case SQL_INT64:
            return Escala(Le<ISC_INT64>(p), c.escala);
        case SQL_FLOAT:
            return Le<float>(p);
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return Le<double>(p);
        case SQL_TIMESTAMP:
            return formato::ParaTDateTime(Le<ISC_DATE>(p), Le<ISC_TIME>(p + sizeof(ISC_DATE)));
        case SQL_TYPE_DATE:
            return formato::ParaTDateTime(Le<ISC_DATE>(p), 0);
        case SQL_TYPE_TIME:
            return static_cast<double>(Le<ISC_TIME>(p)) / formato::kUnidadesPorDia;
        case SQL_BOOLEAN:
            return *p != 0 ? 1.0 : 0.0;
        default: {
            const QString t = Texto(c).trimmed();
            if (t.isEmpty()) {
                return 0.0;
            }
            bool ok = false;
            double v = t.toDouble(&ok);
            if (!ok) {
                v = QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            }
            if (!ok) {
                throw ErroValor(t, "numérico");
            }
            return v;
        }
        }
    }

    qint64 Inteiro(const Coluna& c) const {
        const unsigned char* p = Dado(c);
        if (p == nullptr) {
            return 0;
        }
        switch (c.tipo) {
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64: {
            const qint64 v = c.tipo == SQL_SHORT  ? Le<ISC_SHORT>(p)
                             : c.tipo == SQL_LONG ? Le<ISC_LONG>(p)
                                                  : Le<ISC_INT64>(p);
            return c.escala == 0 ? v : static_cast<qint64>(std::llround(Escala(v, c.escala)));
        }
        case SQL_VARYING:
        case SQL_TEXT:
        case SQL_BLOB: {
            const QString t = Texto(c).trimmed();
            if (t.isEmpty()) {
                return 0;
            }
            bool ok = false;
            const qint64 v = t.toLongLong(&ok);
            if (!ok) {
                throw ErroValor(t, "inteiro");
            }
            return v;
        }
        default: {
            const double v = Real(c);
            if (!(std::fabs(v) < 9.2e18)) {
                throw ErroValor(formato::TextoDouble(v), "inteiro");
            }
            return static_cast<qint64>(c.tipo == SQL_TIMESTAMP || c.tipo == SQL_TYPE_DATE ? std::trunc(v)
                                                                                          : std::llround(v));
        }
        }
    }

    TDateTime DataHora(const Coluna& c) const {
        const unsigned char* p = Dado(c);
        if (p == nullptr) {
            return 0.0;
        }
        if (c.tipo != SQL_VARYING && c.tipo != SQL_TEXT) {
            return Real(c);
        }
        const QString t = Texto(c).trimmed();
        if (t.isEmpty()) {
            return 0.0;
        }
        for (const char* formatoTexto : {"dd.MM.yyyy HH:mm:ss", "dd.MM.yyyy", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd"}) {
            const QDateTime dh = QDateTime::fromString(t, QLatin1String(formatoTexto));
            if (dh.isValid()) {
                const qint64 dia = dh.date().toJulianDay() - QDate(1899, 12, 30).toJulianDay();
                return static_cast<double>(dia) + dh.time().msecsSinceStartOfDay() / 86400000.0;
            }
        }
        throw ErroValor(t, "de data");
    }
};

// ---- hooks used by the connection ---------------------------------------------------------

void FechaCursorDaQuery(TQueryDestino::Impl& query) noexcept {
    query.FechaCursor();
}
void LiberaInstrucaoDaQuery(TQueryDestino::Impl& query) noexcept {
    query.LiberaInstrucao();
}
void DesligaQuery(TQueryDestino::Impl& query) noexcept {
    query.LiberaInstrucao();
    query.conexao = nullptr;
}

// ---- TQueryDestino ------------------------------------------------------------------------

bool SemAceleracao() {
    const QByteArray valor = qgetenv("TAVRIN_SEM_ACELERACAO");
    return !valor.isEmpty() && valor != "0";
}

TQueryDestino::TQueryDestino(TConexaoDestino& conexao) : m_impl(std::make_unique<Impl>(conexao.impl())) {
    conexao.impl().queries.push_back(m_impl.get());
}

TQueryDestino::~TQueryDestino() {
    m_impl->LiberaInstrucao();
    if (m_impl->conexao != nullptr) {
        auto& lista = m_impl->conexao->queries;
        std::erase(lista, m_impl.get());
    }
}

void TQueryDestino::SetSQL(const QString& sql) {
    Impl& q = *m_impl;
    q.FechaCursor();
    if (!q.deMontada && sql == q.sql) {
        return;
    }
    q.deMontada = false;
    q.escritaPendente = false;
    q.montada = TSqlMontada();
    q.atual.reset();
    q.propria.reset();
    q.textoPropria.clear();
    q.forma.reset();
    q.valores.clear(); // may point into the old text
    q.sql = sql;
    q.comando = ReconheceComandoTransacao(sql);
    q.reutilizavel = q.comando == ComandoTransacao::Nenhum && Reutilizavel(PrimeiraPalavra(sql));
    const SqlAnalisada analise = AnalisaSql(sql);
    q.textoMotor = ParaCp1252(analise.texto);
    q.nomes.clear();
    q.valorDaPosicao.clear();
    for (const QString& nome : analise.parametros) {
        qsizetype i = q.nomes.indexOf(nome);
        if (i < 0) {
            i = q.nomes.size();
            q.nomes << nome;
        }
        q.valorDaPosicao.push_back(static_cast<std::size_t>(i));
    }
    q.valores.assign(static_cast<std::size_t>(q.nomes.size()), Valor{});
    q.forma.reset();
    if (q.acelera && q.reutilizavel && analise.parametros.isEmpty()) {
        q.forma = ExtraiLiterais(q.textoMotor);
    }
}

void TQueryDestino::SetSQL(TSqlMontada sql) {
    if (!m_impl->acelera || !m_impl->Monta(std::move(sql))) {
        SetSQL(sql.ComoTexto()); // NOLINT(bugprone-use-after-move): Monta moves only when it takes it
    }
}

const QString& TQueryDestino::SQL() const {
    m_impl->Escreve();
    return m_impl->sql;
}

void TQueryDestino::LimpaSQL() {
    SetSQL(QString());
}

void TQueryDestino::ParamTexto(const QString& nome, const QString& valor) {
    Valor& v = m_impl->Parametro(nome);
    v.tipo = Valor::Tipo::Texto;
    v.texto = ParaCp1252(valor);
}

void TQueryDestino::ParamInteiro(const QString& nome, qint64 valor) {
    Valor& v = m_impl->Parametro(nome);
    v.tipo = Valor::Tipo::Inteiro;
    v.inteiro = valor;
}

void TQueryDestino::ParamDouble(const QString& nome, double valor) {
    Valor& v = m_impl->Parametro(nome);
    v.tipo = Valor::Tipo::Double;
    v.real = valor;
}

void TQueryDestino::ParamData(const QString& nome, const QDate& valor) {
    if (!valor.isValid()) {
        throw EConversao(QStringLiteral("Data inválida para o parâmetro '%1'.").arg(nome));
    }
    Valor& v = m_impl->Parametro(nome);
    v.tipo = Valor::Tipo::DataHora;
    v.dia = formato::DiaMotor(valor);
    v.hora = 0;
}

void TQueryDestino::ParamDataHora(const QString& nome, TDateTime valor) {
    if (!std::isfinite(valor) || std::fabs(valor) > 3e6) {
        throw EConversao(QStringLiteral("Data inválida para o parâmetro '%1'.").arg(nome));
    }
    Valor& v = m_impl->Parametro(nome);
    v.tipo = Valor::Tipo::DataHora;
    formato::DeTDateTime(valor, v.dia, v.hora);
}

void TQueryDestino::ParamNulo(const QString& nome) {
    m_impl->Parametro(nome);
}

void TQueryDestino::Executa() {
    m_impl->Executa();
}

void TQueryDestino::Abre() {
    m_impl->Abre();
}

void TQueryDestino::Fecha() {
    m_impl->FechaCursor();
}

bool TQueryDestino::Aberta() const {
    return m_impl->aberta;
}

bool TQueryDestino::Eof() const {
    return !m_impl->aberta || m_impl->eof;
}

void TQueryDestino::Proximo() {
    m_impl->Proximo();
}

bool TQueryDestino::CampoNulo(const QString& nome) const {
    return m_impl->Dado(m_impl->ColunaDe(nome)) == nullptr;
}

QStringList TQueryDestino::NomesCampos() const {
    QStringList r;
    if (m_impl->atual) {
        for (const auto& c : m_impl->atual->colunas) {
            r << c.nome;
        }
    }
    return r;
}

QString TQueryDestino::CampoTexto(const QString& nome) const {
    return m_impl->Texto(m_impl->ColunaDe(nome));
}

qint64 TQueryDestino::CampoInteiro(const QString& nome) const {
    return m_impl->Inteiro(m_impl->ColunaDe(nome));
}

double TQueryDestino::CampoDouble(const QString& nome) const {
    return m_impl->Real(m_impl->ColunaDe(nome));
}

TDateTime TQueryDestino::CampoDataHora(const QString& nome) const {
    return m_impl->DataHora(m_impl->ColunaDe(nome));
}

qint64 TQueryDestino::NumeroPreparacoes() const {
    return m_impl->preparacoes;
}
