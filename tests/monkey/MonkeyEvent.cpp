#include "MonkeyEvent.h"

#include <QMetaEnum>
#include <QTest>

namespace {

QString ButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return QStringLiteral("Qt::RightButton");
    case Qt::MiddleButton:
        return QStringLiteral("Qt::MiddleButton");
    default:
        return QStringLiteral("Qt::LeftButton");
    }
}

QString KeyCode(Qt::Key key)
{
    const char* name = QMetaEnum::fromType<Qt::Key>().valueToKey(key);
    return name ? QStringLiteral("Qt::") + QString::fromLatin1(name) : QString::number(int(key));
}

QString ModifiersCode(Qt::KeyboardModifiers modifiers)
{
    QStringList parts;
    if (modifiers & Qt::ShiftModifier)
        parts << QStringLiteral("Qt::ShiftModifier");
    if (modifiers & Qt::ControlModifier)
        parts << QStringLiteral("Qt::ControlModifier");
    if (modifiers & Qt::AltModifier)
        parts << QStringLiteral("Qt::AltModifier");
    return parts.isEmpty() ? QStringLiteral("{}") : parts.join(QStringLiteral(" | "));
}

QString WidgetCode(const TMonkeyEvent& event)
{
    return event.control.isEmpty() ? QStringLiteral("Form().Client()") : QStringLiteral("Form().") + event.control;
}

QString PointCode(QPoint point)
{
    return QStringLiteral("QPoint(%1, %2)").arg(point.x()).arg(point.y());
}

QWidget* KeyTarget(const TKavrel_Form& form)
{
    QWidget* focus = form.focusWidget();
    return focus ? focus : const_cast<TKavrel_Form*>(&form);
}

bool ActivatesButton(const TMonkeyEvent& event)
{
    return event.modifiers == Qt::NoModifier
        && (event.key == Qt::Key_Space || event.key == Qt::Key_Return || event.key == Qt::Key_Enter);
}

}  // namespace

QWidget* TargetOf(const TKavrel_Form& form, const TMonkeyEvent& event)
{
    if (event.gesture == TGesture::Key)
        return KeyTarget(form);
    if (event.control.isEmpty())
        return form.Client();
    return form.Client()->findChild<QWidget*>(event.control);
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

bool Perform(TKavrel_Form& form, const TMonkeyEvent& event, const std::function<void()>& beginGesture)
{
    QWidget* target = TargetOf(form, event);
    if (!target || WouldQuit(form, event))
        return false;
    beginGesture();
    switch (event.gesture) {
    case TGesture::Click:
        QTest::mouseClick(target, event.button, Qt::NoModifier, event.at);
        break;
    case TGesture::DoubleClick:
        QTest::mouseClick(target, event.button, Qt::NoModifier, event.at);
        beginGesture();
        QTest::mouseDClick(target, event.button, Qt::NoModifier, event.at);
        QTest::mouseRelease(target, event.button, Qt::NoModifier, event.at);
        break;
    case TGesture::Drag:
        QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, event.at);
        QTest::mouseMove(target, (event.at + event.to) / 2);
        QTest::mouseMove(target, event.to);
        QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, event.to);
        break;
    case TGesture::Key:
        QTest::keyClick(target, event.key, event.modifiers);
        break;
    }
    return true;
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
    const QString button = ButtonCode(event.button);
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
            .arg(KeyCode(event.key), ModifiersCode(event.modifiers));
    }
    return QString();
}
