// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <array>

// The faces the program can draw with. On the desktop they are the fonts
// installed on the system, asked of its font configuration; in the browser
// they are the faces the web site ships, loaded into Qt's font database.

// The metric substitutes for the faces the window's description names, so
// that the layout keeps its sizes without the originals.
struct TFaceSubstitute {
    const char16_t* layoutFace;
    const char16_t* substitute;
};
extern const std::array<TFaceSubstitute, 4> FACE_SUBSTITUTES;

// How the faces are hinted: as the system's font configuration says on the
// desktop; in the browser, which has none, lightly, as Debian's desktops do.
extern const QFont::HintingPreference FACE_HINTING;

bool FamilyInstalled(const QString& family);

// A face that can show the window's Japanese texts is there.
bool JapaneseFaceInstalled();
