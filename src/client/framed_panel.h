#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

// A panel with a one-pixel border in a colour of its own, filled with a
// colour or a picture: the board's green frame, the replay panel's lime one,
// the banners over the board.
class FramedPanel : public QWidget {
    Q_OBJECT
public:
    FramedPanel(const QColor& border, const QColor& fill, QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    QColor borderColour() const { return m_border; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_border;
    QColor m_fill;
    QPixmap m_picture;
};
