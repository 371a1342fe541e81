// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Puts every module-level variable of the program back to its value at
// program start, so that a test or a monkey session begins like a new run
// even when it shares its process with others.
void RestoreProgramStart();
