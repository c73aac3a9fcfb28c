#include "ResumoExecucao.h"

#include "TConexaoDestino.h"
#include "TQueryDestino.h"
#include "TTabelaDbf.h"
#include "TTransacaoDestino.h"
#include "TextoColunas.h"

#include <QJsonArray>
#include <QStringList>

#include <algorithm>
#include <array>
#include <exception>

namespace {

/// How a kind's figures are read: its source table, the tables it writes (the first is its
/// main table, one row per converted record) and what the gap between source and main table means.
enum class Lacuna { Nenhuma, Ignorados, Rejeitados };

struct TDescricaoTipo {
    const char* chave;
    const char* nome;
    const char* tabelaOrigem;
    std::vector<const char*> tabelas;
    Lacuna lacuna;
};

const std::array<TDescricaoTipo, 5>& Tipos() {
    static const std::array<TDescricaoTipo, 5> tipos = {{
        {"VENDEDORES", "Vendedores", "TABVEND", {"VENDEND"}, Lacuna::Rejeitados},
        {"CLIENTES", "Clientes", "TABCLI", {"CLIENTE", "COMPCLIE"}, Lacuna::Nenhuma},
        {"FORNECEDORES", "Fornecedores", "TABFOR", {"FORNECE"}, Lacuna::Nenhuma},
        {"GRUPOSPRODUTOS", "Grupos de Produtos", "TABEST8", {"GRUPROD"}, Lacuna::Ignorados},
        {"PRODUTOS", "Produtos", "TABEST1", {"PRODUTO", "COMPPROD", "MVGERAL"}, Lacuna::Nenhuma},
    }};
    return tipos;
}

const TDescricaoTipo* DescricaoDe(const QString& chave) {
    for (const TDescricaoTipo& d : Tipos()) {
        if (chave == QLatin1String(d.chave)) {
            return &d;
        }
    }
    return nullptr;
}

// The reference tables a run may add rows to while it converts.
const std::array<const char*, 3> kReferencias = {"CIDADES", "CADSEGM", "UNIDADES"};

double PorSegundo(qint64 registros, double segundos) {
    return segundos > 0 ? registros / segundos : 0.0;
}

// The summary only reads. A read starts the connection's transaction when none is active; this
// ends such a transaction again, so the run finds the connection as it left it.
class TSoLeitura {
public:
    explicit TSoLeitura(TConexaoDestino& conexao) : m_conexao(conexao), m_ativa(conexao.Transacao().Ativa()) {}
    ~TSoLeitura() {
        try {
            if (!m_ativa && m_conexao.Transacao().Ativa()) {
                m_conexao.Transacao().Cancela();
            }
        } catch (const std::exception&) {
        }
    }
    TSoLeitura(const TSoLeitura&) = delete;
    TSoLeitura& operator=(const TSoLeitura&) = delete;

private:
    TConexaoDestino& m_conexao;
    bool m_ativa;
};

} // namespace

TColetorResumo::TColetorResumo(TConexaoDestino& conexao, QString pastaOrigem, std::optional<PaginaCodigo> pagina)
    : m_conexao(conexao), m_pastaOrigem(std::move(pastaOrigem)), m_pagina(pagina) {}

void TColetorResumo::InicioExecucao() {
    m_resumo = {};
    m_tipoAlterado.clear();
    m_registroAlterado = -1;
    m_relogioExecucao.start();
}

void TColetorResumo::InicioTipo(const QString& chave) {
    const TDescricaoTipo* d = DescricaoDe(chave);
    TResumoTipo tipo;
    tipo.chave = chave;
    tipo.nome = d ? QString::fromUtf8(d->nome) : chave;
    tipo.tabelaOrigem = d ? QString::fromLatin1(d->tabelaOrigem) : QString();
    m_resumo.tipos.push_back(tipo);
    const TSoLeitura leitura(m_conexao);
    m_referenciasInicio = ContaReferencias();
    m_relogioTipo.start();
}

void TColetorResumo::FimTipo(const QString& chave) {
    if (m_resumo.tipos.empty() || m_resumo.tipos.back().chave != chave) {
        return;
    }
    TResumoTipo& tipo = m_resumo.tipos.back();
    tipo.segundos = static_cast<double>(m_relogioTipo.nsecsElapsed()) / 1e9;
    tipo.concluido = true;
    const TSoLeitura leitura(m_conexao);
    tipo.referencias = ReferenciasCriadas();
}

