// The change log's file as the report dialog reads it back, and the dialog's filters and "Salvar CSV…",
// on real files on the offscreen platform (the application is TesteJanela.cpp's, in the same program).
#include "Alteracao.h"
#include "ArquivoAlteracoes.h"
#include "ArquivosTeste.h"
#include "DialogoRelatorio.h"
#include "GravadorInterface.h"
#include "IndiceAlteracoes.h"
#include "JanelaTeste.h"
#include "ModeloAlteracoes.h"
#include "ResumoExecucao.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Values that break naive CSV writers and readers, spreadsheets and terminals.
QStringList ValoresHostis() {
    QStringList valores = {
        QString(),
        QStringLiteral("simples"),
        QStringLiteral("aspas \"duplas\" e 'simples'"),
        QStringLiteral("\""),
        QStringLiteral("\"\""),
        QStringLiteral("\"começa com aspas"),
        QStringLiteral("termina com aspas\""),
        QStringLiteral(","),
        QStringLiteral("vírgula, ponto e vírgula; tab\tfim"),
        QStringLiteral("linha\r\nquebrada"),
        QStringLiteral("só LF\nfim"),
        QStringLiteral("só CR\rfim"),
        QStringLiteral("\r\n"),
        QStringLiteral("termina em CR\r"),
        QStringLiteral("   espaços nas pontas   "),
        QStringLiteral("=1+1"),
        QStringLiteral("-./'-./'"),
        QStringLiteral("─│┌┐└┘ ═║ ░▒▓█ ı ‗ ÀÁÂÃÄÅÆÇ àáâãäåæç ß"),
        QStringLiteral("\U0001F600 fora do plano básico, 中文"),
        QChar(0xFEFF) + QStringLiteral("marca de ordem no início"),
        QStringLiteral("Tipo"),
        QString(5000, QLatin1Char('x')) + QStringLiteral("\",\r\n"),
    };
    valores << QStringLiteral("ctrl") + QChar(0) + QStringLiteral("nul") + QChar(1) + QChar(7) + QChar(0x1B) +
                   QStringLiteral("[0m") + QChar(0x1A) + QChar(0x7F) + QStringLiteral("fim");
    return valores;
}

TAlteracao Alteracao(const QString& tipo, const QString& tabela, qint64 registro, const QString& codigo,
                     const QString& campo, TipoAlteracao oQue, const QString& detalhe) {
    TAlteracao a;
    a.tipo = tipo;
    a.tabelaOrigem = tabela;
    a.registro = registro;
    a.codigoOrigem = codigo;
    a.campoOrigem = campo;
    a.colunaDestino = campo.isEmpty() ? QString() : tabela + QLatin1Char('.') + campo;
    a.oQue = oQue;
    a.detalhe = detalhe;
    a.valorOriginal = QStringLiteral("valor de %1").arg(registro);
    a.valorGravado = QStringLiteral("VALOR %1").arg(registro);
    return a;
}

// Writes the changes to a new file in `pasta` and returns its path.
QString GravaLog(const QString& pasta, const std::vector<TAlteracao>& alteracoes, bool comClasse) {
    const QString caminho = QDir(pasta).filePath(QStringLiteral("log.csv"));
    QFile arquivo(caminho);
    EXPECT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
    TArquivoAlteracoes log(arquivo, comClasse);
    for (const TAlteracao& a : alteracoes) {
        log.Registra(a);
    }
    log.Conclui();
    return caminho;
}

// Every field of the model's row, exactly as recorded.
QStringList LinhaDoModelo(const QAbstractItemModel& modelo, int linha) {
    QStringList campos;
    for (int c = 0; c < modelo.columnCount(); ++c) {
        campos << modelo.index(linha, c).data(TModeloAlteracoes::kPapelValor).toString();
    }
    return campos;
}

// Every caption, item and heading the dialog shows.
QStringList TextosVisiveis(const QWidget& dialogo) {
    QStringList textos = {dialogo.windowTitle()};
    for (const QWidget* w : dialogo.findChildren<QWidget*>()) {
        if (!w->isVisible()) {
            continue;
        }
        if (const auto* rotulo = qobject_cast<const QLabel*>(w)) {
            textos << rotulo->text();
        } else if (const auto* botao = qobject_cast<const QAbstractButton*>(w)) {
            textos << botao->text();
        } else if (const auto* caixa = qobject_cast<const QComboBox*>(w)) {
            for (int i = 0; i < caixa->count(); ++i) {
                textos << caixa->itemText(i);
            }
        } else if (const auto* lista = qobject_cast<const QListWidget*>(w)) {
            for (int i = 0; i < lista->count(); ++i) {
                textos << lista->item(i)->text();
            }
        } else if (const auto* cabecalho = qobject_cast<const QHeaderView*>(w)) {
            for (int i = 0; cabecalho->model() && i < cabecalho->count(); ++i) {
                textos << cabecalho->model()->headerData(i, cabecalho->orientation()).toString();
            }
        }
    }
    return textos;
}

