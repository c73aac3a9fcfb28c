#pragma once

#include <QIcon>
#include <QSvgRenderer>
#include <QWidget>

/// A picture drawn from an SVG resource, scaled proportionally to the widget's size and centred.
/// Drawn as vectors at paint time, so it stays sharp at any screen scale.
class TImagemSvg : public QWidget {
public:
    explicit TImagemSvg(const QString& recurso, QWidget* pai = nullptr);

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QSvgRenderer m_svg;
};

/// An icon rendered from an SVG resource at the sizes buttons and title bars use.
QIcon IconeSvg(const QString& recurso);