void TColetorResumo::FalhaTipo(const QString& chave, qint64 registrosAlcancados) {
    if (m_resumo.tipos.empty() || m_resumo.tipos.back().chave != chave) {
        return;
    }
    // What the rollback left: the records the kind reached, the reference rows still there.
    TResumoTipo& tipo = m_resumo.tipos.back();
    tipo.segundos = static_cast<double>(m_relogioTipo.nsecsElapsed()) / 1e9;
    tipo.lidos = registrosAlcancados;
    const TSoLeitura leitura(m_conexao);
    tipo.referencias = ReferenciasCriadas();
}

void TColetorResumo::Alteracao(const TAlteracao& alteracao) {
    for (auto tipo = m_resumo.tipos.rbegin(); tipo != m_resumo.tipos.rend(); ++tipo) {
        if (tipo->chave == alteracao.tipo) {
            ++tipo->alteracoes[static_cast<std::size_t>(IndiceAlteracao(alteracao.oQue))];
            if (alteracao.tipo != m_tipoAlterado || alteracao.registro != m_registroAlterado) {
                ++tipo->alterados;
                m_tipoAlterado = alteracao.tipo;
                m_registroAlterado = alteracao.registro;
            }
            return;
        }
    }
}

void TColetorResumo::Limpeza(const TLimpezaComum& limpeza) {
    for (auto tipo = m_resumo.tipos.rbegin(); tipo != m_resumo.tipos.rend(); ++tipo) {
        if (tipo->chave == limpeza.tipo) {
            tipo->limpeza[limpeza.Rotulo()] += limpeza.quantidade;
            return;
        }
    }
}

QString TColetorResumo::FimExecucao(bool sucesso) {
    m_resumo.sucesso = sucesso;
    m_resumo.segundos = static_cast<double>(m_relogioExecucao.nsecsElapsed()) / 1e9;
    // Rows are counted only now, after the run's last commit or rollback: the summary tells what
    // the database holds, never what a rolled-back transaction held.
    const TSoLeitura leitura(m_conexao);
    for (TResumoTipo& tipo : m_resumo.tipos) {
        CompletaTipo(tipo);
    }
    return FormataResumo(m_resumo);
}

void TColetorResumo::CompletaTipo(TResumoTipo& tipo) {
    // A summary must never turn a run into a failure: a figure that cannot be read stays 0.
    const TDescricaoTipo* d = DescricaoDe(tipo.chave);
    if (!d) {
        return;
    }
    try {
        const TTabelaDbf tabela(m_pastaOrigem, tipo.tabelaOrigem, m_pagina);
        if (tipo.concluido) {
            tipo.lidos = tabela.QuantRegistros();
        }
        tipo.excluidos = tabela.QuantExcluidos();
        tipo.paginaCodigo = NomePaginaCodigo(tabela.Pagina());
        tipo.escolhaPagina = NomeEscolhaPagina(tabela.EscolhaDaPagina());
        tipo.avisos = tabela.Avisos();
    } catch (const std::exception&) {
    }
    tipo.linhas.clear();
    for (const char* nome : d->tabelas) {
        tipo.linhas.emplace_back(QString::fromLatin1(nome), ContaLinhas(QString::fromLatin1(nome)));
    }
    const qint64 principal = tipo.linhas.front().second;
    const qint64 lacuna = std::max<qint64>(0, tipo.lidos - principal);
    if (tipo.concluido && d->lacuna == Lacuna::Ignorados) {
        tipo.ignorados = lacuna;
    } else if (tipo.concluido && d->lacuna == Lacuna::Rejeitados) {
        tipo.rejeitados = lacuna;
    }
}

TContagens TColetorResumo::ReferenciasCriadas() {
    TContagens criadas;
    const std::map<QString, qint64> agora = ContaReferencias();
    for (const char* nome : kReferencias) {
        const QString tabela = QString::fromLatin1(nome);
        const qint64 quant = agora.at(tabela) - m_referenciasInicio[tabela];
        if (quant > 0) {
            criadas.emplace_back(tabela, quant);
        }
    }
    return criadas;
}

std::map<QString, qint64> TColetorResumo::ContaReferencias() {
    std::map<QString, qint64> quantidades;
    for (const char* nome : kReferencias) {
        quantidades[QString::fromLatin1(nome)] = ContaLinhas(QString::fromLatin1(nome));
    }
    return quantidades;
}

