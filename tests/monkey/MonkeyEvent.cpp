// SPDX-License-Identifier: GPL-3.0-or-later
#include "MonkeyEvent.h"

#include <QMetaEnum>
#include <QTest>

namespace {

// A button or a key as C++: its enumerator's name in Qt's own table.
QString QtName(const QMetaEnum& names, int value)
{
    const char* name = names.valueToKey(value);
    return name ? QStringLiteral("Qt::") + QString::fromLatin1(name) : QString::number(value);
}

QString ModifiersCode(Qt::KeyboardModifiers modifiers)
{
    if (modifiers == Qt::NoModifier)
        return QStringLiteral("{}");
    QString names = QString::fromLatin1(QMetaEnum::fromType<Qt::KeyboardModifiers>().valueToKeys(modifiers.toInt()));
    return QStringLiteral("Qt::") + names.replace(QLatin1Char('|'), QStringLiteral(" | Qt::"));
}

QString WidgetCode(const TMonkeyEvent& event)
{
    return event.control.isEmpty() ? QStringLiteral("Form().Client()") : QStringLiteral("Form().") + event.control;
}

QString PointCode(QPoint point)
{
    return QStringLiteral("QPoint(%1, %2)").arg(point.x()).arg(point.y());
}

bool WouldQuit(const TKavrel_Form& form, const TMonkeyEvent& event)
{
    QWidget* target = TargetOf(form, event);
    if (target != form.BtnSyuryo)
        return false;
    if (event.gesture == TGesture::Key)
        return ActivatesButton(event);
    return event.button == Qt::LeftButton;
}

}  // namespace

bool ActivatesButton(const TMonkeyEvent& event)
{
    return event.modifiers == Qt::NoModifier
        && (event.key == Qt::Key_Space || event.key == Qt::Key_Return || event.key == Qt::Key_Enter);
}

QWidget* TargetOf(const TKavrel_Form& form, const TMonkeyEvent& event)
{
    // A key goes to the widget with the focus, else to the window.
    if (event.gesture == TGesture::Key)
        return form.focusWidget() ? form.focusWidget() : const_cast<TKavrel_Form*>(&form);
    if (event.control.isEmpty())
        return form.Client();
    return form.Client()->findChild<QWidget*>(event.control);
}

bool Perform(TKavrel_Form& form, const TMonkeyEvent& event, const std::function<void()>& beginGesture,
             const std::function<bool()>& interrupted)
{
    QWidget* target = TargetOf(form, event);
    if (!target || WouldQuit(form, event))
        return false;
    const Qt::MouseButton button = event.button;
    // Each step runs unless a box opened at an earlier one.
    const auto then = [&](const std::function<void()>& step) {
        if (!interrupted())
            step();
    };
    beginGesture();
    switch (event.gesture) {
    case TGesture::Click:
        QTest::mousePress(target, button, Qt::NoModifier, event.at);
        then([&] { QTest::mouseRelease(target, button, Qt::NoModifier, event.at); });
        break;
    case TGesture::DoubleClick:
        QTest::mousePress(target, button, Qt::NoModifier, event.at);
        then([&] { QTest::mouseRelease(target, button, Qt::NoModifier, event.at); });
        then([&] {
            beginGesture();
            QTest::mouseDClick(target, button, Qt::NoModifier, event.at);
        });
        then([&] { QTest::mouseRelease(target, button, Qt::NoModifier, event.at); });
        break;
    case TGesture::Drag:
        QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, event.at);
        then([&] { QTest::mouseMove(target, (event.at + event.to) / 2); });
        then([&] { QTest::mouseMove(target, event.to); });
        then([&] { QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, event.to); });
        break;
    case TGesture::Key:
        QTest::keyClick(target, event.key, event.modifiers);
        break;
    }
    return true;
}

QPoint ReleasePoint(const TKavrel_Form& form, const TMonkeyEvent& event)
{
    const QWidget* target = TargetOf(form, event);
    const QPoint at = event.gesture == TGesture::Drag ? event.to : event.at;
    return target ? target->mapTo(&form, at) : at;
}

int Presses(const TMonkeyEvent& event)
{
    switch (event.gesture) {
    case TGesture::Click:
    case TGesture::Drag:
        return 1;
    case TGesture::DoubleClick:
        return 2;
    case TGesture::Key:
        return 0;
    }
    return 0;
}

QString Code(const TMonkeyEvent& event)
{
    const QString widget = WidgetCode(event);
    const QString button = QtName(QMetaEnum::fromType<Qt::MouseButtons>(), event.button);
    const QString at = PointCode(event.at);
    switch (event.gesture) {
    case TGesture::Click:
        return QStringLiteral("QTest::mouseClick(%1, %2, {}, %3);").arg(widget, button, at);
    case TGesture::DoubleClick:
        return QStringLiteral("QTest::mouseClick(%1, %2, {}, %3);\n"
                              "QTest::mouseDClick(%1, %2, {}, %3);\n"
                              "QTest::mouseRelease(%1, %2, {}, %3);")
            .arg(widget, button, at);
    case TGesture::Drag:
        return QStringLiteral("QTest::mousePress(%1, Qt::LeftButton, {}, %2);\n"
                              "QTest::mouseMove(%1, %3);\n"
                              "QTest::mouseMove(%1, %4);\n"
                              "QTest::mouseRelease(%1, Qt::LeftButton, {}, %4);")
            .arg(widget, at, PointCode((event.at + event.to) / 2), PointCode(event.to));
    case TGesture::Key:
        return QStringLiteral("QTest::keyClick(Form().focusWidget(), %1, %2);")
            .arg(QtName(QMetaEnum::fromType<Qt::Key>(), event.key), ModifiersCode(event.modifiers));
    }
    return QString();
}
