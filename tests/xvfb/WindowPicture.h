// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WindowFacts.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// The colours the learner sees, as the X server holds them (RGB).
namespace Seen {
constexpr QRgb MoneyGreen = SeenRgb(clMoneyGreen);  // the window
constexpr QRgb White = SeenRgb(clWhite);            // the plane's field
constexpr QRgb Silver = SeenRgb(clSilver);          // grid and outline
constexpr QRgb Black = SeenRgb(clBlack);            // axes
constexpr QRgb Maroon = SeenRgb(clMaroon);          // F, P and kept points
constexpr QRgb Aqua = SeenRgb(clAqua);              // the fixed line
constexpr QRgb Fuchsia = SeenRgb(clFuchsia);        // F-P-H while P is on the curve
constexpr QRgb Yellow = SeenRgb(clYellow);          // F-P-H while P is off it
constexpr QRgb Red = SeenRgb(clRed);                // P's coordinates
constexpr QRgb Purple = SeenRgb(clPurple);          // the ratio and its error
}  // namespace Seen

QString RgbText(QRgb colour);

// Where the plane stands in the window's client area, and its size.
inline const QPoint kPlaneOrigin = WindowFacts::Control(QStringLiteral("PaintBox1")).topLeft();
inline const int kPlaneSize = WindowFacts::Control(QStringLiteral("PaintBox1")).width();

// The pixel of plane pixel (x, y) in the window's client area.
QPoint PlaneToClient(QPoint plane);

// A screenshot of the whole screen, read in the window's client coordinates.
class WindowPicture {
public:
    WindowPicture() = default;
    WindowPicture(QImage screen, QPoint windowOrigin);

    QRgb Client(QPoint at) const;
    QRgb Plane(QPoint at) const { return Client(PlaneToClient(at)); }
    // How many pixels of the client rectangle `counted` picks, or have
    // exactly this colour.
    int CountInClient(const QRect& rect, const std::function<bool(QRgb)>& counted) const;
    int CountInClient(const QRect& rect, QRgb colour) const;
    int CountInPlane(const QRect& rect, QRgb colour) const;
    const QImage& Screen() const { return screen_; }

private:
    QImage screen_;
    QPoint origin_;
};

// The top-left corner of the plane's 660 x 660 square on the screen: a
// silver outline on the window's colour, white inside; (-1, -1) if there is
// none.
QPoint FindPlaneOnScreen(const QImage& screen);

// One thing the learner should see, with what differs from it (empty when
// the picture shows it).
struct Sight {
    QString what;
    std::function<QStringList(const WindowPicture&)> differences;
};

// Every pixel of the plane rectangle (plane pixels, both ends included)
// has the colour that `expected` gives for it, where it gives one; or the
// one colour.
Sight PlanePixelsAre(const QString& what, const QRect& plane,
                     const std::function<std::optional<QRgb>(QPoint)>& expected);
Sight PlaneAreaIs(const QString& what, const QRect& plane, QRgb colour);
// The pixel of the client area has the colour.
Sight ClientPixelIs(const QString& what, QPoint client, QRgb colour);
// The 3 x 3 dot that a point leaves, centred on the plane pixel.
Sight DotAt(const QString& what, QPoint plane);
// Between `least` and `most` pixels of the client rectangle have the colour.
Sight ClientCountIs(const QString& what, const QRect& client, QRgb colour, int least, int most);
// The plane rectangle holds no pixel of the colour.
Sight PlaneAreaLacks(const QString& what, const QRect& plane, QRgb colour);

// The plane's whole square, in plane pixels.
inline const QRect kWholePlane{0, 0, kPlaneSize, kPlaneSize};

QStringList Differences(const WindowPicture& picture, const std::vector<Sight>& sights);
// Adds a difference to a sight's list, as long as the list is short: more
// would only bury the first ones.
void NoteDifference(QStringList& differences, const QString& text);
