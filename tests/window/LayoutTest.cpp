// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/KavrelWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QHash>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

namespace {

struct FontRow {
    const char* name;
    int height;
    TFontStyles style;
    TColor colour;
};

const FontRow kWindowFont{"ＭＳ Ｐゴシック", -12, fsRegular, clWindowText};
const FontRow kEnd{"ＭＳ 明朝", -21, fsBold, clWindowText};
const FontRow kDigit{"ＭＳ Ｐゴシック", -27, fsRegular, clWindowText};
const FontRow kKettei{"ＭＳ 明朝", -19, fsBold, clWindowText};
const FontRow kLetter{"ＭＳ 明朝", -27, fsRegular, clWindowText};
const FontRow kColon{"ＭＳ Ｐゴシック", -40, fsRegular, clMaroon};
const FontRow kSelect{"ＭＳ Ｐ明朝", -19, fsRegular, clMaroon};
const FontRow kSmallSelect{"ＭＳ Ｐ明朝", -13, fsRegular, clMaroon};
const FontRow kRatioSelect{"ＭＳ Ｐ明朝", -21, fsRegular, clMaroon};
const FontRow kPanel{"ＭＳ Ｐ明朝", -21, fsRegular, clRed};
const FontRow kKakko{"ＭＳ Ｐ明朝", -32, fsRegular, clMaroon};
const FontRow kExplain{"ＭＳ 明朝", -16, fsRegular, clFuchsia};
const FontRow kNone{nullptr, 0, 0, 0};

// The window's layout as the learner sees it, in description order:
// kind, parent, place and size (direct children in content coordinates),
// caption, font, what a screen reader calls the control where that is not
// its caption, and how many of its pixels Debian 13 draws otherwise than
// Debian 12 (LooksTheSameOnDebian12And13ButForThreeControls).
struct ControlRow {
    const char* name;
    const char* kind;
    const char* parent;
    QRect bounds;
    const char* caption;
    FontRow font;
    const char* spoken = nullptr;
    int otherOnDebian13 = 0;
};

const ControlRow kLayout[] = {
    {"PaintBox1", "TPaintBox", "", {8, 29, 660, 660}, "", kWindowFont, "座標平面"},
    {"Label1", "TLabel", "", {896, 0, 115, 24}, nullptr, {"Wendy Medium", -21, fsItalic, clTeal}},
    // Qt 6.8's Fusion style outlines the arrow buttons with rectangles and
    // draws the arrows a pixel lower and further right.
    {"ScrollBar1", "TScrollBar", "", {48, 696, 569, 17}, "", kNone, "拡大・縮小", 742},
    // FreeType 2.13 emboldens 21-pixel Mincho by 55/64 of a pixel, 2.12 by
    // 56/64; IPA Mincho has no bold face of its own.
    {"BtnSyuryo", "TButton", "", {931, 640, 86, 51}, "終わる", kEnd, nullptr, 430},
    {"GroupBox1", "TGroupBox", "", {699, 418, 209, 273}, "条件入力ボタン", {"ＭＳ Ｐ明朝", -21, fsRegular, clMaroon}},
    {"GroupBox2", "TGroupBox", "", {691, 24, 318, 289}, "曲線の条件", kPanel},
    {"BtnSai", "TButton", "", {931, 576, 86, 51}, "再試行", kEnd, nullptr, 383},

    {"Btn00", "TButton", "GroupBox1", {8, 216, 49, 49}, "０", kDigit},
    {"BtnDot", "TButton", "GroupBox1", {56, 216, 49, 49}, "．", kDigit},
    {"BtnKettei", "TButton", "GroupBox1", {104, 216, 49, 49}, "決定", kKettei},
    {"BtnKesu", "TButton", "GroupBox1", {152, 216, 49, 49}, "取消", kKettei},
    {"Btn01", "TButton", "GroupBox1", {8, 168, 49, 49}, "１", kDigit},
    {"BtnRoot", "TButton", "GroupBox1", {152, 168, 49, 49}, "√", kDigit},
    {"Btn03", "TButton", "GroupBox1", {104, 168, 49, 49}, "３", kDigit},
    {"Btn02", "TButton", "GroupBox1", {56, 168, 49, 49}, "２", kDigit},
    {"Btn04", "TButton", "GroupBox1", {8, 120, 49, 49}, "４", kDigit},
    {"BtnMinus", "TButton", "GroupBox1", {152, 120, 49, 49}, "－", kDigit},
    {"Btn06", "TButton", "GroupBox1", {104, 120, 49, 49}, "６", kDigit},
    {"Btn05", "TButton", "GroupBox1", {56, 120, 49, 49}, "５", kDigit},
    {"Btn07", "TButton", "GroupBox1", {8, 72, 49, 49}, "７", kDigit},
    {"BtnPlus", "TButton", "GroupBox1", {152, 72, 49, 49}, "＋", kDigit},
    {"Btn09", "TButton", "GroupBox1", {104, 72, 49, 49}, "９", kDigit},
    {"Btn08", "TButton", "GroupBox1", {56, 72, 49, 49}, "８", kDigit},
    {"BtnX", "TButton", "GroupBox1", {8, 24, 97, 49}, "Ｘ＝", kLetter},
    {"BtnY", "TButton", "GroupBox1", {104, 24, 97, 49}, "Ｙ＝", kLetter},

    {"HiLbl2", "TLabel", "GroupBox2", {213, 144, 20, 40}, "：", kColon},
    // Chosen by the reset at start-up, so its caption is red already.
    {"SbnLine", "TSpeedButton", "GroupBox2", {8, 32, 161, 33}, "定直線の方程式：", {"ＭＳ Ｐ明朝", -19, fsRegular, clRed}},
    {"LblSiki", "TLabel", "GroupBox2", {170, 31, 137, 34}, "", kPanel, "定直線の方程式"},
    {"SbnZahyo", "TSpeedButton", "GroupBox2", {8, 96, 129, 33}, "定点Ｆの座標：", kSelect},
    {"SbnXzahyo", "TSpeedButton", "GroupBox2", {160, 80, 49, 17}, "X座標", kSmallSelect},
    {"SbnYzahyo", "TSpeedButton", "GroupBox2", {232, 80, 49, 17}, "Y座標", kSmallSelect},
    {"LblKakko", "TLabel", "GroupBox2", {144, 96, 157, 32}, "（\u3000 \u3000， \u3000\u3000）", kKakko},
    {"LblXzahyo", "TLabel", "GroupBox2", {160, 96, 49, 33}, "", kPanel, "定点Ｆの X座標"},
    {"LblYzahyo", "TLabel", "GroupBox2", {232, 96, 49, 33}, "", kPanel, "定点Ｆの Y座標"},
    {"HiLbl1", "TLabel", "GroupBox2", {61, 144, 20, 40}, "：", kColon},
    {"HiLbl", "TLabel", "GroupBox2", {133, 152, 20, 40}, "=", kColon},
    {"SbnHiPF", "TSpeedButton", "GroupBox2", {12, 152, 53, 33}, "ＰＦ", kRatioSelect},
    {"SbnHiPH", "TSpeedButton", "GroupBox2", {76, 152, 53, 33}, "ＰＨ", kRatioSelect},
    {"LblHiPF", "TLabel", "GroupBox2", {160, 152, 57, 33}, "", kPanel, "ＰＦ"},
    {"LblHiPH", "TLabel", "GroupBox2", {232, 152, 57, 33}, "", kPanel, "ＰＨ"},
    {"StaticText2", "TStaticText", "GroupBox2", {85, 232, 180, 20}, "定直線からの距離をＰＨ", kExplain},
    {"StaticText1", "TStaticText", "GroupBox2", {85, 208, 116, 20}, "動点をＰとし、", kExplain},
    {"StaticText3", "TStaticText", "GroupBox2", {85, 256, 228, 20}, "定点Ｆからの距離をＰＦとする", kExplain},
};

struct Shown {
    QString kind;
    QString caption;
    const TFont* font = nullptr;
};

// What a control shows, whatever its kind.
Shown Inspect(QWidget* control)
{
    if (auto* c = dynamic_cast<TButton*>(control))
        return {"TButton", c->Caption(), &c->Font()};
    if (auto* c = dynamic_cast<TSpeedButton*>(control))
        return {"TSpeedButton", c->Caption(), &c->Font()};
    if (auto* c = dynamic_cast<TLabel*>(control))
        return {"TLabel", c->Caption(), &c->Font()};
    if (auto* c = dynamic_cast<TStaticText*>(control))
        return {"TStaticText", c->Caption(), &c->Font()};
    if (auto* c = dynamic_cast<TGroupBox*>(control))
        return {"TGroupBox", c->Caption(), &c->Font()};
    if (auto* c = dynamic_cast<TPaintBox*>(control))
        return {"TPaintBox", QString(), &c->Font()};
    if (dynamic_cast<TScrollBar*>(control))
        return {"TScrollBar", QString(), nullptr};
    return {"unknown", QString(), nullptr};
}

}  // namespace

