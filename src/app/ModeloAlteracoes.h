#pragma once

#include <QAbstractTableModel>
#include <QCache>
#include <QStringList>

#include <vector>

class TIndiceAlteracoes;

/// The change log as a table for a view: one row per record the filter lets through, its fields read
/// from the file only for the rows the view asks for (the last few thousand are kept).
class TModeloAlteracoes final : public QAbstractTableModel {
    Q_OBJECT

public:
    /// The field exactly as recorded; the display shows control characters and line breaks as
    /// visible symbols.
    static constexpr int kPapelValor = Qt::UserRole;

    /// `indice` must outlive the model.
    explicit TModeloAlteracoes(const TIndiceAlteracoes& indice, QObject* pai = nullptr);

    int rowCount(const QModelIndex& pai = QModelIndex()) const override;
    int columnCount(const QModelIndex& pai = QModelIndex()) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel = Qt::DisplayRole) const override;

    /// Shows only the records of that kind and category (positions in the index's lists; -1 takes any).
    void Filtra(int tipo, int categoria);
    /// The records shown, in order (positions in the file).
    const std::vector<qint64>& Visiveis() const { return m_visiveis; }

private:
    const QStringList& Campos(int linha) const;

    const TIndiceAlteracoes& m_indice;
    std::vector<qint64> m_visiveis;
    mutable QCache<qint64, QStringList> m_campos;
};

/// `texto` with control characters (line breaks and tabs included) shown as their Unicode pictures.
QString TextoVisivel(const QString& texto);
