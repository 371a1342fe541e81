// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunningKavrel.h"

#include <cmath>

// The learner enters the fixed line Y = -1, F = (0, 1) and the ratio 1 : 1
// on the keypad, then clicks on the plane: the points of the parabola
// y = x * x / 4 stay as dots, others do not.
namespace {

constexpr int kFixedLineRow = 363;  // plane Y = -1 at the start scale
const QRect kPText(10, 5, 200, 20);
const QRect kRatioText(345, 5, 355, 20);
const QRect kTextStrip(10, 5, 680, 19);

// The plane pixel of a point in plane units at the start scale.
QPoint Pixel(int x, int y)
{
    return {330 + 33 * x, 330 - 33 * y};
}

const QPoint kF = Pixel(0, 1);

// The segment from `from` to `to` leaves a pixel of the colour in every
// column between them, no further than one pixel from the straight line.
Sight SlantedSegment(const QString& what, QPoint from, QPoint to, QRgb colour)
{
    return {what, [=](const WindowPicture& picture) {
                QStringList differences;
                const double slope = double(to.y() - from.y()) / (to.x() - from.x());
                const int step = to.x() > from.x() ? 1 : -1;
                for (int x = from.x() + step; x != to.x(); x += step) {
                    const int y = int(std::lround(from.y() + slope * (x - from.x())));
                    if (picture.CountInPlane(QRect(x, y - 1, 1, 3), colour) == 0)
                        NoteDifference(differences, QStringLiteral("no %1 in plane column %2 near row %3")
                                                        .arg(RgbText(colour))
                                                        .arg(x)
                                                        .arg(y));
                }
                return differences;
            }};
}

Sight TextIsShown(const QString& what, const QRect& strip, QRgb colour)
{
    // Any text leaves many pixels in its full colour; the strip holds
    // nothing else.
    return ClientCountIs(what, strip, colour, 20, strip.width() * strip.height());
}

Sight NoText()
{
    return ClientCountIs(QStringLiteral("the text strip is empty"), kTextStrip, Seen::MoneyGreen,
                         kTextStrip.width() * kTextStrip.height(), kTextStrip.width() * kTextStrip.height());
}

}  // namespace

class Parabola : public RunningKavrel {
protected:
    void EnterConditions()
    {
        program.Keys(QStringLiteral("Ｙ＝ － １ 決定 ０ 決定 １ 決定 １ 決定 １ 決定").split(QLatin1Char(' ')));
        ExpectToSee("after the last 決定", {
            DotAt(QStringLiteral("F"), kF),
            PlaneAreaIs(QStringLiteral("the fixed line Y = -1"), QRect(0, kFixedLineRow, kPlaneSize, 1), Seen::Aqua),
            NoText(),
        });
    }
};

TEST_F(Parabola, PointsOnTheCurveStayAsMaroonDotsWithFuchsiaSegmentsToTheLast)
{
    EnterConditions();

    const QPoint last = Pixel(4, 4);
    for (QPoint onCurve : {Pixel(2, 1), Pixel(-2, 1), Pixel(0, 0), last})
        program.ClickPlane(onCurve);

    ExpectToSee("after four clicks on the curve", {
        DotAt(QStringLiteral("kept point (2, 1)"), Pixel(2, 1)),
        DotAt(QStringLiteral("kept point (-2, 1)"), Pixel(-2, 1)),
        DotAt(QStringLiteral("kept point (0, 0)"), Pixel(0, 0)),
        // The segments run through P's centre; its dot shows beside them.
        PlaneAreaIs(QStringLiteral("P's dot right of P-H"), QRect(last.x() + 1, last.y() - 1, 1, 3), Seen::Maroon),
        PlaneAreaIs(QStringLiteral("P's dot above P"), QRect(last.x(), last.y() - 1, 1, 1), Seen::Maroon),
        PlaneAreaIs(QStringLiteral("F's dot left of F-P"), QRect(kF.x() - 1, kF.y() - 1, 1, 3), Seen::Maroon),
        SlantedSegment(QStringLiteral("segment F-P"), kF, last, Seen::Fuchsia),
        PlaneAreaIs(QStringLiteral("segment P-H"), QRect(last.x(), last.y(), 1, kFixedLineRow - last.y()),
                    Seen::Fuchsia),
        PlaneAreaIs(QStringLiteral("the fixed line Y = -1"), QRect(0, kFixedLineRow, kPlaneSize, 1), Seen::Aqua),
        PlaneAreaLacks(QStringLiteral("no yellow segments"), kWholePlane, Seen::Yellow),
        TextIsShown(QStringLiteral("P's coordinates in red"), kPText, Seen::Red),
        TextIsShown(QStringLiteral("the ratio and its error in purple"), kRatioText, Seen::Purple),
    });
}

