// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Form.h"

#include "toolkit/CanvasLayer.h"
#include "toolkit/Centring.h"
#include "toolkit/Description.h"
#include "toolkit/Dispatch.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>
#include <algorithm>

namespace {

constexpr int kScrollStep = 8;

// The screen that holds the middle of the window, or the main one.
const QScreen* ScreenOf(const QWidget& window)
{
    const QScreen* screen = QGuiApplication::screenAt(window.frameGeometry().center());
    return screen ? screen : QGuiApplication::primaryScreen();
}

// A Wayland client is told neither the work area (the screen less the
// desktop's panels) nor where its window stands: only the compositor can
// fit a window into the work area, and does when asked to maximise it.
bool OnlyTheCompositorKnowsTheWorkArea()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

TForm::TForm()
    : client_(new QWidget(this)), canvasLayer_(new TCanvasLayer(client_))
{
    setFrameShape(QFrame::NoFrame);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
    client_->setFocusPolicy(Qt::NoFocus);
    setWidget(client_);
    // The content follows a dragged thumb only when it is let go.
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setSingleStep(kScrollStep);
        bar->setTracking(false);
    }
    canvas_ = std::make_unique<TCanvas>(canvasLayer_->Surface(),
                                        [this](const QRect& rect) { canvasLayer_->CanvasChanged(rect); });
    canvas_->TextWritten = [this](const QRect& rect, const QString& text) { canvasLayer_->Written(rect, text); };
    SetColor(color_);
}

TForm::~TForm() = default;

void TForm::SetCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void TForm::SetColor(TColor color)
{
    color_ = color;
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    viewport()->setPalette(palette);
    canvas_->Brush.Color = color;
}

void TForm::SetFont(const TFont& font)
{
    font_ = font;
    GiveFont(this, font);
    canvas_->Font = font;
}

void TForm::SetLeft(int left)
{
    move(left, y());
}

void TForm::SetTop(int top)
{
    move(x(), top);
}

void TForm::SetWidth(int width)
{
    resize(width, height());
}

void TForm::SetHeight(int height)
{
    resize(width(), height);
}

QWidget* TForm::Client() const
{
    return client_;
}

void TForm::ArrangeContent()
{
    QRect extent;
    for (QWidget* child : client_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != canvasLayer_ && !child->isHidden())
            extent |= QRect(QPoint(0, 0), child->geometry().bottomRight());
    client_->resize(extent.width(), extent.height());
    canvasLayer_->MakeSurface(client_->size());
    // Windowless controls are drawn on their parent's surface, under the
    // canvas; controls that are windows of their own lie over both. Within
    // each kind, later controls lie over earlier ones.
    canvasLayer_->raise();
    for (QWidget* control : client_->findChildren<QWidget*>())
        if (control != canvasLayer_ && !IsWindowless(control))
            control->raise();
    KeepCanvasOverTheClientArea();
}

void TForm::Show()
{
    madeSize_ = size();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(DesktopCentre(screen->virtualSize(), size()));
    fitToFrame_ = true;
    FitIntoScreen();
    // Not show(): in the browser it would fill the whole page with the
    // window, where the page is the screen the window is centred on.
    setVisible(true);
    // Qt's own frame (its decorations on Wayland) is there once the window
    // is shown, before anything of it is drawn; a window manager's frame
    // (X11) comes later, with a move (see event()).
    FitIntoScreen();
#ifdef Q_OS_WASM
    // In the browser the page is the screen, and it changes under the
    // window: a tablet is turned, the browser's window resized.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        connect(screen, &QScreen::geometryChanged, this, &TForm::PlaceOnTheChangedScreen);
#endif
}

// As at the first showing: from the size the window was made with,
// centred, then fitted; what it owns (the error box) comes along, centred
// over it, so that its OK stays within reach.
void TForm::PlaceOnTheChangedScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    resize(madeSize_);
    move(DesktopCentre(screen->virtualSize(), size()));
    FitIntoScreen();
    const QRect page = screen->availableGeometry();
    for (QWidget* owned : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!owned->isWindow() || !owned->isVisible())
            continue;
        QRect box = owned->frameGeometry();
        box.moveCenter(frameGeometry().center());
        box.moveTopLeft(QPoint(std::max(page.left(), std::min(box.left(), page.right() + 1 - box.width())),
                               std::max(page.top(), std::min(box.top(), page.bottom() + 1 - box.height()))));
        owned->move(box.topLeft());
    }
}

// Fitted at the first showing, with the frame the window system gives the
// window as soon as it is known: a window that the screen cannot hold gets
// its own scroll bars instead of controls beyond the screen's edges. Where
// the work area is the compositor's secret, the window is maximised into it
// instead, and gets its scroll bars from the size the compositor gives.
void TForm::FitIntoScreen()
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QScreen* screen = ScreenOf(*this);
    if (!screen)
        return;
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QRect fitted = FitIntoWorkArea(geometry(), frame, screen->availableGeometry());
    if (fitted == geometry())
        return;
    if (OnlyTheCompositorKnowsTheWorkArea()) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    // Placed by its frame, as the centring placed it: the window system
    // then moves the client area inside the frame and says so.
    resize(fitted.size());
    move(fitted.topLeft() - QPoint(frame.left(), frame.top()));
}

void TForm::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    KeepCanvasOverTheClientArea();
}

void TForm::scrollContentsBy(int dx, int dy)
{
    QScrollArea::scrollContentsBy(dx, dy);
    KeepCanvasOverTheClientArea();
}

void TForm::KeepCanvasOverTheClientArea()
{
    canvasLayer_->Follow(-client_->pos(), viewport()->size());
}

void TForm::DoCreate()
{
    if (OnCreate)
        Dispatch([this] { OnCreate(this); });
}

// The window is activated once per run: at its first showing, before
// anything of it is painted, or at the platform's first activation if that
// comes earlier.
bool TForm::event(QEvent* event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
        Activate();
    const bool result = QScrollArea::event(event);
    if (event->type() == QEvent::Move && fitToFrame_ && windowHandle()
        && !windowHandle()->frameMargins().isNull()) {
        fitToFrame_ = false;
        FitIntoScreen();
    }
    return result;
}

void TForm::Activate()
{
    if (activated_)
        return;
    activated_ = true;
    // The first focus leaves the content where it is, at offset 0; only
    // the learner's Tab scrolls the focused control into view.
    if (!focusWidget())
        QWidget::focusNextPrevChild(true);
    if (OnActivate)
        Dispatch([this] { OnActivate(this); });
}

void TForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit Closed();
}
