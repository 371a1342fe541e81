// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHost.h"

#include "toolkit/Label.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QPainter>

namespace {

const TFont kLabelFont(QStringLiteral("DejaVu Sans"), -16, fsRegular, clBlack, DEFAULT_CHARSET);

// Where the text's ink lies when its first character cell starts at the
// top-left corner: the reference the label's placement is measured from.
QRect InkAtOrigin(const QString& text)
{
    const QFont font = kLabelFont.ToQFont();
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text) + 20, metrics.height() + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(0, metrics.ascent()), text);
    painter.end();
    return InkBounds(image, NotColour(clWhite));
}

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override { host.ShowActive(); }

    TLabel* Make(const QRect& bounds, const QString& caption, TAlignment alignment, TTextLayout layout)
    {
        TDescription description = Described(QStringLiteral("Lbl"), bounds, caption);
        description.Font = kLabelFont;
        description.Color = clInfoBk;
        description.Alignment = alignment;
        description.Layout = layout;
        auto* label = new TLabel(&host, description);
        label->show();
        Settle();
        return label;
    }

    ControlHost host;
};

// Every row: a label of the given size; the caption's ink must lie where
// the alignment and layout put the first character cell, the rest of the
// label filled with its colour. With Layout centre the text moves down by
// (label height - text height) div 2, the division truncating toward zero.
// A caption too long for the label stays on one line, cut at the edge.
TEST_F(LabelTest, CaptionStandsWhereAlignmentAndLayoutPutIt)
{
    const int textHeight = QFontMetrics(kLabelFont.ToQFont()).height();
    const QString caption = QStringLiteral("Ag 12");
    const QString tooLong = QStringLiteral("one two three four five six seven");
    const int advance = QFontMetrics(kLabelFont.ToQFont()).horizontalAdvance(caption);
    struct Row {
        const char* what;
        QString caption;
        TAlignment alignment;
        TTextLayout layout;
        int width;
        int height;
        int dx;
        int dy;
    };
    const Row rows[] = {
        {"left, top", caption, taLeftJustify, tlTop, 120, textHeight + 9, 0, 0},
        {"left, centre, odd room", caption, taLeftJustify, tlCenter, 120, textHeight + 9, 0, 4},
        {"left, centre, even room", caption, taLeftJustify, tlCenter, 120, textHeight + 10, 0, 5},
        {"centred, centre", caption, taCenter, tlCenter, 121, textHeight + 7, (121 - advance) / 2, 3},
        {"centred, top", caption, taCenter, tlTop, 90, textHeight + 7, (90 - advance) / 2, 0},
        {"centre, label lower than the text", caption, taLeftJustify, tlCenter, 120, textHeight - 3, 0, -1},
        {"left, top, caption wider than the label", tooLong, taLeftJustify, tlTop, 60, 80, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TLabel* label = Make(QRect(10, 10, row.width, row.height), row.caption, row.alignment, row.layout);
        const QImage shown = host.OnScreen(label);
        const QRect expectedInk = InkAtOrigin(row.caption).translated(row.dx, row.dy).intersected(shown.rect());
        EXPECT_EQ(InkBounds(shown, NotColour(clInfoBk)), expectedInk);
        EXPECT_EQ(PixelAt(shown, 0, 0), Shown(clInfoBk));
        EXPECT_EQ(PixelAt(shown, row.width - 1, row.height - 1), Shown(clInfoBk));
        delete label;
    }
}

// Setting the caption it already shows repaints nothing; another caption
// is on screen after the next paint, and an empty one leaves only the
// background, the label keeping its size.
TEST_F(LabelTest, RepaintsOnlyWhenTheCaptionChanges)
{
    TLabel* label = Make(QRect(10, 10, 100, 24), QStringLiteral(" ２"), taCenter, tlCenter);
    PaintCounter paints(label);
    const QImage before = host.OnScreen(label);

    label->SetCaption(QStringLiteral(" ２"));
    Settle();
    EXPECT_EQ(paints.Count(), 0);

    label->SetCaption(QStringLiteral(" ３"));
    Settle();
    EXPECT_GE(paints.Count(), 1);
    EXPECT_EQ(label->Caption(), QStringLiteral(" ３"));
    EXPECT_NE(host.OnScreen(label), before);

    label->SetCaption(QString());
    Settle();
    EXPECT_TRUE(InkBounds(host.OnScreen(label), NotColour(clInfoBk)).isEmpty());
    EXPECT_EQ(label->size(), QSize(100, 24));
}

TEST_F(LabelTest, CaptionIsDrawnInTheFontColour)
{
    TDescription description = Described(QStringLiteral("Lbl"), QRect(10, 10, 100, 30), QStringLiteral("HH"));
    description.Font = TFont(QStringLiteral("DejaVu Sans"), -24, fsBold, clRed, DEFAULT_CHARSET);
    description.Color = clWhite;
    auto* label = new TLabel(&host, description);
    label->show();
    Settle();
    const QImage shown = host.OnScreen(label);
    ASSERT_FALSE(InkBounds(shown, IsStrongRed).isEmpty());
    // Red blended over white: full red, green and blue equal.
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb pixel = shown.pixel(x, y);
            ASSERT_EQ(qRed(pixel), 255) << x << "," << y;
            ASSERT_EQ(qGreen(pixel), qBlue(pixel)) << x << "," << y;
        }
    EXPECT_EQ(PixelAt(shown, 99, 0), clWhite);
}

}  // namespace