TEST_F(Parabola, APointOffTheCurveShowsYellowSegmentsAndIsNotKept)
{
    EnterConditions();

    const QPoint onCurve = Pixel(2, 1);
    program.ClickPlane(onCurve);
    ExpectToSee("after a click on the curve", {
        PlaneAreaIs(QStringLiteral("segment F-P"), QRect(kF.x() + 2, kF.y(), onCurve.x() - kF.x() - 2, 1),
                    Seen::Fuchsia),
        PlaneAreaIs(QStringLiteral("segment P-H"), QRect(onCurve.x(), onCurve.y() + 2, 1, kFixedLineRow - onCurve.y() - 2),
                    Seen::Fuchsia),
    });

    // P = (0, 130/33): PF is about 2.94 and PH about 4.94.
    const QPoint offCurve(330, 200);
    program.ClickPlane(offCurve);
    ExpectToSee("after a click off the curve", {
        PlaneAreaIs(QStringLiteral("segments F-P and P-H, both on the Y axis"),
                    QRect(offCurve.x(), offCurve.y(), 1, kFixedLineRow - offCurve.y()), Seen::Yellow),
        PlaneAreaIs(QStringLiteral("P's dot left of the segments"), QRect(offCurve.x() - 1, offCurve.y() - 1, 1, 3),
                    Seen::Maroon),
        PlaneAreaIs(QStringLiteral("P's dot right of the segments"), QRect(offCurve.x() + 1, offCurve.y() - 1, 1, 3),
                    Seen::Maroon),
        DotAt(QStringLiteral("the point kept from the click on the curve"), onCurve),
        PlaneAreaLacks(QStringLiteral("the fuchsia segments are gone"), kWholePlane, Seen::Fuchsia),
        PlaneAreaIs(QStringLiteral("the fixed line Y = -1"), QRect(0, kFixedLineRow, kPlaneSize, 1), Seen::Aqua),
        TextIsShown(QStringLiteral("P's coordinates in red"), kPText, Seen::Red),
        TextIsShown(QStringLiteral("the ratio and its error in purple"), kRatioText, Seen::Purple),
    });

    const QPoint next = Pixel(-2, 1);
    program.ClickPlane(next);
    ExpectToSee("after the next click, on the curve again", {
        PlaneAreaLacks(QStringLiteral("no dot left where P was off the curve"),
                       QRect(offCurve.x() - 2, offCurve.y() - 2, 5, 5), Seen::Maroon),
        PlaneAreaLacks(QStringLiteral("the yellow segments are gone"), kWholePlane, Seen::Yellow),
        DotAt(QStringLiteral("the point kept from the first click"), onCurve),
        PlaneAreaIs(QStringLiteral("P's dot left of P-H"), QRect(next.x() - 1, next.y() - 1, 1, 3), Seen::Maroon),
        PlaneAreaIs(QStringLiteral("segment F-P"), QRect(next.x() + 2, next.y(), kF.x() - next.x() - 2, 1),
                    Seen::Fuchsia),
    });
}
