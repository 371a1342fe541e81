#include "toolkit/Form.h"

#include "toolkit/Application.h"
#include "toolkit/Centring.h"
#include "toolkit/Dispatch.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

// The scrolling content of the window: its colour, then whatever the
// window's canvas holds.
class TFormClient : public QWidget {
public:
    TFormClient(QWidget* parent, const TForm& form, const QImage& canvas)
        : QWidget(parent), form_(form), canvas_(canvas)
    {
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), ToQColor(form_.Color()));
        painter.drawImage(event->rect(), canvas_, event->rect());
    }

private:
    const TForm& form_;
    const QImage& canvas_;
};

namespace {

constexpr int kScrollStep = 8;

QImage TransparentSurface(QSize size)
{
    QImage surface(size, QImage::Format_ARGB32_Premultiplied);
    surface.fill(Qt::transparent);
    return surface;
}

}  // namespace

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
    canvas_ = std::make_unique<TCanvas>(canvasSurface_, [this](const QRect& rect) { client_->update(rect); });
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
    canvasSurface_ = TransparentSurface(client_->size());
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
        Dispatch(TEventCause::System, [this] { OnCreate(this); });
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
        Dispatch(TEventCause::System, [this] { OnActivate(this); });
}

void TForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (Application)
        Application->Terminate();
}
