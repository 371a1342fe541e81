// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ScreenReaders.h"

// Qt's AT-SPI bridge reads the accessible interfaces by itself, once a
// screen reader asks for them.
void OpenToScreenReaders()
{
}
