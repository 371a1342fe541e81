// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/InstalledFaces.h"

#include <QDir>
#include <QFontDatabase>

// The web site's subsets of the IPA fonts and of DejaVu Serif, which the
// page puts into the program's file system under /fonts before it starts.
// The IPA Font License forbids a subset to carry the IPA name.
const std::array<TFaceSubstitute, 4> FACE_SUBSTITUTES = {{
    {u"ＭＳ Ｐゴシック", u"Kavrel P Gothic"},
    {u"ＭＳ 明朝", u"Kavrel Mincho"},
    {u"ＭＳ Ｐ明朝", u"Kavrel P Mincho"},
    {u"Wendy Medium", u"DejaVu Serif"},
}};

// Qt for WebAssembly leaves glyphs unhinted; fontconfig's default on
// Debian is slight hinting, which is vertical hinting in Qt's terms.
const QFont::HintingPreference FACE_HINTING = QFont::PreferVerticalHinting;

namespace {

void AddShippedFaces()
{
    static const bool added = [] {
        const QDir fonts(QStringLiteral("/fonts"));
        for (const QString& file : fonts.entryList({QStringLiteral("*.ttf")}))
            QFontDatabase::addApplicationFont(fonts.filePath(file));
        return true;
    }();
    Q_UNUSED(added);
}

}  // namespace

bool FamilyInstalled(const QString& family)
{
    AddShippedFaces();
    return QFontDatabase::hasFamily(family);
}

bool JapaneseFaceInstalled()
{
    AddShippedFaces();
    return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}
