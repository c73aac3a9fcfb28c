#include "TelaPrincipal.h"

#include "AdaptadoresQt.h"
#include "AnalisePasta.h"
#include "ClassesConversaoController.h"
#include "DialogoArquivo.h"
#include "EConversao.h"
#include "EstadoTriggers.h"
#include "Estilo.h"
#include "ImagemSvg.h"
#include "ListaParametros.h"
#include "NomeBanco.h"
#include "RelatorioExecucao.h"
#include "ServidorLocal.h"
#include "VerificacaoDestino.h"
#include "ui/InterfaceUsuario.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>

#include <algorithm>
#include <exception>
#include <iterator>
#include <optional>
#include <utility>

namespace {

// Shown as "*.FB"; the patterns also take lower- and mixed-case extensions, which Linux tells apart.
// Listed one by one rather than as a character class, which not every native dialog understands.
const char* const kFiltroBancoQuorvel = "*.FB (*.FB *.fb *.Fb *.fB)";

const QColor kMarrom(0x80, 0x00, 0x00);

// Runs an event handler; an error that leaves it is shown in an error box with its message, as
// a desktop toolkit does by default (an exception must never cross Qt's event loop).
template <typename F> void Manipula(F&& manipulador) noexcept {
    try {
        std::forward<F>(manipulador)();
    } catch (const std::exception& e) {
        MostraErro(MensagemDe(e));
    } catch (...) {
        MostraErro(QStringLiteral("Erro inesperado."));
    }
}

template <typename F> class TAoSairDoEscopo {
public:
    explicit TAoSairDoEscopo(F acao) : m_acao(std::move(acao)) {}
    ~TAoSairDoEscopo() { m_acao(); }
    TAoSairDoEscopo(const TAoSairDoEscopo&) = delete;
    TAoSairDoEscopo& operator=(const TAoSairDoEscopo&) = delete;

private:
    F m_acao;
};

// A label or a check box at (x, y), as wide as its text.
template <typename W>
W* CriaComTexto(QWidget* pai, const char* nome, const QString& texto, int x, int y, const QFont& fonte) {
    auto* controle = new W(texto, pai);
    controle->setObjectName(QLatin1String(nome));
    controle->setFont(fonte);
    controle->move(x, y);
    controle->adjustSize();
    return controle;
}
constexpr auto CriaRotulo = &CriaComTexto<QLabel>;
constexpr auto CriaMarca = &CriaComTexto<QCheckBox>;

QPushButton* CriaBotao(QWidget* pai, const char* nome, const QString& texto, const char* icone, QRect posicao) {
    auto* botao = new QPushButton(texto, pai);
    botao->setObjectName(QLatin1String(nome));
    botao->setIcon(IconeSvg(QLatin1String(icone)));
    botao->setIconSize(QSize(16, 16));
    botao->setGeometry(posicao);
    botao->setAutoDefault(false);
    return botao;
}

} // namespace

