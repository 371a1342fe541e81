// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunningKavrel.h"

namespace {

constexpr int kGridPitch = 33;   // pixels per plane unit at the start scale
constexpr int kAxis = 330;       // the plane pixel of plane 0 on both axes
const int kOutline = kPlaneSize - 1;

bool OnGrid(int pixel)
{
    return pixel % kGridPitch == 0 || pixel == kOutline;
}

// What an untouched plane shows at a pixel that lies on at most one line;
// where two lines cross, the one drawn last wins, which is no concern here.
std::optional<QRgb> EmptyPlaneColour(QPoint at)
{
    const bool onLineX = OnGrid(at.x()) || at.x() == kAxis;
    const bool onLineY = OnGrid(at.y()) || at.y() == kAxis;
    if (onLineX && onLineY)
        return std::nullopt;
    if (at.x() == kAxis || at.y() == kAxis)
        return Seen::Black;
    if (onLineX || onLineY)
        return Seen::Silver;
    return Seen::White;
}

// Enough to know that the window is up and painted, whatever it shows.
Sight PlaneIsPainted()
{
    return ClientPixelIs(QStringLiteral("the plane is painted"), PlaneToClient({16, 16}), Seen::White);
}

}  // namespace

using StartUp = RunningKavrel;
using Quitting = RunningKavrel;

// On a 1280 x 1024 desktop the 1024 x 768 window is centred at (128, 128).
TEST_F(StartUp, TheWindowIsCentredAndShowsTheEmptyPlaneOnTheWindowColour)
{
    EXPECT_EQ(program.ClientRect().x(), 128);
    EXPECT_EQ(program.ClientRect().y(), 128);

    const WindowPicture picture = ExpectToSee("after start-up", {
        PlanePixelsAre(QStringLiteral("white field, silver grid every 33 pixels and outline, black axes at 330"),
                       kWholePlane, EmptyPlaneColour),
        ClientPixelIs(QStringLiteral("window colour left of the plane"), {4, 359}, Seen::MoneyGreen),
        ClientPixelIs(QStringLiteral("window colour right of the plane"), {680, 359}, Seen::MoneyGreen),
        ClientPixelIs(QStringLiteral("window colour under the plane"), {338, 692}, Seen::MoneyGreen),
        ClientPixelIs(QStringLiteral("window colour above the plane"), {338, 15}, Seen::MoneyGreen),
        ClientCountIs(QStringLiteral("no text in the strip before any click"), QRect(10, 5, 680, 19),
                      Seen::MoneyGreen, 680 * 19, 680 * 19),
    });

    // The plane found on the screen by its look alone stands where the
    // window's position and the layout put it.
    const QPoint plane = FindPlaneOnScreen(picture.Screen());
    EXPECT_EQ(plane.x(), 128 + kPlaneOrigin.x());
    EXPECT_EQ(plane.y(), 128 + kPlaneOrigin.y());
}

TEST_F(Quitting, TheQuitButtonEndsTheProgramWithExitCodeZero)
{
    ExpectToSee("before quitting", {PlaneIsPainted()});

    program.ClickClient(WindowFacts::KeyCentre(QStringLiteral("終わる")));

    ExpectToEndWithCodeZero("終わる");
}

TEST_F(Quitting, TheCloseBoxEndsTheProgramWithExitCodeZero)
{
    ExpectToSee("before closing", {PlaneIsPainted()});

    ASSERT_TRUE(program.RequestClose()) << "could not send WM_DELETE_WINDOW to the window";

    ExpectToEndWithCodeZero("the close request");
}
