// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Runs a tool of the test machine (xdotool, weston's clients) to its end, in
// `folder` where one is given; its standard output, or nothing (and why in
// `problem`) when it fails.
std::optional<QByteArray> RunTool(const QString& tool, const QStringList& arguments, QString& problem,
                                  const QString& folder = {});
