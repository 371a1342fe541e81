// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ScreenReaders.h"

#include "toolkit/CanvasLayer.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Label.h"
#include "toolkit/ScrollBar.h"

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QHash>
#include <QPointer>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <qpa/qwindowsysteminterface.h>

#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <map>
#include <utility>

using emscripten::val;

namespace {

val Text(const QString& text)
{
    return val(text.toStdString());
}

// Places a page element over a rectangle of the page, in CSS pixels.
void PlaceElement(val element, QRect place)
{
    val style = element["style"];
    for (const auto& [side, value] : {std::pair{"left", place.x()}, std::pair{"top", place.y()},
                                      std::pair{"width", place.width()}, std::pair{"height", place.height()}})
        style.set(side, std::to_string(value) + "px");
}

// The page element of an accessible role: the tag it is made of and the
// role that tells a screen reader what it is.
struct TPageRole {
    const char* tag;
    const char* role;
};

TPageRole PageRoleOf(const QAccessibleInterface& node)
{
    switch (node.role()) {
    case QAccessible::Window:
        return {"div", "region"};
    case QAccessible::Dialog:
    case QAccessible::AlertMessage:
        return {"div", "alertdialog"};
    case QAccessible::Button:
        // Only controls that take the keyboard focus are focusable here.
        return {node.state().focusable ? "button" : "div", "button"};
    case QAccessible::StaticText:
        // Texts that the program changes tell of every change, as their
        // caption changes are told on the desktop.
        return {"div", qobject_cast<const TLabel*>(node.object()) || qobject_cast<const TCanvasLayer*>(node.object())
                           ? "status"
                           : nullptr};
    case QAccessible::Graphic:
        return {"div", "img"};
    case QAccessible::ScrollBar:
        return {"div", "slider"};
    case QAccessible::Grouping:
        return {"div", "group"};
    default:
        return {"div", nullptr};
    }
}

// One control's element, with what was last written into it, so that an
// unchanged control costs no change of the page.
struct TPageNode {
    val element = val::null();
    int id = 0;
    QObject* parent = nullptr;
    QHash<QByteArray, QString> attributes;
    QString text;
    QRect place;
    bool seen = false;
};

class TPageLayer {
public:
    static TPageLayer& The()
    {
        static TPageLayer layer;
        return layer;
    }

    // The whole window is walked again.
    void Schedule()
    {
        whole_ = true;
        Start();
    }

    // A new value of one of the program's scroll bars changes its
    // element's attributes and nothing else (a scroll area's bar moves
    // what it scrolls). The zoom bar has one at every step of its thumb's
    // drag, and walking the whole window again each time cost more than
    // drawing the bar.
    void ScheduleValue(QObject* object)
    {
        if (!nodes_.contains(object)) {
            Schedule();
            return;
        }
        revalued_.insert(object);
        Start();
    }

    void Press(int id)
    {
        QAccessibleInterface* node = Interface(id);
        if (!node || !node->actionInterface())
            return;
        // A screen reader's press is the learner's own gesture.
        BeginUserGesture();
        node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }

    // A screen reader that moves the page's focus moves the program's.
    void Focused(int id)
    {
        QWidget* control = qobject_cast<QWidget*>(byId_.value(id));
        if (control && control->focusPolicy() != Qt::NoFocus && QApplication::focusWidget() != control)
            control->setFocus(Qt::OtherFocusReason);
    }

    // Keys pressed on the layer's elements are the program's, as on its
    // canvas, where Qt takes them.
    void ForwardKey(val event)
    {
        val canvas = Canvas();
        if (canvas.isNull())
            return;
        // Qt takes a key at once but what the page told it before, later:
        // a key pressed right after the error box's OK would reach no
        // window, the window under the box not being active again yet.
        QWindowSystemInterface::flushWindowSystemEvents();
        val copy = val::object();
        for (const char* field : {"key", "code", "location", "repeat", "ctrlKey", "shiftKey", "altKey", "metaKey"})
            copy.set(field, event[field]);
        copy.set("bubbles", true);
        copy.set("cancelable", true);
        canvas.call<bool>("dispatchEvent", val::global("KeyboardEvent").new_(event["type"], copy));
        event.call<void>("preventDefault");
        event.call<void>("stopPropagation");
    }

private:
    void Start()
    {
        if (scheduled_)
            return;
        scheduled_ = true;
        QTimer::singleShot(0, qApp, [this] { Sync(); });
    }

