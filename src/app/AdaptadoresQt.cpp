#include "AdaptadoresQt.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>

#include <algorithm>

namespace {

void MostraCaixa(QWidget* janela, QMessageBox::Icon icone, const QString& texto) {
    // The messages use carriage returns as line breaks; Qt breaks lines at '\n' only.
    QString linhas = texto;
    linhas.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    linhas.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox caixa(icone, TituloPrograma(), linhas, QMessageBox::Ok, janela);
    caixa.setTextFormat(Qt::PlainText);
    caixa.exec();
}

} // namespace

QString TituloPrograma() { return QStringLiteral("Conversor TAVRIN"); }

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
    m_barra.setRange(0, std::max(m_maximo, 1));
    m_barra.setValue(m_posicao);
}

QString TRotuloQt::Caption() const { return m_rotulo.text(); }

void TRotuloQt::SetCaption(const QString& texto) { m_rotulo.setText(texto); }

void TInterfaceJanela::Aviso(const QString& texto) { MostraCaixa(m_janela, QMessageBox::Warning, texto); }

void TInterfaceJanela::Erro(const QString& texto) { MostraCaixa(m_janela, QMessageBox::Critical, texto); }

void TInterfaceJanela::Informacao(const QString& texto) { MostraCaixa(m_janela, QMessageBox::Information, texto); }

void TInterfaceJanela::ProcessaMensagens() { QCoreApplication::processEvents(); }