TFPrincipal::TFPrincipal(IDialogoArquivo* dialogoArquivo, QWidget* pai)
    : QWidget(pai, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      ibtTransacaoQuorvel(ibdQuorvel.Transacao()), m_dialogoArquivo(dialogoArquivo) {
    if (!m_dialogoArquivo) {
        m_dialogoProprio = std::make_unique<TDialogoArquivoQt>();
        m_dialogoArquivo = m_dialogoProprio.get();
    }
    setObjectName(QStringLiteral("FPrincipal"));
    setWindowTitle(QStringLiteral("Conversor TAVRIN"));
    setWindowIcon(IconeSvg(QStringLiteral(":/imagens/icone.svg")));
    setFont(FonteJanela(11));
    setFixedSize(624, 420);
    CriaControles();
    DefineOrdemTeclado();
    Centraliza();
    SelecionaPastaOrigem(QDir::currentPath());
    dcoCaminhoBDOrigem->setFocus();
}

TFPrincipal::~TFPrincipal() = default;

void TFPrincipal::CriaControles() {
    const QFont normal = FonteJanela(11);
    const QFont negrito = FonteJanela(11, true);

    pnlCabecalho = new QWidget(this);
    pnlCabecalho->setObjectName(QStringLiteral("pnlCabecalho"));
    pnlCabecalho->setGeometry(0, 0, 633, 73);
    pnlCabecalho->setAttribute(Qt::WA_StyledBackground);
    pnlCabecalho->setAutoFillBackground(true);
    QPalette branco = pnlCabecalho->palette();
    branco.setColor(QPalette::Window, Qt::white);
    pnlCabecalho->setPalette(branco);

    imgLogo = new TImagemSvg(QStringLiteral(":/imagens/logo.svg"), pnlCabecalho);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setGeometry(1, 10, 137, 64);
    imgComp = new TImagemSvg(QStringLiteral(":/imagens/migracao.svg"), pnlCabecalho);
    imgComp->setObjectName(QStringLiteral("imgComp"));
    imgComp->setGeometry(503, 1, 132, 71);

    Label2 = CriaRotulo(pnlCabecalho, "Label2", QStringLiteral("Ferramenta de Conversão de Dados - TAVRIN"), 150, 25,
                        FonteJanela(15, true));
    QPalette marrom = Label2->palette();
    marrom.setColor(QPalette::WindowText, kMarrom);
    Label2->setPalette(marrom);
    Label2->raise();

    Label3 =
        CriaRotulo(this, "Label3", QStringLiteral("Selecione a Pasta do Banco de Dados de Origem: "), 3, 75, negrito);

    dcoCaminhoBDOrigem = new QTreeView(this);
    dcoCaminhoBDOrigem->setObjectName(QStringLiteral("dcoCaminhoBDOrigem"));
    dcoCaminhoBDOrigem->setGeometry(3, 92, 610, 113);
    m_modeloPastas = new QFileSystemModel(this);
    m_modeloPastas->setFilter(QDir::Dirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_modeloPastas->setRootPath(QDir::rootPath());
    dcoCaminhoBDOrigem->setModel(m_modeloPastas);
    actAnalisarPasta = new QAction(QStringLiteral("Analisar pasta…"), dcoCaminhoBDOrigem);
    actAnalisarPasta->setObjectName(QStringLiteral("actAnalisarPasta"));
    dcoCaminhoBDOrigem->addAction(actAnalisarPasta);
    dcoCaminhoBDOrigem->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(actAnalisarPasta, &QAction::triggered, this, [this] { actAnalisarPastaClick(); });
    for (int coluna = 1; coluna < m_modeloPastas->columnCount(); ++coluna) {
        dcoCaminhoBDOrigem->hideColumn(coluna);
    }
    dcoCaminhoBDOrigem->setHeaderHidden(true);
    dcoCaminhoBDOrigem->header()->setStretchLastSection(false);
    dcoCaminhoBDOrigem->header()->setSectionResizeMode(0, QHeaderView::Fixed);
    dcoCaminhoBDOrigem->setUniformRowHeights(true);
    dcoCaminhoBDOrigem->setSelectionMode(QAbstractItemView::SingleSelection);
    dcoCaminhoBDOrigem->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The model reads folders in the background; keep the chosen folder in view until the person
    // touches the tree.
    const auto rola = [this] {
        AjustaLarguraPastas();
        if (!m_pastaARolar.isEmpty()) {
            dcoCaminhoBDOrigem->scrollTo(dcoCaminhoBDOrigem->currentIndex(), QAbstractItemView::PositionAtCenter);
        }
    };
    connect(m_modeloPastas, &QFileSystemModel::directoryLoaded, this, rola);
    connect(m_modeloPastas, &QFileSystemModel::layoutChanged, this, rola);
    connect(dcoCaminhoBDOrigem, &QTreeView::expanded, this, [this] { AjustaLarguraPastas(); });
    connect(dcoCaminhoBDOrigem, &QTreeView::collapsed, this, [this] { AjustaLarguraPastas(); });
    for (QObject* parte : std::initializer_list<QObject*>{dcoCaminhoBDOrigem, dcoCaminhoBDOrigem->viewport(),
                                                          dcoCaminhoBDOrigem->verticalScrollBar(),
                                                          dcoCaminhoBDOrigem->horizontalScrollBar()}) {
        parte->installEventFilter(this);
    }

    Label1 = CriaRotulo(this, "Label1", QStringLiteral("Caminho do Banco de Dados Quorvel: "), 5, 220, negrito);

    edtCaminhoBDDestino = new QLineEdit(this);
    edtCaminhoBDDestino->setObjectName(QStringLiteral("edtCaminhoBDDestino"));
    edtCaminhoBDDestino->setGeometry(5, 238, 516, 21);
    edtCaminhoBDDestino->setEnabled(false);

    btnAbrir = CriaBotao(this, "btnAbrir", QStringLiteral("Abrir"), ":/imagens/abrir.svg", {536, 235, 83, 25});

    gbxTabelasConverter = new QGroupBox(QStringLiteral("Tabelas à converter"), this);
    gbxTabelasConverter->setObjectName(QStringLiteral("gbxTabelasConverter"));
    gbxTabelasConverter->setGeometry(6, 271, 612, 74);
    gbxTabelasConverter->setFont(negrito);
    chkVendedores = CriaMarca(gbxTabelasConverter, "chkVendedores", QStringLiteral("Vendedores"), 49, 19, normal);
    chkClientes = CriaMarca(gbxTabelasConverter, "chkClientes", QStringLiteral("Clientes"), 241, 19, normal);
    chkFornecedores =
        CriaMarca(gbxTabelasConverter, "chkFornecedores", QStringLiteral("Fornecedores"), 422, 19, normal);
    chkGruposProdutos =
        CriaMarca(gbxTabelasConverter, "chkGruposProdutos", QStringLiteral("Grupos de Produtos"), 49, 46, normal);
    chkProdutos = CriaMarca(gbxTabelasConverter, "chkProdutos", QStringLiteral("Produtos"), 240, 46, normal);

    lblInfo = new QLabel(this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setFont(negrito);
    // Wide enough for the longest progress text; the label grows to the right as the caption does.
    lblInfo->setGeometry(9, 350, 606, QFontMetrics(negrito).height());

    Barra = new QProgressBar(this);
    Barra->setObjectName(QStringLiteral("Barra"));
    Barra->setGeometry(7, 369, 611, 15);
    Barra->setTextVisible(false);
    Barra->setRange(0, 100);
    Barra->setValue(0);

    btnConverter =
        CriaBotao(this, "btnConverter", QStringLiteral("Converter"), ":/imagens/converter.svg", {447, 390, 85, 25});
    btnSair = CriaBotao(this, "btnSair", QStringLiteral("Sair"), ":/imagens/sair.svg", {535, 390, 83, 25});

    m_barra = std::make_unique<TBarraProgressoQt>(*Barra);
    m_rotulo = std::make_unique<TRotuloQt>(*lblInfo);

    connect(btnAbrir, &QPushButton::clicked, this, [this] { Manipula([this] { btnAbrirQuorvelClick(); }); });
    connect(btnConverter, &QPushButton::clicked, this, [this] { Manipula([this] { btnConverterClick(); }); });
    connect(btnSair, &QPushButton::clicked, this, [this] { Manipula([this] { btnSairClick(); }); });
}

void TFPrincipal::DefineOrdemTeclado() {
    QWidget* const ordem[] = {dcoCaminhoBDOrigem, btnAbrir,      chkClientes,  chkProdutos, chkFornecedores,
                              chkGruposProdutos,  chkVendedores, btnConverter, btnSair};
    for (size_t i = 1; i < std::size(ordem); ++i) {
        setTabOrder(ordem[i - 1], ordem[i]);
    }
    Barra->setFocusPolicy(Qt::NoFocus);
}

void TFPrincipal::Centraliza() {
    QScreen* tela = screen() ? screen() : QGuiApplication::primaryScreen();
    if (tela) {
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), tela->availableGeometry()).topLeft());
    }
}

