// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A whole-pixel point, as the line operations take it.
struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};
