// SPDX-License-Identifier: GPL-3.0-or-later
#include "kavrelsrc.h"

#include "plane/Setumei.h"
#include "toolkit/Application.h"

namespace {

const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kMincho = QStringLiteral("ＭＳ 明朝");
const QString kPMincho = QStringLiteral("ＭＳ Ｐ明朝");

const TFont kWindowFont(kPGothic, -12, fsRegular, clWindowText);
const TFont kCreditFont(QStringLiteral("Wendy Medium"), -21, fsItalic, clTeal, DEFAULT_CHARSET);
const TFont kEndFont(kMincho, -21, fsBold, clWindowText);
const TFont kKeypadFont(kPMincho, -21, fsRegular, clMaroon);
const TFont kPanelFont(kPMincho, -21, fsRegular, clRed);
const TFont kDigitFont(kPGothic, -27, fsRegular, clWindowText);
const TFont kKetteiFont(kMincho, -19, fsBold, clWindowText);
const TFont kLetterFont(kMincho, -27, fsRegular, clWindowText);
const TFont kColonFont(kPGothic, -40, fsRegular, clMaroon);
const TFont kSelectFont(kPMincho, -19, fsRegular, clMaroon);
const TFont kSmallSelectFont(kPMincho, -13, fsRegular, clMaroon);
const TFont kKakkoFont(kPMincho, -32, fsRegular, clMaroon);
const TFont kRatioSelectFont(kPMincho, -21, fsRegular, clMaroon);
const TFont kExplainFont(kMincho, -16, fsRegular, clFuchsia);

constexpr TColor kWindowColor = clMoneyGreen;
constexpr int kKey = 49;

// "（", ideographic space, space, ideographic space, "，", space, two
// ideographic spaces, "）": the two value fields lie over the blanks.
const QString kKakko = QStringLiteral("（\u3000 \u3000， \u3000\u3000）");

template <class TControl>
TControl* Make(QWidget* parent, const TDescription& description)
{
    return new TControl(parent, description);
}

}  // namespace

TKavrel_Form::TKavrel_Form()
{
    SetCaption(QStringLiteral("２次曲線（Kavrelと焦点）"));
    SetColor(kWindowColor);
    SetFont(kWindowFont);
    CreateControls();
    ArrangeContent();
    SetTabOrder();
    BindEvents();
}

