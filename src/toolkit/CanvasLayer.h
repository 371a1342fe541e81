// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>
#include <utility>
#include <vector>

// What the window's canvas has drawn, shown at fixed coordinates of the
// window's client area however far the content is scrolled. It lies in
// the scrolling content over the windowless controls and under the
// windows, and lets every mouse event through to what lies beneath.
class TCanvasLayer : public QWidget {
    Q_OBJECT

public:
    explicit TCanvasLayer(QWidget* content);

    QImage& Surface() { return surface_; }
    // A new, empty surface of the given size at the screen's density.
    void MakeSurface(QSize size);
    // The canvas has drawn on rect, in client coordinates.
    void CanvasChanged(const QRect& rect);
    // The canvas has written text over rect (an empty text only fills it).
    void Written(const QRect& rect, const QString& text);
    // The texts the canvas shows, from the top left, as a screen reader
    // reads them.
    QString Caption() const;
    // Keeps the layer over the client area: the content is scrolled by
    // offset and the client area has the given size.
    void Follow(QPoint offset, QSize client);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FollowPixelRatio();

    QImage surface_;
    // Each text shown and the rectangle it was written in; a later write
    // over any part of that rectangle covers it.
    std::vector<std::pair<QRect, QString>> texts_;
    // The bounding rectangle of everything the canvas has drawn.
    QRect drawn_;
};
