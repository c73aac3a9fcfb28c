#include "AnaliseOrigem.h"

#include "CamposAnalisados.h"
#include "EConversao.h"
#include "LacoConversao.h"
#include "MapeamentoAnalise.h"
#include "TQueryOrigem.h"
#include "TTabelaDbf.h"
#include "TextoPrimitivas.h"
#include "VerificacoesQualidade.h"
#include "ui/InterfaceUsuario.h"

#include <QLatin1StringView>
#include <QRegularExpression>

#include <utility>
#include <vector>

namespace {

// The reader names table, record, field and folder before its reason; the analysis has its own
// columns for those and keeps the reason only.
QString MotivoDe(const QString& mensagem, const QString& pasta) {
    for (const QString& marca :
         {QStringLiteral("(pasta \"%1\"): ").arg(pasta), QStringLiteral("na pasta \"%1\": ").arg(pasta)}) {
        if (const qsizetype i = mensagem.indexOf(marca); i >= 0) {
            QString motivo = mensagem.mid(i + marca.size());
            if (motivo.endsWith(QLatin1Char('.'))) {
                motivo.chop(1);
            }
            return motivo;
        }
    }
    return mensagem;
}

// What a field that could not be read is, as the change log names it.
TipoAlteracao TipoFalhaLeitura(LeituraCampo leitura, char tipoCampo, const QString& motivo) {
    if (motivo.contains(QLatin1StringView("memo"))) {
        return TipoAlteracao::MemoDanificado;
    }
    if (leitura == LeituraCampo::DataPresente || tipoCampo == 'D' || tipoCampo == 'T' || tipoCampo == '@') {
        return TipoAlteracao::DataIlegivel;
    }
    return TipoAlteracao::NumeroIlegivel;
}

std::optional<std::pair<TipoAlteracao, QString>> ProblemaQualidade(VerificacaoCampo verificacao, const QString& valor) {
    switch (verificacao) {
    case VerificacaoCampo::Nenhuma:
        break;
    case VerificacaoCampo::Nome:
        if (NomeVazio(valor)) {
            return std::make_pair(TipoAlteracao::NomeVazio, QString());
        }
        break;
    case VerificacaoCampo::CpfCnpj:
        if (auto problema = ProblemaCpfCnpj(valor)) {
            return std::make_pair(TipoAlteracao::DocumentoInvalido, *problema);
        }
        break;
    case VerificacaoCampo::Cep:
        if (!CepValido(valor)) {
            return std::make_pair(TipoAlteracao::CepInvalido, QString());
        }
        break;
    case VerificacaoCampo::Uf:
        if (!UfConhecida(valor)) {
            return std::make_pair(TipoAlteracao::UfDesconhecida, QString());
        }
        break;
    case VerificacaoCampo::Email:
        if (!EmailComArroba(valor)) {
            return std::make_pair(TipoAlteracao::EmailSemArroba, QString());
        }
        break;
    }
    return std::nullopt;
}

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
    m_chaves.clear();
    TAnaliseTabela& analise = m_resultado.tabelas.emplace_back();
    analise.chave = QLatin1StringView(tipo.chave);
    analise.nome = QString::fromUtf8(tipo.nome);
    analise.tabela = QLatin1StringView(tipo.tabela);

    TQueryOrigem qry;
    qry.SetNomeBanco(m_resultado.pasta);
    qry.SetPaginaCodigo(m_pagina);
    qry.SetSQL(QStringLiteral("SELECT * FROM ") + analise.tabela);
    try {
        qry.Abre();
    } catch (const std::exception& e) {
        TAlteracao problema;
        problema.oQue = TipoAlteracao::TabelaIlegivel;
        problema.detalhe = MotivoDe(MensagemDe(e), m_resultado.pasta);
        Registra(analise, std::move(problema), ClasseProblema::Fatal);
        return;
    }
    const TTabelaDbf& tabela = *qry.Tabela();
    analise.lida = true;
    analise.registros = tabela.QuantRegistros();
    m_chaves.reserve(static_cast<std::size_t>(analise.registros));
    analise.excluidos = tabela.QuantExcluidos();
    analise.paginaCodigo = NomePaginaCodigo(tabela.Pagina());
    analise.escolhaPagina = NomeEscolhaPagina(tabela.EscolhaDaPagina());
    analise.avisos = tabela.Avisos();
    AnalisaRegistros(tipo, qry, analise);
}

