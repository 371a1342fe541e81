// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/Extended.h"

#include <QString>
#include <cstdint>
#include <stdexcept>

// The floating-point errors of the program's arithmetic. They are raised by
// the checked operations below at the point where they occur, before the
// result is used, and reported by the event dispatch (see Dispatch.h).
class EMathError : public std::runtime_error {
public:
    explicit EMathError(const QString& message);
    QString Message() const { return message_; }

private:
    QString message_;
};

class EZeroDivide : public EMathError {
public:
    EZeroDivide();
};

class EInvalidOp : public EMathError {
public:
    EInvalidOp();
};

class EOverflow : public EMathError {
public:
    EOverflow();
};

// Extended precision, rounding to nearest, nothing trapping: errors are
// found by the checked operations instead.
void SetFloatingPointSettings();

// Clears pending error flags and restores the settings above.
void ResetFloatingPoint();

// a / b; raises EZeroDivide for a finite non-zero a over 0, EInvalidOp for
// 0 / 0, EOverflow for a quotient too large for the extended type.
Extended CheckedDivide(Extended a, Extended b);

// √x; raises EInvalidOp for a negative x.
Extended CheckedSqrt(Extended x);

// x rounded to the nearest Single; raises EOverflow when it does not fit.
float CheckedSingle(Extended x);

// x with its fraction dropped; raises EInvalidOp outside the 64-bit range
// or for a value that is not a number.
std::int64_t Truncate(Extended x);
