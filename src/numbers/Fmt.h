// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/Extended.h"

#include <QChar>
#include <QString>

// The fixed-point text of a real: two decimals, at most five significant
// digits, the exponent form from 99999.5 on. Uses the user's decimal
// separator unless one is given.
QString Fmt(Extended value);
QString Fmt(Extended value, QChar decimalSeparator);

// The user's decimal separator, "." when the locale has none of one character.
QChar UserDecimalSeparator();
