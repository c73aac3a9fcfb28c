#include "DialogoRelatorio.h"

#include "AdaptadoresQt.h"
#include "PainelAlteracoes.h"
#include "ResultadoAnalise.h"
#include "ResumoExecucao.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>
#include <vector>

namespace {

QLocale Brasil() {
    return QLocale(QLocale::Portuguese, QLocale::Brazil);
}

double PorSegundo(qint64 registros, double segundos) {
    return segundos > 0 ? static_cast<double>(registros) / segundos : 0.0;
}

QString Contagens(const TContagens& contagens) {
    QStringList partes;
    for (const auto& [tabela, quant] : contagens) {
        partes << QStringLiteral("%1 %2").arg(tabela, Brasil().toString(quant));
    }
    return partes.join(QStringLiteral(", "));
}

// One row of the summary: the name, then the figures, right-aligned.
struct TLinhaResumo {
    QString nome;
    QString dicaNome;
    std::vector<QString> numeros;
    QString dicaGravados;
    QString dicaAlterados;
};

QStringList Colunas() {
    return {QStringLiteral("Tipo"),      QStringLiteral("Lidos"),     QStringLiteral("Excluídos"),
            QStringLiteral("Ignorados"), QStringLiteral("Recusados"), QStringLiteral("Gravados"),
            QStringLiteral("Alterados"), QStringLiteral("Segundos"),  QStringLiteral("Registros/s")};
}

constexpr int kColunaGravados = 5;
constexpr int kColunaAlterados = 6;

std::vector<TLinhaResumo> LinhasResumo(const TResumoExecucao& resumo) {
    const QLocale brasil = Brasil();
    std::vector<TLinhaResumo> linhas;
    TResumoTipo total;
    qint64 gravados = 0;
    for (const TResumoTipo& t : resumo.tipos) {
        const qint64 principal = t.linhas.empty() ? 0 : t.linhas.front().second;
        QString pagina;
        if (!t.paginaCodigo.isEmpty()) {
            pagina = QStringLiteral("%1 lida como %2 (%3)").arg(t.tabelaOrigem, t.paginaCodigo, t.escolhaPagina);
        }
        QString dicaGravados = Contagens(t.linhas);
        if (!t.referencias.empty()) {
            dicaGravados += QStringLiteral("; criados: ") + Contagens(t.referencias);
        }
        linhas.push_back(
            {t.concluido ? t.nome : t.nome + QStringLiteral(" (erro)"),
             pagina,
             {brasil.toString(t.lidos), brasil.toString(t.excluidos), brasil.toString(t.ignorados),
              brasil.toString(t.rejeitados), brasil.toString(principal), brasil.toString(t.alterados),
              brasil.toString(t.segundos, 'f', 2), brasil.toString(PorSegundo(t.lidos, t.segundos), 'f', 0)},
             dicaGravados,
             ContagemAlteracoes(t)});
        total.lidos += t.lidos;
        total.excluidos += t.excluidos;
        total.ignorados += t.ignorados;
        total.rejeitados += t.rejeitados;
        total.alterados += t.alterados;
        gravados += principal;
    }
    linhas.push_back(
        {QStringLiteral("Total"),
         QString(),
         {brasil.toString(total.lidos), brasil.toString(total.excluidos), brasil.toString(total.ignorados),
          brasil.toString(total.rejeitados), brasil.toString(gravados), brasil.toString(total.alterados),
          brasil.toString(resumo.segundos, 'f', 2), brasil.toString(PorSegundo(total.lidos, resumo.segundos), 'f', 0)},
         QString(),
         QString()});
    return linhas;
}

QTableWidgetItem* Item(const QString& texto, const QString& dica, bool numero, bool negrito) {
    auto* item = new QTableWidgetItem(texto);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setToolTip(dica);
    if (numero) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (negrito) {
        QFont fonte = item->font();
        fonte.setBold(true);
        item->setFont(fonte);
    }
    return item;
}

QLabel* Titulo(const QString& texto, QWidget* pai) {
    auto* rotulo = new QLabel(texto, pai);
    QFont fonte = rotulo->font();
    fonte.setBold(true);
    rotulo->setFont(fonte);
    return rotulo;
}

// Columns as wide as their contents, the `elastica` one taking what is left, and tall enough for every
// row: a summary that scrolls hides the total.
// The summary's table, read only, with its header and as many rows as asked; filled by the caller.
QTableWidget* TabelaResumo(int linhas, const QStringList& colunas, QWidget* pai) {
    auto* tabela = new QTableWidget(linhas, static_cast<int>(colunas.size()), pai);
    tabela->setObjectName(QStringLiteral("tblResumo"));
    tabela->setHorizontalHeaderLabels(colunas);
    tabela->verticalHeader()->hide();
    tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela->setSelectionMode(QAbstractItemView::NoSelection);
    tabela->setFocusPolicy(Qt::NoFocus);
    return tabela;
}

void AjustaTabela(QTableWidget& tabela, int elastica) {
    tabela.resizeColumnsToContents();
    tabela.horizontalHeader()->setSectionResizeMode(elastica, QHeaderView::Stretch);
    tabela.resizeRowsToContents();
    const int altura = tabela.horizontalHeader()->sizeHint().height() + tabela.verticalHeader()->length() +
                       2 * tabela.frameWidth() + 2;
    tabela.setFixedHeight(altura);
    tabela.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace

TDialogoRelatorio::TDialogoRelatorio(const TResumoExecucao& resumo, const QString& arquivoAlteracoes,
                                     const QString& aviso, IDialogoArquivo& dialogoArquivo, QWidget* pai)
    : QDialog(pai) {
    setWindowTitle(QStringLiteral("Relatório da conversão - %1").arg(TituloPrograma()));
    QString resultado = ResultadoResumo(resumo);
    resultado[0] = resultado[0].toUpper();
    QStringList avisos;
    for (const TResumoTipo& t : resumo.tipos) {
        avisos << t.avisos;
    }
    Monta(resultado + QLatin1Char('.'), aviso, CriaTabelaResumo(resumo), avisos, arquivoAlteracoes,
          QStringLiteral("Alterações nos dados"), dialogoArquivo);
}

TDialogoRelatorio::TDialogoRelatorio(const TResultadoAnalise& analise, const QString& arquivoProblemas,
                                     IDialogoArquivo& dialogoArquivo, QWidget* pai)
    : QDialog(pai) {
    setWindowTitle(
        QStringLiteral("Análise da pasta %1 - %2").arg(QDir::toNativeSeparators(analise.pasta), TituloPrograma()));
    QStringList avisos;
    for (const TAnaliseTabela& t : analise.tabelas) {
        avisos << t.avisos;
    }
    Monta(ConclusaoAnalise(analise), QString(), CriaTabelaAnalise(analise), avisos, arquivoProblemas,
          QStringLiteral("Problemas encontrados"), dialogoArquivo);
}

void TDialogoRelatorio::Monta(const QString& resultado, const QString& aviso, QTableWidget* tabela,
                              const QStringList& avisos, const QString& arquivo, const QString& tituloLista,
                              IDialogoArquivo& dialogoArquivo) {
    setObjectName(QStringLiteral("DialogoRelatorio"));
    setSizeGripEnabled(true);

    lblResultado = new QLabel(resultado, this);
    lblResultado->setObjectName(QStringLiteral("lblResultado"));
    lblResultado->setWordWrap(true);

    tblResumo = tabela;

    lstAvisos = new QListWidget(this);
    lstAvisos->setObjectName(QStringLiteral("lstAvisos"));
    lstAvisos->setWordWrap(true);
    lstAvisos->addItems(avisos);
    lstAvisos->setMaximumHeight(90);

    pnlAlteracoes = new TPainelAlteracoes(arquivo, dialogoArquivo, this);
    pnlAlteracoes->setObjectName(QStringLiteral("pnlAlteracoes"));

    auto* botoes = new QDialogButtonBox(this);
    QPushButton* fechar = botoes->addButton(QStringLiteral("Fechar"), QDialogButtonBox::RejectRole);
    fechar->setObjectName(QStringLiteral("btnFechar"));
    connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    if (!aviso.isEmpty()) {
        auto* rotuloAviso = new QLabel(aviso, this);
        rotuloAviso->setObjectName(QStringLiteral("lblAviso"));
        rotuloAviso->setWordWrap(true);
        QPalette vermelho = rotuloAviso->palette();
        vermelho.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
        rotuloAviso->setPalette(vermelho);
        layout->addWidget(rotuloAviso);
    }
    layout->addWidget(lblResultado);
    layout->addWidget(Titulo(QStringLiteral("Resumo"), this));
    layout->addWidget(tblResumo);
    if (!avisos.isEmpty()) {
        layout->addWidget(Titulo(QStringLiteral("Avisos da leitura das tabelas"), this));
        layout->addWidget(lstAvisos);
    } else {
        lstAvisos->hide();
    }
    layout->addWidget(Titulo(tituloLista, this));
    layout->addWidget(pnlAlteracoes, 1);
    layout->addWidget(botoes);
    resize(980, 640);
}

QTableWidget* TDialogoRelatorio::CriaTabelaAnalise(const TResultadoAnalise& analise) {
    const QLocale brasil = Brasil();
    const QStringList colunas = {QStringLiteral("Tabela"),    QStringLiteral("Tipo"),     QStringLiteral("Registros"),
                                 QStringLiteral("Excluídos"), QStringLiteral("Página"),   QStringLiteral("Fatais"),
                                 QStringLiteral("Perdas"),    QStringLiteral("Qualidade")};
    QTableWidget* tabela = TabelaResumo(static_cast<int>(analise.tabelas.size()) + 1, colunas, this);
    std::array<qint64, 3> total{};
    qint64 registros = 0;
    qint64 excluidos = 0;
    int l = 0;
    for (const TAnaliseTabela& t : analise.tabelas) {
        tabela->setItem(l, 0, Item(t.tabela, QString(), false, false));
        tabela->setItem(l, 1, Item(t.nome, QString(), false, false));
        tabela->setItem(l, 2,
                        Item(t.lida ? brasil.toString(t.registros) : QStringLiteral("-"), QString(), true, false));
        tabela->setItem(l, 3,
                        Item(t.lida ? brasil.toString(t.excluidos) : QStringLiteral("-"), QString(), true, false));
        tabela->setItem(
            l, 4,
            Item(t.lida ? QStringLiteral("%1 (%2)").arg(t.paginaCodigo, t.escolhaPagina) : QStringLiteral("ilegível"),
                 QString(), false, false));
        for (const ClasseProblema classe : kClassesProblema) {
            const auto c = static_cast<std::size_t>(classe);
            QStringList detalhe;
            for (const TContagemProblema& p : t.problemas) {
                if (p.classe == classe) {
                    detalhe << QStringLiteral("%1: %2").arg(RotuloAlteracao(p.oQue), brasil.toString(p.quantidade));
                }
            }
            tabela->setItem(l, 5 + static_cast<int>(c),
                            Item(brasil.toString(t.Quantidade(classe)), detalhe.join(QLatin1Char('\n')), true, false));
            total[c] += t.Quantidade(classe);
        }
        registros += t.registros;
        excluidos += t.excluidos;
        ++l;
    }
    tabela->setItem(l, 0, Item(QStringLiteral("Total"), QString(), false, true));
    tabela->setItem(l, 1, Item(QString(), QString(), false, true));
    tabela->setItem(l, 2, Item(brasil.toString(registros), QString(), true, true));
    tabela->setItem(l, 3, Item(brasil.toString(excluidos), QString(), true, true));
    tabela->setItem(l, 4, Item(QString(), QString(), false, true));
    for (std::size_t c = 0; c < total.size(); ++c) {
        tabela->setItem(l, 5 + static_cast<int>(c), Item(brasil.toString(total[c]), QString(), true, true));
    }
    AjustaTabela(*tabela, 1);
    return tabela;
}

QTableWidget* TDialogoRelatorio::CriaTabelaResumo(const TResumoExecucao& resumo) {
    const QStringList colunas = Colunas();
    const std::vector<TLinhaResumo> linhas = LinhasResumo(resumo);
    QTableWidget* tabela = TabelaResumo(static_cast<int>(linhas.size()), colunas, this);
    for (int l = 0; l < static_cast<int>(linhas.size()); ++l) {
        const TLinhaResumo& linha = linhas[static_cast<std::size_t>(l)];
        const bool total = l + 1 == static_cast<int>(linhas.size());
        tabela->setItem(l, 0, Item(linha.nome, linha.dicaNome, false, total));
        for (int c = 1; c < static_cast<int>(colunas.size()); ++c) {
            const QString dica =
                c == kColunaGravados ? linha.dicaGravados : (c == kColunaAlterados ? linha.dicaAlterados : QString());
            tabela->setItem(l, c, Item(linha.numeros[static_cast<std::size_t>(c - 1)], dica, true, total));
        }
    }
    AjustaTabela(*tabela, 0);
    return tabela;
}
