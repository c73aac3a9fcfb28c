#include "AdaptadoresQt.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>

#include <algorithm>
#include <utility>

namespace {

// The messages use carriage returns as line breaks; Qt breaks lines at '\n' only.
QString QuebrasDeLinha(QString texto) {
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return texto;
}

} // namespace

QString TituloPrograma() {
    return QStringLiteral("Conversor TAVRIN");
}

TBarraProgressoQt::TBarraProgressoQt(QProgressBar& barra) : m_barra(barra) {
    m_maximo = std::max(barra.maximum(), 0);
    m_posicao = std::clamp(barra.value(), 0, m_maximo);
    Mostra();
}

void TBarraProgressoQt::SetPosicao(int valor) {
    m_posicao = std::clamp(valor, 0, std::max(m_maximo, 0));
    Mostra();
}

void TBarraProgressoQt::SetMaximo(int valor) {
    m_maximo = valor;
    m_posicao = std::clamp(m_posicao, 0, std::max(m_maximo, 0));
    Mostra();
}

void TBarraProgressoQt::Mostra() {
    // A run moves the bar once a record, and QProgressBar consults the style sheet at every new
    // value to decide whether its fill moved. The bar takes the new value when what it draws
    // changes: the fill moves by a pixel, the range changes, or the position reaches either end.
    const int maximo = std::max(m_maximo, 1);
    const qint64 preenchido = static_cast<qint64>(m_posicao) * std::max(m_barra.width(), 1) / maximo;
    if (m_barra.maximum() == maximo && preenchido == m_preenchido && m_posicao != 0 && m_posicao != m_maximo) {
        return;
    }
    m_preenchido = preenchido;
    // QProgressBar repaints at once whenever its chunk or percentage changes: hundreds of
    // synchronous repaints in a run. With updates held, the bar keeps its value and is painted at
    // the next pass over pending events.
    const bool atualizava = m_barra.updatesEnabled();
    m_barra.setUpdatesEnabled(false);
    m_barra.setRange(0, maximo);
    m_barra.setValue(m_posicao);
    m_barra.setUpdatesEnabled(atualizava);
}

QString TRotuloQt::Caption() const {
    return m_rotulo.text();
}

void TRotuloQt::SetCaption(const QString& texto) {
    m_rotulo.setText(texto);
}

void TInterfaceJanela::Aviso(const QString& texto) {
    Mostra(QMessageBox::Warning, texto);
}

void TInterfaceJanela::Erro(const QString& texto) {
    Mostra(QMessageBox::Critical, texto);
}

void TInterfaceJanela::Informacao(const QString& texto) {
    Mostra(QMessageBox::Information, texto);
}

void TInterfaceJanela::AcaoProximaMensagem(const QString& rotulo, std::function<void()> acao) {
    m_rotuloAcao = rotulo;
    m_acao = rotulo.isEmpty() ? std::function<void()>() : std::move(acao);
}

void TInterfaceJanela::Mostra(QMessageBox::Icon icone, const QString& texto) {
    QMessageBox caixa(icone, TituloPrograma(), QuebrasDeLinha(texto), QMessageBox::Ok, m_janela);
    caixa.setTextFormat(Qt::PlainText);
    const QString detalhe = std::exchange(m_detalhe, QString());
    const QString rotuloAcao = std::exchange(m_rotuloAcao, QString());
    const std::function<void()> acao = std::exchange(m_acao, {});
    QPushButton* botaoAcao = nullptr;
    if (acao) {
        botaoAcao = caixa.addButton(rotuloAcao, QMessageBox::ActionRole);
        caixa.setDefaultButton(QMessageBox::Ok);
        caixa.setEscapeButton(QMessageBox::Ok);
    } else if (!detalhe.isEmpty()) {
        caixa.setDetailedText(QuebrasDeLinha(detalhe));
        // Details are tables aligned by spaces (the run's summary): fixed pitch, no wrapping.
        if (auto* texto = caixa.findChild<QTextEdit*>()) {
            QFont fixa = QFontDatabase::systemFont(QFontDatabase::FixedFont);
            fixa.setPixelSize(11);
            texto->setFont(fixa);
            texto->setLineWrapMode(QTextEdit::NoWrap);
            texto->setMinimumWidth(680);
        }
    }
    caixa.exec();
    if (botaoAcao && caixa.clickedButton() == botaoAcao) {
        acao();
    }
}

void TInterfaceJanela::ProcessaMensagens() {
    // A run asks for this once a record; repainting the label and the bar more than about 30
    // times a second only slows the run down. They keep their latest values, shown at the next
    // pass (at the latest by the final message box).
    if (m_desdeProcessamento.isValid() && m_desdeProcessamento.elapsed() < 33) {
        return;
    }
    QCoreApplication::processEvents();
    m_desdeProcessamento.start();
}
