// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/Description.h"

#include <QWidget>

// A frame with a caption that holds other controls and clips them to its
// area. The etched frame's top edge lies half the caption's height down,
// the caption stands over it from X 8 on the box's colour.
class TGroupBox : public QWidget {
    Q_OBJECT

public:
    TGroupBox(QWidget* parent, const TDescription& description);

    QString Caption() const { return caption_; }
    const TFont& Font() const { return font_; }
    TColor Color() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    TFont font_;
    TColor color_;
};
