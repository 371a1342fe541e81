// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Form.h"

#include "toolkit/Application.h"
#include "toolkit/Centring.h"
#include "toolkit/Dispatch.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <cstdlib>

namespace {

constexpr int kScrollStep = 8;

// A transparent surface at a pixel density. It costs no memory until drawn
// on: its pixels are zeroed pages (transparent black), which the system
// maps only when they are first written, and the window's canvas is only
// written where the program puts texts.
QImage TransparentSurface(QSize size, qreal ratio)
{
    const QSize device = (QSizeF(size) * ratio).toSize();
    if (device.isEmpty())
        return QImage();
    const qsizetype stride = qsizetype(device.width()) * qsizetype(sizeof(QRgb));
    void* pixels = std::calloc(std::size_t(device.height()), std::size_t(stride));
    QImage surface;
    if (pixels) {
        surface = QImage(static_cast<uchar*>(pixels), device.width(), device.height(), stride,
                         QImage::Format_ARGB32_Premultiplied, [](void* memory) { std::free(memory); }, pixels);
    } else {
        surface = QImage(device, QImage::Format_ARGB32_Premultiplied);
        surface.fill(Qt::transparent);
    }
    surface.setDevicePixelRatio(ratio);
    return surface;
}

}  // namespace

// The scrolling content of the window: its colour, then whatever the
// window's canvas holds.
class TFormClient : public QWidget {
public:
    TFormClient(QWidget* parent, const TForm& form, QImage& canvas)
        : QWidget(parent), form_(form), canvas_(canvas)
    {
    }

    // The canvas has drawn on rect, in client coordinates.
    void CanvasChanged(const QRect& rect)
    {
        drawn_ |= rect;
        update(rect);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        FollowPixelRatio();
        QPainter painter(this);
        painter.fillRect(event->rect(), ToQColor(form_.Color()));
        // Where the canvas never drew it is transparent: nothing to show.
        const QRect shown = event->rect() & drawn_;
        if (shown.isEmpty() || canvas_.isNull())
            return;
        const qreal ratio = canvas_.devicePixelRatio();
        painter.drawImage(shown, canvas_, QRectF(QPointF(shown.topLeft()) * ratio, QSizeF(shown.size()) * ratio));
    }

private:
    // The canvas has the pixel density of the screen the window is on, so
    // its texts are as sharp as the controls'. Made anew for another
    // density, it keeps what was drawn, scaled, until the program draws
    // there again.
    void FollowPixelRatio()
    {
        const qreal ratio = devicePixelRatioF();
        if (canvas_.isNull() || canvas_.devicePixelRatio() == ratio)
            return;
        const QSize size = canvas_.deviceIndependentSize().toSize();
        QImage remade = TransparentSurface(size, ratio);
        if (!drawn_.isEmpty() && !remade.isNull()) {
            QPainter painter(&remade);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            const qreal old = canvas_.devicePixelRatio();
            painter.drawImage(QRectF(drawn_), canvas_, QRectF(QPointF(drawn_.topLeft()) * old, QSizeF(drawn_.size()) * old));
        }
        canvas_ = remade;
    }

    const TForm& form_;
    QImage& canvas_;
    // The bounding rectangle of everything the canvas has drawn.
    QRect drawn_;
};

TForm::TForm()
    : client_(new TFormClient(this, *this, canvasSurface_))
{
    setFrameShape(QFrame::NoFrame);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
    client_->setFocusPolicy(Qt::NoFocus);
    setWidget(client_);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setSingleStep(kScrollStep);
    canvas_ = std::make_unique<TCanvas>(canvasSurface_, [this](const QRect& rect) { client_->CanvasChanged(rect); });
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
    client_->update();
}

void TForm::SetFont(const TFont& font)
{
    font_ = font;
    setFont(font.ToQFont());
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

void TForm::MeasureContent()
{
    QRect extent;
    for (QWidget* child : client_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isHidden())
            extent |= QRect(QPoint(0, 0), child->geometry().bottomRight());
    client_->resize(extent.width(), extent.height());
    canvasSurface_ = TransparentSurface(client_->size(), client_->devicePixelRatioF());
}

void TForm::Show()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen)
        move(DesktopCentre(screen->virtualSize(), size()));
    show();
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
    return QScrollArea::event(event);
}

void TForm::Activate()
{
    if (activated_)
        return;
    activated_ = true;
    if (!focusWidget())
        focusNextChild();
    if (OnActivate)
        Dispatch([this] { OnActivate(this); });
}

void TForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (Application)
        Application->Terminate();
}
