// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

using TObject = QObject;

// A handler taking only the control that sent the event.
using TNotifyEvent = std::function<void(TObject* Sender)>;