TEST_F(KavrelWindow, EveryControlStandsAsLaidOut)
{
    const QList<QWidget*> all = Form().findChildren<QWidget*>();
    int controls = 0;
    for (const ControlRow& row : kLayout) {
        SCOPED_TRACE(row.name);
        QWidget* control = Form().findChild<QWidget*>(row.name);
        ASSERT_NE(control, nullptr);
        ++controls;
        const Shown shown = Inspect(control);
        EXPECT_EQ(shown.kind.toStdString(), row.kind);
        const QString parent = control->parentWidget() == Form().Client() ? QString() : control->parentWidget()->objectName();
        EXPECT_EQ(parent.toStdString(), row.parent);
        EXPECT_EQ(control->geometry(), row.bounds);
        if (row.caption) {
            EXPECT_EQ(shown.caption.toStdString(), row.caption);
        }
        if (row.font.name) {
            ASSERT_NE(shown.font, nullptr);
            EXPECT_EQ(shown.font->Name().toStdString(), row.font.name);
            EXPECT_EQ(shown.font->Height(), row.font.height);
            EXPECT_EQ(shown.font->Style(), row.font.style);
            EXPECT_EQ(shown.font->Color(), row.font.colour);
        }
    }
    EXPECT_EQ(controls, 43);
}

// A screen reader's view of the window right after start-up: the window is
// a frame named by its caption; every control has the role of its kind and
// is named by its caption or by what it holds; the fixed line's button is
// the one selected.
TEST_F(KavrelWindow, EveryControlIsReadAsTheLearnerSeesIt)
{
    const QHash<QString, QAccessible::Role> roleOfKind{
        {"TPaintBox", QAccessible::Graphic},   {"TLabel", QAccessible::StaticText},
        {"TScrollBar", QAccessible::ScrollBar}, {"TButton", QAccessible::Button},
        {"TGroupBox", QAccessible::Grouping},   {"TSpeedButton", QAccessible::Button},
        {"TStaticText", QAccessible::StaticText},
    };
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&Form());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("２次曲線（Kavrelと焦点）"));

    for (const ControlRow& row : kLayout) {
        SCOPED_TRACE(row.name);
        QWidget* control = Form().findChild<QWidget*>(row.name);
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->role(), roleOfKind.value(row.kind)) << row.kind;
        const QString name = row.spoken ? QString::fromUtf8(row.spoken) : Inspect(control).caption;
        EXPECT_FALSE(name.isEmpty());
        EXPECT_EQ(read->text(QAccessible::Name), name);
        const QAccessible::State state = read->state();
        EXPECT_EQ(state.focusable, row.kind == std::string("TButton") || row.kind == std::string("TScrollBar"));
        const auto* toggle = qobject_cast<TSpeedButton*>(control);
        EXPECT_EQ(state.checkable, toggle && toggle->GroupIndex() != 0);
        EXPECT_EQ(state.checked, toggle == Form().SbnLine);
        if (toggle) {
            EXPECT_EQ(read->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        }
        if (row.spoken && row.kind == std::string("TLabel")) {
            ASSERT_NE(read->textInterface(), nullptr);
            EXPECT_EQ(read->textInterface()->text(0, read->textInterface()->characterCount()), QString());
        }
    }
    QAccessibleInterface* zoom = QAccessible::queryAccessibleInterface(Form().ScrollBar1);
    EXPECT_EQ(zoom->valueInterface()->currentValue().toInt(), 51);
    EXPECT_EQ(zoom->text(QAccessible::Description), QStringLiteral("縮尺 20"));
}

