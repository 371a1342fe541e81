// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Gives the toolkit's own controls their place in what a screen reader
// reads through Qt's accessibility: the window is a frame named by its
// caption, toggle buttons are buttons that press as a click does, labels
// and the texts on the window's canvas are labels, group boxes are
// groupings, the paint box is a graphic and the scroll bar a value, both
// with a description asked for each time it is read.
void InstallAccessibility();

// Tells a screen reader that a control's caption has changed.
void AnnounceCaption(QWidget* control, const QString& before, const QString& after);
// Tells a screen reader that a toggle button went down or up.
void AnnounceChecked(QWidget* control);