TEST(ArquivoAlteracoes, ValoresHostisVoltamIguaisPeloModeloDoDialogo) {
    const QStringList hostis = ValoresHostis();
    const auto n = hostis.size();
    const ClasseProblema classes[] = {ClasseProblema::Fatal, ClasseProblema::Perda, ClasseProblema::Qualidade};
    for (const bool comClasse : {false, true}) {
        SCOPED_TRACE(comClasse ? "with the class column" : "change log");
        // Every column gets every hostile value as the records go by.
        std::vector<TAlteracao> alteracoes;
        std::vector<QStringList> esperadas;
        for (qsizetype i = 0; i < n; ++i) {
            const auto valor = [&](qsizetype coluna) { return hostis[(i + coluna) % n]; };
            TAlteracao a;
            a.tipo = valor(0);
            a.tabelaOrigem = valor(1);
            a.registro = i + 1;
            a.codigoOrigem = valor(3);
            a.campoOrigem = valor(4);
            a.colunaDestino = valor(5);
            a.oQue = TipoAlteracao::RegistroRecusado;
            a.detalhe = valor(6);
            a.valorOriginal = valor(7);
            a.valorGravado = valor(8);
            if (i % 4 != 3) {
                a.classe = classes[i % 4];
            }
            alteracoes.push_back(a);
            QStringList campos = {valor(0),
                                  valor(1),
                                  QString::number(i + 1),
                                  valor(3),
                                  valor(4),
                                  valor(5),
                                  QStringLiteral("registro recusado pelo banco") +
                                      (valor(6).isEmpty() ? QString() : QStringLiteral(": ") + valor(6)),
                                  valor(7),
                                  valor(8)};
            if (comClasse) {
                campos << (a.classe ? QStringList{QStringLiteral("fatal"), QStringLiteral("perda"),
                                                  QStringLiteral("qualidade")}[i % 4]
                                    : QString());
            }
            esperadas.push_back(campos);
        }
        QTemporaryDir pasta;
        const QString caminho = GravaLog(pasta.path(), alteracoes, comClasse);

        const TIndiceAlteracoes indice(caminho);
        const TModeloAlteracoes modelo(indice);
        ASSERT_EQ(modelo.rowCount(), n);
        for (int linha = 0; linha < modelo.rowCount(); ++linha) {
            SCOPED_TRACE(linha);
            EXPECT_EQ(LinhaDoModelo(modelo, linha), esperadas[static_cast<std::size_t>(linha)]);
            for (int c = 0; c < modelo.columnCount(); ++c) {
                const QString mostrado = modelo.index(linha, c).data().toString();
                EXPECT_FALSE(std::any_of(mostrado.begin(), mostrado.end(), [](QChar ch) {
                    return ch.unicode() < 0x20 || ch.unicode() == 0x7F;
                })) << "control characters are shown as symbols";
            }
        }
    }

    // The bytes themselves, worked out by hand: mark, header, every field quoted, quotes doubled,
    // the line break inside a value kept, CR LF after each record.
    TAlteracao a = Alteracao(QStringLiteral("CLIENTES"), QStringLiteral("TABCLI"), 7, QStringLiteral("00\"7"),
                             QStringLiteral("NOME"), TipoAlteracao::Cortado, QStringLiteral("40"));
    a.valorOriginal = QStringLiteral("Ana, \"Bia\"\r\nfim");
    a.valorGravado = QStringLiteral("ANA, BIA FIM");
    QTemporaryDir pasta;
    EXPECT_EQ(LeArquivo(GravaLog(pasta.path(), {a}, false)),
              QByteArray("\xEF\xBB\xBF\"Tipo\",\"Tabela de origem\",\"Registro\",\"C\xC3\xB3"
                         "digo de origem\","
                         "\"Campo de origem\",\"Coluna de destino\",\"Altera\xC3\xA7\xC3\xA3o\",\"Valor original\","
                         "\"Valor gravado\"\r\n"
                         "\"CLIENTES\",\"TABCLI\",\"7\",\"00\"\"7\",\"NOME\",\"TABCLI.NOME\",\"cortado na largura 40\","
                         "\"Ana, \"\"Bia\"\"\r\nfim\",\"ANA, BIA FIM\"\r\n"));
}