qint64 TColetorResumo::ContaLinhas(const QString& tabela) {
    try {
        TQueryDestino q(m_conexao);
        q.SetSQL(QStringLiteral("SELECT COUNT(*) AS QUANT FROM ") + tabela);
        q.Abre();
        const qint64 quant = q.CampoInteiro(QStringLiteral("QUANT"));
        q.Fecha();
        return quant;
    } catch (const std::exception&) {
        return 0;
    }
}

namespace {

QString Linhas(const TContagens& linhas) {
    QStringList partes;
    for (const auto& [tabela, quant] : linhas) {
        partes << QStringLiteral("%1 %2").arg(tabela).arg(quant);
    }
    return partes.join(QStringLiteral(", "));
}

// "CP850 (declarado)"; empty when the source table could not be read.
QString Pagina(const TResumoTipo& tipo) {
    return tipo.paginaCodigo.isEmpty() ? QString()
                                       : QStringLiteral("%1 (%2)").arg(tipo.paginaCodigo, tipo.escolhaPagina);
}

QJsonObject Alteracoes(const std::array<qint64, kTiposAlteracao.size()>& contagem) {
    QJsonObject objeto;
    for (const TipoAlteracao tipo : kTiposAlteracao) {
        objeto.insert(ChaveAlteracao(tipo), contagem[static_cast<std::size_t>(IndiceAlteracao(tipo))]);
    }
    return objeto;
}

QJsonObject Mapa(const std::map<QString, qint64>& mapa) {
    QJsonObject objeto;
    for (const auto& [chave, valor] : mapa) {
        objeto.insert(chave, valor);
    }
    return objeto;
}

QJsonObject Mapa(const TContagens& mapa) {
    QJsonObject objeto;
    for (const auto& [chave, valor] : mapa) {
        objeto.insert(chave, valor);
    }
    return objeto;
}

} // namespace

QString ContagemAlteracoes(const TResumoTipo& tipo) {
    QStringList partes;
    for (const TipoAlteracao t : kTiposAlteracao) {
        if (const qint64 quant = tipo.alteracoes[static_cast<std::size_t>(IndiceAlteracao(t))]; quant > 0) {
            partes << QStringLiteral("%1 %2").arg(quant).arg(RotuloAlteracao(t));
        }
    }
    return partes.join(QStringLiteral(", "));
}

QString ResultadoResumo(const TResumoExecucao& resumo) {
    if (resumo.sucesso) {
        return QStringLiteral("conversão concluída");
    }
    return QStringLiteral("conversão interrompida por %1 (desfeito só o tipo em andamento; os concluídos ficam no "
                          "banco)")
        .arg(resumo.interrupcao.isEmpty() ? QStringLiteral("erro") : resumo.interrupcao);
}

