// SPDX-License-Identifier: GPL-3.0-or-later
// Writes, as JSON, what the drivers outside the program (tests/xvfb,
// tests/web and the scripts through tests/web/desktop.py) need to know of
// its window, read off the window the program itself builds, so that they
// hold no copy of its layout.
//
//   kavrel_window_facts <output file>
#include "kavrelsrc.h"
#include "toolkit/Application.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <utility>

namespace {

QJsonObject FixedColours()
{
    const std::pair<const char*, TColor> named[] = {
        {"white", clWhite}, {"silver", clSilver},   {"black", clBlack},   {"maroon", clMaroon},
        {"aqua", clAqua},   {"fuchsia", clFuchsia}, {"yellow", clYellow}, {"moneyGreen", clMoneyGreen},
    };
    QJsonObject colours;
    for (const auto& [name, colour] : named) {
        const QColor rgb = ToQColor(colour);
        colours[name] = QJsonArray{rgb.red(), rgb.green(), rgb.blue()};
    }
    return colours;
}

// Each named control's rectangle in the client area, and the centre of
// each push button by caption (the middle pixel of an odd size).
void AddControls(const TKavrel_Form& form, QJsonObject& facts)
{
    QJsonObject controls;
    QJsonObject keys;
    for (QWidget* control : form.Client()->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        const QRect place(control->mapTo(form.Client(), QPoint(0, 0)), control->size());
        controls[name] = QJsonArray{place.x(), place.y(), place.width(), place.height()};
        if (auto* key = qobject_cast<TButton*>(control))
            keys[key->Caption()] = QJsonArray{place.center().x(), place.center().y()};
    }
    facts[QLatin1String("controls")] = controls;
    facts[QLatin1String("keys")] = keys;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kavrel_window_facts <output file>\n");
        return 2;
    }
    TApplication application(argc, argv);
    Application->Initialize();
    TKavrel_Form* window = nullptr;
    Application->CreateForm(window);
    const TKavrel_Form& form = *window;
    QJsonObject facts{
        {"caption", form.windowTitle()},
        {"client", QJsonArray{form.Client()->width(), form.Client()->height()}},
        {"colours", FixedColours()},
    };
    AddControls(form, facts);
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(QJsonDocument(facts).toJson()) < 0) {
        std::fprintf(stderr, "kavrel_window_facts: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
