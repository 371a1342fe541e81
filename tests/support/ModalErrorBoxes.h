// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

class QMessageBox;

// Answers the program's own modal error box as a learner does: while the
// box is open `whileOpen` runs (the learner lets go of the mouse, say), and
// after `openForMs` the learner presses Return on it. The box runs its
// nested event loop in between, as it does for a learner. Boxes that keep
// coming back with no end (more than `maxBoxes`) stop the test program:
// nothing else would end such a loop.
class ModalErrorBoxes : public QObject {
public:
    explicit ModalErrorBoxes(std::function<void()> whileOpen = {}, std::function<int()> openForMs = [] { return 100; });

    // "caption|text" of every box shown so far.
    QStringList shown;
    std::function<void()> whileOpen;
    // -1: no limit.
    int maxBoxes = 10;

private:
    void Look();

    std::function<int()> openForMs_;
    QPointer<QMessageBox> current_;
    QTimer poll_;
};
