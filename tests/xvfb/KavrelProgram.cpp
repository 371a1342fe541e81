// SPDX-License-Identifier: GPL-3.0-or-later
#include "KavrelProgram.h"

#include "Weston.h"
#include "WindowFacts.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcessEnvironment>
#include <QRect>
#include <QScreen>
#include <QThread>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

// Long enough for a slow machine to start a Qt program on a fresh server;
// the waits end as soon as the awaited thing is there.
constexpr int kWindowWaitMs = 15000;
constexpr int kPictureWaitMs = 5000;
constexpr int kXdotoolWaitMs = 10000;
constexpr int kPollMs = 40;

bool PollUntil(const std::function<bool()>& done, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    for (;;) {
        if (done())
            return true;
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(kPollMs);
    }
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, std::strlen(name), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// The window's name as the window manager shows it: _NET_WM_NAME, in UTF-8
// whatever the locale.
QString NetWmName(unsigned long window)
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    QString name;
    if (!xcb_connection_has_error(connection)) {
        const xcb_get_property_cookie_t cookie = xcb_get_property(
            connection, 0, window, Atom(connection, "_NET_WM_NAME"), Atom(connection, "UTF8_STRING"), 0, 1024);
        if (xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
            name = QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply)),
                                     xcb_get_property_value_length(reply));
            std::free(reply);
        }
    }
    xcb_disconnect(connection);
    return name;
}

}  // namespace

QString Xdotool(const QStringList& arguments, QString* problem)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    const auto fail = [&](const QString& why) {
        if (problem)
            *problem = QStringLiteral("xdotool %1: %2").arg(arguments.join(QLatin1Char(' ')), why);
        return QString();
    };
    if (!xdotool.waitForStarted(kXdotoolWaitMs))
        return fail(QStringLiteral("cannot run it (Debian package xdotool; see scripts/setup.sh)"));
    if (!xdotool.waitForFinished(kXdotoolWaitMs)) {
        xdotool.kill();
        xdotool.waitForFinished();
        return fail(QStringLiteral("did not finish"));
    }
    if (xdotool.exitStatus() != QProcess::NormalExit || xdotool.exitCode() != 0)
        return fail(QString::fromLocal8Bit(xdotool.readAllStandardError()).trimmed());
    const QString out = QString::fromUtf8(xdotool.readAllStandardOutput());
    return out.isNull() ? QStringLiteral("") : out;
}

KavrelProgram::KavrelProgram()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), Weston::Active() ? QStringLiteral("wayland") : QStringLiteral("xcb"));
    environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
    environment.remove(QStringLiteral("QT_SCREEN_SCALE_FACTORS"));
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::MergedChannels);
}

KavrelProgram::~KavrelProgram()
{
    if (Running()) {
        process_.kill();
        process_.waitForFinished(kPictureWaitMs);
    }
}

bool KavrelProgram::Start()
{
    process_.start(QStringLiteral(KAVREL_PROGRAM), {});
    if (!process_.waitForStarted(kWindowWaitMs)) {
        problem_ = QStringLiteral("cannot start %1: %2").arg(QStringLiteral(KAVREL_PROGRAM), process_.errorString());
        return false;
    }
    if (!PollUntil([this] { return !Running() || FindWindow(); }, kWindowWaitMs)) {
        problem_ = QStringLiteral("no window titled %1 appeared; %2").arg(WindowFacts::Caption(), problem_);
        return false;
    }
    if (!Running()) {
        problem_ = QStringLiteral("the program ended (code %1) before showing its window").arg(process_.exitCode());
        return false;
    }
    return ReadWindowPlace();
}

// The program's top-level window is its one visible window, found by the
// process id it carries (its name is written in the locale's encoding); the
// caption is checked on the name Qt writes in UTF-8.
bool KavrelProgram::FindWindow()
{
    if (Weston::Active()) {
        const std::optional<Weston::TView> view = Weston::ToplevelOf(process_.processId(), problem_);
        if (view && view->caption != WindowFacts::Caption())
            problem_ = QStringLiteral("the window is titled %1").arg(view->caption);
        return view && view->caption == WindowFacts::Caption();
    }
    QString why;
    const QString found = Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                   QString::number(process_.processId())},
                                  &why);
    const QStringList ids = found.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (ids.isEmpty()) {
        problem_ = why;
        return false;
    }
    window_ = ids.first().toULong();
    const QString caption = NetWmName(window_);
    if (caption != WindowFacts::Caption()) {
        problem_ = QStringLiteral("window %1 is titled %2").arg(window_).arg(caption);
        return false;
    }
    return true;
}

