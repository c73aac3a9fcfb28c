#include "TQueryOrigem.h"

#include "EConversao.h"
#include "TTabelaDbf.h"

#include <QRegularExpression>

#include <limits>

namespace {

// The only statement the source understands: every column of one table, in file order.
const QRegularExpression& SelectTudo() {
    static const QRegularExpression expressao(
        QStringLiteral(R"(^\s*SELECT\s*\*\s*FROM\s+([A-Za-z_][A-Za-z0-9_]*)\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    return expressao;
}

} // namespace

QString TCampoOrigem::ComoTexto() const {
    return m_tabela->Texto(m_indice);
}

double TCampoOrigem::ComoDouble() const {
    return m_tabela->Numero(m_indice);
}

TDateTime TCampoOrigem::ComoDataHora() const {
    return m_tabela->DataHora(m_indice);
}

bool TCampoOrigem::Nulo() const {
    return m_tabela->Nulo(m_indice);
}

void TCampoOrigem::Recusa(const QString& motivo) const {
    m_tabela->ErroCampo(m_indice, motivo);
}

TQueryOrigem::TQueryOrigem() = default;
TQueryOrigem::~TQueryOrigem() = default;

void TQueryOrigem::SetNomeBanco(const QString& pasta) {
    Fecha();
    m_pasta = pasta;
}

const QString& TQueryOrigem::NomeBanco() const {
    return m_pasta;
}

void TQueryOrigem::LimpaSQL() {
    Fecha();
    m_sql.clear();
}

void TQueryOrigem::SetSQL(const QString& sql) {
    Fecha();
    m_sql = sql;
}

const QString& TQueryOrigem::SQL() const {
    return m_sql;
}

void TQueryOrigem::Abre() {
    Fecha();
    const QRegularExpressionMatch achado = SelectTudo().match(m_sql);
    if (!achado.hasMatch()) {
        throw EConversao(QStringLiteral("Consulta não suportada na origem (pasta \"%1\"): \"%2\". "
                                        "Só se lê SELECT * FROM <tabela>.")
                             .arg(m_pasta, m_sql.trimmed()));
    }
    m_tabela = std::make_unique<TTabelaDbf>(m_pasta, achado.captured(1).toUpper(), m_pagina);
}

void TQueryOrigem::Fecha() {
    m_tabela.reset();
}

bool TQueryOrigem::Aberta() const {
    return m_tabela != nullptr;
}

bool TQueryOrigem::Eof() const {
    return !m_tabela || m_tabela->Eof();
}

void TQueryOrigem::Proximo() {
    if (m_tabela) {
        m_tabela->Proximo();
    }
}

void TQueryOrigem::Primeiro() {
    if (m_tabela) {
        m_tabela->Primeiro();
    }
}

void TQueryOrigem::VaiPara(qint64 registro) {
    if (m_tabela) {
        m_tabela->VaiPara(registro);
    }
}

void TQueryOrigem::Ultimo() {
    if (m_tabela) {
        m_tabela->Ultimo();
    }
}

int TQueryOrigem::QuantRegistros() const {
    if (!m_tabela) {
        return 0;
    }
    return static_cast<int>(std::min<qint64>(m_tabela->QuantRegistros(), std::numeric_limits<int>::max()));
}

qint64 TQueryOrigem::NumeroRegistro() const {
    return m_tabela ? m_tabela->NumeroRegistro() : 0;
}

QStringList TQueryOrigem::Avisos() const {
    return m_tabela ? m_tabela->Avisos() : QStringList();
}

TCampoOrigem TQueryOrigem::CampoPorNome(const QString& nome) const {
    if (!m_tabela) {
        throw EConversao(
            QStringLiteral("Campo '%1': a consulta da origem não está aberta (pasta \"%2\").").arg(nome, m_pasta));
    }
    const int indice = m_tabela->IndiceCampo(nome);
    if (indice < 0) {
        throw EConversao(QStringLiteral("Campo '%1' não encontrado na tabela %2 (pasta \"%3\").")
                             .arg(nome, m_tabela->Nome(), m_pasta));
    }
    return TCampoOrigem(*m_tabela, indice);
}

TCampoOrigem TQueryOrigem::CampoPorNome(QLatin1StringView nome) const {
    const int indice = m_tabela ? m_tabela->IndiceCampo(nome) : -1;
    if (indice < 0) {
        return CampoPorNome(QString(nome)); // raises the error that names the field
    }
    return TCampoOrigem(*m_tabela, indice);
}
