// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Accessible.h"

#include "toolkit/CanvasLayer.h"
#include "toolkit/Dispatch.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/PaintBox.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/SpeedButton.h"

#include <QAccessibleWidget>

namespace {

// A control of the toolkit read under a fixed role: named by its caption,
// unless the window gave it a name of its own, and described by what the
// program says of it when it is read.
template <class TControl>
class TControlAccessible : public QAccessibleWidget {
public:
    TControlAccessible(TControl* control, QAccessible::Role role)
        : QAccessibleWidget(control, role)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if constexpr (requires(const TControl& c) { c.Caption(); }) {
            if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
                return Control()->Caption();
        }
        if constexpr (requires(const TControl& c) { c.OnDescribe; }) {
            if (kind == QAccessible::Description && Control()->OnDescribe)
                return Control()->OnDescribe();
        }
        return QAccessibleWidget::text(kind);
    }

protected:
    TControl* Control() const { return static_cast<TControl*>(widget()); }
};

// A read-only text: its caption, whatever name it has.
template <class TControl>
class TAccessibleLabel : public TControlAccessible<TControl>, public QAccessibleTextInterface {
public:
    explicit TAccessibleLabel(TControl* control)
        : TControlAccessible<TControl>(control, QAccessible::StaticText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return TControlAccessible<TControl>::interface_cast(type);
    }

    // The label's name and description stay those of the control.
    using TControlAccessible<TControl>::text;
    QString text(int start, int end) const override { return Caption().mid(start, end - start); }
    int characterCount() const override { return int(Caption().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}

private:
    QString Caption() const { return this->Control()->Caption(); }
};

// A button whose press acts as a click; one of a group is checkable and
// checked while it is down.
class TAccessibleSpeedButton : public TControlAccessible<TSpeedButton> {
public:
    explicit TAccessibleSpeedButton(TSpeedButton* button)
        : TControlAccessible(button, QAccessible::Button)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = TControlAccessible::state();
        state.checkable = Control()->GroupIndex() != 0;
        state.checked = Control()->Down();
        state.pressed = Control()->Face() != TSpeedButton::TFace::Raised;
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& action) override
    {
        if (action != pressAction())
            return;
        // A press through the screen reader is the learner's own gesture.
        BeginUserGesture();
        Control()->Click();
    }
};

// The scroll bar's position as a value that only its own gestures and keys
// change, so that every change runs through its notifications.
class TAccessibleScrollBar : public TControlAccessible<TScrollBar>, public QAccessibleValueInterface {
public:
    explicit TAccessibleScrollBar(TScrollBar* bar)
        : TControlAccessible(bar, QAccessible::ScrollBar)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return TControlAccessible::interface_cast(type);
    }

    QVariant currentValue() const override { return Control()->Position(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return Control()->Max(); }
    QVariant minimumValue() const override { return Control()->Min(); }
    QVariant minimumStepSize() const override { return Control()->SmallChange(); }
};

QAccessibleInterface* ToolkitAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("TForm"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    if (className == QLatin1String("TSpeedButton"))
        return new TAccessibleSpeedButton(static_cast<TSpeedButton*>(object));
    if (className == QLatin1String("TLabel"))
        return new TAccessibleLabel<TLabel>(static_cast<TLabel*>(object));
    if (className == QLatin1String("TCanvasLayer"))
        return new TAccessibleLabel<TCanvasLayer>(static_cast<TCanvasLayer*>(object));
    if (className == QLatin1String("TGroupBox"))
        return new TControlAccessible<TGroupBox>(static_cast<TGroupBox*>(object), QAccessible::Grouping);
    if (className == QLatin1String("TPaintBox"))
        return new TControlAccessible<TPaintBox>(static_cast<TPaintBox*>(object), QAccessible::Graphic);
    if (className == QLatin1String("TScrollBar"))
        return new TAccessibleScrollBar(static_cast<TScrollBar*>(object));
    return nullptr;
}

}  // namespace

void InstallAccessibility()
{
    QAccessible::installFactory(ToolkitAccessible);
}

void AnnounceCaption(QWidget* control, const QString& before, const QString& after)
{
    if (control->accessibleName().isEmpty()) {
        QAccessibleEvent renamed(control, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
    QAccessibleTextUpdateEvent rewritten(control, 0, before, after);
    QAccessible::updateAccessibility(&rewritten);
}

void AnnounceChecked(QWidget* control)
{
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(control, changed);
    QAccessible::updateAccessibility(&event);
}