// The report on a change log of three kinds: all in Portuguese; filters by kind and by what happened
// (every width of a cut together, every message of a refusal together), saves what they show, and
// refuses to save over the log it shows.
class TesteDialogoRelatorio : public ::testing::Test {
protected:
    void SetUp() override {
        alteracoes = {
            Alteracao(QStringLiteral("VENDEDORES"), QStringLiteral("TABVEND"), 5, QStringLiteral("12345"), QString(),
                      TipoAlteracao::RegistroRecusado,
                      QStringLiteral("violation of PRIMARY KEY constraint \"PK_VENDEND\" on table \"VENDEND\"\n"
                                     "-Problematic key value is (\"CODVEND\" = '1234')")),
            Alteracao(QStringLiteral("CLIENTES"), QStringLiteral("TABCLI"), 1, QStringLiteral("001"),
                      QStringLiteral("NOME"), TipoAlteracao::Cortado, QStringLiteral("40")),
            Alteracao(QStringLiteral("CLIENTES"), QStringLiteral("TABCLI"), 1, QStringLiteral("001"),
                      QStringLiteral("ENDERECO"), TipoAlteracao::ForaWin1252, QString()),
            Alteracao(QStringLiteral("CLIENTES"), QStringLiteral("TABCLI"), 2, QStringLiteral("002"),
                      QStringLiteral("BAIRRO"), TipoAlteracao::Cortado, QStringLiteral("35")),
            Alteracao(QStringLiteral("VENDEDORES"), QStringLiteral("TABVEND"), 9, QStringLiteral("9"), QString(),
                      TipoAlteracao::RegistroRecusado, QStringLiteral("outra mensagem")),
            Alteracao(QStringLiteral("PRODUTOS"), QStringLiteral("TABEST1"), 3, QStringLiteral("7"),
                      QStringLiteral("DTCAD"), TipoAlteracao::DataIlegivel, QString()),
        };
        log = GravaLog(pasta.path(), alteracoes, false);
        TResumoTipo clientes;
        clientes.chave = QStringLiteral("CLIENTES");
        clientes.nome = QStringLiteral("Clientes");
        clientes.lidos = 2;
        clientes.linhas = {{QStringLiteral("CLIENTE"), 2}, {QStringLiteral("COMPCLIE"), 2}};
        clientes.alterados = 2;
        clientes.concluido = true;
        clientes.avisos = {QStringLiteral("Tabela TABCLI: um aviso da leitura.")};
        resumo.tipos = {clientes};
        resumo.sucesso = true;
    }

    QComboBox* Caixa(const char* nome) { return dialogo->findChild<QComboBox*>(QLatin1String(nome)); }
    const QAbstractItemModel& Modelo() { return *dialogo->findChild<QTableView*>("tblAlteracoes")->model(); }
    QString Quantidade() { return dialogo->findChild<QLabel*>("lblQuantidade")->text(); }
    void Escolhe(const char* caixa, const QString& texto) {
        const int item = Caixa(caixa)->findText(texto);
        ASSERT_GE(item, 0) << texto.toStdString();
        Caixa(caixa)->setCurrentIndex(item);
    }
    void Salva(const std::optional<QString>& destino) {
        dialogoArquivo.respostasSalvar.push_back(destino);
        QTest::mouseClick(dialogo->findChild<QPushButton*>("btnSalvarCsv"), Qt::LeftButton);
    }
    std::vector<QStringList> Linhas() {
        std::vector<QStringList> linhas;
        for (int l = 0; l < Modelo().rowCount(); ++l) {
            linhas.push_back(LinhaDoModelo(Modelo(), l));
        }
        return linhas;
    }

    QTemporaryDir pasta;
    std::vector<TAlteracao> alteracoes;
    QString log;
    TResumoExecucao resumo;
    TGravadorInterface pessoa;
    TDialogoRespondido dialogoArquivo;
    std::unique_ptr<TDialogoRelatorio> dialogo;
};

