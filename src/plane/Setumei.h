// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class TKavrel_Form;

// What a screen reader says of the plane: the conditions as the value
// fields show them, and how many points are kept.
QString HeimenSetumei(const TKavrel_Form& form);
// What it says of the zoom bar: the scale it has set.
QString ScaleSetumei(const TKavrel_Form& form);
