// The main window on the offscreen platform, with real target databases and real source tables:
// its controls, the refusals before a run, the controls during a run and conversions started
// from it. The file dialog is answered in advance; message boxes go to the recorder, except where
// the window's own boxes are under test.
#include "../integration/ClientesTeste.h"
#include "../unit/FixturesDbf.h"
#include "AdaptadoresQt.h"
#include "BancoTemporario.h"
#include "ConsultasTeste.h"
#include "DialogoArquivo.h"
#include "Estilo.h"
#include "GravadorInterface.h"
#include "JanelaTeste.h"
#include "ListaParametros.h"
#include "TQueryDestino.h"
#include "TelaPrincipal.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include <sys/file.h>

namespace {

[[maybe_unused]] const auto* const kAmbiente = ::testing::AddGlobalTestEnvironment(new TAmbienteQt);

const QString kCaminhoVazio = QStringLiteral("AVISO: O caminho do banco de dados está vazio!");
const QString kSemConexao = QStringLiteral("AVISO: Não foi possível se conectar ao Banco de Dados! Verifique sua "
                                           "conexão ou se o arquivo selecionado é válido! ");
const QString kSucesso = QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!");

// The patterns between the parentheses of a Qt name filter ("Title (*.a *.b)").
QStringList PadroesDoFiltro(const QString& filtro) {
    const QRegularExpressionMatch partes = QRegularExpression(QStringLiteral("\\(([^)]*)\\)")).match(filtro);
    return partes.hasMatch() ? partes.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts) : QStringList();
}

// A source folder with TABEST8: (CONTROLE, SETOR) per record.
void GravaGrupos(const QString& pasta, const std::vector<std::pair<QString, QString>>& grupos) {
    GravaTabela(QDir(pasta).filePath(QStringLiteral("TABEST8.DBF")),
                {{QStringLiteral("CONTROLE"), 'C', 6}, {QStringLiteral("SETOR"), 'C', 40}},
                static_cast<int>(grupos.size()), [&](TEscritorDbf& e, int i) {
                    e.Texto(QStringLiteral("CONTROLE"), grupos[static_cast<size_t>(i)].first);
                    e.Texto(QStringLiteral("SETOR"), grupos[static_cast<size_t>(i)].second);
                    return true;
                });
}

class TesteJanela : public ::testing::Test {
protected:
    void SetUp() override {
        janela.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    }

    template <typename T> T* Controle(const char* nome) {
        T* controle = janela.findChild<T*>(QLatin1String(nome));
        EXPECT_NE(controle, nullptr) << nome;
        return controle;
    }
    void Clica(const char* botao) { QTest::mouseClick(Controle<QPushButton>(botao), Qt::LeftButton); }
    void Abre(const std::optional<QString>& arquivo) {
        dialogo.respostas.push_back(arquivo);
        Clica("btnAbrir");
    }
    void Marca(const char* caixa) { Controle<QCheckBox>(caixa)->setChecked(true); }
    QString CaminhoMostrado() { return Controle<QLineEdit>("edtCaminhoBDDestino")->text(); }

    TGravadorInterface pessoa;
    TDialogoRespondido dialogo;
    TFPrincipal janela{&dialogo};
};