    void Sync()
    {
        scheduled_ = false;
        // The window under a box that closed takes the focus back first:
        // the box's element that had the page's focus then hands it on to
        // the control that has the keyboard, rather than leave it on no
        // element of the program, where keys would be lost.
        QWindowSystemInterface::flushWindowSystemEvents();
        const QSet<QObject*> revalued = std::exchange(revalued_, {});
        if (!std::exchange(whole_, false)) {
            for (QObject* object : revalued)
                Redescribe(object);
            return;
        }
        if (!MakeLayer())
            return;
        for (auto& [object, node] : nodes_)
            node.seen = false;
        const QWidget* modal = QApplication::activeModalWidget();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible())
                continue;
            TPageNode* node = Walk(QAccessible::queryAccessibleInterface(window), nullptr, layer_, ScreenOrigin());
            // While a modal box is open the rest of the program takes no
            // input, and a screen reader does not wander into it.
            if (node)
                SetAttribute(*node, "inert", modal && window != modal ? QStringLiteral("inert") : QString());
        }
        for (auto it = nodes_.begin(); it != nodes_.end();) {
            if (it->second.seen) {
                ++it;
                continue;
            }
            it->second.element.call<void>("remove");
            byId_.remove(it->second.id);
            it = nodes_.erase(it);
        }
        FollowFocus();
    }

    bool MakeLayer()
    {
        val canvas = Canvas();
        if (canvas.isNull())
            return false;
        if (layer_.isNull()) {
            layer_ = val::global("document").call<val>("createElement", std::string("div"));
            // Over the canvas, unseen, and never in the way of a finger or
            // the mouse: the canvas takes them as before.
            val style = layer_["style"];
            style.set("position", "absolute");
            style.set("opacity", "0");
            style.set("pointerEvents", "none");
            style.set("overflow", "hidden");
            layer_.call<void>("addEventListener", std::string("keydown"), val::module_property("kavrelForwardKey"), true);
            layer_.call<void>("addEventListener", std::string("keyup"), val::module_property("kavrelForwardKey"), true);
            canvas["parentNode"].call<void>("insertBefore", layer_, canvas["nextSibling"]);
        }
        PlaceElement(layer_, QRect(canvas["offsetLeft"].as<int>(), canvas["offsetTop"].as<int>(),
                                   canvas["offsetWidth"].as<int>(), canvas["offsetHeight"].as<int>()));
        return true;
    }

    // Where the page's canvas, Qt's screen, begins in Qt's coordinates.
    static QPoint ScreenOrigin()
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().topLeft() : QPoint();
    }

    static val Canvas()
    {
        return val::global("document").call<val>("querySelector", std::string("canvas"));
    }

    // The element of a node and of its children, placed relative to its
    // parent's; nothing for a node that is not shown.
    TPageNode* Walk(QAccessibleInterface* node, QObject* parent, const val& parentElement, QPoint origin)
    {
        if (!node || !node->isValid() || node->state().invisible || !node->object())
            return nullptr;
        TPageNode& page = NodeOf(*node, parent, parentElement);
        Describe(page, *node);
        const QRect place = node->rect();
        Place(page, place.translated(-origin));
        for (int i = 0; i < node->childCount(); ++i)
            Walk(node->child(i), node->object(), page.element, place.topLeft());
        return &page;
    }

    // A control that went away meanwhile has had the whole window walked.
    void Redescribe(QObject* object)
    {
        const auto found = nodes_.find(object);
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(object);
        if (found != nodes_.end() && node && node->isValid())
            Describe(found->second, *node);
    }

    TPageNode& NodeOf(const QAccessibleInterface& node, QObject* parent, const val& parentElement)
    {
        QObject* object = node.object();
        auto found = nodes_.find(object);
        if (found == nodes_.end()) {
            const TPageRole role = PageRoleOf(node);
            TPageNode page;
            page.id = ++lastId_;
            page.element = val::global("document").call<val>("createElement", std::string(role.tag));
            page.element["style"].set("position", "absolute");
            page.element["dataset"].set("kavrel", page.id);
            if (role.role)
                page.element.call<void>("setAttribute", std::string("role"), std::string(role.role));
            if (node.role() == QAccessible::Button)
                page.element.call<void>("addEventListener", std::string("click"), val::module_property("kavrelPress"));
            if (node.state().focusable)
                page.element.call<void>("addEventListener", std::string("focus"), val::module_property("kavrelFocused"));
            byId_.insert(page.id, object);
            found = nodes_.emplace(object, std::move(page)).first;
        }
        TPageNode& page = found->second;
        if (page.parent != parent || !page.seen) {
            if (page.parent != parent || page.element["parentNode"].isNull())
                parentElement.call<void>("appendChild", page.element);
            page.parent = parent;
        }
        page.seen = true;
        return page;
    }

    void Describe(TPageNode& page, const QAccessibleInterface& node)
    {
        const QAccessible::State state = node.state();
        const QString name = node.text(QAccessible::Name);
        QString label;
        QString shown;
        if (node.role() == QAccessible::StaticText) {
            // A text shows what it holds; one the program named (a value
            // field) is read by that name.
            QAccessibleTextInterface* text = const_cast<QAccessibleInterface&>(node).textInterface();
            shown = text ? text->text(0, text->characterCount()) : name;
            label = name != shown ? name : QString();
        } else if (node.role() == QAccessible::Button) {
            shown = name;
        } else {
            label = name;
        }
        SetAttribute(page, "aria-label", label);
        if (shown != page.text) {
            page.text = shown;
            page.element.set("textContent", Text(shown));
        }
        SetAttribute(page, "aria-description", node.text(QAccessible::Description));
        SetAttribute(page, "aria-pressed", state.checkable ? QString::fromLatin1(state.checked ? "true" : "false") : QString());
        SetAttribute(page, "aria-disabled", state.disabled ? QStringLiteral("true") : QString());
        if (node.role() == QAccessible::Dialog || node.role() == QAccessible::AlertMessage)
            SetAttribute(page, "aria-modal", QStringLiteral("true"));
        if (QAccessibleValueInterface* value = const_cast<QAccessibleInterface&>(node).valueInterface()) {
            SetAttribute(page, "aria-valuemin", value->minimumValue().toString());
            SetAttribute(page, "aria-valuemax", value->maximumValue().toString());
            SetAttribute(page, "aria-valuenow", value->currentValue().toString());
            SetAttribute(page, "aria-orientation", QStringLiteral("horizontal"));
        }
        if (state.focusable && !page.attributes.contains("tabindex"))
            SetAttribute(page, "tabindex", QStringLiteral("-1"));
    }

    void Place(TPageNode& page, QRect place)
    {
        if (place == page.place)
            return;
        page.place = place;
        PlaceElement(page.element, place);
    }

    // An empty value takes the attribute away.
    static void SetAttribute(TPageNode& page, const char* attribute, const QString& value)
    {
        const QByteArray key(attribute);
        if (page.attributes.value(key) == value)
            return;
        if (value.isEmpty()) {
            page.attributes.remove(key);
            page.element.call<void>("removeAttribute", std::string(attribute));
        } else {
            page.attributes.insert(key, value);
            page.element.call<void>("setAttribute", std::string(attribute), Text(value));
        }
    }

    // The page's focus on the program's focused control, the only one a
    // Tab from outside the program reaches.
    void FollowFocus()
    {
        QWidget* focused = QApplication::focusWidget();
        for (auto& [object, node] : nodes_) {
            if (node.attributes.contains("tabindex"))
                SetAttribute(node, "tabindex", object == focused ? QStringLiteral("0") : QStringLiteral("-1"));
        }
        const auto node = nodes_.find(focused);
        if (node == nodes_.end())
            return;
        if (val::global("document")["activeElement"].strictlyEquals(node->second.element))
            return;
        val options = val::object();
        options.set("preventScroll", true);
        node->second.element.call<void>("focus", options);
    }

    QAccessibleInterface* Interface(int id) const
    {
        QObject* object = byId_.value(id);
        return object ? QAccessible::queryAccessibleInterface(object) : nullptr;
    }

    val layer_ = val::null();
    // Elements are handed down to children while new ones are added: a
    // map keeps them where they are.
    std::map<QObject*, TPageNode> nodes_;
    QHash<int, QPointer<QObject>> byId_;
    int lastId_ = 0;
    bool scheduled_ = false;
    bool whole_ = false;
    QSet<QObject*> revalued_;
};

