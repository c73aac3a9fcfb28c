#include "AnaliseRegistros.h"

#include "CamposAnalisados.h"
#include "EConversao.h"
#include "TTabelaDbf.h"
#include "TextoPrimitivas.h"
#include "VerificacoesQualidade.h"

#include <QLatin1StringView>
#include <QRegularExpression>

#include <utility>

namespace {

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

QString MotivoDoLeitor(const QString& mensagem, const QString& pasta) {
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

TAnalisadorRegistros::TAnalisadorRegistros(const TTipoAnalisado& tipo, const QString& pasta,
                                           std::optional<PaginaCodigo> pagina)
    : m_tipo(tipo), m_mapeamento(CriaMapeamentoAnalise(QLatin1StringView(tipo.chave))) {
    m_qry.SetNomeBanco(pasta);
    m_qry.SetPaginaCodigo(pagina);
    m_qry.SetSQL(QStringLiteral("SELECT * FROM ") + QLatin1StringView(tipo.tabela));
    m_qry.Abre();
    const TTabelaDbf& tabela = *m_qry.Tabela();
    m_indiceCodigo = tabela.IndiceCampo(QLatin1StringView(tipo.campoCodigo));
    m_indices.reserve(tipo.campos.size());
    for (const TCampoAnalisado& campo : tipo.campos) {
        m_indices.push_back(tabela.IndiceCampo(QLatin1StringView(campo.nome)));
        m_faltaCampo = m_faltaCampo || m_indices.back() < 0;
    }
    if (m_mapeamento.mapeamento) {
        m_mapeamento.mapeamento->Contexto().alteracoes = &m_perdas;
    }
    m_primeiroVivo = m_qry.Eof() ? 0 : m_qry.NumeroRegistro();
}

TLoteAnalisado TAnalisadorRegistros::Analisa(qint64 primeiro, qint64 ultimo) {
    m_lote = {};
    for (m_qry.VaiPara(primeiro); !m_qry.Eof() && m_qry.NumeroRegistro() <= ultimo; m_qry.Proximo()) {
        AnalisaRegistro();
        ++m_lote.registros;
    }
    return std::exchange(m_lote, {});
}

std::optional<TAnalisadorRegistros::TChaveRegistro> TAnalisadorRegistros::ChaveDoRegistro(qint64 registro) {
    m_qry.VaiPara(registro);
    if (m_qry.Eof() || m_qry.NumeroRegistro() != registro || !m_mapeamento.mapeamento || m_faltaCampo) {
        return std::nullopt;
    }
    TChaveRegistro lida;
    lida.codigo = CodigoAtual();
    std::optional<QString> chave;
    const bool recusado = Preenche(lida.codigo, chave).has_value();
    m_lote = {};
    if (recusado || !chave) {
        return std::nullopt;
    }
    lida.chave = std::move(*chave);
    return lida;
}

QString TAnalisadorRegistros::CodigoAtual() const {
    try {
        return m_indiceCodigo >= 0 ? m_qry.Tabela()->Texto(m_indiceCodigo) : QString();
    } catch (const EConversao&) {
        return QString(); // a code that cannot be read is said with the other fields
    }
}

void TAnalisadorRegistros::AnalisaRegistro() {
    const TTabelaDbf& tabela = *m_qry.Tabela();
    const qint64 registro = m_qry.NumeroRegistro();
    const QString codigo = CodigoAtual();
    m_fatais = 0;
    // A run reads every field of the first record and stops there; an empty table it never reads.
    if (registro == m_primeiroVivo) {
        for (std::size_t i = 0; i < m_tipo.campos.size(); ++i) {
            if (m_indices[i] < 0) {
                TAlteracao ausente;
                ausente.registro = registro;
                ausente.codigoOrigem = codigo;
                ausente.campoOrigem = QLatin1StringView(m_tipo.campos[i].nome);
                ausente.oQue = TipoAlteracao::CampoAusente;
                Anota(std::move(ausente), ClasseProblema::Fatal);
            }
        }
    }
    // Step (a) of the run, without a database: the values it refuses and the key it gives. It stops at
    // the first value it cannot take, so a record it refuses is read field by field to list every value
    // the reader cannot read; one it takes needs only the fields whose values are checked. A table that
    // lacks a field fails it on every record: the caller says that once.
    std::optional<TAlteracao> recusa;
    std::optional<QString> chave;
    if (m_mapeamento.mapeamento && !m_faltaCampo) {
        recusa = Preenche(codigo, chave);
    }
    const bool leTudo = m_faltaCampo || recusa || !m_mapeamento.mapeamento;
    const qint64 fataisAntes = m_fatais;
    auto problema = [&](const TCampoAnalisado& campo, TipoAlteracao oQue, QString detalhe, QString valor,
                        ClasseProblema classe) {
        TAlteracao p;
        p.registro = registro;
        p.codigoOrigem = codigo;
        p.campoOrigem = QLatin1StringView(campo.nome);
        p.oQue = oQue;
        p.detalhe = std::move(detalhe);
        p.valorOriginal = std::move(valor);
        Anota(std::move(p), classe);
    };
    for (std::size_t i = 0; i < m_tipo.campos.size(); ++i) {
        const TCampoAnalisado& campo = m_tipo.campos[i];
        const int indice = m_indices[i];
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
            const QString motivo = MotivoDoLeitor(MensagemDe(e), tabela.Pasta());
            problema(campo, TipoFalhaLeitura(campo.leitura, tabela.Campo(indice).tipo, motivo), motivo, texto,
                     ClasseProblema::Fatal);
            continue;
        }
        if (auto qualidade = ProblemaQualidade(campo.verificacao, texto)) {
            problema(campo, qualidade->first, qualidade->second, texto, ClasseProblema::Qualidade);
        }
    }
    // A value the reader cannot read is what the refusal was about, and is said already.
    if (recusa && m_fatais == fataisAntes) {
        Anota(std::move(*recusa), ClasseProblema::Fatal);
    }
    if (chave) {
        const std::uint64_t hash = qHash(*chave);
        m_lote.chaves.push_back({m_lote.registros, registro, hash, std::move(*chave), codigo});
    }
}

std::optional<TAlteracao> TAnalisadorRegistros::Preenche(const QString& codigo, std::optional<QString>& chave) {
    TMapeamento& m = *m_mapeamento.mapeamento;
    m.Contexto().registro = m_qry.NumeroRegistro();
    m.Contexto().codigoOrigem = codigo;
    std::optional<TAlteracao> recusa;
    try {
        m.Preenche(m_qry);
        chave = m_mapeamento.chave();
    } catch (const std::exception& e) {
        const QString mensagem = MensagemDe(e);
        TAlteracao& problema = recusa.emplace();
        problema.registro = m_qry.NumeroRegistro();
        problema.codigoOrigem = codigo;
        const QRegularExpressionMatch campo =
            QRegularExpression(QStringLiteral("^Erro ao ler o campo (\\S+) do registro")).match(mensagem);
        problema.campoOrigem = campo.captured(1);
        problema.oQue = TipoAlteracao::CampoRecusado;
        problema.detalhe = MotivoDoLeitor(mensagem, m_qry.NomeBanco());
    }
    m.Descarta();
    return recusa;
}

void TAnalisadorRegistros::Anota(TAlteracao problema, ClasseProblema classe) {
    problema.classe = classe;
    if (classe == ClasseProblema::Fatal) {
        ++m_fatais;
    }
    m_lote.problemas.push_back({m_lote.registros, std::move(problema)});
}

void TAnalisadorRegistros::TPerdas::Registra(const TAlteracao& alteracao) {
    TAlteracao perda = alteracao;
    m_analisador.Anota(std::move(perda), ClasseProblema::Perda);
}
