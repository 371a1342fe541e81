// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/KavrelWindow.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QString>
#include <array>
#include <bit>
#include <cstdint>
#include <ostream>

// The five terms in the order the confirm key walks them.
enum TTerm { kLine, kFx, kFy, kPf, kPh, kNoTerm = -1 };

// Everything of the conditions that a learner sees or the keypad holds:
// the target, the five entry states, the entered values (ratio terms as the
// bits of their Singles), the pending marks, the five labels and the five
// group buttons' Down states and caption colours.
struct ConditionState {
    int inputTarget = 0;
    std::array<int, 5> states{};
    int lineAxis = 0;
    int lineValue = 0;
    int fxValue = 0;
    int fyValue = 0;
    std::uint32_t ratioPF = 0;
    std::uint32_t ratioPH = 0;
    QString minusMark;
    QString rootMark;
    QString lineName;
    std::array<QString, 5> labels;
    std::array<bool, 5> down{};
    // Checked as a screen reader reads the button: whenever it is down.
    std::array<bool, 5> checked{};
    std::array<TColor, 5> colours{};

    bool operator==(const ConditionState&) const = default;
};

inline std::uint32_t Bits(float value)
{
    return std::bit_cast<std::uint32_t>(value);
}

inline void PrintTo(const ConditionState& s, std::ostream* out)
{
    const auto text = [](const QString& q) { return '"' + q.toStdString() + '"'; };
    *out << "{target " << s.inputTarget << ", states";
    for (int state : s.states)
        *out << ' ' << state;
    *out << ", axis " << s.lineAxis << ", line " << s.lineValue << ", F (" << s.fxValue << ", " << s.fyValue << ")"
         << std::hex << ", PF 0x" << s.ratioPF << ", PH 0x" << s.ratioPH << std::dec << ", minus " << text(s.minusMark)
         << ", root " << text(s.rootMark) << ", name " << text(s.lineName) << ", labels";
    for (const QString& label : s.labels)
        *out << ' ' << text(label);
    *out << ", buttons";
    for (int i = 0; i < 5; ++i)
        *out << ' ' << (s.down[i] ? "down/" : "up/") << (s.checked[i] ? "checked/" : "")
             << (s.colours[i] == clRed ? "red" : s.colours[i] == clMaroon ? "maroon" : "other");
    *out << '}';
}

// The one group button down with a red caption, the other four up and
// maroon; kNoTerm: all five up and maroon.
inline void Choose(ConditionState& s, int chosen)
{
    for (int i = 0; i < 5; ++i) {
        s.down[i] = s.checked[i] = i == chosen;
        s.colours[i] = i == chosen ? clRed : clMaroon;
    }
}

// The strip at the top of the window where the probe writes its texts.
inline const QRect kTopStrip(QPoint(10, 5), QPoint(699, 24));

// The window as at start-up, with a snapshot of the whole condition state.
class ConditionsWindow : public KavrelWindow {
protected:
    std::array<TSpeedButton*, 5> GroupButtons()
    {
        return {Form().SbnLine, Form().SbnXzahyo, Form().SbnYzahyo, Form().SbnHiPF, Form().SbnHiPH};
    }

    std::array<TLabel*, 5> TermLabels()
    {
        return {Form().LblSiki, Form().LblXzahyo, Form().LblYzahyo, Form().LblHiPF, Form().LblHiPH};
    }

    TSpeedButton* GroupButton(TTerm term) { return GroupButtons()[term]; }

    // A real click on a toggle button, or its press through a screen
    // reader, then the events it caused.
    void ClickButton(QWidget* button)
    {
        if (pressThroughScreenReader)
            QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
        else
            Click(button);
        QCoreApplication::processEvents();
    }

    bool pressThroughScreenReader = false;

    ConditionState Snapshot()
    {
        ConditionState s;
        s.inputTarget = Lesson().InputTarget;
        s.states = {Lesson().LineState, Lesson().FxState, Lesson().FyState, Lesson().PfState, Lesson().PhState};
        s.lineAxis = Lesson().LineAxis;
        s.lineValue = Lesson().LineValue;
        s.fxValue = Lesson().FxValue;
        s.fyValue = Lesson().FyValue;
        s.ratioPF = Bits(Lesson().RatioPF);
        s.ratioPH = Bits(Lesson().RatioPH);
        s.minusMark = Lesson().MinusMark;
        s.rootMark = Lesson().RootMark;
        s.lineName = Lesson().LineName;
        for (int i = 0; i < 5; ++i) {
            s.labels[i] = TermLabels()[i]->Caption();
            s.down[i] = GroupButtons()[i]->Down();
            s.checked[i] = QAccessible::queryAccessibleInterface(GroupButtons()[i])->state().checked;
            s.colours[i] = GroupButtons()[i]->Font().Color();
        }
        return s;
    }
};
