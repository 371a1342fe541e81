// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>

// The floor the start-up benchmarks measure the program against: a bare
// 1024 x 768 window of the toolkit holding 43 plain push buttons with the
// captions, faces and places of the program's 43 controls, and nothing
// else.
std::unique_ptr<QWidget> MakeBareWindow();
