// SPDX-License-Identifier: GPL-3.0-or-later
#include "BareWindow.h"

#include <QFont>
#include <QPushButton>
#include <iterator>

namespace {

// The faces that the program's font names resolve to.
const char* const kPGothic = "IPAPGothic";
const char* const kMincho = "IPAMincho";
const char* const kPMincho = "IPAPMincho";
const char* const kSerif = "DejaVu Serif";

struct Face {
    const char* family;
    int pixels;
    bool bold = false;
    bool italic = false;
};

const Face kWindowFace{kPGothic, 12};
const Face kCreditFace{kSerif, 21, false, true};
const Face kEndFace{kMincho, 21, true};
const Face kKeypadFace{kPMincho, 21};
const Face kPanelFace{kPMincho, 21};
const Face kDigitFace{kPGothic, 27};
const Face kKetteiFace{kMincho, 19, true};
const Face kLetterFace{kMincho, 27};
const Face kColonFace{kPGothic, 40};
const Face kSelectFace{kPMincho, 19};
const Face kSmallSelectFace{kPMincho, 13};
const Face kKakkoFace{kPMincho, 32};
const Face kExplainFace{kMincho, 16};

struct Control {
    int left;
    int top;
    int width;
    int height;
    const char* caption;
    Face face;
};

constexpr int kKey = 49;
// Where the keypad and the condition panel lie in the window.
constexpr int kPadX = 699, kPadY = 418;
constexpr int kPanelX = 691, kPanelY = 24;

// clang-format off
const Control kControls[] = {
    {8, 29, 660, 660, "", kWindowFace},
    {896, 0, 115, 24, "Kavrel 2026", kCreditFace},
    {48, 696, 569, 17, "", kWindowFace},
    {931, 640, 86, 51, "終わる", kEndFace},
    {699, 418, 209, 273, "条件入力ボタン", kKeypadFace},
    {691, 24, 318, 289, "曲線の条件", kPanelFace},
    {931, 576, 86, 51, "再試行", kEndFace},

    {kPadX + 8,   kPadY + 216, kKey, kKey, "０", kDigitFace},
    {kPadX + 56,  kPadY + 216, kKey, kKey, "．", kDigitFace},
    {kPadX + 104, kPadY + 216, kKey, kKey, "決定", kKetteiFace},
    {kPadX + 152, kPadY + 216, kKey, kKey, "取消", kKetteiFace},
    {kPadX + 8,   kPadY + 168, kKey, kKey, "１", kDigitFace},
    {kPadX + 152, kPadY + 168, kKey, kKey, "√", kDigitFace},
    {kPadX + 104, kPadY + 168, kKey, kKey, "３", kDigitFace},
    {kPadX + 56,  kPadY + 168, kKey, kKey, "２", kDigitFace},
    {kPadX + 8,   kPadY + 120, kKey, kKey, "４", kDigitFace},
    {kPadX + 152, kPadY + 120, kKey, kKey, "－", kDigitFace},
    {kPadX + 104, kPadY + 120, kKey, kKey, "６", kDigitFace},
    {kPadX + 56,  kPadY + 120, kKey, kKey, "５", kDigitFace},
    {kPadX + 8,   kPadY + 72,  kKey, kKey, "７", kDigitFace},
    {kPadX + 152, kPadY + 72,  kKey, kKey, "＋", kDigitFace},
    {kPadX + 104, kPadY + 72,  kKey, kKey, "９", kDigitFace},
    {kPadX + 56,  kPadY + 72,  kKey, kKey, "８", kDigitFace},
    {kPadX + 8,   kPadY + 24,  97,   kKey, "Ｘ＝", kLetterFace},
    {kPadX + 104, kPadY + 24,  97,   kKey, "Ｙ＝", kLetterFace},

    {kPanelX + 213, kPanelY + 144, 20,  40, "：", kColonFace},
    {kPanelX + 8,   kPanelY + 32,  161, 33, "定直線の方程式：", kSelectFace},
    {kPanelX + 170, kPanelY + 31,  137, 34, "", kPanelFace},
    {kPanelX + 8,   kPanelY + 96,  129, 33, "定点Ｆの座標：", kSelectFace},
    {kPanelX + 160, kPanelY + 80,  49,  17, "X座標", kSmallSelectFace},
    {kPanelX + 232, kPanelY + 80,  49,  17, "Y座標", kSmallSelectFace},
    {kPanelX + 144, kPanelY + 96,  157, 32, "（\u3000 \u3000， \u3000\u3000）", kKakkoFace},
    {kPanelX + 160, kPanelY + 96,  49,  33, "", kPanelFace},
    {kPanelX + 232, kPanelY + 96,  49,  33, "", kPanelFace},
    {kPanelX + 61,  kPanelY + 144, 20,  40, "：", kColonFace},
    {kPanelX + 133, kPanelY + 152, 20,  40, "=", kColonFace},
    {kPanelX + 12,  kPanelY + 152, 53,  33, "ＰＦ", kPanelFace},
    {kPanelX + 76,  kPanelY + 152, 53,  33, "ＰＨ", kPanelFace},
    {kPanelX + 160, kPanelY + 152, 57,  33, "", kPanelFace},
    {kPanelX + 232, kPanelY + 152, 57,  33, "", kPanelFace},
    {kPanelX + 85,  kPanelY + 232, 180, 20, "定直線からの距離をＰＨ", kExplainFace},
    {kPanelX + 85,  kPanelY + 208, 116, 20, "動点をＰとし、", kExplainFace},
    {kPanelX + 85,  kPanelY + 256, 228, 20, "定点Ｆからの距離をＰＦとする", kExplainFace},
};
// clang-format on

static_assert(std::size(kControls) == 43);

QFont FontOf(const Face& face)
{
    QFont font(QString::fromLatin1(face.family));
    font.setPixelSize(face.pixels);
    font.setBold(face.bold);
    font.setItalic(face.italic);
    return font;
}

}  // namespace

std::unique_ptr<QWidget> MakeBareWindow()
{
    auto window = std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("bare"));
    window->setFont(FontOf(kWindowFace));
    for (const Control& control : kControls) {
        auto* button = new QPushButton(QString::fromUtf8(control.caption), window.get());
        button->setFont(FontOf(control.face));
        button->setGeometry(control.left, control.top, control.width, control.height);
    }
    window->resize(1024, 768);
    return window;
}

