// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/InstalledFaces.h"

#include <fontconfig/fontconfig.h>

// The IPA fonts of Debian's fonts-ipafont-gothic and fonts-ipafont-mincho,
// and DejaVu Serif of fonts-dejavu-core, whose italic face is in
// fonts-dejavu-extra.
const std::array<TFaceSubstitute, 4> FACE_SUBSTITUTES = {{
    {u"ＭＳ Ｐゴシック", u"IPAPGothic"},
    {u"ＭＳ 明朝", u"IPAMincho"},
    {u"ＭＳ Ｐ明朝", u"IPAPMincho"},
    {u"Wendy Medium", u"DejaVu Serif"},
}};

const QFont::HintingPreference FACE_HINTING = QFont::PreferDefaultHinting;

namespace {

// Whether the system has a face that fits the pattern, asked of its font
// configuration directly: Qt's font database answers only once it has read
// every installed face, which takes longer than showing the window does,
// and the window is shown before it draws any text.
bool SystemHasFace(FcPattern* pattern)
{
    FcObjectSet* family = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* faces = FcFontList(nullptr, pattern, family);
    const bool found = faces && faces->nfont > 0;
    if (faces)
        FcFontSetDestroy(faces);
    FcObjectSetDestroy(family);
    FcPatternDestroy(pattern);
    return found;
}

}  // namespace

bool FamilyInstalled(const QString& family)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    return SystemHasFace(pattern);
}

bool JapaneseFaceInstalled()
{
    FcPattern* japanese = FcPatternCreate();
    FcLangSet* languages = FcLangSetCreate();
    FcLangSetAdd(languages, reinterpret_cast<const FcChar8*>("ja"));
    FcPatternAddLangSet(japanese, FC_LANG, languages);
    FcLangSetDestroy(languages);
    return SystemHasFace(japanese);
}
