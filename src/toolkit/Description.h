// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/Color.h"
#include "toolkit/Font.h"

#include <QRect>
#include <QString>
#include <optional>

enum TAlignment { taLeftJustify, taCenter };
enum TTextLayout { tlTop, tlCenter };

// One control of a window's description: where it stands, what it shows,
// and the options of its kind. Each control class reads the fields that
// apply to it.
struct TDescription {
    QString Name{};
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    QString Caption{};
    QString AccessibleName{};  // what a screen reader calls it, when not its caption
    TFont Font{};
    TColor Color = clBtnFace;
    int GroupIndex = 0;
    bool AllowAllUp = false;
    TAlignment Alignment = taLeftJustify;
    TTextLayout Layout = tlTop;
    bool AutoSize = false;
    int TabOrder = -1;  // -1: not a tab stop
    int Position = 0;

    QRect Bounds() const { return QRect(Left, Top, Width, Height); }
};

class QWidget;

// Names the control, places it, and records its tab order.
void PlaceControl(QWidget* control, const TDescription& description);

// Controls without a window of their own (labels, paint boxes, toggle
// buttons) are drawn on their parent's surface: whatever the window draws
// on its client area lies over them, and controls that are windows lie over
// them and that drawing (TForm::ArrangeContent stacks them so).
void MarkWindowless(QWidget* control);
bool IsWindowless(const QWidget* control);

// Links the window's tab stops in the order of their TabOrder, each group
// of controls at its own group's place, as the description gives them.
void ApplyTabOrder(QWidget* window);