void TAnaliseOrigem::AnalisaRegistros(const TTipoAnalisado& tipo, TQueryOrigem& qry, TAnaliseTabela& analise) {
    const TTabelaDbf& tabela = *qry.Tabela();
    const int indiceCodigo = tabela.IndiceCampo(QLatin1StringView(tipo.campoCodigo));
    // The record's code as read; a code that cannot be read is said with the other fields.
    auto codigoAtual = [&]() -> QString {
        try {
            return indiceCodigo >= 0 ? tabela.Texto(indiceCodigo) : QString();
        } catch (const EConversao&) {
            return QString();
        }
    };
    // Each field the kind reads, with its position in this table (-1: the table lacks it).
    std::vector<int> indices;
    indices.reserve(tipo.campos.size());
    bool faltaCampo = false;
    for (const TCampoAnalisado& campo : tipo.campos) {
        const int indice = tabela.IndiceCampo(QLatin1StringView(campo.nome));
        indices.push_back(indice);
        // A run reads every field of the first record and stops there; an empty table it never reads.
        if (indice < 0 && !qry.Eof()) {
            faltaCampo = true;
            TAlteracao problema;
            problema.registro = tabela.NumeroRegistro();
            problema.codigoOrigem = codigoAtual();
            problema.campoOrigem = QLatin1StringView(campo.nome);
            problema.oQue = TipoAlteracao::CampoAusente;
            Registra(analise, std::move(problema), ClasseProblema::Fatal);
        }
    }

    // Step (a) of the run, without a database: the values it refuses and the keys it gives. It stops at
    // the first value it cannot take, so a record it refuses is read field by field to list every value
    // the reader cannot read; one it takes needs only the fields whose values are checked. A table that
    // lacks a field fails it on every record: that is said once, above.
    TMapeamentoAnalise mapeamento = CriaMapeamentoAnalise(analise.chave);
    if (mapeamento.mapeamento) {
        mapeamento.mapeamento->Contexto().alteracoes = &m_perdas;
    }
    const QString campoCodigo = QLatin1StringView(tipo.campoCodigo);
    const QString prefixo = QStringLiteral("Analisando %1 - Registro ").arg(analise.nome);
    const QString total = QStringLiteral(" de ") + QString::number(analise.registros);
    if (m_barra) {
        m_barra->SetMaximo(static_cast<int>(analise.registros));
        m_barra->SetPosicao(0);
    }
    for (qint64 lidos = 1; !qry.Eof(); qry.Proximo(), ++lidos) {
        if (m_rotulo) {
            m_rotulo->SetCaption(prefixo + QString::number(lidos) + total);
        }
        if (m_barra) {
            m_barra->Avanca(1);
        }
        if (m_barra || m_rotulo) {
            ProcessaMensagensPendentes();
        }
        const qint64 registro = qry.NumeroRegistro();
        const QString codigo = codigoAtual();
        std::optional<TAlteracao> recusa;
        std::optional<QString> chave;
        if (mapeamento.mapeamento && !faltaCampo) {
            recusa = PreencheRegistro(mapeamento, qry, registro, codigo, chave);
        }
        const bool leTudo = faltaCampo || recusa || !mapeamento.mapeamento;
        const qint64 fataisAntes = analise.Quantidade(ClasseProblema::Fatal);
        auto problema = [&](const TCampoAnalisado& campo, TipoAlteracao oQue, QString detalhe, QString valor,
                            ClasseProblema classe) {
            TAlteracao p;
            p.registro = registro;
            p.codigoOrigem = codigo;
            p.campoOrigem = QLatin1StringView(campo.nome);
            p.oQue = oQue;
            p.detalhe = std::move(detalhe);
            p.valorOriginal = std::move(valor);
            Registra(analise, std::move(p), classe);
        };
        for (std::size_t i = 0; i < tipo.campos.size(); ++i) {
            const TCampoAnalisado& campo = tipo.campos[i];
            const int indice = indices[i];
            if (indice < 0 || (!leTudo && campo.verificacao == VerificacaoCampo::Nenhuma)) {
                continue;
            }
            QString texto;
            try {
                texto = tabela.Texto(indice);
                switch (campo.leitura) {
                case LeituraCampo::Texto:
                    break;
                case LeituraCampo::NumeroPresente:
                    if (!Trim(texto).isEmpty()) {
                        tabela.Numero(indice);
                    }
                    break;
                case LeituraCampo::NumeroNaoNulo:
                    if (!tabela.Nulo(indice)) {
                        tabela.Numero(indice);
                    }
                    break;
                case LeituraCampo::DataPresente:
                    if (!Trim(texto).isEmpty()) {
                        tabela.DataHora(indice);
                    }
                    break;
                }
            } catch (const std::exception& e) {
                const QString motivo = MotivoDe(MensagemDe(e), tabela.Pasta());
                problema(campo, TipoFalhaLeitura(campo.leitura, tabela.Campo(indice).tipo, motivo), motivo, texto,
                         ClasseProblema::Fatal);
                continue;
            }
            if (auto qualidade = ProblemaQualidade(campo.verificacao, texto)) {
                problema(campo, qualidade->first, qualidade->second, texto, ClasseProblema::Qualidade);
            }
        }
        // A value the reader cannot read is what the refusal was about, and is said already.
        if (recusa && analise.Quantidade(ClasseProblema::Fatal) == fataisAntes) {
            Registra(analise, std::move(*recusa), ClasseProblema::Fatal);
        }
        if (chave) {
            NotaChave(mapeamento.colunaChave, *chave, registro, codigo, campoCodigo);
        }
    }
    if (m_rotulo) {
        m_rotulo->SetCaption(QString());
    }
    if (m_barra) {
        m_barra->SetPosicao(0);
        m_barra->SetMaximo(0);
    }
}

