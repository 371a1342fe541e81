// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/Description.h"

#include <QWidget>
#include <optional>

// A text on a filled background, without wrapping, cut at its edges.
class TLabel : public QWidget {
    Q_OBJECT

public:
    TLabel(QWidget* parent, const TDescription& description);

    QString Caption() const { return caption_; }
    // Repaints only when the text changes.
    void SetCaption(const QString& caption);
    TColor Color() const { return color_; }
    const TFont& Font() const { return font_; }
    TAlignment Alignment() const { return alignment_; }
    TTextLayout Layout() const { return layout_; }
    bool AutoSize() const { return autoSize_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal Narrowing() const;

    QString caption_;
    TFont font_;
    TColor color_;
    TAlignment alignment_;
    TTextLayout layout_;
    bool autoSize_;
    mutable std::optional<qreal> narrowing_;
};