TEST_F(TesteDialogoRelatorio, FiltraPorTipoEPorAlteracaoESalvaOQueMostra) {
    dialogo = std::make_unique<TDialogoRelatorio>(resumo, log, QStringLiteral("Aviso de teste."), dialogoArquivo);
    dialogo->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialogo.get()));

    const QStringList textos = TextosVisiveis(*dialogo);
    for (const char* nosso : {"Fechar", "Salvar CSV…", "Aviso de teste.", "Tabela TABCLI: um aviso da leitura."}) {
        EXPECT_TRUE(textos.contains(QString::fromUtf8(nosso))) << nosso << " in " << textos.join(u'|').toStdString();
    }
    const QStringList ingles = {QStringLiteral("Close"), QStringLiteral("&Close"), QStringLiteral("Save"),
                                QStringLiteral("&Save"), QStringLiteral("Cancel"), QStringLiteral("OK"),
                                QStringLiteral("Apply"), QStringLiteral("Reset")};
    for (const QString& texto : textos) {
        EXPECT_FALSE(ingles.contains(texto)) << texto.toStdString();
    }

    QStringList tipos;
    for (int i = 0; i < Caixa("cbxTipo")->count(); ++i) {
        tipos << Caixa("cbxTipo")->itemText(i);
    }
    EXPECT_EQ(tipos, (QStringList{QStringLiteral("Todos os tipos"), QStringLiteral("VENDEDORES (2)"),
                                  QStringLiteral("CLIENTES (3)"), QStringLiteral("PRODUTOS (1)")}));
    QStringList oQue;
    for (int i = 0; i < Caixa("cbxAlteracao")->count(); ++i) {
        oQue << Caixa("cbxAlteracao")->itemText(i);
    }
    EXPECT_EQ(oQue,
              (QStringList{QStringLiteral("Todas as alterações"), QStringLiteral("registro recusado pelo banco (2)"),
                           QStringLiteral("cortado na largura (2)"), QStringLiteral("caractere fora do WIN1252 (1)"),
                           QStringLiteral("data ilegível (1)")}));
    EXPECT_EQ(Modelo().rowCount(), 6);
    EXPECT_EQ(Quantidade(), QStringLiteral("6 alterações"));

    struct Caso {
        QString tipo, oQue;
        std::vector<std::size_t> mostradas; // positions in `alteracoes`
        QString quantidade;
    };
    const Caso casos[] = {
        {QStringLiteral("CLIENTES (3)"),
         QStringLiteral("Todas as alterações"),
         {1, 2, 3},
         QStringLiteral("3 de 6 alterações")},
        {QStringLiteral("Todos os tipos"),
         QStringLiteral("cortado na largura (2)"),
         {1, 3},
         QStringLiteral("2 de 6 alterações")},
        {QStringLiteral("CLIENTES (3)"),
         QStringLiteral("registro recusado pelo banco (2)"),
         {},
         QStringLiteral("0 de 6 alterações")},
        {QStringLiteral("VENDEDORES (2)"),
         QStringLiteral("registro recusado pelo banco (2)"),
         {0, 4},
         QStringLiteral("2 de 6 alterações")},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE((caso.tipo + QStringLiteral(" / ") + caso.oQue).toStdString());
        Escolhe("cbxTipo", caso.tipo);
        Escolhe("cbxAlteracao", caso.oQue);
        std::vector<QStringList> esperadas;
        for (const std::size_t i : caso.mostradas) {
            const TAlteracao& a = alteracoes[i];
            esperadas.push_back({a.tipo, a.tabelaOrigem, QString::number(a.registro), a.codigoOrigem, a.campoOrigem,
                                 a.colunaDestino, a.OQue(), a.valorOriginal, a.valorGravado});
        }
        EXPECT_EQ(Linhas(), esperadas);
        EXPECT_EQ(Quantidade(), caso.quantidade);
        EXPECT_EQ(dialogo->findChild<QPushButton*>("btnSalvarCsv")->isEnabled(), !caso.mostradas.empty());
    }

    // The two refusals the last filter shows, saved and read back as a change log of their own.
    const std::vector<QStringList> mostradas = Linhas();
    const QString salvo = QDir(pasta.path()).filePath(QStringLiteral("recusados.csv"));
    Salva(salvo);
    ASSERT_EQ(dialogoArquivo.pedidosSalvar.size(), 1u);
    EXPECT_TRUE(dialogoArquivo.pedidosSalvar[0].pasta.endsWith(QStringLiteral(".csv")));
    EXPECT_TRUE(dialogoArquivo.pedidosSalvar[0].filtro.contains(QStringLiteral("*.csv")));
    EXPECT_TRUE(pessoa.Mensagens().isEmpty()) << pessoa.Mensagens().join(QLatin1Char('\n')).toStdString();
    const TIndiceAlteracoes lido(salvo);
    ASSERT_EQ(lido.Quantidade(), 2);
    EXPECT_EQ(lido.Registro(0), mostradas[0]);
    EXPECT_EQ(lido.Registro(1), mostradas[1]);
    EXPECT_TRUE(LeArquivo(salvo).startsWith("\xEF\xBB\xBF\"Tipo\","));

    // Over the log being shown: refused, the log intact; cancelled: nothing happens.
    const QByteArray antes = LeArquivo(log);
    Salva(log);
    EXPECT_EQ(pessoa.Mensagens().size(), 1);
    EXPECT_TRUE(pessoa.Mensagens().value(0).startsWith(QStringLiteral("ERRO: Escolha outro arquivo")))
        << pessoa.Mensagens().value(0).toStdString();
    EXPECT_EQ(LeArquivo(log), antes);
    Salva(std::nullopt);
    EXPECT_EQ(pessoa.Mensagens().size(), 1);
    EXPECT_TRUE(dialogoArquivo.respostasSalvar.empty());
}

} // namespace
