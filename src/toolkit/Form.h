// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/Canvas.h"
#include "toolkit/Events.h"
#include "toolkit/Font.h"

#include <QScrollArea>
#include <memory>

class TCanvasLayer;

// A top-level window whose client area scrolls when it is smaller than its
// content. Its own canvas draws at fixed coordinates of the client area,
// over the windowless controls and under the windows; what is drawn there
// stays until drawn over.
class TForm : public QScrollArea {
    Q_OBJECT

public:
    TForm();
    ~TForm() override;

    void SetCaption(const QString& caption);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);

    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);

    // The parent of the controls placed directly on the window.
    QWidget* Client() const;
    // Sizes the scrolling content to the largest right and bottom edges of
    // the visible controls on the window, and stacks the controls: the
    // windowless ones under the canvas, those that are windows over it.
    void ArrangeContent();

    TCanvas* Canvas() const { return canvas_.get(); }

    // The first showing: centred on the desktop, limited to the screen's
    // work area when that cannot hold it, then shown.
    void Show();
    // Runs OnCreate; the application calls it once construction is over.
    void DoCreate();

    TNotifyEvent OnCreate;
    TNotifyEvent OnActivate;

signals:
    // The window was closed; the application that created it ends there.
    void Closed();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void Activate();
    void FitIntoScreen();
    void PlaceOnTheChangedScreen();
    void KeepCanvasOverTheClientArea();

    QWidget* client_;
    TCanvasLayer* canvasLayer_;
    std::unique_ptr<TCanvas> canvas_;
    TColor color_ = clBtnFace;
    TFont font_;
    bool activated_ = false;
    // The size OnCreate gave the window, before any fitting.
    QSize madeSize_;
    // Until a window manager tells the frame it has put around the window
    // (X11), the window is fitted into the screen with the frame known so
    // far: Qt's own decorations on Wayland, none on X11.
    bool fitToFrame_ = false;
};