void TFPrincipal::SelecionaPastaOrigem(const QString& caminho) {
    const QModelIndex indice = m_modeloPastas->index(QDir::cleanPath(QDir(caminho).absolutePath()));
    if (!indice.isValid()) {
        return;
    }
    dcoCaminhoBDOrigem->setCurrentIndex(indice);
    for (QModelIndex pai = indice.parent(); pai.isValid(); pai = pai.parent()) {
        dcoCaminhoBDOrigem->expand(pai);
    }
    dcoCaminhoBDOrigem->expand(indice);
    dcoCaminhoBDOrigem->scrollTo(indice, QAbstractItemView::PositionAtCenter);
    m_pastaARolar = m_modeloPastas->filePath(indice);
}

QString TFPrincipal::PastaOrigemSelecionada() const {
    const QModelIndex indice = dcoCaminhoBDOrigem->currentIndex();
    return indice.isValid() ? m_modeloPastas->filePath(indice) : QDir::currentPath();
}

void TFPrincipal::AjustaLarguraPastas() {
    // The one column fills the tree, so a selected folder is highlighted across the whole row, and
    // grows past it when names run deep, so the tree scrolls sideways instead of cutting them.
    // (QTreeView hides sizeHintForColumn; the base class offers it.)
    const QAbstractItemView* vista = dcoCaminhoBDOrigem;
    const int largura = std::max(vista->sizeHintForColumn(0), dcoCaminhoBDOrigem->viewport()->width());
    if (dcoCaminhoBDOrigem->header()->sectionSize(0) != largura) {
        dcoCaminhoBDOrigem->header()->resizeSection(0, largura);
    }
}

