#pragma once

#include "TConexaoDestino.h"

#include <QString>
#include <QWidget>

#include <memory>

class QAction;
class QCheckBox;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeView;
class IDialogoArquivo;
class TBarraProgressoQt;
class TImagemSvg;
class TListaParametros;
class TRotuloQt;

/// The main window: choice of the source folder and the target database, the kinds to convert,
/// and the start of a run. Owns the target connection for the life of the program; the run
/// itself lives in TClassesConversaoController.
class TFPrincipal : public QWidget {
    Q_OBJECT

public:
    /// `dialogoArquivo` answers "Abrir"'s file dialog (not owned); none means the real dialog.
    explicit TFPrincipal(IDialogoArquivo* dialogoArquivo = nullptr, QWidget* pai = nullptr);
    ~TFPrincipal() override;

    /// True (after a warning) when no target database was chosen.
    bool VerificaCaminhoBDVazio();
    /// True (after a warning) when the target connection does not answer.
    bool VerificaConexaoBD();
    /// The seven bare lines every run's list starts with.
    void pIniciaListaParametros(TListaParametros& MParams) const;
    /// One "KEY=S" line per ticked box.
    void pCarregaParametros(TListaParametros& MParams) const;
    void DesabilitaBotoes();
    void HabilitaBotoes();

    /// Selects a folder in the tree, opening its parents and scrolling it into view.
    void SelecionaPastaOrigem(const QString& caminho);
    /// The full path of the folder selected in the tree.
    QString PastaOrigemSelecionada() const;

    TConexaoDestino& ConexaoDestino() { return ibdQuorvel; }
    /// True while a run is going on.
    bool EmConversao() const { return m_emConversao; }

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void btnAbrirQuorvelClick();
    /// Where "Abrir" starts: the folder of the database already chosen, else the source folder.
    QString PastaInicialAbrir() const;
    /// Opens the database named in the connection, with the checks the headless command makes.
    void AbreBancoQuorvel();
    void btnConverterClick();
    void btnSairClick();
    /// "Analisar pasta…": the report of every problem of the folder selected in the tree, for the kinds
    /// ticked (all five when none is).
    void actAnalisarPastaClick();

    void CriaControles();
    void DefineOrdemTeclado();
    void Centraliza();
    void AjustaLarguraPastas();

    TConexaoDestino ibdQuorvel;
    TTransacaoDestino& ibtTransacaoQuorvel;
    std::unique_ptr<IDialogoArquivo> m_dialogoProprio;
    IDialogoArquivo* m_dialogoArquivo;
    QString CaminhoOrigem;
    bool m_emConversao = false;
    // Scroll the tree to this folder as the file system model loads it; emptied once there.
    QString m_pastaARolar;

    // Children of the window (Qt deletes them with it).
    QWidget* pnlCabecalho = nullptr;
    TImagemSvg* imgLogo = nullptr;
    TImagemSvg* imgComp = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblInfo = nullptr;
    QTreeView* dcoCaminhoBDOrigem = nullptr;
    QAction* actAnalisarPasta = nullptr; ///< in the tree's context menu
    QFileSystemModel* m_modeloPastas = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* edtCaminhoBDDestino = nullptr;
    QPushButton* btnAbrir = nullptr;
    QGroupBox* gbxTabelasConverter = nullptr;
    QCheckBox* chkVendedores = nullptr;
    QCheckBox* chkClientes = nullptr;
    QCheckBox* chkFornecedores = nullptr;
    QCheckBox* chkGruposProdutos = nullptr;
    QCheckBox* chkProdutos = nullptr;
    QProgressBar* Barra = nullptr;
    QPushButton* btnConverter = nullptr;
    QPushButton* btnSair = nullptr;

    std::unique_ptr<TBarraProgressoQt> m_barra;
    std::unique_ptr<TRotuloQt> m_rotulo;
};
