#include "DescricaoLinha.h"

QString TextoData(TDateTime valor) {
    return FormataDataHora(QStringLiteral("dd.mm.yyyy"), valor);
}

namespace linha {

namespace {

// A column's parameter: named after the column without its table.
QLatin1StringView Parametro(const char* nome) {
    const QLatin1StringView n(nome);
    return n.mid(n.lastIndexOf(QLatin1Char('.')) + 1);
}

} // namespace

const QString& TTextos::Texto(unsigned uso, std::uint64_t presentes) {
    if (uso != kInsercao) {
        presentes = 0; // an update writes every one of its columns
    }
    for (const Escrito& e : m_textos) {
        if (e.uso == uso && e.presentes == presentes) {
            return e.sql;
        }
    }
    m_textos.push_back({uso, presentes, Escreve(uso, presentes)});
    return m_textos.back().sql;
}

QString TTextos::Escreve(unsigned uso, std::uint64_t presentes) const {
    const bool insercao = uso == kInsercao;
    QString nomes;
    QString valores;
    QString chave;
    unsigned opcional = 0;
    for (const Coluna& c : m_colunas) {
        const bool ausente = c.opcional && (presentes & (std::uint64_t{1} << opcional++)) == 0;
        if ((c.usos & kChave) != 0) {
            chave = QLatin1String(c.nome) + QStringLiteral(" = :") + Parametro(c.nome);
        }
        if ((c.usos & uso) == 0 || (insercao && ausente)) {
            continue;
        }
        const QString valor =
            c.constante != nullptr ? QString::fromLatin1(c.constante) : QLatin1Char(':') + Parametro(c.nome);
        if (insercao) {
            nomes += (nomes.isEmpty() ? QString() : QStringLiteral(", ")) + QLatin1String(c.nome);
            valores += (valores.isEmpty() ? QString() : QStringLiteral(", ")) + valor;
        } else {
            valores += (valores.isEmpty() ? QString() : QStringLiteral(", ")) + QLatin1String(c.nome) +
                       QStringLiteral(" = ") + valor;
        }
    }
    const QString tabela = QLatin1String(m_tabela);
    if (insercao) {
        return QStringLiteral("Insert Into %1 (%2) Values (%3)").arg(tabela, nomes, valores);
    }
    return QStringLiteral("Update %1 set %2 where %3").arg(tabela, valores, chave);
}

} // namespace linha
