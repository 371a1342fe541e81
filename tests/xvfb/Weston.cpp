// SPDX-License-Identifier: GPL-3.0-or-later
#include "Weston.h"

#include "RunTool.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>

namespace {

// "(x1, y1) -> (x2, y2)" from the capture `first` on; x2 and y2 lie just
// outside.
QRect RectOf(const QRegularExpressionMatch& match, int first)
{
    const auto at = [&](int i) { return match.captured(first + i).toInt(); };
    return QRect(QPoint(at(0), at(1)), QPoint(at(2) - 1, at(3) - 1));
}

// What weston says of its views.
std::optional<QString> SceneGraph(QString& problem)
{
    const std::optional<QByteArray> graph =
        RunTool(QStringLiteral("weston-debug"), {QStringLiteral("scene-graph")}, problem);
    return graph ? std::optional<QString>(QString::fromUtf8(*graph)) : std::nullopt;
}

}  // namespace

namespace Weston {

bool Active()
{
    return !qEnvironmentVariableIsEmpty("KAVREL_WESTON_INPUT");
}

// The scene graph lists each view with its role, process and title, then
// its place and the part of it that is opaque:
//   View 0 (role xdg_toplevel, PID 12, surface ID 3, top-level window 'Title' of app, 0x...):
//           position: (133, 0) -> (1163, 720)
//           [opaque: (136, 30) -> (1160, 717)]
// Qt marks its client area opaque and its decorations not.
std::optional<TView> ToplevelOf(qint64 pid, QString& problem)
{
    const std::optional<QString> graph = SceneGraph(problem);
    if (!graph)
        return std::nullopt;
    static const QRegularExpression view(
        QStringLiteral("role xdg_toplevel, PID (\\d+), [^\\n]*top-level window '([^\\n]*)' of [^\\n]*\\n"
                       "\\s*position: \\((-?\\d+), (-?\\d+)\\) -> \\((-?\\d+), (-?\\d+)\\)\\n"
                       "\\s*\\[opaque: \\((-?\\d+), (-?\\d+)\\) -> \\((-?\\d+), (-?\\d+)\\)\\]"));
    for (const QRegularExpressionMatch& match : view.globalMatch(*graph)) {
        if (match.captured(1).toLongLong() == pid)
            return TView{match.captured(2), RectOf(match, 3), RectOf(match, 7)};
    }
    problem = QStringLiteral("no top-level window of process %1 in weston's scene graph").arg(pid);
    return std::nullopt;
}

// The panel's view, in the scene graph:
//   View 0 (role (null), PID 12, surface ID 17, panel for output headless, 0x...):
//           position: (0, 0) -> (1280, 32)
std::optional<QRect> Panel(QString& problem)
{
    const std::optional<QString> graph = SceneGraph(problem);
    if (!graph)
        return std::nullopt;
    static const QRegularExpression view(
        QStringLiteral("panel for output [^\\n]*\\n\\s*position: \\((-?\\d+), (-?\\d+)\\) -> \\((-?\\d+), (-?\\d+)\\)"));
    const QRegularExpressionMatch match = view.match(*graph);
    if (!match.hasMatch()) {
        problem = QStringLiteral("no panel in weston's scene graph");
        return std::nullopt;
    }
    return RectOf(match, 1);
}

QImage Screenshot(QString& problem)
{
    QTemporaryDir folder;
    if (!RunTool(QStringLiteral("weston-screenshooter"), {}, problem, folder.path()))
        return {};
    const QStringList shots = QDir(folder.path()).entryList({QStringLiteral("*.png")});
    if (shots.isEmpty()) {
        problem = QStringLiteral("weston-screenshooter wrote no picture");
        return {};
    }
    return QImage(folder.filePath(shots.first())).convertToFormat(QImage::Format_RGB32);
}

void Click(QPoint at, QString& problem)
{
    QFile input(qEnvironmentVariable("KAVREL_WESTON_INPUT"));
    if (!input.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        problem = QStringLiteral("cannot write to the input module's FIFO %1").arg(input.fileName());
        return;
    }
    // The pointer is part of weston's screenshots: it is put away, on the
    // output's last pixel, so that it covers nothing of the window.
    const QPoint away = QGuiApplication::primaryScreen()->geometry().bottomRight();
    input.write(QString::asprintf("move %d %d\npress\nrelease\nmove %d %d\n", at.x(), at.y(), away.x(), away.y())
                    .toLatin1());
}

}  // namespace Weston