TEST_F(TesteJanela, JanelaTemTamanhoFixoSemMaximizarCentradaNaTela) {
    EXPECT_EQ(janela.windowTitle(), QStringLiteral("Conversor TAVRIN"));
    EXPECT_EQ(janela.size(), QSize(624, 420));
    EXPECT_EQ(janela.minimumSize(), janela.maximumSize());
    EXPECT_FALSE(janela.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(janela.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(janela.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    // Centred; the frame the platform draws around the window may shift it by its own width.
    const QRect tela = janela.screen()->availableGeometry();
    EXPECT_LE(std::abs(janela.geometry().center().x() - tela.center().x()), 3);
    EXPECT_LE(std::abs(janela.geometry().center().y() - tela.center().y()), 3);
    EXPECT_EQ(janela.font().pixelSize(), 11);
}

TEST_F(TesteJanela, ControlesTemNomesTextosEPosicoes) {
    struct Caso {
        const char* nome;
        QString texto; // caption; empty where the control has none
        QRect posicao; // an empty size means "only the position is fixed"
        bool negrito;
    };
    const Caso casos[] = {
        {"pnlCabecalho", {}, {0, 0, 633, 73}, false},
        {"imgLogo", {}, {1, 10, 137, 64}, false},
        {"imgComp", {}, {503, 1, 132, 71}, false},
        {"Label2", QStringLiteral("Ferramenta de Conversão de Dados - TAVRIN"), {150, 25, 0, 0}, true},
        {"lblInfo", {}, {9, 350, 0, 0}, true},
        {"dcoCaminhoBDOrigem", {}, {3, 92, 610, 113}, false},
        {"Label3", QStringLiteral("Selecione a Pasta do Banco de Dados de Origem: "), {3, 75, 0, 0}, true},
        {"Label1", QStringLiteral("Caminho do Banco de Dados Quorvel: "), {5, 220, 0, 0}, true},
        {"edtCaminhoBDDestino", {}, {5, 238, 516, 21}, false},
        {"btnAbrir", QStringLiteral("Abrir"), {536, 235, 83, 25}, false},
        {"gbxTabelasConverter", QStringLiteral("Tabelas à converter"), {6, 271, 612, 74}, true},
        {"chkVendedores", QStringLiteral("Vendedores"), {49, 19, 0, 0}, false},
        {"chkClientes", QStringLiteral("Clientes"), {241, 19, 0, 0}, false},
        {"chkFornecedores", QStringLiteral("Fornecedores"), {422, 19, 0, 0}, false},
        {"chkGruposProdutos", QStringLiteral("Grupos de Produtos"), {49, 46, 0, 0}, false},
        {"chkProdutos", QStringLiteral("Produtos"), {240, 46, 0, 0}, false},
        {"Barra", {}, {7, 369, 611, 15}, false},
        {"btnConverter", QStringLiteral("Converter"), {447, 390, 85, 25}, false},
        {"btnSair", QStringLiteral("Sair"), {535, 390, 83, 25}, false},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        auto* controle = Controle<QWidget>(caso.nome);
        ASSERT_NE(controle, nullptr);
        EXPECT_TRUE(controle->isVisible());
        EXPECT_EQ(controle->pos(), caso.posicao.topLeft());
        if (!caso.posicao.size().isEmpty()) {
            EXPECT_EQ(controle->size(), caso.posicao.size());
        }
        EXPECT_EQ(controle->font().bold(), caso.negrito);
        QString texto;
        if (auto* rotulo = qobject_cast<QLabel*>(controle)) {
            texto = rotulo->text();
            // A label sized to its caption shows all of it.
            EXPECT_GE(rotulo->width(), rotulo->sizeHint().width());
        } else if (auto* botao = qobject_cast<QAbstractButton*>(controle)) {
            texto = botao->text();
            EXPECT_GE(botao->width(), botao->sizeHint().width() - 4) << "caption and picture must fit";
            if (auto* caixa = qobject_cast<QCheckBox*>(botao)) {
                EXPECT_FALSE(caixa->isChecked());
            } else {
                EXPECT_FALSE(botao->icon().isNull());
            }
        } else if (auto* grupo = qobject_cast<QGroupBox*>(controle)) {
            texto = grupo->title();
        }
        EXPECT_EQ(texto, caso.texto);
    }
    // The header holds the two pictures and the title; the check boxes sit in the group.
    for (const char* nome : {"imgLogo", "imgComp", "Label2"}) {
        EXPECT_EQ(Controle<QWidget>(nome)->parentWidget(), Controle<QWidget>("pnlCabecalho")) << nome;
    }
    for (const char* nome : {"chkVendedores", "chkClientes", "chkFornecedores", "chkGruposProdutos", "chkProdutos"}) {
        EXPECT_EQ(Controle<QWidget>(nome)->parentWidget(), Controle<QWidget>("gbxTabelasConverter")) << nome;
    }
    auto* titulo = Controle<QLabel>("Label2");
    EXPECT_EQ(titulo->font().pixelSize(), 15);
    EXPECT_EQ(titulo->palette().color(QPalette::WindowText), QColor(0x80, 0x00, 0x00));
    EXPECT_FALSE(Controle<QLineEdit>("edtCaminhoBDDestino")->isEnabled());
    EXPECT_TRUE(CaminhoMostrado().isEmpty());
    EXPECT_EQ(Controle<QProgressBar>("Barra")->value(), 0);
}

TEST_F(TesteJanela, TabPercorreOsControlesNaOrdemDaJanela) {
    janela.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    Controle<QWidget>("dcoCaminhoBDOrigem")->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), Controle<QWidget>("dcoCaminhoBDOrigem"));
    const QStringList esperada = {
        QStringLiteral("btnAbrir"),        QStringLiteral("chkClientes"),       QStringLiteral("chkProdutos"),
        QStringLiteral("chkFornecedores"), QStringLiteral("chkGruposProdutos"), QStringLiteral("chkVendedores"),
        QStringLiteral("btnConverter"),    QStringLiteral("btnSair"),           QStringLiteral("dcoCaminhoBDOrigem"),
    };
    QStringList percorrida;
    for (int i = 0; i < esperada.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* foco = QApplication::focusWidget();
        ASSERT_NE(foco, nullptr) << "focus lost after " << percorrida.join(QLatin1Char(' ')).toStdString();
        percorrida << foco->objectName();
    }
    EXPECT_EQ(percorrida, esperada);
}

TEST_F(TesteJanela, ArvoreMostraSoPastasDesdeARaizEAbreNaPastaAtual) {
    QTemporaryDir raiz;
    const QString origem = raiz.filePath(QStringLiteral("TAVRIN/DADOS"));
    ASSERT_TRUE(QDir().mkpath(origem));
    ASSERT_TRUE(QDir().mkpath(raiz.filePath(QStringLiteral("TAVRIN/BACKUP"))));
    GravaGrupos(raiz.filePath(QStringLiteral("TAVRIN")), {{QStringLiteral("1"), QStringLiteral("X")}});

    const QString anterior = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(origem));
    TFPrincipal outra(&dialogo);
    QDir::setCurrent(anterior);
    outra.show();

    EXPECT_EQ(outra.PastaOrigemSelecionada(), QDir(origem).canonicalPath());
    auto* arvore = outra.findChild<QTreeView*>(QStringLiteral("dcoCaminhoBDOrigem"));
    auto* modelo = qobject_cast<QFileSystemModel*>(arvore->model());
    ASSERT_NE(modelo, nullptr);
    // The whole file system: the tree's one top item is the root folder.
    EXPECT_FALSE(arvore->rootIndex().isValid());
    EXPECT_EQ(modelo->rowCount(QModelIndex()), 1);
    EXPECT_EQ(modelo->filePath(modelo->index(0, 0, QModelIndex())), QDir::rootPath());
    const QModelIndex tavrin = modelo->index(raiz.filePath(QStringLiteral("TAVRIN")));
    EXPECT_TRUE(arvore->isExpanded(tavrin));
    // Folders only: TABEST8.DBF beside the two folders is not listed.
    EXPECT_TRUE(QTest::qWaitFor([&] { return modelo->rowCount(tavrin) >= 2; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(modelo->rowCount(tavrin), 2);
    EXPECT_TRUE(modelo->isDir(modelo->index(0, 0, tavrin)));
    EXPECT_TRUE(modelo->isDir(modelo->index(1, 0, tavrin)));

    outra.SelecionaPastaOrigem(raiz.filePath(QStringLiteral("TAVRIN/BACKUP")));
    EXPECT_EQ(outra.PastaOrigemSelecionada(), QDir(raiz.filePath(QStringLiteral("TAVRIN/BACKUP"))).canonicalPath());
}

TEST_F(TesteJanela, ConverterAntesDeAbrirSoAvisaQueOCaminhoEstaVazio) {
    Marca("chkGruposProdutos");
    Clica("btnConverter");

    EXPECT_EQ(pessoa.Mensagens(), QStringList{kCaminhoVazio});
    EXPECT_TRUE(dialogo.pedidos.empty());
    EXPECT_TRUE(Controle<QLabel>("lblInfo")->text().isEmpty());
    EXPECT_TRUE(Controle<QPushButton>("btnConverter")->isEnabled());
    EXPECT_FALSE(janela.ConexaoDestino().Conectado());
}

TEST_F(TesteJanela, AbrirPedeUmBancoNaPastaDeOrigemEDepoisNaDoBancoEConecta) {
    QTemporaryDir origem;
    ASSERT_TRUE(origem.isValid());
    janela.SelecionaPastaOrigem(origem.path());
    TBancoTemporario banco;
    Abre(banco.Caminho());

    ASSERT_EQ(dialogo.pedidos.size(), 1u);
    EXPECT_EQ(dialogo.pedidos[0].pasta, origem.path());
    // The filter is shown as "*.FB" and takes the extension in any case.
    const QString filtro = dialogo.pedidos[0].filtro;
    EXPECT_TRUE(filtro.startsWith(QStringLiteral("*.FB ("))) << filtro.toStdString();
    const QStringList padroes = PadroesDoFiltro(filtro);
    for (const char* nome : {"DADOS.FB", "dados.fb", "Dados.Fb", "dados.fB"}) {
        EXPECT_TRUE(QDir::match(padroes, QLatin1String(nome))) << nome;
    }
    for (const char* nome : {"dados.fdb", "dados.fb.bak", "fb"}) {
        EXPECT_FALSE(QDir::match(padroes, QLatin1String(nome))) << nome;
    }

    EXPECT_EQ(CaminhoMostrado(), banco.Caminho());
    EXPECT_TRUE(janela.ConexaoDestino().Conectado());
    EXPECT_TRUE(janela.ConexaoDestino().Transacao().Ativa());
    EXPECT_TRUE(pessoa.Mensagens().isEmpty());

    Abre(std::nullopt);
    ASSERT_EQ(dialogo.pedidos.size(), 2u);
    EXPECT_EQ(dialogo.pedidos[1].pasta, QFileInfo(banco.Caminho()).absolutePath());
}

TEST_F(TesteJanela, AbrirDeNovoECancelarMantemOCaminhoMasDesconecta) {
    TBancoTemporario banco;
    Abre(banco.Caminho());
    ASSERT_TRUE(janela.ConexaoDestino().Conectado());

    Abre(std::nullopt);
    EXPECT_EQ(CaminhoMostrado(), banco.Caminho());
    EXPECT_FALSE(janela.ConexaoDestino().Conectado());

    Clica("btnConverter");
    EXPECT_EQ(pessoa.Mensagens(), QStringList{kSemConexao});
}

TEST_F(TesteJanela, AbrirArquivoQueNaoEBancoMostraOErroDoMotorSemConectar) {
    QTemporaryDir pasta;
    const QString falso = pasta.filePath(QStringLiteral("NOTAS.FB"));
    GravaArquivo(falso, QByteArray("isto nao e um banco de dados\n").repeated(200));

    Abre(falso);
    ASSERT_EQ(pessoa.Mensagens().size(), 1);
    EXPECT_TRUE(pessoa.Mensagens().first().startsWith(QStringLiteral("ERRO: ")))
        << pessoa.Mensagens().first().toStdString();
    EXPECT_GT(pessoa.Mensagens().first().size(), 12) << "the engine's own message is shown";
    EXPECT_EQ(CaminhoMostrado(), falso);
    EXPECT_FALSE(janela.ConexaoDestino().Conectado());
    EXPECT_TRUE(Controle<QPushButton>("btnAbrir")->isEnabled());

    Clica("btnConverter");
    EXPECT_EQ(pessoa.Mensagens().last(), kSemConexao);
    EXPECT_EQ(pessoa.Mensagens().size(), 2);
}

// What stands in the way is said in Portuguese, as the headless command says it, and the window
// stays unconnected.
TEST_F(TesteJanela, AbrirBancoQueNaoRecebeAConversaoDizPorqueSemConectar) {
    const QString gfix = QStandardPaths::findExecutable(QStringLiteral("gfix"));
    const QString isql = QStandardPaths::findExecutable(QStringLiteral("isql-fb"));
    if (gfix.isEmpty() || isql.isEmpty()) {
        GTEST_SKIP() << "gfix and isql-fb (firebird3.0-utils) are needed";
    }
    const auto executaGfix = [&](const QStringList& argumentos) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(gfix, argumentos + QStringList{QStringLiteral("-user"), QStringLiteral("SYSDBA")});
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAll().toStdString();
    };
    struct Caso {
        const char* nome;
        QString inicio; ///< the one message starts so (%1: the file)
        std::function<void(const QString&, QProcess&)> prepara;
    };
    const Caso casos[] = {
        {"em uso por outro programa",
         QStringLiteral("ERRO: O banco de dados \"%1\" está em uso por outro programa (o sistema Quorvel, outra "
                        "conversão ou um servidor Firebird). Feche esse programa e tente de novo; nada foi alterado "
                        "no banco.\r"),
         [&](const QString& banco, QProcess& outro) {
             // Another process holds it: isql connected, waiting for commands.
             outro.start(isql, {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"), banco});
             QFile arquivo(banco);
             ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
             QElapsedTimer relogio;
             relogio.start();
             while (::flock(arquivo.handle(), LOCK_SH | LOCK_NB) == 0 && relogio.elapsed() < 60000) {
                 ::flock(arquivo.handle(), LOCK_UN);
                 QThread::msleep(20);
             }
         }},
        {"dialeto 3",
         QStringLiteral("AVISO: O banco de dados \"%1\" usa o dialeto SQL 3; os bancos do sistema Quorvel usam o "
                        "dialeto 1"),
         [&](const QString& banco, QProcess&) {
             executaGfix({QStringLiteral("-sql_dialect"), QStringLiteral("3"), banco});
         }},
        {"somente leitura", QStringLiteral("AVISO: O banco de dados \"%1\" está no modo somente leitura do Firebird"),
         [&](const QString& banco, QProcess&) {
             executaGfix({QStringLiteral("-mode"), QStringLiteral("read_only"), banco});
         }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        TBancoTemporario banco;
        QProcess outro;
        caso.prepara(banco.Caminho(), outro);
        const qsizetype antes = pessoa.Mensagens().size();
        Abre(banco.Caminho());
        const QStringList novas = pessoa.Mensagens().mid(antes);
        ASSERT_EQ(novas.size(), 1) << novas.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(novas.first().startsWith(caso.inicio.arg(banco.Caminho()))) << novas.first().toStdString();
        EXPECT_FALSE(janela.ConexaoDestino().Conectado());
        EXPECT_EQ(CaminhoMostrado(), banco.Caminho());
        Clica("btnConverter");
        EXPECT_EQ(pessoa.Mensagens().last(), kSemConexao);
        outro.kill();
        outro.waitForFinished();
    }
}

TEST_F(TesteJanela, AbrirAvisaDeTriggersInativasEAProximaConversaoAsAtiva) {
    TBancoTemporario banco;
    // Left off by a run that was killed; named in the order the run switches them.
    banco.Executa(QStringLiteral("ALTER TRIGGER COMPCLIE_AI0 INACTIVE"));
    banco.Executa(QStringLiteral("ALTER TRIGGER MVGERAL_BI0 INACTIVE"));
    const auto inativas = [&] {
        return banco.Valor(QStringLiteral("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_INACTIVE = 1"));
    };

    Abre(banco.Caminho());
    ASSERT_EQ(pessoa.Mensagens().size(), 1);
    const QString aviso = pessoa.Mensagens().first();
    EXPECT_TRUE(aviso.startsWith(QStringLiteral("AVISO: "))) << aviso.toStdString();
    EXPECT_TRUE(aviso.contains(QStringLiteral("MVGERAL_BI0, COMPCLIE_AI0"))) << aviso.toStdString();
    EXPECT_TRUE(janela.ConexaoDestino().Transacao().Ativa()) << "the warning does not undo the opening";
    EXPECT_EQ(inativas(), QStringLiteral("2"));

    Clica("btnConverter");
    EXPECT_EQ(pessoa.Mensagens().last(), kSucesso);
    EXPECT_EQ(inativas(), QStringLiteral("0"));

    // With every trigger active, opening says nothing.
    Abre(banco.Caminho());
    EXPECT_EQ(pessoa.Mensagens().size(), 2);
}

TEST_F(TesteJanela, ConverterSemNadaMarcadoTerminaComSucesso) {
    TBancoTemporario banco;
    Abre(banco.Caminho());
    Clica("btnConverter");

    EXPECT_EQ(pessoa.Mensagens(), QStringList{kSucesso});
    EXPECT_TRUE(janela.ConexaoDestino().Conectado());
    EXPECT_FALSE(janela.ConexaoDestino().Transacao().Ativa());
    EXPECT_TRUE(Controle<QPushButton>("btnConverter")->isEnabled());
    EXPECT_EQ(Controle<QProgressBar>("Barra")->value(), 0);
}

TEST_F(TesteJanela, ListaDeParametrosSegueAsCaixasMarcadas) {
    const QStringList nuas = {QStringLiteral("VENDEDORES"),       QStringLiteral("CLIENTES"),
                              QStringLiteral("FORNECEDORES"),     QStringLiteral("GRUPOSPRODUTOS"),
                              QStringLiteral("PRODUTOS"),         QStringLiteral("CAMINHO BD DESTINO"),
                              QStringLiteral("CAMINHO BD ORIGEM")};
    struct Caso {
        std::vector<const char*> caixas;
        QStringList depois; // lines after the seven bare ones
    };
    const Caso casos[] = {
        {{}, {}},
        {{"chkVendedores"}, {QStringLiteral("VENDEDORES=S")}},
        {{"chkClientes"}, {QStringLiteral("CLIENTES=S")}},
        {{"chkFornecedores"}, {QStringLiteral("FORNECEDORES=S")}},
        {{"chkGruposProdutos"}, {QStringLiteral("GRUPOSPRODUTOS=S")}},
        {{"chkProdutos"}, {QStringLiteral("PRODUTOS=S")}},
        {{"chkProdutos", "chkGruposProdutos", "chkFornecedores", "chkClientes", "chkVendedores"},
         {QStringLiteral("VENDEDORES=S"), QStringLiteral("CLIENTES=S"), QStringLiteral("FORNECEDORES=S"),
          QStringLiteral("PRODUTOS=S"), QStringLiteral("GRUPOSPRODUTOS=S")}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.depois.join(QLatin1Char(' ')).toStdString());
        for (auto* caixa : Controle<QGroupBox>("gbxTabelasConverter")->findChildren<QCheckBox*>()) {
            caixa->setChecked(false);
        }
        for (const char* caixa : caso.caixas) {
            QTest::mouseClick(Controle<QCheckBox>(caixa), Qt::LeftButton);
        }
        TListaParametros params;
        janela.pIniciaListaParametros(params);
        janela.pCarregaParametros(params);
        EXPECT_EQ(params.Linhas(), nuas + caso.depois);
    }
}

// A run of the product groups, observed each time the controller lets the window breathe.
class TesteJanelaConversao : public TesteJanela {
protected:
    struct Instante {
        bool abrir, converter, sair, grupo, caixa, arvore;
        QString info;
        int posicao, maximo;
    };

    void SetUp() override {
        TesteJanela::SetUp();
        GravaGrupos(origem.path(), {{QStringLiteral("7"), QStringLiteral("  ferragens / tintas ")},
                                    {QStringLiteral("12"), QStringLiteral("Elétrica")},
                                    {QStringLiteral("1234"), QStringLiteral("-./")},
                                    {QStringLiteral("5"), QStringLiteral("Hidráulica d'água")}});
        janela.SelecionaPastaOrigem(origem.path());
        Abre(banco.Caminho());
        Marca("chkGruposProdutos");
        pessoa.aoProcessarMensagens = [this] {
            auto* barra = Controle<QProgressBar>("Barra");
            instantes.push_back(
                {Controle<QWidget>("btnAbrir")->isEnabled(), Controle<QWidget>("btnConverter")->isEnabled(),
                 Controle<QWidget>("btnSair")->isEnabled(), Controle<QWidget>("gbxTabelasConverter")->isEnabled(),
                 Controle<QWidget>("chkGruposProdutos")->isEnabled(),
                 Controle<QWidget>("dcoCaminhoBDOrigem")->isEnabled(), Controle<QLabel>("lblInfo")->text(),
                 barra->value(), barra->maximum()});
            if (aCadaRegistro) {
                aCadaRegistro();
            }
        };
    }

    QTemporaryDir origem;
    TBancoTemporario banco;
    std::vector<Instante> instantes;
    std::function<void()> aCadaRegistro;
};

TEST_F(TesteJanelaConversao, GruposMarcadosConvertemAPastaEscolhida) {
    Clica("btnConverter");

    EXPECT_EQ(pessoa.Mensagens(), QStringList{kSucesso});
    // The run's summary goes with the final box as its details.
    const auto& eventos = pessoa.Eventos();
    ASSERT_GE(eventos.size(), 2u);
    const auto& detalhe = eventos[eventos.size() - 2];
    ASSERT_EQ(detalhe.tipo, TGravadorInterface::Tipo::Detalhe);
    EXPECT_TRUE(detalhe.texto.contains(QStringLiteral("Grupos de Produtos"))) << detalhe.texto.toStdString();
    EXPECT_TRUE(detalhe.texto.contains(QStringLiteral("GRUPROD 3"))) << detalhe.texto.toStdString();

    const auto linhas = banco.Linhas(QStringLiteral("SELECT CODGRUPO, DESCRICAO FROM GRUPROD ORDER BY CODGRUPO"));
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas[0][QStringLiteral("CODGRUPO")], QStringLiteral("005"));
    EXPECT_EQ(linhas[0][QStringLiteral("DESCRICAO")], QStringLiteral("HIDRAULICA DAGUA"));
    EXPECT_EQ(linhas[1][QStringLiteral("CODGRUPO")], QStringLiteral("007"));
    EXPECT_EQ(linhas[1][QStringLiteral("DESCRICAO")], QStringLiteral("FERRAGENS  TINTAS"));
    EXPECT_EQ(linhas[2][QStringLiteral("CODGRUPO")], QStringLiteral("012"));
    EXPECT_EQ(linhas[2][QStringLiteral("DESCRICAO")], QStringLiteral("ELETRICA"));
}

// What the reader works around (here a table cut inside its last record) is no box in the middle of
// the run: the final box's details list it under the summary.
TEST_F(TesteJanelaConversao, AvisosDaLeituraVaoNosDetalhesDaCaixaFinal) {
    const QString tabela = QDir(origem.path()).filePath(QStringLiteral("TABEST8.DBF"));
    CortaArquivo(tabela, LeArquivo(tabela).size() - 10);
    Clica("btnConverter");

    EXPECT_EQ(pessoa.Mensagens(), QStringList{kSucesso});
    const auto& eventos = pessoa.Eventos();
    ASSERT_GE(eventos.size(), 2u);
    const auto& detalhe = eventos[eventos.size() - 2];
    ASSERT_EQ(detalhe.tipo, TGravadorInterface::Tipo::Detalhe);
    EXPECT_TRUE(detalhe.texto.contains(QStringLiteral("Avisos da leitura das tabelas:\n- Tabela TABEST8")))
        << detalhe.texto.toStdString();
    EXPECT_TRUE(detalhe.texto.contains(QStringLiteral("declara 4 registros"))) << detalhe.texto.toStdString();
    EXPECT_EQ(Contagem(banco, "GRUPROD"), 2) << "the groups before the cut one, but the one without description";
}

TEST_F(TesteJanelaConversao, DuranteARodadaSoAArvoreFicaHabilitada) {
    Clica("btnConverter");

    ASSERT_EQ(instantes.size(), 4u);
    for (size_t i = 0; i < instantes.size(); ++i) {
        SCOPED_TRACE(i);
        const Instante& agora = instantes[i];
        EXPECT_FALSE(agora.abrir);
        EXPECT_FALSE(agora.converter);
        EXPECT_FALSE(agora.sair);
        EXPECT_FALSE(agora.grupo);
        EXPECT_FALSE(agora.caixa);
        EXPECT_TRUE(agora.arvore);
        // The controller drives the window's own label and bar.
        EXPECT_EQ(agora.info, QStringLiteral("Convertendo Grupos de Produtos - Registro %1 de 4").arg(i + 1));
        EXPECT_EQ(agora.maximo, 4);
        EXPECT_EQ(agora.posicao, static_cast<int>(i));
    }
    for (const char* nome : {"btnAbrir", "btnConverter", "btnSair", "gbxTabelasConverter", "chkGruposProdutos"}) {
        EXPECT_TRUE(Controle<QWidget>(nome)->isEnabled()) << nome;
    }
    EXPECT_TRUE(Controle<QLabel>("lblInfo")->text().isEmpty());
    EXPECT_EQ(Controle<QProgressBar>("Barra")->value(), 0);
}

TEST_F(TesteJanelaConversao, DuranteARodadaNemBotoesNemFecharInterrompem) {
    int tentativas = 0;
    aCadaRegistro = [&] {
        if (tentativas++ > 0) {
            return;
        }
        // A second run, another file or leaving now would pull the connection from under the run.
        for (const char* botao : {"btnConverter", "btnAbrir", "btnSair"}) {
            QTest::mouseClick(Controle<QPushButton>(botao), Qt::LeftButton);
        }
        EXPECT_FALSE(janela.close());
        EXPECT_TRUE(janela.isVisible());
    };
    Clica("btnConverter");

    EXPECT_EQ(instantes.size(), 4u) << "one run, not two";
    EXPECT_EQ(dialogo.pedidos.size(), 1u) << "only the first \"Abrir\" asked for a file";
    EXPECT_EQ(pessoa.Mensagens(), QStringList{kSucesso});
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM GRUPROD")), QStringLiteral("3"));
    EXPECT_TRUE(janela.isVisible());
    EXPECT_TRUE(janela.close()) << "after the run the window closes again";
}

TEST_F(TesteJanelaConversao, PastaSemATabelaMostraOErroEReabilitaOsControles) {
    QTemporaryDir vazia;
    janela.SelecionaPastaOrigem(vazia.path());
    Clica("btnConverter");

    ASSERT_EQ(pessoa.Mensagens().size(), 1);
    EXPECT_TRUE(
        pessoa.Mensagens().first().startsWith(QStringLiteral("ERRO: Ocorreu um erro durante a conversão! Motivo: ")));
    EXPECT_TRUE(pessoa.Mensagens().first().contains(QStringLiteral("TABEST8")));
    for (const char* nome : {"btnAbrir", "btnConverter", "btnSair", "gbxTabelasConverter"}) {
        EXPECT_TRUE(Controle<QWidget>(nome)->isEnabled()) << nome;
    }
    EXPECT_TRUE(janela.ConexaoDestino().Conectado());
}

TEST_F(TesteJanela, SairDesfazOQueNaoFoiConfirmadoEFechaAJanela) {
    TBancoTemporario banco;
    Abre(banco.Caminho());
    {
        TQueryDestino q(janela.ConexaoDestino());
        q.SetSQL(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('001', 'SOLTO')"));
        q.Executa();
    }
    Clica("btnSair");

    EXPECT_FALSE(janela.isVisible());
    EXPECT_FALSE(janela.ConexaoDestino().Transacao().Ativa());
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM GRUPROD")), QStringLiteral("0"));
    EXPECT_TRUE(pessoa.Mensagens().isEmpty());
}

// The window's own message boxes, each answered by a timer as soon as it is shown: with the button
// captioned `clicar`, or OK. Any other modal window that shows up meanwhile goes to `outroModal` once.
struct TCaixaVista {
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    QString titulo, texto, detalhe;
    int botoes = 0;
    QStringList textosBotoes;
};

TCaixaVista RespondeCaixa(const std::function<void()>& mostra, const QString& clicar = QString(),
                          const std::function<void(QWidget&)>& outroModal = {}) {
    TCaixaVista vista;
    QPointer<QWidget> tratado;
    QTimer relogio;
    relogio.setInterval(10);
    QObject::connect(&relogio, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* caixa = qobject_cast<QMessageBox*>(modal);
        if (!caixa) {
            if (modal && modal != tratado && outroModal) {
                tratado = modal;
                outroModal(*modal);
            }
            return;
        }
        vista = {caixa->icon(),
                 caixa->windowTitle(),
                 caixa->text(),
                 caixa->detailedText(),
                 static_cast<int>(caixa->buttons().size()),
                 {}};
        QAbstractButton* escolhido = caixa->button(QMessageBox::Ok);
        for (QAbstractButton* botao : caixa->buttons()) {
            vista.textosBotoes << botao->text();
            if (!clicar.isEmpty() && botao->text() == clicar) {
                escolhido = botao;
            }
        }
        escolhido->click();
    });
    relogio.start();
    mostra();
    return vista;
}

TEST(InterfaceJanela, CaixasTemUmOkOIconeDoTipoEQuebramLinhas) {
    TInterfaceJanela interfaceJanela;
    struct Caso {
        void (TInterfaceJanela::*mostra)(const QString&);
        QMessageBox::Icon icone;
    };
    for (const Caso& caso :
         {Caso{&TInterfaceJanela::Aviso, QMessageBox::Warning}, Caso{&TInterfaceJanela::Erro, QMessageBox::Critical},
          Caso{&TInterfaceJanela::Informacao, QMessageBox::Information}}) {
        const TCaixaVista vista = RespondeCaixa(
            [&] { (interfaceJanela.*caso.mostra)(QStringLiteral("Primeira linha.\rSegunda <b>linha</b>.")); });
        EXPECT_EQ(vista.icone, caso.icone);
        EXPECT_EQ(vista.titulo, QStringLiteral("Conversor TAVRIN"));
        EXPECT_EQ(vista.texto, QStringLiteral("Primeira linha.\nSegunda <b>linha</b>."));
        EXPECT_EQ(vista.botoes, 1);
    }
}

TEST(InterfaceJanela, DetalheValeSoParaAProximaCaixa) {
    TInterfaceJanela interfaceJanela;
    interfaceJanela.DetalheProximaMensagem(QStringLiteral("GRUPROD: 3 registros"));
    EXPECT_EQ(RespondeCaixa([&] { interfaceJanela.Informacao(QStringLiteral("Pronto.")); }).detalhe,
              QStringLiteral("GRUPROD: 3 registros"));
    EXPECT_TRUE(RespondeCaixa([&] { interfaceJanela.Informacao(QStringLiteral("De novo.")); }).detalhe.isEmpty());
}

// A long run moves the bar once a record; the bar is given a new value only when its fill moves,
// never lagging a pixel behind, and ends exactly where the run leaves it.
TEST(BarraProgressoQt, AcompanhaCadaPixelETerminaNoValorExato) {
    for (const int registros : {3, 611, 20000, 100000}) {
        SCOPED_TRACE(registros);
        QProgressBar barra;
        barra.resize(611, 15);
        TBarraProgressoQt adaptador(barra);
        int mudancas = 0;
        QObject::connect(&barra, &QProgressBar::valueChanged, [&] { ++mudancas; });
        adaptador.SetMaximo(registros);
        for (int i = 1; i <= registros; ++i) {
            adaptador.Avanca(1);
            ASSERT_EQ(adaptador.Posicao(), i);
            ASSERT_EQ(static_cast<qint64>(barra.value()) * 611 / registros, static_cast<qint64>(i) * 611 / registros)
                << "record " << i << ": the bar draws another fill than the position";
        }
        EXPECT_EQ(barra.value(), registros);
        EXPECT_EQ(barra.maximum(), registros);
        EXPECT_LE(mudancas, std::min(registros, 611 + 1));
        adaptador.SetPosicao(0);
        adaptador.SetMaximo(0);
        EXPECT_EQ(barra.value(), 0);
        EXPECT_EQ(adaptador.Maximo(), 0);
    }
}

TEST_F(TesteJanelaConversao, ComAsInterfacesDeVerdadeAJanelaAtendeEventosDuranteARodada) {
    // The real adapters: boxes through QMessageBox, pending events processed as the records go by
    // (at most about 30 times a second), so the window repaints and answers while the run goes on.
    TInterfaceJanela interfaceJanela;
    interfaceJanela.SetJanela(&janela);
    InstalaInterfaceUsuario(&interfaceJanela);

    // At the first record's step an event is posted; it must be handled before the last step
    // (the final box's own loop would handle it too late).
    int passo = 0;
    int passoAtendido = -1;
    QObject::connect(Controle<QProgressBar>("Barra"), &QProgressBar::valueChanged, [&](int valor) {
        if (valor > 0 && ++passo == 1) {
            QTimer::singleShot(0, &janela, [&] { passoAtendido = passo; });
            QThread::msleep(40); // longer than the pause between two passes
        }
    });

    const TCaixaVista fim = RespondeCaixa([&] { Clica("btnConverter"); });
    InstalaInterfaceUsuario(&pessoa);

    EXPECT_EQ(fim.icone, QMessageBox::Information);
    EXPECT_EQ(fim.texto, QStringLiteral("Conversão concluída com sucesso!"));
    EXPECT_TRUE(fim.textosBotoes.contains(QStringLiteral("&Ver relatório…"))) << "the summary behind a button";
    EXPECT_EQ(passo, 4);
    EXPECT_GE(passoAtendido, 1);
    EXPECT_LT(passoAtendido, 4) << "events waited until the run's end";
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM GRUPROD")), QStringLiteral("3"));
}

// The final box keeps its text and, instead of details, opens the report: the summary as a table
// and the reader's warnings (here about a table cut inside its last record), and the change log:
// the group without a description, recorded as ignored.
TEST_F(TesteJanelaConversao, CaixaFinalAbreORelatorioComResumoEAvisos) {
    const QString tabela = QDir(origem.path()).filePath(QStringLiteral("TABEST8.DBF"));
    CortaArquivo(tabela, LeArquivo(tabela).size() - 10);
    TInterfaceJanela interfaceJanela;
    interfaceJanela.SetJanela(&janela);
    InstalaInterfaceUsuario(&interfaceJanela);

    QString titulo;
    QStringList cabecalho;
    std::vector<QStringList> linhas;
    QStringList avisos;
    QString alteracoes;
    int linhasAlteracoes = -1;
    const TCaixaVista fim = RespondeCaixa([&] { Clica("btnConverter"); }, QStringLiteral("&Ver relatório…"),
                                          [&](QWidget& dialogo) {
                                              titulo = dialogo.windowTitle();
                                              const auto* resumo = dialogo.findChild<QTableWidget*>("tblResumo");
                                              for (int c = 0; resumo && c < resumo->columnCount(); ++c) {
                                                  cabecalho << resumo->horizontalHeaderItem(c)->text();
                                              }
                                              for (int l = 0; resumo && l < resumo->rowCount(); ++l) {
                                                  QStringList linha;
                                                  for (int c = 0; c < 7; ++c) {
                                                      linha << resumo->item(l, c)->text();
                                                  }
                                                  linhas.push_back(linha);
                                              }
                                              const auto* lista = dialogo.findChild<QListWidget*>("lstAvisos");
                                              for (int i = 0; lista && i < lista->count(); ++i) {
                                                  avisos << lista->item(i)->text();
                                              }
                                              alteracoes = dialogo.findChild<QLabel*>("lblQuantidade")->text();
                                              linhasAlteracoes =
                                                  dialogo.findChild<QTableView*>("tblAlteracoes")->model()->rowCount();
                                              dialogo.close();
                                          });
    InstalaInterfaceUsuario(&pessoa);

    EXPECT_EQ(fim.icone, QMessageBox::Information);
    EXPECT_EQ(fim.texto, QStringLiteral("Conversão concluída com sucesso!"));
    EXPECT_TRUE(fim.detalhe.isEmpty());
    EXPECT_EQ(fim.botoes, 2);
    EXPECT_EQ(titulo, QStringLiteral("Relatório da conversão - Conversor TAVRIN"));
    EXPECT_EQ(cabecalho,
              (QStringList{QStringLiteral("Tipo"), QStringLiteral("Lidos"), QStringLiteral("Excluídos"),
                           QStringLiteral("Ignorados"), QStringLiteral("Recusados"), QStringLiteral("Gravados"),
                           QStringLiteral("Alterados"), QStringLiteral("Segundos"), QStringLiteral("Registros/s")}));
    // Three records read (the fourth was cut off), "-./" cleans to nothing and is skipped, two stored.
    const QString gravados = QString::number(Contagem(banco, "GRUPROD"));
    ASSERT_EQ(linhas.size(), 2u);
    EXPECT_EQ(linhas[0], (QStringList{QStringLiteral("Grupos de Produtos"), QStringLiteral("3"), QStringLiteral("0"),
                                      QStringLiteral("1"), QStringLiteral("0"), gravados, QStringLiteral("1")}));
    EXPECT_EQ(gravados, QStringLiteral("2"));
    EXPECT_EQ(linhas[1], (QStringList{QStringLiteral("Total"), QStringLiteral("3"), QStringLiteral("0"),
                                      QStringLiteral("1"), QStringLiteral("0"), gravados, QStringLiteral("1")}));
    ASSERT_EQ(avisos.size(), 1) << avisos.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(avisos[0].startsWith(QStringLiteral("Tabela TABEST8"))) << avisos[0].toStdString();
    EXPECT_EQ(alteracoes, QStringLiteral("1 alteração"));
    EXPECT_EQ(linhasAlteracoes, 1);
}

} // namespace

namespace {

// Every caption a person reads in a widget and its children.
QStringList TextosVisiveis(const QWidget& janela) {
    QStringList textos;
    for (const QWidget* w : janela.findChildren<QWidget*>()) {
        if (!w->isVisible()) {
            continue;
        }
        if (const auto* rotulo = qobject_cast<const QLabel*>(w)) {
            textos << rotulo->text();
        } else if (const auto* botao = qobject_cast<const QAbstractButton*>(w)) {
            textos << botao->text();
        }
    }
    return textos;
}

// Runs `abre` (which shows a modal dialog) and hands the dialog's captions back after closing it.
QStringList TextosDoDialogo(const std::function<void()>& abre) {
    QStringList textos;
    QTimer::singleShot(0, [&textos] {
        QWidget* dialogo = QApplication::activeModalWidget();
        ASSERT_NE(dialogo, nullptr);
        textos = TextosVisiveis(*dialogo);
        dialogo->close();
    });
    abre();
    return textos;
}

} // namespace

// The folder tree's context menu analyses the selected folder, for the kinds ticked, and opens the
// report on every problem found, with its filters.
TEST_F(TesteJanela, AnalisarPastaNoMenuDaArvoreAbreORelatorioDaAnalise) {
    QTemporaryDir origem;
    TRegistroTabcli certo;
    certo.codigo = QStringLiteral("1");
    certo.nome = QStringLiteral("Maria");
    certo.cep = QStringLiteral("01310-100");
    TRegistroTabcli errado = certo;
    errado.codigo = QStringLiteral("2");
    errado.cep = QStringLiteral("1310-100");
    errado.estado = QStringLiteral("XX");
    EscreveTabcli(origem.path(), {certo, errado});
    janela.SelecionaPastaOrigem(origem.path());
    Marca("chkClientes");

    auto* arvore = Controle<QTreeView>("dcoCaminhoBDOrigem");
    EXPECT_EQ(arvore->contextMenuPolicy(), Qt::ActionsContextMenu);
    QAction* analisar = nullptr;
    for (QAction* acao : arvore->actions()) {
        if (acao->text() == QStringLiteral("Analisar pasta…")) {
            analisar = acao;
        }
    }
    ASSERT_NE(analisar, nullptr);

    QStringList durante; // the label, and whether "Converter" could be pressed, as each record goes by
    pessoa.aoProcessarMensagens = [&] {
        durante << Controle<QLabel>("lblInfo")->text() +
                       (Controle<QWidget>("btnConverter")->isEnabled() ? QStringLiteral(" +") : QString());
    };
    QString titulo;
    QString resultado;
    QStringList linhaResumo;
    QStringList problemas;
    int filtrados = -1;
    QTimer::singleShot(0, [&] {
        QWidget* dialogo = QApplication::activeModalWidget();
        if (dialogo == nullptr) {
            return;
        }
        titulo = dialogo->windowTitle();
        resultado = dialogo->findChild<QLabel*>("lblResultado")->text();
        const auto* resumo = dialogo->findChild<QTableWidget*>("tblResumo");
        for (int c = 0; c < resumo->columnCount(); ++c) {
            linhaResumo << resumo->item(0, c)->text();
        }
        const QAbstractItemModel* modelo = dialogo->findChild<QTableView*>("tblAlteracoes")->model();
        for (int l = 0; l < modelo->rowCount(); ++l) {
            problemas << modelo->index(l, 4).data().toString() + QLatin1Char(' ') +
                             modelo->index(l, 6).data().toString();
        }
        auto* categorias = dialogo->findChild<QComboBox*>("cbxAlteracao");
        categorias->setCurrentIndex(categorias->findText(QStringLiteral("UF desconhecida (1)")));
        filtrados = modelo->rowCount();
        dialogo->close();
    });
    analisar->trigger();

    EXPECT_TRUE(pessoa.Mensagens().isEmpty()) << pessoa.Mensagens().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(titulo.startsWith(QStringLiteral("Análise da pasta "))) << titulo.toStdString();
    EXPECT_TRUE(resultado.startsWith(QStringLiteral("Nenhum problema fatal"))) << resultado.toStdString();
    EXPECT_EQ(linhaResumo, (QStringList{QStringLiteral("TABCLI"), QStringLiteral("Clientes"), QStringLiteral("2"),
                                        QStringLiteral("0"), QStringLiteral("CP850 (declarado)"), QStringLiteral("0"),
                                        QStringLiteral("0"), QStringLiteral("2")}));
    EXPECT_EQ(problemas,
              (QStringList{QStringLiteral("ESTADO UF desconhecida"), QStringLiteral("CEP CEP sem 8 dígitos")}));
    EXPECT_EQ(filtrados, 1);
    EXPECT_EQ(durante, (QStringList{QStringLiteral("Analisando Clientes - Registro 1 de 2"),
                                    QStringLiteral("Analisando Clientes - Registro 2 de 2")}));
    EXPECT_TRUE(Controle<QWidget>("btnConverter")->isEnabled());
    EXPECT_TRUE(Controle<QLabel>("lblInfo")->text().isEmpty());
}

TEST(TraducaoQt, DialogosPadraoFalamPortugues) {
    ASSERT_TRUE(TAmbienteQt::traduzida) << "qtbase_pt_BR.qm not installed (qt6-translations-l10n)";
    const QStringList ingles = {QStringLiteral("Look in:"),       QStringLiteral("File name:"),
                                QStringLiteral("Files of type:"), QStringLiteral("&Open"),
                                QStringLiteral("Cancel"),         QStringLiteral("Show Details..."),
                                QStringLiteral("Detail View"),    QStringLiteral("List View"),
                                QStringLiteral("&Save"),          QStringLiteral("Save")};
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    TDialogoArquivoQt dialogoArquivo;
    const QStringList doArquivo = TextosDoDialogo(
        [&] { dialogoArquivo.EscolheArquivo(nullptr, pasta.path(), QStringLiteral("Quorvel (*.fb)")); });
    const QStringList doSalvar = TextosDoDialogo([&] {
        dialogoArquivo.EscolheArquivoParaSalvar(nullptr, pasta.filePath(QStringLiteral("alteracoes.csv")),
                                                QStringLiteral("Planilha CSV (*.csv)"));
    });
    QMessageBox caixa(QMessageBox::Information, QStringLiteral("Conversor TAVRIN"), QStringLiteral("Texto"),
                      QMessageBox::Ok | QMessageBox::Cancel);
    caixa.setDetailedText(QStringLiteral("detalhe"));
    const QStringList daCaixa = TextosDoDialogo([&] { caixa.exec(); });
    ASSERT_FALSE(doArquivo.isEmpty());
    ASSERT_FALSE(daCaixa.isEmpty());
    ASSERT_FALSE(doSalvar.isEmpty());
    for (const QString& texto : doArquivo + doSalvar + daCaixa) {
        EXPECT_FALSE(ingles.contains(texto)) << texto.toStdString();
    }
    EXPECT_TRUE(daCaixa.contains(QStringLiteral("Cancelar"))) << daCaixa.join(u',').toStdString();
    EXPECT_TRUE(doSalvar.contains(QStringLiteral("&Salvar"))) << doSalvar.join(u',').toStdString();
}