// The window's controls in description order, which is also their order
// of painting: later ones lie on top of earlier ones.
void TKavrel_Form::CreateControls()
{
    QWidget* w = Client();
    // clang-format off
    PaintBox1  = Make<TPaintBox>(w,  {.Name = "PaintBox1", .Left = 8, .Top = 29, .Width = 660, .Height = 660, .AccessibleName = "座標平面", .Font = kWindowFont, .Color = clWhite});
    Label1     = Make<TLabel>(w,     {.Name = "Label1", .Left = 896, .Top = 0, .Width = 115, .Height = 24, .Caption = "Kavrel 2026", .Font = kCreditFont, .Color = kWindowColor, .AutoSize = true});
    ScrollBar1 = Make<TScrollBar>(w, {.Name = "ScrollBar1", .Left = 48, .Top = 696, .Width = 569, .Height = 17, .AccessibleName = "拡大・縮小", .TabOrder = 0, .Position = 51});
    BtnSyuryo  = Make<TButton>(w,    {.Name = "BtnSyuryo", .Left = 931, .Top = 640, .Width = 86, .Height = 51, .Caption = "終わる", .Font = kEndFont, .TabOrder = 1});
    GroupBox1  = Make<TGroupBox>(w,  {.Name = "GroupBox1", .Left = 699, .Top = 418, .Width = 209, .Height = 273, .Caption = "条件入力ボタン", .Font = kKeypadFont, .Color = clMoneyGreen, .TabOrder = 2});
    GroupBox2  = Make<TGroupBox>(w,  {.Name = "GroupBox2", .Left = 691, .Top = 24, .Width = 318, .Height = 289, .Caption = "曲線の条件", .Font = kPanelFont, .Color = kWindowColor, .TabOrder = 3});
    BtnSai     = Make<TButton>(w,    {.Name = "BtnSai", .Left = 931, .Top = 576, .Width = 86, .Height = 51, .Caption = "再試行", .Font = kEndFont, .TabOrder = 4});

    QWidget* k = GroupBox1;
    Btn00    = Make<TButton>(k, {.Name = "Btn00",    .Left = 8,   .Top = 216, .Width = kKey, .Height = kKey, .Caption = "０",   .Font = kDigitFont,  .TabOrder = 0});
    BtnDot   = Make<TButton>(k, {.Name = "BtnDot",   .Left = 56,  .Top = 216, .Width = kKey, .Height = kKey, .Caption = "．",   .Font = kDigitFont,  .TabOrder = 1});
    BtnKettei = Make<TButton>(k, {.Name = "BtnKettei", .Left = 104, .Top = 216, .Width = kKey, .Height = kKey, .Caption = "決定", .Font = kKetteiFont, .TabOrder = 2});
    BtnKesu  = Make<TButton>(k, {.Name = "BtnKesu",  .Left = 152, .Top = 216, .Width = kKey, .Height = kKey, .Caption = "取消", .Font = kKetteiFont, .TabOrder = 3});
    Btn01    = Make<TButton>(k, {.Name = "Btn01",    .Left = 8,   .Top = 168, .Width = kKey, .Height = kKey, .Caption = "１",   .Font = kDigitFont,  .TabOrder = 4});
    BtnRoot  = Make<TButton>(k, {.Name = "BtnRoot",  .Left = 152, .Top = 168, .Width = kKey, .Height = kKey, .Caption = "√",   .Font = kDigitFont,  .TabOrder = 5});
    Btn03    = Make<TButton>(k, {.Name = "Btn03",    .Left = 104, .Top = 168, .Width = kKey, .Height = kKey, .Caption = "３",   .Font = kDigitFont,  .TabOrder = 6});
    Btn02    = Make<TButton>(k, {.Name = "Btn02",    .Left = 56,  .Top = 168, .Width = kKey, .Height = kKey, .Caption = "２",   .Font = kDigitFont,  .TabOrder = 7});
    Btn04    = Make<TButton>(k, {.Name = "Btn04",    .Left = 8,   .Top = 120, .Width = kKey, .Height = kKey, .Caption = "４",   .Font = kDigitFont,  .TabOrder = 8});
    BtnMinus = Make<TButton>(k, {.Name = "BtnMinus", .Left = 152, .Top = 120, .Width = kKey, .Height = kKey, .Caption = "－",   .Font = kDigitFont,  .TabOrder = 9});
    Btn06    = Make<TButton>(k, {.Name = "Btn06",    .Left = 104, .Top = 120, .Width = kKey, .Height = kKey, .Caption = "６",   .Font = kDigitFont,  .TabOrder = 10});
    Btn05    = Make<TButton>(k, {.Name = "Btn05",    .Left = 56,  .Top = 120, .Width = kKey, .Height = kKey, .Caption = "５",   .Font = kDigitFont,  .TabOrder = 11});
    Btn07    = Make<TButton>(k, {.Name = "Btn07",    .Left = 8,   .Top = 72,  .Width = kKey, .Height = kKey, .Caption = "７",   .Font = kDigitFont,  .TabOrder = 12});
    BtnPlus  = Make<TButton>(k, {.Name = "BtnPlus",  .Left = 152, .Top = 72,  .Width = kKey, .Height = kKey, .Caption = "＋",   .Font = kDigitFont,  .TabOrder = 13});
    Btn09    = Make<TButton>(k, {.Name = "Btn09",    .Left = 104, .Top = 72,  .Width = kKey, .Height = kKey, .Caption = "９",   .Font = kDigitFont,  .TabOrder = 14});
    Btn08    = Make<TButton>(k, {.Name = "Btn08",    .Left = 56,  .Top = 72,  .Width = kKey, .Height = kKey, .Caption = "８",   .Font = kDigitFont,  .TabOrder = 15});
    BtnX     = Make<TButton>(k, {.Name = "BtnX",     .Left = 8,   .Top = 24,  .Width = 97,  .Height = kKey, .Caption = "Ｘ＝", .Font = kLetterFont, .TabOrder = 16});
    BtnY     = Make<TButton>(k, {.Name = "BtnY",     .Left = 104, .Top = 24,  .Width = 97,  .Height = kKey, .Caption = "Ｙ＝", .Font = kLetterFont, .TabOrder = 17});

    QWidget* p = GroupBox2;
    HiLbl2      = Make<TLabel>(p,       {.Name = "HiLbl2",      .Left = 213, .Top = 144, .Width = 20,  .Height = 40, .Caption = "：", .Font = kColonFont, .Color = kWindowColor, .AutoSize = true});
    SbnLine     = Make<TSpeedButton>(p, {.Name = "SbnLine",     .Left = 8,   .Top = 32,  .Width = 161, .Height = 33, .Caption = "定直線の方程式：", .Font = kSelectFont, .Color = clBtnFace, .GroupIndex = 1, .AllowAllUp = true});
    LblSiki     = Make<TLabel>(p,       {.Name = "LblSiki",     .Left = 170, .Top = 31,  .Width = 137, .Height = 34, .AccessibleName = "定直線の方程式", .Font = kPanelFont, .Color = clInfoBk, .Layout = tlCenter});
    SbnZahyo    = Make<TSpeedButton>(p, {.Name = "SbnZahyo",    .Left = 8,   .Top = 96,  .Width = 129, .Height = 33, .Caption = "定点Ｆの座標：", .Font = kSelectFont, .Color = clBtnFace, .GroupIndex = 0, .AllowAllUp = true});
    SbnXzahyo   = Make<TSpeedButton>(p, {.Name = "SbnXzahyo",   .Left = 160, .Top = 80,  .Width = 49,  .Height = 17, .Caption = "X座標", .Font = kSmallSelectFont, .Color = clBtnFace, .GroupIndex = 1, .AllowAllUp = true});
    SbnYzahyo   = Make<TSpeedButton>(p, {.Name = "SbnYzahyo",   .Left = 232, .Top = 80,  .Width = 49,  .Height = 17, .Caption = "Y座標", .Font = kSmallSelectFont, .Color = clBtnFace, .GroupIndex = 1, .AllowAllUp = true});
    LblKakko    = Make<TLabel>(p,       {.Name = "LblKakko",    .Left = 144, .Top = 96,  .Width = 157, .Height = 32, .Caption = kKakko, .Font = kKakkoFont, .Color = kWindowColor, .AutoSize = true});
    LblXzahyo   = Make<TLabel>(p,       {.Name = "LblXzahyo",   .Left = 160, .Top = 96,  .Width = 49,  .Height = 33, .AccessibleName = "定点Ｆの X座標", .Font = kPanelFont, .Color = clInfoBk, .Alignment = taCenter, .Layout = tlCenter});
    LblYzahyo   = Make<TLabel>(p,       {.Name = "LblYzahyo",   .Left = 232, .Top = 96,  .Width = 49,  .Height = 33, .AccessibleName = "定点Ｆの Y座標", .Font = kPanelFont, .Color = clInfoBk, .Alignment = taCenter, .Layout = tlCenter});
    HiLbl1      = Make<TLabel>(p,       {.Name = "HiLbl1",      .Left = 61,  .Top = 144, .Width = 20,  .Height = 40, .Caption = "：", .Font = kColonFont, .Color = kWindowColor, .AutoSize = true});
    HiLbl       = Make<TLabel>(p,       {.Name = "HiLbl",       .Left = 133, .Top = 152, .Width = 20,  .Height = 40, .Caption = "=", .Font = kColonFont, .Color = kWindowColor, .AutoSize = true});
    SbnHiPF     = Make<TSpeedButton>(p, {.Name = "SbnHiPF",     .Left = 12,  .Top = 152, .Width = 53,  .Height = 33, .Caption = "ＰＦ", .Font = kRatioSelectFont, .Color = clBtnFace, .GroupIndex = 1, .AllowAllUp = true});
    SbnHiPH     = Make<TSpeedButton>(p, {.Name = "SbnHiPH",     .Left = 76,  .Top = 152, .Width = 53,  .Height = 33, .Caption = "ＰＨ", .Font = kRatioSelectFont, .Color = clBtnFace, .GroupIndex = 1, .AllowAllUp = true});
    LblHiPF     = Make<TLabel>(p,       {.Name = "LblHiPF",     .Left = 160, .Top = 152, .Width = 57,  .Height = 33, .AccessibleName = "ＰＦ", .Font = kPanelFont, .Color = clInfoBk, .Alignment = taCenter, .Layout = tlCenter});
    LblHiPH     = Make<TLabel>(p,       {.Name = "LblHiPH",     .Left = 232, .Top = 152, .Width = 57,  .Height = 33, .AccessibleName = "ＰＨ", .Font = kPanelFont, .Color = clInfoBk, .Alignment = taCenter, .Layout = tlCenter});
    StaticText2 = Make<TStaticText>(p,  {.Name = "StaticText2", .Left = 85,  .Top = 232, .Width = 180, .Height = 20, .Caption = "定直線からの距離をＰＨ", .Font = kExplainFont, .Color = kWindowColor});
    StaticText1 = Make<TStaticText>(p,  {.Name = "StaticText1", .Left = 85,  .Top = 208, .Width = 116, .Height = 20, .Caption = "動点をＰとし、", .Font = kExplainFont, .Color = kWindowColor});
    StaticText3 = Make<TStaticText>(p,  {.Name = "StaticText3", .Left = 85,  .Top = 256, .Width = 228, .Height = 20, .Caption = "定点Ｆからの距離をＰＦとする", .Font = kExplainFont, .Color = kWindowColor});
    // clang-format on
}