TEST_F(KavrelWindow, WindowCaptionColourAndFont)
{
    EXPECT_EQ(Form().windowTitle(), QStringLiteral("２次曲線（Kavrelと焦点）"));
    EXPECT_EQ(Form().Color(), clMoneyGreen);
    EXPECT_EQ(Form().Font().Name(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(Form().Font().Height(), -12);
    EXPECT_EQ(Form().Font().Charset(), SHIFTJIS_CHARSET);
    EXPECT_EQ(WindowPixel(750, 380), clMoneyGreen);
    EXPECT_EQ(WindowPixel(4, 4), clMoneyGreen);
}

// Also run at twice the pixel density (tests/CMakeLists.txt): no glyph of
// the credit reaches its label's right or bottom edge, where it would be
// cut.
TEST_F(KavrelWindow, CreditLineFitsItsPlaceInTeal)
{
    EXPECT_FALSE(Form().Label1->Caption().isEmpty());
    const QImage credit = Form().Label1->grab().toImage();
    bool teal = false;
    for (int y = 0; y < credit.height() && !teal; ++y)
        for (int x = 0; x < credit.width() && !teal; ++x)
            teal = ToTColor(credit.pixel(x, y)) == clTeal;
    EXPECT_TRUE(teal);
    QRect ink;
    for (int y = 0; y < credit.height(); ++y)
        for (int x = 0; x < credit.width(); ++x)
            if (ToTColor(credit.pixel(x, y)) != clMoneyGreen)
                ink |= QRect(x, y, 1, 1);
    EXPECT_TRUE(QRect(0, 0, credit.width() - 1, credit.height() - 1).contains(ink))
        << "ink " << ink.left() << ".." << ink.right() << " x " << ink.top() << ".." << ink.bottom()
        << " in " << credit.width() << " x " << credit.height();
}

// The window after a short lesson (the parabola's conditions, one point
// kept) against the picture Debian 12 (Qt 6.4, FreeType 2.12) draws of it:
// Debian 13 (Qt 6.8, FreeType 2.13) draws the same pixels but in the
// controls whose rows say how many it draws otherwise, and nothing there
// is the program's to choose. The plane, the numbers in the fields and
// the texts at the top are the same to the pixel. KAVREL_SAVE_LOOK names a
// file to keep the picture in, for making the reference on Debian 12.
TEST_F(KavrelWindow, LooksTheSameOnDebian12And13ButForThreeControls)
{
    constexpr bool kDebian13 = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);
    Keys({"Ｙ＝", "－", "１", "決定", "０", "決定", "１", "決定", "１", "決定", "１", "決定"});
    ClickPlane(396, 297);
    const QImage seen = Form().grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (const QString keep = qEnvironmentVariable("KAVREL_SAVE_LOOK"); !keep.isEmpty())
        seen.save(keep);
    const QImage debian12 = QImage(QStringLiteral(KAVREL_DEBIAN12_LOOK)).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(seen.size(), debian12.size());
    const auto otherPixels = [&](const QRect& rect) {
        int other = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                other += seen.pixel(x, y) != debian12.pixel(x, y) ? 1 : 0;
        return other;
    };
    int otherInTheWindow = 0;
    for (const ControlRow& row : kLayout) {
        QWidget* control = Form().findChild<QWidget*>(row.name);
        const int expected = kDebian13 ? row.otherOnDebian13 : 0;
        EXPECT_EQ(otherPixels(QRect(control->mapTo(&Form(), QPoint(0, 0)), control->size())), expected) << row.name;
        if (*row.parent == '\0')
            otherInTheWindow += expected;
    }
    EXPECT_EQ(otherPixels(QRect(10, 5, 690, 20)), 0) << "the texts at the top";
    EXPECT_EQ(otherPixels(seen.rect()), otherInTheWindow) << "pixels outside the controls";
}

TEST_F(KavrelWindow, OptionsOfTheToggleButtonsLabelsAndScrollBar)
{
    for (TSpeedButton* b : {Form().SbnLine, Form().SbnXzahyo, Form().SbnYzahyo, Form().SbnHiPF, Form().SbnHiPH}) {
        EXPECT_EQ(b->GroupIndex(), 1) << b->objectName().toStdString();
        EXPECT_TRUE(b->AllowAllUp());
    }
    EXPECT_EQ(Form().SbnZahyo->GroupIndex(), 0);
    EXPECT_TRUE(Form().SbnZahyo->AllowAllUp());

    EXPECT_EQ(Form().LblSiki->Alignment(), taLeftJustify);
    for (TLabel* field : {Form().LblXzahyo, Form().LblYzahyo, Form().LblHiPF, Form().LblHiPH})
        EXPECT_EQ(field->Alignment(), taCenter);
    for (TLabel* field : {Form().LblSiki, Form().LblXzahyo, Form().LblYzahyo, Form().LblHiPF, Form().LblHiPH}) {
        EXPECT_EQ(field->Layout(), tlCenter);
        EXPECT_EQ(field->Color(), clInfoBk);
        EXPECT_FALSE(field->AutoSize());
    }
    for (TLabel* sized : {Form().HiLbl2, Form().LblKakko, Form().HiLbl1, Form().HiLbl, Form().Label1})
        EXPECT_TRUE(sized->AutoSize());

    EXPECT_EQ(Form().ScrollBar1->Min(), 0);
    EXPECT_EQ(Form().ScrollBar1->Max(), 100);
    EXPECT_EQ(Form().ScrollBar1->Position(), 51);
    EXPECT_EQ(Form().ScrollBar1->SmallChange(), 1);
    EXPECT_EQ(Form().ScrollBar1->LargeChange(), 1);
    EXPECT_EQ(Form().ScrollBar1->orientation(), Qt::Horizontal);
}

TEST_F(KavrelWindow, TabVisitsTheScrollBarTheQuitKeyTheKeypadThenRetry)
{
    const char* const order[] = {"ScrollBar1", "BtnSyuryo", "Btn00", "BtnDot", "BtnKettei", "BtnKesu", "Btn01",
                                 "BtnRoot", "Btn03", "Btn02", "Btn04", "BtnMinus", "Btn06", "Btn05", "Btn07",
                                 "BtnPlus", "Btn09", "Btn08", "BtnX", "BtnY", "BtnSai", "ScrollBar1"};
    ASSERT_EQ(QApplication::focusWidget(), Form().ScrollBar1);
    for (const char* name : order) {
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

TEST_F(KavrelWindow, ControlsThatAreWindowsLieAboveTheWindowless)
{
    // The value fields lie over the parentheses, which lie over the small
    // toggle buttons' bottom row.
    const QWidget* panel = Form().GroupBox2;
    EXPECT_EQ(panel->childAt(Form().LblXzahyo->geometry().center()), Form().LblXzahyo);
    EXPECT_EQ(panel->childAt(QPoint(170, 96)), Form().LblXzahyo);
    EXPECT_EQ(panel->childAt(QPoint(180, 96)), Form().LblXzahyo);
    EXPECT_EQ(panel->childAt(QPoint(200, 96)), Form().LblXzahyo);
    EXPECT_EQ(panel->childAt(QPoint(220, 100)), Form().LblKakko);
    EXPECT_EQ(panel->childAt(QPoint(62, 160)), Form().SbnHiPF);
    EXPECT_EQ(panel->childAt(QPoint(215, 160)), Form().LblHiPF);
}

TEST_F(KavrelWindow, ContentScrollsOnlyWhenTheClientIsSmaller)
{
    EXPECT_EQ(Form().Client()->size(), QSize(1017, 713));
    EXPECT_FALSE(Form().horizontalScrollBar()->isVisible());
    EXPECT_FALSE(Form().verticalScrollBar()->isVisible());

    // One pixel narrower than the content, tall enough for it beside the bar.
    const int bar = Form().horizontalScrollBar()->sizeHint().height();
    Form().resize(1016, 713 + bar);
    QApplication::processEvents();
    EXPECT_TRUE(Form().horizontalScrollBar()->isVisible());
    EXPECT_FALSE(Form().verticalScrollBar()->isVisible());
    EXPECT_EQ(Form().horizontalScrollBar()->maximum(), 1);
    EXPECT_EQ(Form().PaintBox1->mapTo(&Form(), QPoint(0, 0)).x(), 8);
    Form().horizontalScrollBar()->setValue(1);
    EXPECT_EQ(Form().PaintBox1->mapTo(&Form(), QPoint(0, 0)).x(), 7);

    // Wide again: the offset goes back to 0 and stays there.
    Form().resize(1280, 768);
    QApplication::processEvents();
    EXPECT_FALSE(Form().horizontalScrollBar()->isVisible());
    EXPECT_EQ(Form().PaintBox1->mapTo(&Form(), QPoint(0, 0)).x(), 8);
    Form().resize(1024, 768);
    QApplication::processEvents();
    EXPECT_EQ(Form().PaintBox1->mapTo(&Form(), QPoint(0, 0)).x(), 8);

    Form().resize(600, 400);
    QApplication::processEvents();
    EXPECT_TRUE(Form().verticalScrollBar()->isVisible());
    EXPECT_LE(Form().horizontalScrollBar()->maximum(), 1017 - Form().viewport()->width());
    EXPECT_EQ(Form().horizontalScrollBar()->singleStep(), 8);
}

// The window's own scroll bars: 8 pixels an arrow, a client width or
// height a page, and a dragged thumb moves the content when it is let go.
TEST_F(KavrelWindow, WindowScrollBarsStepPageAndMoveAtTheThumbsRelease)
{
    Form().resize(600, 400);
    QApplication::processEvents();
    const auto plane = [this] { return Form().PaintBox1->mapTo(Form().viewport(), QPoint(0, 0)); };
    for (QScrollBar* bar : {Form().horizontalScrollBar(), Form().verticalScrollBar()}) {
        const bool across = bar->orientation() == Qt::Horizontal;
        SCOPED_TRACE(across ? "horizontal" : "vertical");
        const auto offset = [&] { return across ? 8 - plane().x() : 29 - plane().y(); };
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = option.sliderValue = bar->value();
        option.pageStep = bar->pageStep();
        const auto part = [&](QStyle::SubControl control) {
            option.sliderPosition = option.sliderValue = bar->value();
            return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, control, bar);
        };

        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, part(QStyle::SC_ScrollBarAddLine).center());
        EXPECT_EQ(offset(), 8);
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, part(QStyle::SC_ScrollBarSubLine).center());
        EXPECT_EQ(offset(), 0);
        EXPECT_EQ(bar->pageStep(), across ? Form().viewport()->width() : Form().viewport()->height());

        const QPoint grip = part(QStyle::SC_ScrollBarSlider).center();
        const QPoint along = across ? QPoint(40, 0) : QPoint(0, 40);
        QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, grip);
        QMouseEvent drag(QEvent::MouseMove, QPointF(grip + along), bar->mapToGlobal(QPointF(grip + along)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &drag);
        EXPECT_GT(bar->sliderPosition(), 0);
        EXPECT_EQ(offset(), 0) << "the content followed the dragged thumb";
        QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, grip + along);
        EXPECT_EQ(offset(), bar->value());
        EXPECT_GT(offset(), 0);
    }
}
