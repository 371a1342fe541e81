// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Font.h"

#include "toolkit/InstalledFaces.h"

#include <QGuiApplication>
#include <QHash>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

TFont::TFont(const QString& name, int height, TFontStyles style, TColor color, int charset)
    : name_(name), charset_(charset), height_(height), style_(style), color_(color)
{
}

int TFont::Size() const
{
    return -MulDiv(height_, 72, ScreenPixelsPerInch());
}

void TFont::SetHeight(int height)
{
    if (height == height_)
        return;
    height_ = height;
    Changed();
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72));
}

void TFont::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

namespace {

// The face that draws a named font: the font itself when it is installed,
// else its registered substitute. Resolved here once per name, because Qt
// looks for a face it does not have through the system's whole fallback
// search before it tries the substitutes, at every font it loads: that
// search was a fifth of the program's start-up.
QString InstalledFace(const QString& name)
{
    static QHash<QString, QString> faces;
    const auto known = faces.constFind(name);
    if (known != faces.constEnd())
        return *known;
    const QString face = FamilyInstalled(name) ? name : QFont::substitute(name);
    faces.insert(name, face);
    return face;
}

}  // namespace

QFont TFont::ToQFont() const
{
    QFont font(InstalledFace(name_));
    font.setPixelSize(std::max(1, std::abs(height_)));
    font.setBold(style_ & fsBold);
    font.setItalic(style_ & fsItalic);
    font.setHintingPreference(FACE_HINTING);
    return font;
}

namespace {

bool windowAppeared = false;

std::vector<std::pair<QPointer<QWidget>, TFont>>& NotedFonts()
{
    static std::vector<std::pair<QPointer<QWidget>, TFont>> noted;
    return noted;
}

}  // namespace

void GiveFont(QWidget* control, const TFont& font)
{
    if (windowAppeared) {
        control->setFont(font.ToQFont());
        return;
    }
    TFont noted = font;
    noted.OnChange = nullptr;
    NotedFonts().emplace_back(control, noted);
}

void WindowAppeared()
{
    if (windowAppeared)
        return;
    windowAppeared = true;
    for (const auto& [control, font] : NotedFonts())
        if (control)
            control->setFont(font.ToQFont());
    NotedFonts().clear();
}

void TFont::Changed()
{
    if (OnChange)
        OnChange();
}

int ScreenPixelsPerInch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? int(std::lround(screen->logicalDotsPerInchY())) : 96;
}

int MulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long quotient = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int>(negative ? -quotient : quotient);
}

void WarnIfNoJapaneseFace()
{
    if (JapaneseFaceInstalled())
        return;
    std::fputs("kavrel: no installed font can show Japanese, so the window's texts will show as boxes;\n"
               "kavrel: install the Debian packages fonts-ipafont-gothic and fonts-ipafont-mincho\n",
               stderr);
}

void RegisterFontSubstitutes()
{
    for (const TFaceSubstitute& face : FACE_SUBSTITUTES)
        QFont::insertSubstitution(QString::fromUtf16(face.layoutFace), QString::fromUtf16(face.substitute));
}