void TKavrel_Form::SetTabOrder()
{
    ApplyTabOrder(Client());
}

// Which handler each control event runs.
void TKavrel_Form::BindEvents()
{
    const auto notify = [this](void (TKavrel_Form::*handler)(TObject*)) {
        return [this, handler](TObject* sender) { (this->*handler)(sender); };
    };
    OnCreate = notify(&TKavrel_Form::FormCreate);
    OnActivate = notify(&TKavrel_Form::Syokika);
    BtnSai->OnClick = notify(&TKavrel_Form::Syokika);
    BtnSyuryo->OnClick = notify(&TKavrel_Form::BtnSyuryoClick);
    ScrollBar1->OnScroll = [this](TObject* sender, TScrollCode code, int& position) { ScrollBar1Scroll(sender, code, position); };
    PaintBox1->OnPaint = notify(&TKavrel_Form::PaintBox1Paint);
    PaintBox1->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        PaintBox1MouseDown(sender, button, shift, x, y);
    };
    SbnLine->OnClick = notify(&TKavrel_Form::SbnLineClick);
    SbnXzahyo->OnClick = notify(&TKavrel_Form::SbnXzahyoClick);
    SbnYzahyo->OnClick = notify(&TKavrel_Form::SbnYzahyoClick);
    SbnZahyo->OnClick = notify(&TKavrel_Form::SbnZahyoClick);
    SbnHiPF->OnClick = notify(&TKavrel_Form::SbnHiPFClick);
    SbnHiPH->OnClick = notify(&TKavrel_Form::SbnHiPHClick);
    BtnKettei->OnClick = notify(&TKavrel_Form::BtnKetteiClick);
    BtnX->OnClick = notify(&TKavrel_Form::BtnXClick);
    BtnY->OnClick = notify(&TKavrel_Form::BtnYClick);
    Btn00->OnClick = notify(&TKavrel_Form::Btn00Click);
    Btn01->OnClick = notify(&TKavrel_Form::Btn01Click);
    Btn02->OnClick = notify(&TKavrel_Form::Btn02Click);
    Btn03->OnClick = notify(&TKavrel_Form::Btn03Click);
    Btn04->OnClick = notify(&TKavrel_Form::Btn04Click);
    Btn05->OnClick = notify(&TKavrel_Form::Btn05Click);
    Btn06->OnClick = notify(&TKavrel_Form::Btn06Click);
    Btn07->OnClick = notify(&TKavrel_Form::Btn07Click);
    Btn08->OnClick = notify(&TKavrel_Form::Btn08Click);
    Btn09->OnClick = notify(&TKavrel_Form::Btn09Click);
    BtnMinus->OnClick = notify(&TKavrel_Form::BtnMinusClick);
    BtnRoot->OnClick = notify(&TKavrel_Form::BtnRootClick);
    PaintBox1->OnDescribe = [this] { return HeimenSetumei(*this); };
    ScrollBar1->OnDescribe = [this] { return ScaleSetumei(*this); };
}

void TKavrel_Form::FormCreate(TObject*)
{
    SetTop(0);
    SetLeft(0);
    SetWidth(1024);
    SetHeight(768);
}

void TKavrel_Form::BtnSyuryoClick(TObject*)
{
    Application->Terminate();
}
