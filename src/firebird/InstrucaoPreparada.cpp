#include "InstrucaoPreparada.h"

#include "Cp1252.h"

#include <algorithm>
#include <cstring>

using namespace Firebird;
using fbapi::Ref;

namespace {

constexpr unsigned kCharsetNone = 0;
constexpr unsigned kCharsetOctets = 1;
constexpr unsigned kCharsetWin1252 = 53;

bool Reutilizavel(const QString& primeiraPalavra) {
    return primeiraPalavra == QLatin1String("INSERT") || primeiraPalavra == QLatin1String("UPDATE") ||
           primeiraPalavra == QLatin1String("DELETE") || primeiraPalavra == QLatin1String("SELECT");
}

// Text we send as CP1252 bytes as they stand: the connection's character set, NONE and OCTETS.
// A parameter in any other character set is sent as WIN1252 for the engine to transliterate.
bool TextoDireto(unsigned tipo, unsigned charset) {
    return (tipo != SQL_TEXT && tipo != SQL_VARYING) || charset == kCharsetWin1252 || charset == kCharsetNone ||
           charset == kCharsetOctets;
}

TDescritorCampo Descreve(IMessageMetadata* m, unsigned i, fbapi::Status& st) {
    TDescritorCampo d;
    d.tipo = m->getType(&st, i) & ~1u;
    d.tamanho = m->getLength(&st, i);
    d.escala = m->getScale(&st, i);
    d.subtipo = m->getSubType(&st, i);
    d.charset = m->getCharSet(&st, i);
    d.offset = m->getOffset(&st, i);
    d.offsetNulo = m->getNullOffset(&st, i);
    return d;
}

} // namespace

std::shared_ptr<TInstrucaoPreparada> TInstrucaoPreparada::Analisa(const QString& sql) {
    auto r = std::make_shared<TInstrucaoPreparada>();
    r->sql = sql;
    r->comando = ReconheceComandoTransacao(sql);
    r->reutilizavel = r->comando == ComandoTransacao::Nenhum && Reutilizavel(PrimeiraPalavra(sql));
    const SqlAnalisada analise = AnalisaSql(sql);
    r->textoMotor = ParaCp1252(analise.texto);
    r->vazia = std::all_of(r->textoMotor.cbegin(), r->textoMotor.cend(),
                           [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); });
    for (const QString& nome : analise.parametros) {
        qsizetype i = nome.isEmpty() ? -1 : r->nomes.indexOf(nome);
        if (i < 0) {
            i = r->nomes.size();
            r->nomes << nome;
        }
        r->parametroDaPosicao.push_back(static_cast<std::size_t>(i));
        r->nomeDaPosicao << (nome.isEmpty() ? QString::number(r->nomeDaPosicao.size() + 1) : nome);
    }
    return r;
}

std::shared_ptr<TInstrucaoPreparada> TInstrucaoPreparada::CopiaAnalise() const {
    auto r = std::make_shared<TInstrucaoPreparada>();
    r->sql = sql;
    r->textoMotor = textoMotor;
    r->nomes = nomes;
    r->parametroDaPosicao = parametroDaPosicao;
    r->nomeDaPosicao = nomeDaPosicao;
    r->comando = comando;
    r->vazia = vazia;
    r->reutilizavel = reutilizavel;
    return r;
}

void TInstrucaoPreparada::Prepara(IAttachment* anexo, ITransaction* transacao, int dialeto, quint64 geracaoCache) {
    fbapi::Status st;
    Ref<IStatement> nova(anexo->prepare(&st, transacao, static_cast<unsigned>(textoMotor.size()),
                                        textoMotor.constData(), static_cast<unsigned>(dialeto),
                                        IStatement::PREPARE_PREFETCH_METADATA));
    st.Verifica();
    temCursor = (nova->getFlags(&st) & IStatement::FLAG_HAS_CURSOR) != 0;
    st.Verifica();

    // The input message: the described types, every position nullable, text in a character set
    // we can write.
    Ref<IMessageMetadata> in(nova->getInputMetadata(&st));
    st.Verifica();
    const unsigned n = in->getCount(&st);
    bool ajusta = false;
    for (unsigned i = 0; i < n; ++i) {
        ajusta = ajusta || !in->isNullable(&st, i) || !TextoDireto(in->getType(&st, i), in->getCharSet(&st, i));
    }
    st.Verifica();
    if (ajusta) {
        Ref<IMetadataBuilder> b(in->getBuilder(&st));
        st.Verifica();
        for (unsigned i = 0; i < n; ++i) {
            b->setType(&st, i, in->getType(&st, i) | 1u);
            if (!TextoDireto(in->getType(&st, i), in->getCharSet(&st, i))) {
                b->setCharSet(&st, i, kCharsetWin1252);
            }
        }
        st.Verifica();
        in = Ref<IMessageMetadata>(b->getMetadata(&st));
        st.Verifica();
    }
    std::vector<TDescritorCampo> descritos(n);
    for (unsigned i = 0; i < n; ++i) {
        descritos[i] = Descreve(in.get(), i, st);
    }
    const unsigned tamanhoEntrada = in->getMessageLength(&st);
    st.Verifica();

    Ref<IMessageMetadata> out(nova->getOutputMetadata(&st));
    st.Verifica();
    std::vector<TColunaResultado> cols(out->getCount(&st));
    for (unsigned i = 0; i < cols.size(); ++i) {
        static_cast<TDescritorCampo&>(cols[i]) = Descreve(out.get(), i, st);
        const char* alias = out->getAlias(&st, i);
        cols[i].nome = alias != nullptr ? DeCp1252(alias, static_cast<qsizetype>(std::strlen(alias))) : QString();
    }
    const unsigned tamanhoSaida = out->getMessageLength(&st);
    st.Verifica();

    instrucao = std::move(nova);
    entrada = std::move(in);
    parametros = std::move(descritos);
    bufEntrada.assign(tamanhoEntrada, 0);
    saida = std::move(out);
    colunas = std::move(cols);
    indiceColuna.clear();
    for (int i = static_cast<int>(colunas.size()) - 1; i >= 0; --i) {
        indiceColuna.insert(colunas[static_cast<std::size_t>(i)].nome.toUpper(), i);
    }
    bufSaida.assign(tamanhoSaida, 0);
    geracao = geracaoCache;
}
