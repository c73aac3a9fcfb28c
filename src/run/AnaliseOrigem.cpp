#include "AnaliseOrigem.h"

#include "CamposAnalisados.h"
#include "EConversao.h"
#include "LotesEmOrdem.h"
#include "TTabelaDbf.h"
#include "ui/InterfaceUsuario.h"

#include <QLatin1StringView>

#include <algorithm>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Records per run handed to one thread: enough that handing out is a small part of the work, few
// enough that the runs waiting to be taken stay small and the bar moves evenly.
constexpr qint64 kRegistrosPorLote = 1024;
// Each thread keeps a table open and a mapping of its own.
constexpr unsigned kMaximoThreads = 8;

} // namespace

TAnaliseOrigem::TAnaliseOrigem(QString pasta, std::optional<PaginaCodigo> pagina, IRegistroAlteracoes& problemas)
    : m_problemas(problemas), m_pagina(pagina) {
    m_resultado.pasta = std::move(pasta);
}

void TAnaliseOrigem::Analisa(const QStringList& chaves) {
    for (const TTipoAnalisado& tipo : TiposAnalisados()) {
        if (chaves.contains(QLatin1StringView(tipo.chave))) {
            Analisa(tipo);
        }
    }
}

void TAnaliseOrigem::Analisa(const TTipoAnalisado& tipo) {
    TAnaliseTabela& analise = m_resultado.tabelas.emplace_back();
    analise.chave = QLatin1StringView(tipo.chave);
    analise.nome = QString::fromUtf8(tipo.nome);
    analise.tabela = QLatin1StringView(tipo.tabela);

    std::unique_ptr<TAnalisadorRegistros> analisador;
    try {
        analisador = std::make_unique<TAnalisadorRegistros>(tipo, m_resultado.pasta, m_pagina);
    } catch (const std::exception& e) {
        TAlteracao problema;
        problema.oQue = TipoAlteracao::TabelaIlegivel;
        problema.detalhe = MotivoDoLeitor(MensagemDe(e), m_resultado.pasta);
        problema.classe = ClasseProblema::Fatal;
        Registra(analise, std::move(problema));
        return;
    }
    const TTabelaDbf& tabela = analisador->Tabela();
    analise.lida = true;
    analise.registros = tabela.QuantRegistros();
    m_chaves.Reserva(analise.registros);
    analise.excluidos = tabela.QuantExcluidos();
    analise.paginaCodigo = NomePaginaCodigo(tabela.Pagina());
    analise.escolhaPagina = NomeEscolhaPagina(tabela.EscolhaDaPagina());
    analise.avisos = tabela.Avisos();
    AnalisaRegistros(tipo, std::move(analisador), analise);
    m_chaves.Esvazia();
}

void TAnaliseOrigem::AnalisaRegistros(const TTipoAnalisado& tipo, std::unique_ptr<TAnalisadorRegistros> primeiro,
                                      TAnaliseTabela& analise) {
    const TTabelaDbf& tabela = primeiro->Tabela();
    const qint64 lotes = (tabela.QuantRegistros() + tabela.QuantExcluidos() + kRegistrosPorLote - 1) / kRegistrosPorLote;
    const auto threads = static_cast<int>(
        std::clamp<qint64>(std::min(std::thread::hardware_concurrency(), kMaximoThreads), 1, std::max<qint64>(lotes, 1)));
    // Each thread but the first opens the table for itself as it takes its first run, at the same time
    // as the first thread works. Opening reads the query's text with a shared regular expression: one
    // at a time.
    std::vector<std::unique_ptr<TAnalisadorRegistros>> analisadores(static_cast<std::size_t>(threads));
    const QString coluna = primeiro->ColunaChave();
    analisadores.front() = std::move(primeiro);
    std::mutex abrindo;
    auto aberto = [&](std::unique_ptr<TAnalisadorRegistros>& a) -> TAnalisadorRegistros& {
        if (!a) {
            const std::lock_guard trava(abrindo);
            a = std::make_unique<TAnalisadorRegistros>(tipo, m_resultado.pasta, m_pagina);
        }
        return *a;
    };

    const QString campoCodigo = QLatin1StringView(tipo.campoCodigo);
    const QString prefixo = QStringLiteral("Analisando %1 - Registro ").arg(analise.nome);
    const QString total = QStringLiteral(" de ") + QString::number(analise.registros);
    if (m_barra) {
        m_barra->SetMaximo(static_cast<int>(analise.registros));
        m_barra->SetPosicao(0);
    }
    qint64 lidos = 0;
    auto avanca = [&] {
        ++lidos;
        if (m_rotulo) {
            m_rotulo->SetCaption(prefixo + QString::number(lidos) + total);
        }
        if (m_barra) {
            m_barra->Avanca(1);
        }
        if (m_barra || m_rotulo) {
            ProcessaMensagensPendentes();
        }
    };
    // Reads again, on this thread, the first record of a key whose hash a later record meets.
    std::unique_ptr<TAnalisadorRegistros> verificador;
    const std::function<TAnalisadorRegistros&()> verifica = [&]() -> TAnalisadorRegistros& {
        return aberto(verificador);
    };
    ProcessaLotesEmOrdem<TLoteAnalisado>(
        threads, lotes,
        [&](int thread, std::int64_t lote) {
            return aberto(analisadores[static_cast<std::size_t>(thread)]).Analisa(lote * kRegistrosPorLote + 1, (lote + 1) * kRegistrosPorLote);
        },
        [&](TLoteAnalisado& lote) {
            auto problema = lote.problemas.begin();
            auto chave = lote.chaves.begin();
            for (qint64 ordem = 0; ordem < lote.registros; ++ordem) {
                avanca();
                for (; problema != lote.problemas.end() && problema->ordem == ordem; ++problema) {
                    Registra(analise, std::move(problema->alteracao));
                }
                if (chave != lote.chaves.end() && chave->ordem == ordem) {
                    NotaChave(analise, coluna, *chave, campoCodigo, verifica);
                    ++chave;
                }
            }
        });
    if (m_rotulo) {
        m_rotulo->SetCaption(QString());
    }
    if (m_barra) {
        m_barra->SetPosicao(0);
        m_barra->SetMaximo(0);
    }
}

