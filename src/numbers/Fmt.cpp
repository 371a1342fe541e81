// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/Fmt.h"

#include <QLocale>
#include <algorithm>
#include <string>

namespace {

constexpr int kPrecision = 5;
constexpr int kDecimals = 2;

// Keeps `count` digits, rounding half away from zero on the decimal digits.
void RoundTo(TDecimal& decimal, int count)
{
    const bool up = decimal.digits[count] >= '5';
    decimal.digits.resize(count);
    if (up) {
        int i = count - 1;
        while (i >= 0 && decimal.digits[i] == '9')
            decimal.digits[i--] = '0';
        if (i >= 0) {
            ++decimal.digits[i];
        } else {
            decimal.digits.insert(decimal.digits.begin(), '1');
            ++decimal.exponent;
        }
    }
    while (!decimal.digits.empty() && decimal.digits.back() == '0')
        decimal.digits.pop_back();
}

QString ExponentForm(const TDecimal& decimal, QChar separator)
{
    QString text(QChar(decimal.digits[0]));
    if (decimal.digits.size() > 1)
        text += separator + QString::fromStdString(decimal.digits.substr(1));
    return text + QLatin1Char('E') + QString::number(decimal.exponent - 1);
}

QString FixedForm(const TDecimal& decimal, QChar separator)
{
    const auto digitAt = [&](int i) {
        return i >= 0 && i < int(decimal.digits.size()) ? QChar(decimal.digits[i]) : QLatin1Char('0');
    };
    QString text;
    if (decimal.exponent <= 0)
        text += QLatin1Char('0');
    for (int i = 0; i < decimal.exponent; ++i)
        text += digitAt(i);
    text += separator;
    for (int i = 0; i < kDecimals; ++i)
        text += digitAt(decimal.exponent + i);
    return text;
}

}  // namespace

QChar UserDecimalSeparator()
{
    const QString separator = QLocale::system().decimalPoint();
    return separator.size() == 1 ? separator[0] : QLatin1Char('.');
}

QString Fmt(Extended value)
{
    return Fmt(value, UserDecimalSeparator());
}

QString Fmt(Extended value, QChar separator)
{
    if (IsNan(value))
        return QStringLiteral("NAN");
    if (IsInf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const QString zero = QLatin1Char('0') + QString(separator) + QStringLiteral("00");
    if (value == 0)
        return zero;

    // The first 18 significant digits, rounded to nearest.
    TDecimal decimal = ToDecimal(value, 18);
    const int kept = std::min(kPrecision, decimal.exponent + kDecimals);
    if (kept < 0)
        return zero;
    RoundTo(decimal, kept);
    if (decimal.digits.empty())
        return zero;

    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    if (decimal.exponent > kPrecision)
        return sign + ExponentForm(decimal, separator);
    return sign + FixedForm(decimal, separator);
}
