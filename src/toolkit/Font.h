// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/Color.h"

#include <QFont>
#include <QString>
#include <functional>

class QWidget;

enum TFontStyle { fsRegular = 0, fsBold = 1, fsItalic = 2 };
using TFontStyles = int;

constexpr int SHIFTJIS_CHARSET = 128;
constexpr int DEFAULT_CHARSET = 1;

// A font as the window describes it. Height is in pixels, negative for the
// character height without internal leading; Size is the same value in
// points at the screen's density.
class TFont {
public:
    TFont() = default;
    TFont(const QString& name, int height, TFontStyles style, TColor color, int charset = SHIFTJIS_CHARSET);

    QString Name() const { return name_; }
    int Charset() const { return charset_; }
    int Height() const { return height_; }
    TFontStyles Style() const { return style_; }
    TColor Color() const { return color_; }
    int Size() const;

    void SetHeight(int height);
    void SetSize(int points);
    void SetColor(TColor color);

    QFont ToQFont() const;

    // Runs after every change, so a control can repaint with the new font.
    std::function<void()> OnChange;

private:
    void Changed();

    QString name_ = QStringLiteral("ＭＳ Ｐゴシック");
    int charset_ = SHIFTJIS_CHARSET;
    int height_ = -12;
    TFontStyles style_ = fsRegular;
    TColor color_ = clWindowText;
};

// Gives one of Qt's own controls (a push button, a static text, the window)
// the font. Finding the face that draws it reads the system's whole font
// configuration, which would hold back the window's first appearance; so
// until a window of the program has appeared the font is only noted, and
// every noted font is given when one appears, before anything is drawn.
void GiveFont(QWidget* control, const TFont& font);
// A window of the program has appeared on the screen.
void WindowAppeared();

// Pixels per inch of the screen, as fonts convert points to pixels.
int ScreenPixelsPerInch();

// a·b/c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c);

// Registers metric substitutes for the Japanese faces that the window's
// description names, so the layout keeps its sizes without the originals.
void RegisterFontSubstitutes();

// Says once on standard error, naming the packages to install, when no
// installed face can show the window's Japanese texts.
void WarnIfNoJapaneseFace();
