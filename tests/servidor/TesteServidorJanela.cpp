// The window on the server machine: "Abrir" picks a local file that the Firebird server holds, and
// the window offers to convert through the server. This program runs as a client of that server
// would: FIREBIRD names the server's root (so "localhost:" reaches its port) and ISC_USER and
// ISC_PASSWORD hold its SYSDBA password, which the program does not know otherwise.
#include "../unit/FixturesDbf.h"
#include "BancoTemporario.h"
#include "ConsultasTeste.h"
#include "GravadorInterface.h"
#include "JanelaTeste.h"
#include "ServidorFirebird.h"
#include "TQueryDestino.h"
#include "TelaPrincipal.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kSenha = QStringLiteral("Sitio-Do-Picapau-2291");
const QString kPergunta =
    QStringLiteral("O banco está aberto pelo servidor Firebird desta máquina. Converter através do servidor?");

// The server, started before anything of this program touches Firebird: the client library reads
// its configuration once.
class TAmbienteServidor final : public ::testing::Environment {
public:
    void SetUp() override {
        if (!TServidorFirebird::Indisponivel().isEmpty()) {
            return;
        }
        m_servidor = std::make_unique<TServidorFirebird>(kSenha);
        if (m_servidor->Ativo()) {
            qputenv("FIREBIRD", QFile::encodeName(m_servidor->Raiz()));
            m_credenciais = std::make_unique<TCredenciaisFirebird>(QStringLiteral("SYSDBA"), kSenha);
        }
    }
    void TearDown() override {
        m_credenciais.reset();
        m_servidor.reset();
    }
    TServidorFirebird* Servidor() const { return m_servidor.get(); }

private:
    std::unique_ptr<TServidorFirebird> m_servidor;
    std::unique_ptr<TCredenciaisFirebird> m_credenciais;
};

[[maybe_unused]] const auto* const kAmbienteQt = ::testing::AddGlobalTestEnvironment(new TAmbienteQt);
auto* const kAmbienteServidor =
    static_cast<TAmbienteServidor*>(::testing::AddGlobalTestEnvironment(new TAmbienteServidor));

TEST(JanelaPeloServidor, BancoAbertoPeloServidorConverteAtravesDeleQuandoAPessoaAceita) {
    if (const QString motivo = TServidorFirebird::Indisponivel(); !motivo.isEmpty()) {
        GTEST_SKIP() << motivo.toStdString();
    }
    TServidorFirebird* servidor = kAmbienteServidor->Servidor();
    ASSERT_TRUE(servidor->Ativo()) << servidor->Falha().toStdString();

    for (const bool aceita : {true, false}) {
        SCOPED_TRACE(aceita ? "sim" : "não");
        TBancoTemporario banco;
        QTemporaryDir origem;
        GravaTabela(QDir(origem.path()).filePath(QStringLiteral("TABEST8.DBF")),
                    {{QStringLiteral("CONTROLE"), 'C', 6}, {QStringLiteral("SETOR"), 'C', 40}}, 2,
                    [](TEscritorDbf& e, int i) {
                        e.Texto(QStringLiteral("CONTROLE"), QString::number(i + 1));
                        e.Texto(QStringLiteral("SETOR"), QStringLiteral("Setor Número %1").arg(i + 1));
                        return true;
                    });
        // The target system's hold on the database, through the server.
        TConexaoDestino ocupante;
        ocupante.SetNomeBanco(servidor->Nome(banco.Caminho()));
        ocupante.Abre();

        TGravadorInterface pessoa;
        TDialogoRespondido dialogo;
        TFPrincipal janela(&dialogo);
        janela.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
        dialogo.respostas.push_back(banco.Caminho());
        dialogo.respostasPerguntas.push_back(aceita);
        QTest::mouseClick(janela.findChild<QPushButton*>(QStringLiteral("btnAbrir")), Qt::LeftButton);

        EXPECT_EQ(dialogo.perguntas, std::vector<QString>{kPergunta});
        EXPECT_TRUE(pessoa.Mensagens().isEmpty()) << Texto(pessoa.Mensagens()).toStdString();
        EXPECT_EQ(janela.ConexaoDestino().Conectado(), aceita);
        EXPECT_EQ(janela.findChild<QLineEdit*>(QStringLiteral("edtCaminhoBDDestino"))->text(),
                  aceita ? QStringLiteral("localhost:") + banco.Caminho() : banco.Caminho());

        janela.findChild<QCheckBox*>(QStringLiteral("chkGruposProdutos"))->setChecked(true);
        janela.SelecionaPastaOrigem(origem.path());
        QTest::mouseClick(janela.findChild<QPushButton*>(QStringLiteral("btnConverter")), Qt::LeftButton);
        if (!aceita) {
            EXPECT_EQ(pessoa.Mensagens(),
                      QStringList{QStringLiteral("AVISO: Não foi possível se conectar ao Banco de Dados! Verifique sua "
                                                 "conexão ou se o arquivo selecionado é válido! ")});
            continue;
        }
        EXPECT_EQ(pessoa.Mensagens(), QStringList{QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!")});
        QStringList grupos;
        {
            TQueryDestino q(ocupante);
            q.SetSQL(QStringLiteral("SELECT CODGRUPO, DESCRICAO FROM GRUPROD ORDER BY CODGRUPO"));
            for (q.Abre(); !q.Eof(); q.Proximo()) {
                grupos << q.CampoTexto(QStringLiteral("CODGRUPO")) + QLatin1Char('=') +
                              q.CampoTexto(QStringLiteral("DESCRICAO"));
            }
        }
        ocupante.Transacao().Cancela();
        EXPECT_EQ(grupos, (QStringList{QStringLiteral("001=SETOR NUMERO 1"), QStringLiteral("002=SETOR NUMERO 2")}));
    }
}

} // namespace
