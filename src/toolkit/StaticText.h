// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/Description.h"

#include <QLabel>

// A fixed line of text, without border, on the window's colour.
class TStaticText : public QLabel {
    Q_OBJECT

public:
    TStaticText(QWidget* parent, const TDescription& description);

    QString Caption() const { return text(); }
    const TFont& Font() const { return font_; }

private:
    TFont font_;
};