bool TFPrincipal::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == dcoCaminhoBDOrigem->viewport() && evento->type() == QEvent::Resize) {
        AjustaLarguraPastas();
    }
    switch (evento->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        m_pastaARolar.clear();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(objeto, evento);
}

bool TFPrincipal::VerificaCaminhoBDVazio() {
    if (edtCaminhoBDDestino->text().isEmpty()) {
        MostraAviso(QStringLiteral("O caminho do banco de dados está vazio!"));
        return true;
    }
    return false;
}

bool TFPrincipal::VerificaConexaoBD() {
    if (!ibdQuorvel.TestaConexao()) {
        MostraAviso(QStringLiteral("Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o "
                                   "arquivo selecionado é válido! "));
        return true;
    }
    return false;
}

void TFPrincipal::pIniciaListaParametros(TListaParametros& MParams) const {
    IniciaListaParametros(MParams);
}

void TFPrincipal::pCarregaParametros(TListaParametros& MParams) const {
    TTiposMarcados marcados;
    marcados.vendedores = chkVendedores->isChecked();
    marcados.clientes = chkClientes->isChecked();
    marcados.fornecedores = chkFornecedores->isChecked();
    marcados.produtos = chkProdutos->isChecked();
    marcados.gruposProdutos = chkGruposProdutos->isChecked();
    CarregaParametros(MParams, marcados);
}

void TFPrincipal::DesabilitaBotoes() {
    for (QWidget* controle : std::initializer_list<QWidget*>{btnAbrir, btnConverter, btnSair, gbxTabelasConverter}) {
        controle->setEnabled(false);
    }
}

void TFPrincipal::HabilitaBotoes() {
    for (QWidget* controle : std::initializer_list<QWidget*>{btnAbrir, btnConverter, btnSair, gbxTabelasConverter}) {
        controle->setEnabled(true);
    }
}

void TFPrincipal::btnAbrirQuorvelClick() {
    if (ibtTransacaoQuorvel.Ativa()) {
        try {
            ibtTransacaoQuorvel.Cancela();
        } catch (const std::exception&) {
            // A connection that cannot even roll back is broken; closing it below discards the
            // transaction anyway, and the person must still be able to choose another file.
        }
    }
    ibdQuorvel.Fecha();

    const std::optional<QString> arquivo =
        m_dialogoArquivo->EscolheArquivo(this, PastaInicialAbrir(), QLatin1String(kFiltroBancoQuorvel));
    if (!arquivo) {
        return;
    }
    QString banco = *arquivo;
    // On the server machine the server holds the database, and the embedded engine cannot open it.
    if (!BancoNoServidor(banco) && AbertoPeloServidorLocal(banco)) {
        edtCaminhoBDDestino->setText(banco);
        if (!m_dialogoArquivo->Pergunta(this, QStringLiteral("O banco está aberto pelo servidor Firebird desta "
                                                             "máquina. Converter através do servidor?"))) {
            return;
        }
        banco = NomePeloServidorLocal(banco);
    }
    edtCaminhoBDDestino->setText(banco);
    ibdQuorvel.SetNomeBanco(banco);
    AbreBancoQuorvel();
}

QString TFPrincipal::PastaInicialAbrir() const {
    const QString arquivo = ArquivoLocalDoBanco(edtCaminhoBDDestino->text());
    if (!arquivo.isEmpty() && QFileInfo(arquivo).absoluteDir().exists()) {
        return QFileInfo(arquivo).absolutePath();
    }
    return PastaOrigemSelecionada();
}

