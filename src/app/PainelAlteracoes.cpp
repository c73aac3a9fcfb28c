#include "PainelAlteracoes.h"

#include "DialogoArquivo.h"
#include "EConversao.h"
#include "IndiceAlteracoes.h"
#include "ModeloAlteracoes.h"
#include "ui/InterfaceUsuario.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <exception>
#include <optional>
#include <vector>

namespace {

const char* const kFiltroCsv = "Planilha CSV (*.csv *.CSV)";

QString Quantidade(qint64 quantidade) {
    return QLocale(QLocale::Portuguese, QLocale::Brazil).toString(quantidade);
}

QString Alteracoes(qint64 quantidade) {
    return quantidade == 1 ? QStringLiteral("alteração") : QStringLiteral("alterações");
}

// "Todos os tipos" and then each value with how many records hold it; an item's data is its position.
void Preenche(QComboBox& caixa, const QString& todos, const std::vector<TValorContado>& valores) {
    caixa.addItem(todos, -1);
    for (std::size_t i = 0; i < valores.size(); ++i) {
        const QString nome = valores[i].valor.isEmpty() ? QStringLiteral("(vazio)") : TextoVisivel(valores[i].valor);
        caixa.addItem(QStringLiteral("%1 (%2)").arg(nome, Quantidade(valores[i].quantidade)), static_cast<int>(i));
    }
}

} // namespace

TPainelAlteracoes::TPainelAlteracoes(const QString& arquivo, IDialogoArquivo& dialogoArquivo, QWidget* pai)
    : QWidget(pai), m_dialogoArquivo(dialogoArquivo) {
    QString problema;
    try {
        m_indice = std::make_unique<TIndiceAlteracoes>(arquivo);
    } catch (const std::exception& e) {
        problema = MensagemDe(e);
    }
    CriaControles();
    if (!m_indice) {
        lblQuantidade->setText(problema);
        for (QWidget* controle : std::initializer_list<QWidget*>{cbxTipo, cbxAlteracao, btnSalvarCsv}) {
            controle->setEnabled(false);
        }
        return;
    }
    m_modelo = new TModeloAlteracoes(*m_indice, this);
    tblAlteracoes->setModel(m_modelo);
    Preenche(*cbxTipo, QStringLiteral("Todos os tipos"), m_indice->Tipos());
    Preenche(*cbxAlteracao, QStringLiteral("Todas as alterações"), m_indice->Categorias());
    // Widths from the first rows only: measuring every row would read the whole file.
    tblAlteracoes->horizontalHeader()->setResizeContentsPrecision(50);
    tblAlteracoes->resizeColumnsToContents();
    for (int coluna = 0; coluna < m_modelo->columnCount(); ++coluna) {
        tblAlteracoes->setColumnWidth(coluna, std::min(tblAlteracoes->columnWidth(coluna), 260));
    }
    connect(cbxTipo, &QComboBox::currentIndexChanged, this, [this] { Filtra(); });
    connect(cbxAlteracao, &QComboBox::currentIndexChanged, this, [this] { Filtra(); });
    connect(btnSalvarCsv, &QPushButton::clicked, this, [this] { SalvaCsv(); });
    Filtra();
}

TPainelAlteracoes::~TPainelAlteracoes() = default;

void TPainelAlteracoes::CriaControles() {
    cbxTipo = new QComboBox(this);
    cbxTipo->setObjectName(QStringLiteral("cbxTipo"));
    cbxAlteracao = new QComboBox(this);
    cbxAlteracao->setObjectName(QStringLiteral("cbxAlteracao"));
    cbxAlteracao->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lblQuantidade = new QLabel(this);
    lblQuantidade->setObjectName(QStringLiteral("lblQuantidade"));
    btnSalvarCsv = new QPushButton(QStringLiteral("Salvar CSV…"), this);
    btnSalvarCsv->setObjectName(QStringLiteral("btnSalvarCsv"));
    btnSalvarCsv->setAutoDefault(false);

    tblAlteracoes = new QTableView(this);
    tblAlteracoes->setObjectName(QStringLiteral("tblAlteracoes"));
    tblAlteracoes->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblAlteracoes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblAlteracoes->setWordWrap(false);
    tblAlteracoes->setTextElideMode(Qt::ElideRight);
    tblAlteracoes->verticalHeader()->hide();
    // One height for every row, so the view never measures rows it does not show.
    tblAlteracoes->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblAlteracoes->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tblAlteracoes->horizontalHeader()->setStretchLastSection(true);

    auto* tipo = new QLabel(QStringLiteral("Tipo:"), this);
    tipo->setBuddy(cbxTipo);
    auto* alteracao = new QLabel(QStringLiteral("Alteração:"), this);
    alteracao->setBuddy(cbxAlteracao);
    auto* filtros = new QHBoxLayout;
    filtros->addWidget(tipo);
    filtros->addWidget(cbxTipo);
    filtros->addSpacing(12);
    filtros->addWidget(alteracao);
    filtros->addWidget(cbxAlteracao);
    filtros->addSpacing(12);
    filtros->addWidget(lblQuantidade, 1);
    filtros->addWidget(btnSalvarCsv);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(filtros);
    layout->addWidget(tblAlteracoes, 1);
}

void TPainelAlteracoes::Filtra() {
    m_modelo->Filtra(cbxTipo->currentData().toInt(), cbxAlteracao->currentData().toInt());
    const auto mostradas = static_cast<qint64>(m_modelo->Visiveis().size());
    const qint64 todas = m_indice->Quantidade();
    if (todas == 0) {
        lblQuantidade->setText(QStringLiteral("Nenhuma alteração registrada."));
    } else if (mostradas == todas) {
        lblQuantidade->setText(QStringLiteral("%1 %2").arg(Quantidade(todas), Alteracoes(todas)));
    } else {
        lblQuantidade->setText(
            QStringLiteral("%1 de %2 %3").arg(Quantidade(mostradas), Quantidade(todas), Alteracoes(todas)));
    }
    btnSalvarCsv->setEnabled(mostradas > 0);
}

void TPainelAlteracoes::SalvaCsv() {
    const std::optional<QString> destino = m_dialogoArquivo.EscolheArquivoParaSalvar(
        this, QDir::home().filePath(QStringLiteral("alteracoes.csv")), QLatin1String(kFiltroCsv));
    if (!destino) {
        return;
    }
    try {
        m_indice->Grava(*destino, m_modelo->Visiveis());
    } catch (const std::exception& e) {
        MostraErro(MensagemDe(e));
    }
}