int IdOf(val event)
{
    return std::stoi(event["currentTarget"]["dataset"]["kavrel"].as<std::string>());
}

void PressElement(val event)
{
    TPageLayer::The().Press(IdOf(event));
}

void ElementFocused(val event)
{
    TPageLayer::The().Focused(IdOf(event));
}

void ForwardKey(val event)
{
    TPageLayer::The().ForwardKey(event);
}

// Whatever a screen reader would be told of on the desktop changes the
// page's layer too.
void Changed(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::ValueChanged && qobject_cast<TScrollBar*>(event->object()))
        TPageLayer::The().ScheduleValue(event->object());
    else
        TPageLayer::The().Schedule();
}

}  // namespace

EMSCRIPTEN_BINDINGS(kavrel_screen_readers)
{
    emscripten::function("kavrelPress", &PressElement);
    emscripten::function("kavrelFocused", &ElementFocused);
    emscripten::function("kavrelForwardKey", &ForwardKey);
}

void OpenToScreenReaders()
{
    // Qt tells of changes only while a bridge is active; the layer is the
    // page's bridge.
    QAccessible::installUpdateHandler(Changed);
    if (QPlatformAccessibility* bridge = QGuiApplicationPrivate::platformIntegration()->accessibility())
        bridge->setActive(true);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        QObject::connect(screen, &QScreen::geometryChanged, qApp, [] { TPageLayer::The().Schedule(); });
    TPageLayer::The().Schedule();
}
