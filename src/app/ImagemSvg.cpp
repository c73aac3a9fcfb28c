#include "ImagemSvg.h"

#include <QPainter>
#include <QPixmap>

TImagemSvg::TImagemSvg(const QString& recurso, QWidget* pai) : QWidget(pai), m_svg(recurso) {
    m_svg.setAspectRatioMode(Qt::KeepAspectRatio);
    setAttribute(Qt::WA_TranslucentBackground);
}

void TImagemSvg::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    pintor.setRenderHint(QPainter::Antialiasing);
    m_svg.render(&pintor, QRectF(rect()));
}

QIcon IconeSvg(const QString& recurso) {
    QSvgRenderer svg(recurso);
    QIcon icone;
    if (!svg.isValid()) {
        return icone;
    }
    for (int lado : {16, 24, 32, 48, 64}) {
        QPixmap imagem(lado, lado);
        imagem.fill(Qt::transparent);
        QPainter pintor(&imagem);
        pintor.setRenderHint(QPainter::Antialiasing);
        svg.render(&pintor, QRectF(0, 0, lado, lado));
        pintor.end();
        icone.addPixmap(imagem);
    }
    return icone;
}