void TAnaliseOrigem::NotaChave(TAnaliseTabela& analise, const QString& coluna, const TLoteAnalisado::TChave& chave,
                               const QString& campo, const std::function<TAnalisadorRegistros&()>& verificador) {
    // The first record's key and code are read again from it when its key's hash is this one's.
    std::optional<TAnalisadorRegistros::TChaveRegistro> outra;
    const auto mesmaChave = [&](qint64 registro) {
        outra = verificador().ChaveDoRegistro(registro);
        return outra && outra->chave == chave.chave;
    };
    const std::optional<TListaChaves::TPrimeira> primeira = m_chaves.Nota(chave.hash, chave.registro, mesmaChave);
    if (!primeira) {
        return;
    }
    auto repetida = [&](qint64 registro, const QString& codigo, qint64 outroRegistro, const QString& outroCodigo) {
        TAlteracao p;
        p.registro = registro;
        p.codigoOrigem = codigo;
        p.campoOrigem = campo;
        p.colunaDestino = coluna;
        p.oQue = TipoAlteracao::ChaveRepetida;
        p.detalhe =
            QStringLiteral("%1 também no registro %2 (código %3)").arg(chave.chave).arg(outroRegistro).arg(outroCodigo);
        p.valorOriginal = codigo;
        p.valorGravado = chave.chave;
        p.classe = ClasseProblema::Fatal;
        Registra(analise, std::move(p));
    };
    if (!primeira->jaRepetida) {
        repetida(primeira->registro, outra->codigo, chave.registro, chave.codigo);
    }
    repetida(chave.registro, chave.codigo, primeira->registro, outra->codigo);
}

void TAnaliseOrigem::Registra(TAnaliseTabela& analise, TAlteracao problema) {
    const ClasseProblema classe = problema.classe.value_or(ClasseProblema::Fatal);
    problema.tipo = analise.chave;
    problema.tabelaOrigem = analise.tabela;
    m_problemas.Registra(problema);

    ++analise.porClasse[static_cast<std::size_t>(classe)];
    auto contagem = std::find_if(analise.problemas.begin(), analise.problemas.end(), [&](const TContagemProblema& c) {
        return c.classe == classe && c.oQue == problema.oQue;
    });
    if (contagem == analise.problemas.end()) {
        contagem = analise.problemas.insert(analise.problemas.end(), {classe, problema.oQue, 0});
    }
    ++contagem->quantidade;

    if (classe != ClasseProblema::Perda) {
        return;
    }
    auto perda = std::find_if(analise.perdas.begin(), analise.perdas.end(), [&](const TPerdaCampo& p) {
        return p.campo == problema.campoOrigem && p.coluna == problema.colunaDestino && p.oQue == problema.oQue;
    });
    if (perda == analise.perdas.end()) {
        perda = analise.perdas.insert(analise.perdas.end(),
                                      {problema.campoOrigem, problema.colunaDestino, problema.oQue, 0, {}});
    }
    ++perda->quantidade;
    if (perda->exemplos.size() < kExemplosPerda) {
        perda->exemplos.push_back(std::move(problema));
    }
}
