#include "ModeloAlteracoes.h"

#include "IndiceAlteracoes.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kColunaRegistro = 2;
// A tooltip shows a value the column may have cut short.
constexpr qsizetype kTamanhoDica = 30;

} // namespace

QString TextoVisivel(const QString& texto) {
    QString visivel = texto;
    for (QChar& c : visivel) {
        if (c.unicode() < 0x20) {
            c = QChar(0x2400 + c.unicode());
        } else if (c.unicode() == 0x7F) {
            c = QChar(0x2421);
        }
    }
    return visivel;
}

TModeloAlteracoes::TModeloAlteracoes(const TIndiceAlteracoes& indice, QObject* pai)
    : QAbstractTableModel(pai), m_indice(indice), m_campos(4096) {
    m_visiveis = m_indice.Filtra(-1, -1);
}

int TModeloAlteracoes::rowCount(const QModelIndex& pai) const {
    if (pai.isValid()) {
        return 0;
    }
    return static_cast<int>(std::min<std::size_t>(m_visiveis.size(), std::numeric_limits<int>::max()));
}

int TModeloAlteracoes::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : static_cast<int>(m_indice.Colunas().size());
}

const QStringList& TModeloAlteracoes::Campos(int linha) const {
    const qint64 registro = m_visiveis[static_cast<std::size_t>(linha)];
    if (const QStringList* campos = m_campos.object(registro)) {
        return *campos;
    }
    auto* campos = new QStringList(m_indice.Registro(registro));
    m_campos.insert(registro, campos);
    return *campos;
}

QVariant TModeloAlteracoes::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid() || indice.row() >= rowCount() || indice.column() >= columnCount()) {
        return QVariant();
    }
    if (papel == Qt::TextAlignmentRole) {
        return indice.column() == kColunaRegistro ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    }
    if (papel != Qt::DisplayRole && papel != Qt::ToolTipRole && papel != kPapelValor) {
        return QVariant();
    }
    const QStringList& campos = Campos(indice.row());
    const QString valor = indice.column() < campos.size() ? campos[indice.column()] : QString();
    if (papel == kPapelValor) {
        return valor;
    }
    if (papel == Qt::ToolTipRole) {
        // Rich text, so that a long value wraps.
        return valor.size() > kTamanhoDica ? QStringLiteral("<p>%1</p>").arg(TextoVisivel(valor).toHtmlEscaped())
                                           : QVariant();
    }
    return TextoVisivel(valor);
}

QVariant TModeloAlteracoes::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (orientacao == Qt::Horizontal && papel == Qt::DisplayRole && secao >= 0 && secao < columnCount()) {
        return m_indice.Colunas()[secao];
    }
    return QAbstractTableModel::headerData(secao, orientacao, papel);
}

void TModeloAlteracoes::Filtra(int tipo, int categoria) {
    beginResetModel();
    m_visiveis = m_indice.Filtra(tipo, categoria);
    endResetModel();
}
