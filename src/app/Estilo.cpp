#include "Estilo.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace {

struct TEstilo {
    const char* nome;
    const char* folha; // style sheet resource
    QRgb janela;       // button face: the window and button background
    QRgb destaque;     // selections and focus
};

const TEstilo kEstilos[] = {
    {"Turquoise Gray", ":/estilos/TurquoiseGray.qss", 0xffe4e9ea, 0xff17a398},
};

// The palette covers what the style sheet leaves to the base style (message boxes, dialogs).
QPalette Paleta(const TEstilo& estilo) {
    const QColor janela = QColor::fromRgb(estilo.janela);
    const QColor texto(0x1f, 0x2b, 0x2d);
    const QColor desabilitado(0x98, 0xa3, 0xa5);
    QPalette p(janela);
    p.setColor(QPalette::Window, janela);
    p.setColor(QPalette::Button, janela);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(0xf2, 0xf5, 0xf5));
    p.setColor(QPalette::WindowText, texto);
    p.setColor(QPalette::Text, texto);
    p.setColor(QPalette::ButtonText, texto);
    p.setColor(QPalette::Highlight, QColor::fromRgb(estilo.destaque));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, Qt::white);
    p.setColor(QPalette::ToolTipText, texto);
    for (auto papel : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Disabled, papel, desabilitado);
    }
    return p;
}

} // namespace

bool AplicaEstilo(const QString& nome) {
    for (const TEstilo& estilo : kEstilos) {
        if (nome.compare(QLatin1String(estilo.nome), Qt::CaseInsensitive) != 0) {
            continue;
        }
        QFile arquivo(QLatin1String(estilo.folha));
        if (!arquivo.open(QIODevice::ReadOnly | QIODevice::Text)) {
            return false;
        }
        const QString folha = QString::fromUtf8(arquivo.readAll());
        // Fusion draws the same on every desktop, so the sheet looks as designed everywhere.
        if (QStyle* base = QStyleFactory::create(QStringLiteral("Fusion"))) {
            QApplication::setStyle(base);
        }
        QApplication::setPalette(Paleta(estilo));
        qApp->setStyleSheet(folha);
        return true;
    }
    return false;
}

QFont FonteJanela(int pixels, bool negrito) {
    // Tahoma first; then faces of similar width, so the fixed layout keeps its proportions.
    static const QString familia = [] {
        const QStringList instaladas = QFontDatabase::families();
        for (const char* candidata :
             {"Tahoma", "DejaVu Sans Condensed", "Liberation Sans", "Arial", "Verdana", "DejaVu Sans"}) {
            if (instaladas.contains(QLatin1String(candidata), Qt::CaseInsensitive)) {
                return QString::fromLatin1(candidata);
            }
        }
        return QString();
    }();
    QFont fonte;
    if (!familia.isEmpty()) {
        fonte.setFamily(familia);
    }
    fonte.setStyleHint(QFont::SansSerif);
    fonte.setPixelSize(pixels);
    fonte.setBold(negrito);
    return fonte;
}
