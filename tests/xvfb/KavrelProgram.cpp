// SPDX-License-Identifier: GPL-3.0-or-later
#include "KavrelProgram.h"

#include "RunTool.h"
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
#include <memory>

namespace {

// Long enough for a slow machine to start a Qt program on a fresh server;
// the waits end as soon as the awaited thing is there.
constexpr int kWindowWaitMs = 15000;
constexpr int kKillWaitMs = 5000;
constexpr int kPollMs = 40;

// A connection of its own to the X server of DISPLAY, for one question.
struct XConnection {
    xcb_connection_t* const connection = xcb_connect(nullptr, nullptr);
    ~XConnection() { xcb_disconnect(connection); }
    bool Broken() const { return xcb_connection_has_error(connection) != 0; }
};

// A reply of the X server, freed with free() when it goes.
template <typename T>
std::unique_ptr<T, decltype(&std::free)> Owned(T* reply)
{
    return {reply, &std::free};
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, std::strlen(name), name);
    const auto reply = Owned(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The window's name as the window manager shows it: _NET_WM_NAME, in UTF-8
// whatever the locale.
QString NetWmName(unsigned long window)
{
    const XConnection x;
    if (x.Broken())
        return {};
    const auto reply = Owned(xcb_get_property_reply(
        x.connection,
        xcb_get_property(x.connection, 0, window, Atom(x.connection, "_NET_WM_NAME"),
                         Atom(x.connection, "UTF8_STRING"), 0, 1024),
        nullptr));
    if (!reply)
        return {};
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())),
                             xcb_get_property_value_length(reply.get()));
}

}  // namespace

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
        process_.waitForFinished(kKillWaitMs);
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
    QString caption;
    if (Weston::Active()) {
        const std::optional<Weston::TView> view = Weston::ToplevelOf(process_.processId(), problem_);
        if (!view)
            return false;
        caption = view->caption;
    } else {
        const QByteArray found = RunTool(QStringLiteral("xdotool"),
                                         {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                          QStringLiteral("--pid"), QString::number(process_.processId())},
                                         problem_)
                                     .value_or(QByteArray());
        const QStringList ids = QString::fromUtf8(found).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (ids.isEmpty())
            return false;
        window_ = ids.first().toULong();
        caption = NetWmName(window_);
    }
    if (caption != WindowFacts::Caption())
        problem_ = QStringLiteral("the window is titled %1").arg(caption);
    return caption == WindowFacts::Caption();
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
            return ReadPlace(client, frame) && client == previous;
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
    const XConnection x;
    if (x.Broken()) {
        problem_ = QStringLiteral("cannot connect to the X server");
        return false;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x.connection)).data->root;
    const auto size = Owned(xcb_get_geometry_reply(x.connection, xcb_get_geometry(x.connection, window_), nullptr));
    const auto origin = Owned(xcb_translate_coordinates_reply(
        x.connection, xcb_translate_coordinates(x.connection, window_, root, 0, 0), nullptr));
    if (!size || !origin) {
        problem_ = QStringLiteral("no geometry for window %1").arg(window_);
        return false;
    }
    client = QRect(origin->dst_x, origin->dst_y, size->width, size->height);
    // The frame is the window's ancestor that is a child of the root: the
    // window itself where no window manager framed it.
    xcb_window_t top = window_;
    for (;;) {
        const auto tree = Owned(xcb_query_tree_reply(x.connection, xcb_query_tree(x.connection, top), nullptr));
        const xcb_window_t parent = tree ? tree->parent : root;
        if (parent == root || parent == XCB_WINDOW_NONE)
            break;
        top = parent;
    }
    const auto outer = Owned(xcb_get_geometry_reply(x.connection, xcb_get_geometry(x.connection, top), nullptr));
    if (outer)
        frame = QRect(outer->x, outer->y, outer->width + 2 * outer->border_width,
                      outer->height + 2 * outer->border_width);
    return outer != nullptr;
}

void KavrelProgram::ClickClient(QPoint client)
{
    const QPoint onScreen = client + client_.topLeft();
    QString problem;
    if (Weston::Active())
        Weston::Click(onScreen, problem);
    else
        RunTool(QStringLiteral("xdotool"),
                {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(onScreen.x()),
                 QString::number(onScreen.y()), QStringLiteral("click"), QStringLiteral("1")},
                problem);
    if (!problem.isEmpty())
        qWarning("%s", qPrintable(problem));
}

void KavrelProgram::Keys(const QStringList& captions)
{
    for (const QString& caption : captions)
        ClickClient(WindowFacts::KeyCentre(caption));
}

// What the close box of a window manager sends; without a window manager
// on the test server, the test sends it itself.
bool KavrelProgram::RequestClose()
{
    if (Weston::Active())
        return false;
    const XConnection x;
    if (x.Broken())
        return false;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window_);
    message.type = Atom(x.connection, "WM_PROTOCOLS");
    message.data.data32[0] = Atom(x.connection, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    // A checked request waits for the server's answer: a connection closed
    // right after an unanswered request may lose it.
    const xcb_void_cookie_t cookie = xcb_send_event_checked(x.connection, 0, xcb_window_t(window_),
                                                            XCB_EVENT_MASK_NO_EVENT,
                                                            reinterpret_cast<const char*>(&message));
    const auto error = Owned(xcb_request_check(x.connection, cookie));
    return !error && message.type != XCB_ATOM_NONE && message.data.data32[0] != XCB_ATOM_NONE;
}

WindowPicture KavrelProgram::Picture() const
{
    if (Weston::Active()) {
        QString problem;
        return WindowPicture(Weston::Screenshot(problem), client_.topLeft());
    }
    return WindowPicture(QGuiApplication::primaryScreen()->grabWindow(0).toImage(), client_.topLeft());
}

QString KavrelProgram::Output()
{
    output_ += process_.readAll();
    return QString::fromLocal8Bit(output_);
}
