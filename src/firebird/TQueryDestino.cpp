#include "TQueryDestino.h"

#include "CampoResultado.h"
#include "ConexaoImpl.h"
#include "EBancoDestino.h"
#include "FormatoDestino.h"
#include "InstrucaoPreparada.h"

#include <cmath>
#include <cstring>

using namespace Firebird;
using fbapi::EncerraSemErro;
using fbapi::Ref;
using fbapi::Status;

struct TQueryDestino::Impl {
    explicit Impl(TConexaoDestino::Impl& c) : conexao(&c), instrucao(TInstrucaoPreparada::Analisa(QString())) {}

    TConexaoDestino::Impl* conexao; // null once the connection is gone
    /// The current text's statement: shared through the connection's cache, or this query's own.
    std::shared_ptr<TInstrucaoPreparada> instrucao;
    std::vector<TValorParametro> valores; // one per name of the text
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
        if (instrucao->emUso == this) {
            instrucao->emUso = nullptr;
        }
        EncerraSemErro(cursor, [](auto* c, auto* st) { c->close(st); });
        aberta = false;
        eof = true;
    }

    /// Lets go of the engine's statement, keeping the text and its values.
    void LiberaInstrucao() noexcept {
        FechaCursor();
        if (instrucao->instrucao) {
            instrucao = instrucao->CopiaAnalise();
        }
    }

    std::size_t IndiceParametro(const QString& nome) const {
        const qsizetype i = nome.isEmpty() ? -1 : instrucao->nomes.indexOf(nome.toUpper());
        if (i < 0) {
            throw EConversao(QStringLiteral("Parâmetro '%1' não encontrado na instrução SQL.").arg(nome));
        }
        return static_cast<std::size_t>(i);
    }

    TValorParametro& Parametro(const QString& nome) { return valores[IndiceParametro(nome)]; }

    /// The statement this run goes through, prepared when needed: the cache's for a statement on
    /// rows (unless another query's result still lives in it), this query's own otherwise.
    TInstrucaoPreparada& Pronta(ITransaction* tra) {
        TConexaoDestino::Impl& c = Conexao();
        TCacheInstrucoes& cache = c.instrucoes;
        if (!instrucao->reutilizavel) {
            cache.Descarta(); // DDL may change what the kept statements were compiled against
        } else if (instrucao->instrucao && instrucao->geracao != cache.Geracao()) {
            instrucao = instrucao->CopiaAnalise();
        }
        if (instrucao->reutilizavel && !instrucao->instrucao) {
            if (std::shared_ptr<TInstrucaoPreparada> guardada = cache.Busca(instrucao->sql)) {
                instrucao = std::move(guardada);
            }
        }
        if (instrucao->emUso != nullptr && instrucao->emUso != this) {
            instrucao = instrucao->CopiaAnalise();
        }
        if (!instrucao->instrucao) {
            instrucao->Prepara(c.Anexo(), tra, c.dialeto, cache.Geracao());
            ++preparacoes;
            if (instrucao->reutilizavel) {
                cache.Guarda(instrucao);
            }
        }
        return *instrucao;
    }

    void CriaBlob(ITransaction* tra, QByteArrayView bytes, unsigned char* lugar) {
        Status st;
        ISC_QUAD id{};
        Ref<IBlob> blob(Conexao().Anexo()->createBlob(&st, tra, &id, 0, nullptr));
        st.Verifica();
        for (qsizetype feito = 0; feito < bytes.size();) {
            const auto parte = static_cast<unsigned>(std::min<qsizetype>(bytes.size() - feito, 32768));
            blob->putSegment(&st, parte, bytes.data() + feito);
            st.Verifica();
            feito += parte;
        }
        blob->close(&st);
        st.Verifica();
        blob.abandona();
        std::memcpy(lugar, &id, sizeof id);
    }

    /// Writes every value into the input message, each in its parameter's type.
    void MontaEntrada(TInstrucaoPreparada& p, ITransaction* tra) {
        const TCriaBlob criaBlob = [this, tra](QByteArrayView bytes, unsigned char* lugar) {
            CriaBlob(tra, bytes, lugar);
        };
        static const TValorParametro kNulo;
        static const QString kSemNome;
        for (std::size_t i = 0; i < p.parametros.size(); ++i) {
            // A '?' the text analysis did not see (there is none in a well-formed text) stays NULL.
            const bool visto = i < p.parametroDaPosicao.size();
            const TValorParametro& v = visto ? valores[p.parametroDaPosicao[i]] : kNulo;
            const QString& nome = visto ? p.nomeDaPosicao[static_cast<qsizetype>(i)] : kSemNome;
            GravaParametro(v, p.parametros[i], p.bufEntrada.data(), nome, criaBlob);
        }
    }

    /// Runs COMMIT / ROLLBACK texts on our transaction object; true when the text was one.
    bool ExecutaComandoTransacao() {
        TConexaoDestino::Impl& c = Conexao();
        switch (instrucao->comando) {
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

    /// The transaction and the statement of this run, its input message written.
    std::pair<ITransaction*, TInstrucaoPreparada*> ParaExecutar() {
        if (instrucao->vazia) {
            throw EConversao(QStringLiteral("A instrução SQL está vazia."));
        }
        ITransaction* tra = Conexao().TransacaoAtiva();
        TInstrucaoPreparada& p = Pronta(tra);
        MontaEntrada(p, tra);
        return {tra, &p};
    }

    void Executa() {
        FechaCursor();
        if (ExecutaComandoTransacao()) {
            return;
        }
        const auto [tra, p] = ParaExecutar();
        Status st;
        IMessageMetadata* in = p->entrada.get();
        void* inBuf = p->bufEntrada.data();
        if (p->temCursor) {
            // A select run for its effect: open and close it.
            Ref<IResultSet> rs(p->instrucao->openCursor(&st, tra, in, inBuf, p->saida.get(), 0));
            st.Verifica();
            rs->close(&st);
            st.Verifica();
            rs.abandona();
            return;
        }
        const bool comSaida = !p->colunas.empty();
        p->instrucao->execute(&st, tra, in, inBuf, comSaida ? p->saida.get() : nullptr,
                              comSaida ? p->bufSaida.data() : nullptr);
        st.Verifica();
    }

    void Abre() {
        FechaCursor();
        if (instrucao->comando != ComandoTransacao::Nenhum) {
            throw EConversao(QStringLiteral("A instrução '%1' não devolve linhas.").arg(instrucao->sql.trimmed()));
        }
        const auto [tra, p] = ParaExecutar();
        Status st;
        if (p->temCursor) {
            Ref<IResultSet> rs(
                p->instrucao->openCursor(&st, tra, p->entrada.get(), p->bufEntrada.data(), p->saida.get(), 0));
            st.Verifica();
            cursor = std::move(rs);
            aberta = true;
            eof = false;
            p->emUso = this;
            Proximo();
            return;
        }
        if (p->colunas.empty()) {
            throw EConversao(QStringLiteral("A instrução não devolve linhas: %1").arg(instrucao->sql.trimmed()));
        }
        // EXECUTE PROCEDURE or ... RETURNING: a single row.
        p->instrucao->execute(&st, tra, p->entrada.get(), p->bufEntrada.data(), p->saida.get(), p->bufSaida.data());
        st.Verifica();
        aberta = true;
        eof = false;
        p->emUso = this;
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
        const int r = cursor->fetchNext(&st, instrucao->bufSaida.data());
        st.Verifica();
        if (r != IStatus::RESULT_OK) {
            eof = true;
        }
    }

    const TColunaResultado& ColunaDe(const QString& nome) const {
        if (instrucao->instrucao) {
            const auto it = instrucao->indiceColuna.constFind(nome.toUpper());
            if (it != instrucao->indiceColuna.constEnd()) {
                return instrucao->colunas[static_cast<std::size_t>(it.value())];
            }
        }
        throw EConversao(QStringLiteral("Campo '%1' não encontrado.").arg(nome));
    }

    /// The column's data in the current row, or null when NULL or there is no row.
    const unsigned char* Dado(const TColunaResultado& c) const {
        if (!aberta || eof) {
            return nullptr;
        }
        const unsigned char* buf = instrucao->bufSaida.data();
        ISC_SHORT nulo = 0;
        std::memcpy(&nulo, buf + c.offsetNulo, sizeof nulo);
        return nulo != 0 ? nullptr : buf + c.offset;
    }

    TLeBlob LeitorBlob() const {
        return [this](const unsigned char* lugar) {
            ISC_QUAD id{};
            std::memcpy(&id, lugar, sizeof id);
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
        };
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

TQueryDestino::TQueryDestino(TConexaoDestino& conexao) : m_impl(std::make_unique<Impl>(*conexao.m_impl)) {
    conexao.m_impl->queries.push_back(m_impl.get());
}

TQueryDestino::~TQueryDestino() {
    m_impl->FechaCursor();
    if (m_impl->conexao != nullptr) {
        std::erase(m_impl->conexao->queries, m_impl.get());
    }
}

void TQueryDestino::SetSQL(const QString& sql) {
    Impl& q = *m_impl;
    q.FechaCursor();
    if (sql == q.instrucao->sql) {
        return;
    }
    std::shared_ptr<TInstrucaoPreparada> guardada = q.conexao != nullptr ? q.conexao->instrucoes.Busca(sql) : nullptr;
    q.instrucao = guardada ? std::move(guardada) : TInstrucaoPreparada::Analisa(sql);
    q.valores.assign(static_cast<std::size_t>(q.instrucao->nomes.size()), TValorParametro{});
}

const QString& TQueryDestino::SQL() const {
    return m_impl->instrucao->sql;
}

void TQueryDestino::LimpaSQL() {
    SetSQL(QString());
}

qsizetype TQueryDestino::NumeroParametros() const {
    return static_cast<qsizetype>(m_impl->valores.size());
}

void TQueryDestino::SetParametro(qsizetype indice, TValorParametro valor) {
    m_impl->valores.at(static_cast<std::size_t>(indice)) = std::move(valor);
}

void TQueryDestino::ParamTexto(const QString& nome, const QString& valor) {
    m_impl->Parametro(nome) = TValorParametro::Texto(valor);
}

void TQueryDestino::ParamInteiro(const QString& nome, qint64 valor) {
    m_impl->Parametro(nome) = TValorParametro::Inteiro(valor);
}

void TQueryDestino::ParamReal(const QString& nome, double valor) {
    m_impl->Parametro(nome) = TValorParametro::Real(valor);
}

void TQueryDestino::ParamDouble(const QString& nome, double valor) {
    m_impl->Parametro(nome) = TValorParametro::Double(valor);
}

void TQueryDestino::ParamData(const QString& nome, const QDate& valor) {
    if (!valor.isValid()) {
        throw EConversao(QStringLiteral("Data inválida para o parâmetro '%1'.").arg(nome));
    }
    m_impl->Parametro(nome) = TValorParametro::DataHora(formato::DiaMotor(valor), 0);
}

void TQueryDestino::ParamDataHora(const QString& nome, TDateTime valor) {
    if (!std::isfinite(valor) || std::fabs(valor) > 3e6) {
        throw EConversao(QStringLiteral("Data inválida para o parâmetro '%1'.").arg(nome));
    }
    m_impl->Parametro(nome) = TValorParametro::DataHora(valor);
}

void TQueryDestino::ParamNulo(const QString& nome) {
    m_impl->Parametro(nome) = TValorParametro::Nulo();
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
    for (const auto& c : m_impl->instrucao->colunas) {
        r << c.nome;
    }
    return r;
}

QString TQueryDestino::CampoTexto(const QString& nome) const {
    const TColunaResultado& c = m_impl->ColunaDe(nome);
    return TextoCampo(c, m_impl->Dado(c), m_impl->LeitorBlob());
}

qint64 TQueryDestino::CampoInteiro(const QString& nome) const {
    const TColunaResultado& c = m_impl->ColunaDe(nome);
    return InteiroCampo(c, m_impl->Dado(c), m_impl->LeitorBlob());
}

double TQueryDestino::CampoDouble(const QString& nome) const {
    const TColunaResultado& c = m_impl->ColunaDe(nome);
    return RealCampo(c, m_impl->Dado(c), m_impl->LeitorBlob());
}

TDateTime TQueryDestino::CampoDataHora(const QString& nome) const {
    const TColunaResultado& c = m_impl->ColunaDe(nome);
    return DataHoraCampo(c, m_impl->Dado(c), m_impl->LeitorBlob());
}

qint64 TQueryDestino::NumeroPreparacoes() const {
    return m_impl->preparacoes;
}
