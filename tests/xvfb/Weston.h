// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

// The private Wayland session of scripts/weston-session.sh, as the tests of
// the real window see it: weston places the window and knows where it is
// (its scene graph), takes screenshots, and moves and presses the pointer
// of the test's input module.
namespace Weston {

// The tests run in such a session.
bool Active();

// A program's top-level window: its caption, the surface with the frame
// Qt draws around the client area, and the client area, on the output.
struct TView {
    QString caption;
    QRect frame;
    QRect client;
};
std::optional<TView> ToplevelOf(qint64 pid, QString& problem);

// The desktop shell's panel on the output, which no window may cover.
std::optional<QRect> Panel(QString& problem);

QImage Screenshot(QString& problem);

// A left click at a pixel of the output.
void Click(QPoint at, QString& problem);

}  // namespace Weston
