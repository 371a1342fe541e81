// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>

using TObject = QObject;

// A handler taking only the control that sent the event.
using TNotifyEvent = std::function<void(TObject* Sender)>;
// What a screen reader is told of a control, asked each time it reads it.
using TDescribeEvent = std::function<QString()>;