void TFPrincipal::AbreBancoQuorvel() {
    // The same refusals as the headless command, each in words a person can act on.
    if (const auto problema = ProblemaArquivoDestino(ibdQuorvel.NomeBanco())) {
        MostraErro(*problema);
        return;
    }
    try {
        ibdQuorvel.Abre();
    } catch (const std::exception& e) {
        MostraErro(MensagemFalhaAbertura(ibdQuorvel.NomeBanco(), e));
        return;
    }
    if (!ibdQuorvel.TestaConexao()) {
        return;
    }
    ibtTransacaoQuorvel.Inicia();
    std::optional<QString> problema;
    try {
        problema = ProblemaBancoAberto(ibdQuorvel);
    } catch (const std::exception& e) {
        ibdQuorvel.Fecha();
        MostraErro(MensagemFalhaAbertura(ibdQuorvel.NomeBanco(), e));
        return;
    }
    if (problema) {
        ibdQuorvel.Fecha();
        MostraAviso(*problema);
        return;
    }
    // A run that was killed leaves the triggers off, and the target system then stops keeping
    // its stock; say so now rather than let it go unnoticed until the next conversion.
    const QStringList inativas = TriggersInativas(ibdQuorvel);
    if (!inativas.isEmpty()) {
        MostraAviso(AvisoTriggersInativas(inativas));
    }
}

void TFPrincipal::btnConverterClick() {
    if (VerificaCaminhoBDVazio()) {
        return;
    }
    if (VerificaConexaoBD()) {
        return;
    }
    DesabilitaBotoes();
    m_emConversao = true;
    const TAoSairDoEscopo reabilita([this] {
        m_emConversao = false;
        HabilitaBotoes();
    });

    TListaParametros MParams;
    pIniciaListaParametros(MParams);
    pCarregaParametros(MParams);
    CaminhoOrigem = PastaOrigemSelecionada();
    // The run's summary and change log; the final box offers them as a report.
    TRelatorioExecucao relatorio(ibdQuorvel, CaminhoOrigem, *m_dialogoArquivo, this);
    TClassesConversaoController execucao;
    execucao.SetObservador(&relatorio);
    execucao.SetRegistroAlteracoes(&relatorio.Alteracoes());
    execucao.FEfetuaConversao(MParams, CaminhoOrigem, ibdQuorvel, ibtTransacaoQuorvel, *m_barra, *m_rotulo);
}

void TFPrincipal::actAnalisarPastaClick() {
    // The tree offers the menu while a run is going on too; the analysis waits for it to end.
    if (m_emConversao) {
        return;
    }
    const QString pasta = PastaOrigemSelecionada();
    if (const auto problema = ProblemaPastaOrigem(pasta)) {
        MostraAviso(*problema);
        return;
    }
    TListaParametros marcados;
    pCarregaParametros(marcados);
    QStringList chaves;
    for (const char* chave : {"VENDEDORES", "CLIENTES", "FORNECEDORES", "GRUPOSPRODUTOS", "PRODUTOS"}) {
        if (marcados.Valor(QLatin1String(chave)) == QLatin1String("S")) {
            chaves << QLatin1String(chave);
        }
    }
    if (chaves.isEmpty()) {
        chaves = {QStringLiteral("VENDEDORES"), QStringLiteral("CLIENTES"), QStringLiteral("FORNECEDORES"),
                  QStringLiteral("GRUPOSPRODUTOS"), QStringLiteral("PRODUTOS")};
    }
    // As during a run: the window processes its messages as the records go by, and nothing else may
    // start or close it meanwhile.
    DesabilitaBotoes();
    m_emConversao = true;
    const TAoSairDoEscopo reabilita([this] {
        m_emConversao = false;
        HabilitaBotoes();
    });
    AnalisaPastaEMostra(pasta, chaves, *m_dialogoArquivo, *m_barra, *m_rotulo, this);
}

void TFPrincipal::btnSairClick() {
    // Leaving must not depend on the rollback: the engine discards uncommitted work when the
    // connection goes away. A failure is still reported.
    std::exception_ptr falha;
    try {
        if (ibtTransacaoQuorvel.Ativa()) {
            ibtTransacaoQuorvel.Cancela();
        }
    } catch (...) {
        falha = std::current_exception();
    }
    close();
    if (falha) {
        std::rethrow_exception(falha);
    }
}

void TFPrincipal::closeEvent(QCloseEvent* evento) {
    // A run processes window events once per record; closing now would leave it running without
    // a window. The buttons are disabled for the same reason.
    if (m_emConversao) {
        evento->ignore();
        return;
    }
    CaminhoOrigem.clear();
    QWidget::closeEvent(evento);
}
