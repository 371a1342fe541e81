// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPicture.h"

#include <utility>

namespace {

constexpr int kMostDifferencesShown = 8;

QString PointText(QPoint at)
{
    return QStringLiteral("(%1,%2)").arg(at.x()).arg(at.y());
}

}  // namespace

QString RgbText(QRgb colour)
{
    return QStringLiteral("RGB(%1,%2,%3)").arg(qRed(colour)).arg(qGreen(colour)).arg(qBlue(colour));
}

QPoint PlaneToClient(QPoint plane)
{
    return plane + kPlaneOrigin;
}

WindowPicture::WindowPicture(QImage screen, QPoint windowOrigin)
    : screen_(std::move(screen)), origin_(windowOrigin)
{
}

// Pixels off the screen read as transparent black, which no sight expects.
QRgb WindowPicture::Client(QPoint at) const
{
    const QPoint onScreen = at + origin_;
    if (!screen_.rect().contains(onScreen))
        return 0;
    return screen_.pixel(onScreen) | 0xFF000000u;
}

int WindowPicture::CountInClient(const QRect& rect, const std::function<bool(QRgb)>& counted) const
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += counted(Client({x, y})) ? 1 : 0;
    return count;
}

int WindowPicture::CountInClient(const QRect& rect, QRgb colour) const
{
    return CountInClient(rect, [colour](QRgb seen) { return seen == colour; });
}

int WindowPicture::CountInPlane(const QRect& rect, QRgb colour) const
{
    return CountInClient(QRect(PlaneToClient(rect.topLeft()), rect.size()), colour);
}

QPoint FindPlaneOnScreen(const QImage& screen)
{
    const WindowPicture whole(screen, {0, 0});
    const auto at = [&whole](int x, int y) { return whole.Client({x, y}); };
    const int last = kPlaneSize - 1;
    for (int y = 1; y + kPlaneSize < screen.height(); ++y)
        for (int x = 1; x + kPlaneSize < screen.width(); ++x) {
            if (at(x, y) != Seen::Silver || at(x - 1, y) != Seen::MoneyGreen || at(x, y - 1) != Seen::MoneyGreen)
                continue;
            const bool square = at(x + 1, y + 1) == Seen::White && at(x + last, y) == Seen::Silver
                && at(x + kPlaneSize, y) == Seen::MoneyGreen && at(x, y + last) == Seen::Silver
                && at(x, y + kPlaneSize) == Seen::MoneyGreen;
            if (square)
                return {x, y};
        }
    return {-1, -1};
}

Sight PlanePixelsAre(const QString& what, const QRect& plane,
                     const std::function<std::optional<QRgb>(QPoint)>& expected)
{
    return {what, [plane, expected](const WindowPicture& picture) {
                QStringList differences;
                for (int y = plane.top(); y <= plane.bottom(); ++y)
                    for (int x = plane.left(); x <= plane.right(); ++x) {
                        const std::optional<QRgb> colour = expected({x, y});
                        if (const QRgb seen = picture.Plane({x, y}); colour && seen != *colour)
                            NoteDifference(differences, QStringLiteral("plane %1 is %2, not %3")
                                                            .arg(PointText({x, y}), RgbText(seen), RgbText(*colour)));
                    }
                return differences;
            }};
}

Sight PlaneAreaIs(const QString& what, const QRect& plane, QRgb colour)
{
    return PlanePixelsAre(what, plane, [colour](QPoint) { return colour; });
}

Sight ClientPixelIs(const QString& what, QPoint client, QRgb colour)
{
    return {what, [client, colour](const WindowPicture& picture) {
                const QRgb seen = picture.Client(client);
                if (seen == colour)
                    return QStringList();
                return QStringList{QStringLiteral("client %1 is %2, not %3")
                                       .arg(PointText(client), RgbText(seen), RgbText(colour))};
            }};
}

Sight DotAt(const QString& what, QPoint plane)
{
    return PlaneAreaIs(what, QRect(plane - QPoint(1, 1), QSize(3, 3)), Seen::Maroon);
}

Sight ClientCountIs(const QString& what, const QRect& client, QRgb colour, int least, int most)
{
    return {what, [=](const WindowPicture& picture) {
                const int count = picture.CountInClient(client, colour);
                if (count >= least && count <= most)
                    return QStringList();
                return QStringList{QStringLiteral("%1 pixels of %2 in client %3-%4, expected %5..%6")
                                       .arg(count)
                                       .arg(RgbText(colour), PointText(client.topLeft()), PointText(client.bottomRight()))
                                       .arg(least)
                                       .arg(most)};
            }};
}

Sight PlaneAreaLacks(const QString& what, const QRect& plane, QRgb colour)
{
    return {what, [plane, colour](const WindowPicture& picture) {
                QStringList differences;
                for (int y = plane.top(); y <= plane.bottom(); ++y)
                    for (int x = plane.left(); x <= plane.right(); ++x)
                        if (picture.Plane({x, y}) == colour)
                            NoteDifference(differences,
                                           QStringLiteral("plane %1 is %2").arg(PointText({x, y}), RgbText(colour)));
                return differences;
            }};
}

QStringList Differences(const WindowPicture& picture, const std::vector<Sight>& sights)
{
    QStringList all;
    for (const Sight& sight : sights)
        for (const QString& difference : sight.differences(picture))
            all << sight.what + QStringLiteral(": ") + difference;
    return all;
}

void NoteDifference(QStringList& differences, const QString& text)
{
    if (differences.size() < kMostDifferencesShown)
        differences << text;
    else if (differences.size() == kMostDifferencesShown)
        differences << QStringLiteral("...");
}