// The client area and the frame around it, as the X server has them; a
// window manager may still move or fit the window just after mapping it,
// so the place is read until two readings a moment apart agree.
bool KavrelProgram::ReadWindowPlace()
{
    QRect client;
    QRect frame;
    const bool settled = PollUntil(
        [&] {
            const QRect previous = client;
            if (!ReadPlace(client, frame))
                return false;
            return client == previous;
        },
        kWindowWaitMs);
    client_ = client;
    frame_ = frame;
    if (!settled)
        problem_ = QStringLiteral("the place of window %1 did not settle: %2").arg(window_).arg(problem_);
    return settled;
}

bool KavrelProgram::ReadPlace(QRect& client, QRect& frame)
{
    if (Weston::Active()) {
        const std::optional<Weston::TView> view = Weston::ToplevelOf(process_.processId(), problem_);
        if (view) {
            client = view->client;
            frame = view->frame;
        }
        return view.has_value();
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const auto fail = [&](const QString& why) {
        problem_ = why;
        xcb_disconnect(connection);
        return false;
    };
    if (xcb_connection_has_error(connection))
        return fail(QStringLiteral("cannot connect to the X server"));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window_), nullptr);
    xcb_translate_coordinates_reply_t* origin = xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window_, root, 0, 0), nullptr);
    if (size && origin)
        client = QRect(origin->dst_x, origin->dst_y, size->width, size->height);
    std::free(size);
    std::free(origin);
    if (client.isNull())
        return fail(QStringLiteral("no geometry for window %1").arg(window_));
    // The frame is the window's ancestor that is a child of the root: the
    // window itself where no window manager framed it.
    xcb_window_t top = window_;
    for (;;) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, top), nullptr);
        const xcb_window_t parent = tree ? tree->parent : root;
        std::free(tree);
        if (parent == root || parent == XCB_WINDOW_NONE)
            break;
        top = parent;
    }
    xcb_get_geometry_reply_t* outer = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, top), nullptr);
    if (outer)
        frame = QRect(outer->x, outer->y, outer->width + 2 * outer->border_width,
                      outer->height + 2 * outer->border_width);
    std::free(outer);
    xcb_disconnect(connection);
    return outer != nullptr;
}

void KavrelProgram::ClickClient(QPoint client)
{
    const QPoint onScreen = client + client_.topLeft();
    QString problem;
    if (Weston::Active())
        Weston::Click(onScreen, problem);
    else
        Xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(onScreen.x()),
                 QString::number(onScreen.y()), QStringLiteral("click"), QStringLiteral("1")},
                &problem);
    if (!problem.isEmpty())
        qWarning("%s", qPrintable(problem));
}

void KavrelProgram::Keys(const QStringList& captions)
{
    for (const QString& caption : captions) {
        const QPoint centre = WindowFacts::KeyCentre(caption);
        if (centre.x() < 0) {
            qWarning("no keypad key %s", qPrintable(caption));
            continue;
        }
        ClickClient(centre);
    }
}

// What the close box of a window manager sends; without a window manager
// on the test server, the test sends it itself.
bool KavrelProgram::RequestClose()
{
    if (Weston::Active())
        return false;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return false;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window_);
    message.type = Atom(connection, "WM_PROTOCOLS");
    message.data.data32[0] = Atom(connection, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    // A checked request waits for the server's answer: a connection closed
    // right after an unanswered request may lose it.
    const xcb_void_cookie_t cookie = xcb_send_event_checked(connection, 0, xcb_window_t(window_),
                                                            XCB_EVENT_MASK_NO_EVENT,
                                                            reinterpret_cast<const char*>(&message));
    xcb_generic_error_t* error = xcb_request_check(connection, cookie);
    const bool sent = error == nullptr;
    std::free(error);
    xcb_disconnect(connection);
    return sent && message.type != XCB_ATOM_NONE && message.data.data32[0] != XCB_ATOM_NONE;
}

WindowPicture KavrelProgram::Picture() const
{
    if (Weston::Active()) {
        QString problem;
        return WindowPicture(Weston::Screenshot(problem), client_.topLeft());
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return WindowPicture(screen->grabWindow(0).toImage(), client_.topLeft());
}

WindowPicture KavrelProgram::PictureShowing(const std::vector<Sight>& sights, QStringList& differences) const
{
    WindowPicture picture;
    PollUntil(
        [&] {
            picture = Picture();
            differences = Differences(picture, sights);
            return differences.isEmpty();
        },
        kPictureWaitMs);
    return picture;
}

bool KavrelProgram::WaitForExit(int milliseconds)
{
    if (process_.state() == QProcess::NotRunning)
        return true;
    return process_.waitForFinished(milliseconds);
}

bool KavrelProgram::Running() const
{
    return process_.state() != QProcess::NotRunning;
}

QString KavrelProgram::Output()
{
    output_ += process_.readAll();
    return QString::fromLocal8Bit(output_);
}
