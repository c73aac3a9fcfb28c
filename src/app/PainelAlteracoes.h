#pragma once

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class IDialogoArquivo;
class TIndiceAlteracoes;
class TModeloAlteracoes;

/// A change log on disk as a table that can be filtered by kind and by what happened, and the
/// records shown saved as CSV ("Salvar CSV…"). Reads the file as the table needs it.
class TPainelAlteracoes final : public QWidget {
    Q_OBJECT

public:
    /// `dialogoArquivo` asks where to save (not owned). A file that cannot be read is said in the panel.
    TPainelAlteracoes(const QString& arquivo, IDialogoArquivo& dialogoArquivo, QWidget* pai = nullptr);
    ~TPainelAlteracoes() override;

private:
    void CriaControles();
    void Filtra();
    void SalvaCsv();

    IDialogoArquivo& m_dialogoArquivo;
    std::unique_ptr<TIndiceAlteracoes> m_indice;
    TModeloAlteracoes* m_modelo = nullptr;

    QComboBox* cbxTipo = nullptr;
    QComboBox* cbxAlteracao = nullptr;
    QLabel* lblQuantidade = nullptr;
    QTableView* tblAlteracoes = nullptr;
    QPushButton* btnSalvarCsv = nullptr;
};