std::optional<TAlteracao> TAnaliseOrigem::PreencheRegistro(TMapeamentoAnalise& mapeamento, const TQueryOrigem& qry,
                                                           qint64 registro, const QString& codigo,
                                                           std::optional<QString>& chave) {
    TMapeamento& m = *mapeamento.mapeamento;
    m.Contexto().registro = registro;
    m.Contexto().codigoOrigem = codigo;
    std::optional<TAlteracao> recusa;
    try {
        m.Preenche(qry);
        chave = mapeamento.chave();
    } catch (const std::exception& e) {
        const QString mensagem = MensagemDe(e);
        TAlteracao& problema = recusa.emplace();
        problema.registro = registro;
        problema.codigoOrigem = codigo;
        const QRegularExpressionMatch campo =
            QRegularExpression(QStringLiteral("^Erro ao ler o campo (\\S+) do registro")).match(mensagem);
        problema.campoOrigem = campo.captured(1);
        problema.oQue = TipoAlteracao::CampoRecusado;
        problema.detalhe = MotivoDe(mensagem, m_resultado.pasta);
    }
    m.Descarta();
    return recusa;
}

void TAnaliseOrigem::TPerdas::Registra(const TAlteracao& alteracao) {
    m_analise.Registra(m_analise.m_resultado.tabelas.back(), alteracao, ClasseProblema::Perda);
}

void TAnaliseOrigem::NotaChave(const QString& coluna, const QString& chave, qint64 registro, const QString& codigo,
                               const QString& campo) {
    TAnaliseTabela& analise = m_resultado.tabelas.back();
    auto repetida = [&](qint64 r, const QString& c, const TPrimeiraChave& outro) {
        TAlteracao p;
        p.registro = r;
        p.codigoOrigem = c;
        p.campoOrigem = campo;
        p.colunaDestino = coluna;
        p.oQue = TipoAlteracao::ChaveRepetida;
        p.detalhe = QStringLiteral("%1 também no registro %2 (código %3)")
                        .arg(chave)
                        .arg(outro.registro)
                        .arg(QString::fromStdString(outro.codigo));
        p.valorOriginal = c;
        p.valorGravado = chave;
        Registra(analise, std::move(p), ClasseProblema::Fatal);
    };
    TPrimeiraChave este{registro, codigo.toStdString(), false};
    const auto [primeira, nova] = m_chaves.try_emplace(chave.toStdString(), este);
    if (nova) {
        return;
    }
    TPrimeiraChave& outra = primeira->second;
    if (!outra.repetida) {
        repetida(outra.registro, QString::fromStdString(outra.codigo), este);
        outra.repetida = true;
    }
    repetida(registro, codigo, outra);
}

void TAnaliseOrigem::Registra(TAnaliseTabela& analise, TAlteracao problema, ClasseProblema classe) {
    problema.tipo = analise.chave;
    problema.tabelaOrigem = analise.tabela;
    problema.classe = classe;
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
