// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lets screen readers reach the windows through the toolkit's accessible
// interfaces (Accessible.h). On the desktop Qt's own bridge carries them
// over AT-SPI. In the browser, for which Qt has no bridge, the page gets a
// layer of elements made from the same interfaces and kept in step with
// them; a screen reader's press on an element presses the control, and the
// keyboard focus of the page and of the program stay on the same control.
void OpenToScreenReaders();