QString FormataResumo(const TResumoExecucao& resumo) {
    const QStringList cabecalho = {
        QStringLiteral("Tipo"),      QStringLiteral("Lidos"),      QStringLiteral("Excluídos"),
        QStringLiteral("Ignorados"), QStringLiteral("Rejeitados"), QStringLiteral("Alterados"),
        QStringLiteral("Segundos"),  QStringLiteral("Reg/s"),      QStringLiteral("Gravados"),
        QStringLiteral("Criados"),   QStringLiteral("Página")};
    std::vector<QStringList> linhas = {cabecalho};
    TResumoTipo total;
    total.nome = QStringLiteral("Total");
    for (const TResumoTipo& t : resumo.tipos) {
        linhas.push_back({t.concluido ? t.nome : t.nome + QStringLiteral(" (erro)"), QString::number(t.lidos),
                          QString::number(t.excluidos), QString::number(t.ignorados), QString::number(t.rejeitados),
                          QString::number(t.alterados), QString::number(t.segundos, 'f', 2),
                          QString::number(PorSegundo(t.lidos, t.segundos), 'f', 0), Linhas(t.linhas),
                          Linhas(t.referencias), Pagina(t)});
        total.lidos += t.lidos;
        total.excluidos += t.excluidos;
        total.ignorados += t.ignorados;
        total.rejeitados += t.rejeitados;
        total.alterados += t.alterados;
    }
    linhas.push_back(
        {total.nome, QString::number(total.lidos), QString::number(total.excluidos), QString::number(total.ignorados),
         QString::number(total.rejeitados), QString::number(total.alterados), QString::number(resumo.segundos, 'f', 2),
         QString::number(PorSegundo(total.lidos, resumo.segundos), 'f', 0), QString(), QString(), QString()});

    // Names and table lists align left, figures right; the last columns are free text.
    QStringList texto = AlinhaColunas(linhas, {false, true, true, true, true, true, true, true, false, false, false});
    qsizetype largura = 0;
    for (const QString& l : texto) {
        largura = std::max(largura, l.size());
    }
    const QString separador(largura, QLatin1Char('-'));
    texto.insert(texto.size() - 1, separador); // above the total
    texto.insert(1, separador);                // under the header
    QStringList alteracoes;
    for (const TResumoTipo& t : resumo.tipos) {
        if (const QString contagem = ContagemAlteracoes(t); !contagem.isEmpty()) {
            alteracoes << QStringLiteral("- %1: %2").arg(t.nome, contagem);
        }
    }
    if (!alteracoes.isEmpty()) {
        texto << QStringLiteral("Alterações nos dados:") << alteracoes;
    }
    QStringList limpeza;
    for (const TResumoTipo& t : resumo.tipos) {
        if (!t.limpeza.empty()) {
            limpeza << QStringLiteral("- %1:").arg(t.nome);
        }
        for (const auto& [campo, quant] : t.limpeza) {
            limpeza << QStringLiteral("  %1: %2").arg(campo).arg(quant);
        }
    }
    if (!limpeza.isEmpty()) {
        texto << QStringLiteral("Limpeza comum por campo (acentos, máscaras, maiúsculas, zeros à esquerda):")
              << limpeza;
    }
    QStringList avisos;
    for (const TResumoTipo& t : resumo.tipos) {
        avisos << t.avisos;
    }
    if (!avisos.isEmpty()) {
        texto << QStringLiteral("Avisos da leitura das tabelas:");
        for (const QString& aviso : avisos) {
            texto << QStringLiteral("- ") + aviso;
        }
    }
    texto << QStringLiteral("Resultado: ") + ResultadoResumo(resumo);
    return texto.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QJsonObject ResumoJson(const TResumoExecucao& resumo) {
    QJsonArray tipos;
    qint64 lidos = 0;
    qint64 excluidos = 0;
    qint64 alterados = 0;
    std::array<qint64, kTiposAlteracao.size()> alteracoes{};
    for (const TResumoTipo& t : resumo.tipos) {
        tipos.append(QJsonObject{
            {QStringLiteral("tipo"), t.chave},
            {QStringLiteral("nome"), t.nome},
            {QStringLiteral("tabelaOrigem"), t.tabelaOrigem},
            {QStringLiteral("lidos"), t.lidos},
            {QStringLiteral("excluidos"), t.excluidos},
            {QStringLiteral("ignorados"), t.ignorados},
            {QStringLiteral("rejeitados"), t.rejeitados},
            {QStringLiteral("alterados"), t.alterados},
            {QStringLiteral("alteracoes"), Alteracoes(t.alteracoes)},
            {QStringLiteral("limpeza"), Mapa(t.limpeza)},
            {QStringLiteral("linhas"), Mapa(t.linhas)},
            {QStringLiteral("referenciasCriadas"), Mapa(t.referencias)},
            {QStringLiteral("segundos"), t.segundos},
            {QStringLiteral("registrosPorSegundo"), PorSegundo(t.lidos, t.segundos)},
            {QStringLiteral("concluido"), t.concluido},
            {QStringLiteral("paginaCodigo"), t.paginaCodigo},
            {QStringLiteral("escolhaPaginaCodigo"), t.escolhaPagina},
            {QStringLiteral("avisos"), QJsonArray::fromStringList(t.avisos)},
        });
        lidos += t.lidos;
        excluidos += t.excluidos;
        alterados += t.alterados;
        for (std::size_t i = 0; i < alteracoes.size(); ++i) {
            alteracoes[i] += t.alteracoes[i];
        }
    }
    QJsonObject json{
        {QStringLiteral("sucesso"), resumo.sucesso},
        {QStringLiteral("tipos"), tipos},
        {QStringLiteral("total"),
         QJsonObject{{QStringLiteral("lidos"), lidos},
                     {QStringLiteral("excluidos"), excluidos},
                     {QStringLiteral("alterados"), alterados},
                     {QStringLiteral("alteracoes"), Alteracoes(alteracoes)},
                     {QStringLiteral("segundos"), resumo.segundos},
                     {QStringLiteral("registrosPorSegundo"), PorSegundo(lidos, resumo.segundos)}}},
    };
    if (!resumo.interrupcao.isEmpty()) {
        json.insert(QStringLiteral("interrupcao"), resumo.interrupcao);
    }
    return json;
}
