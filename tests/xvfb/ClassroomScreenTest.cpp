// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunningKavrel.h"
#include "Weston.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <vector>

// The program on the screens of a classroom, under a real window manager
// (tests/CMakeLists.txt gives each test its screen size and openbox): a
// window the screen cannot hold is fitted into it and reaches every control
// through its own scroll bars.
namespace {

// The zoom bar's right arrow, in the window's content.
QPoint ZoomInArrow()
{
    const QRect bar = WindowFacts::Control(QStringLiteral("ScrollBar1"));
    return {bar.left() + bar.width() - 8, bar.center().y()};
}

QRect Screen()
{
    return QGuiApplication::primaryScreen()->geometry();
}

// The screen less the desktop's panels: weston's at the top, none under
// openbox.
QRect WorkArea()
{
    QRect area = Screen();
    if (Weston::Active()) {
        QString problem;
        const std::optional<QRect> panel = Weston::Panel(problem);
        EXPECT_TRUE(panel) << qPrintable(problem);
        if (panel)
            area.setTop(panel->bottom() + 1);
    }
    return area;
}

// The plane's top-left corner in the client area, found by its black axes:
// the column and the row that hold the most black pixels lie 330 pixels
// right of and below it.
QPoint PlaneOriginSeen(const WindowPicture& picture, QSize client)
{
    const auto blackest = [&](int lines, const auto& line) {
        std::vector<int> black(lines);
        for (int i = 0; i < lines; ++i)
            black[i] = picture.CountInClient(line(i), Seen::Black);
        return int(std::max_element(black.begin(), black.end()) - black.begin());
    };
    const int column = blackest(client.width(), [&](int x) { return QRect(x, 0, 1, client.height()); });
    const int row = blackest(client.height(), [&](int y) { return QRect(0, y, client.width(), 1); });
    return {column - 330, row - 330};
}

// The content has been scrolled so that the plane's corner moved off its
// place in the given direction: left (dx < 0) or up (dy < 0).
Sight ContentScrolled(const QString& what, QSize client, int dx, int dy)
{
    return {what, [=](const WindowPicture& picture) {
                const QPoint origin = PlaneOriginSeen(picture, client);
                const bool moved = (dx >= 0 || origin.x() < kPlaneOrigin.x())
                                   && (dy >= 0 || origin.y() < kPlaneOrigin.y());
                return moved ? QStringList()
                             : QStringList{QStringLiteral("the plane's corner is still at (%1,%2)")
                                               .arg(origin.x())
                                               .arg(origin.y())};
            }};
}

// Text in red, smoothed at its edges: pixels where red stands out.
Sight RedInkIn(const QString& what, const QRect& client)
{
    return {what, [=](const WindowPicture& picture) {
                const int ink = picture.CountInClient(client, [](QRgb seen) {
                    return qRed(seen) > 150 && qGreen(seen) < 100 && qBlue(seen) < 100;
                });
                return ink >= 20 ? QStringList() : QStringList{QStringLiteral("%1 red pixels").arg(ink)};
            }};
}

}  // namespace

class ClassroomScreen : public RunningKavrel {
protected:
    QSize Client() const { return program.ClientRect().size(); }

    // Where a point of the content is shown now, in the client area.
    QPoint Shown(const WindowPicture& picture, QPoint content) const
    {
        return content + PlaneOriginSeen(picture, Client()) - kPlaneOrigin;
    }

    // A click on the track of a window scroll bar, past its thumb, which
    // sits at the start: one page towards the end.
    void PageDown() { program.ClickClient({Client().width() - 5, Client().height() - 45}); }
    void PageRight() { program.ClickClient({Client().width() - 45, Client().height() - 5}); }

    void ExpectWithinTheWorkArea()
    {
        const QRect area = WorkArea();
        EXPECT_TRUE(area.contains(program.FrameRect()))
            << "frame " << program.FrameRect().x() << "," << program.FrameRect().y() << " "
            << program.FrameRect().width() << "x" << program.FrameRect().height() << " in the work area "
            << area.x() << "," << area.y() << " " << area.width() << "x" << area.height();
        EXPECT_TRUE(program.FrameRect().contains(program.ClientRect()));
    }
};

TEST_F(ClassroomScreen, On1280x720TheZoomBarIsReachedThroughTheWindowsScrollBars)
{
    ASSERT_EQ(Screen().size(), QSize(1280, 720));
    ExpectWithinTheWorkArea();
    // Under weston the window does not know the work area, and the
    // compositor maximises it into it.
    if (Weston::Active())
        EXPECT_EQ(program.FrameRect(), WorkArea());
    else
        EXPECT_EQ(Client().width(), 1024);
    EXPECT_LT(Client().height(), 713) << "the content should not fit";

    PageDown();
    WindowPicture picture = ExpectToSee("after paging down", {ContentScrolled("scrolled up", Client(), 0, -1)});
    const QPoint arrow = Shown(picture, ZoomInArrow());
    // Its bottom edge, 8 pixels below the arrow's middle, within the client
    // area; the click below shows that no window scroll bar covers it.
    ASSERT_LT(arrow.y() + 8, Client().height()) << "the zoom bar is still out of view";
    // Grid columns at the start scale (33 pixels a unit) and after one step
    // in (Scale 19: 660 / 19 pixels a unit), on a row that is on neither grid.
    const QPoint before = Shown(picture, PlaneToClient({363, 600}));
    const QPoint after = Shown(picture, PlaneToClient({365, 600}));
    ExpectToSee("before zooming", {ClientPixelIs("grid at 33 pixels", before, Seen::Silver),
                                   ClientPixelIs("no grid at 35 pixels", after, Seen::White)});

    program.ClickClient(arrow);
    ExpectToSee("after zooming in", {ClientPixelIs("no grid at 33 pixels", before, Seen::White),
                                     ClientPixelIs("grid at 660 / 19 pixels", after, Seen::Silver)});
}

TEST_F(ClassroomScreen, On800x600AKeyIsReachedAndPressedAndTheLessonEnds)
{
    ASSERT_EQ(Screen().size(), QSize(800, 600));
    ExpectWithinTheWorkArea();
    ASSERT_GT(WindowFacts::KeyCentre("Ｙ＝").x(), Client().width()) << "the keypad should lie beyond the right edge";

    PageRight();
    WindowPicture picture = ExpectToSee("after paging right", {ContentScrolled("scrolled left", Client(), -1, 0)});
    const QPoint key = Shown(picture, WindowFacts::KeyCentre("Ｙ＝"));
    ASSERT_LT(key.x(), Client().width() - 14) << "the key is still out of view";
    program.ClickClient(key);
    const QRect equation = WindowFacts::Control(QStringLiteral("LblSiki"));
    const QRect field(Shown(picture, equation.topLeft()), equation.size());
    ExpectToSee("after Ｙ＝", {RedInkIn("Ｙ＝ in the equation field", field)});

    PageDown();
    picture = ExpectToSee("after paging down", {ContentScrolled("scrolled up", Client(), 0, -1)});
    program.ClickClient(Shown(picture, WindowFacts::KeyCentre(QStringLiteral("終わる"))));
    ExpectToEndWithCodeZero("終わる");
}

TEST_F(ClassroomScreen, On1280x1024TheWindowKeepsItsSize)
{
    ASSERT_EQ(Screen().size(), QSize(1280, 1024));
    ExpectWithinTheWorkArea();
    EXPECT_EQ(Client(), QSize(1024, 768));
}
