// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/clipboard/x11textreader.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace tarvelio {

namespace {

// The atoms a read uses, interned together on the first read.
enum AtomIndex : std::size_t { kClipboard, kTargets, kUtf8String, kIncr, kProperty, kAtomCount };
constexpr std::array<const char*, kAtomCount> kAtomNames {
    "CLIPBOARD", "TARGETS", "UTF8_STRING", "INCR", "TARVELIO_PASTE"};

// Every byte of a property, up to what a read takes at most.
constexpr std::uint32_t kWholeProperty = static_cast<std::uint32_t>(X11TextReader::kMaxBytes / 4 + 1);

} // namespace

struct X11TextReader::Atoms {
    std::array<xcb_atom_t, kAtomCount> atom {};
    // How the chosen format's bytes are decoded: empty for UTF-8 as it stands.
    QByteArray charset;
};

std::unique_ptr<X11TextReader> X11TextReader::create() {
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return nullptr;
    return std::unique_ptr<X11TextReader>(new X11TextReader(x11->connection()));
}

X11TextReader::X11TextReader(xcb_connection_t* connection)
    : m_connection(connection) {
    // Precise: a coarse timer may fire 5 % early or late, and the bounds are promises.
    for (QTimer* timer : {&m_answerTimer, &m_wholeTimer}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    m_answerTimer.setInterval(kAnswerTimeMs);
    m_wholeTimer.setInterval(kWholeTimeMs);
    QObject::connect(&m_answerTimer, &QTimer::timeout, &m_answerTimer, [this] { finish(std::nullopt); });
    QObject::connect(&m_wholeTimer, &QTimer::timeout, &m_wholeTimer, [this] { finish(std::nullopt); });
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11TextReader::~X11TextReader() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
    if (m_window) {
        xcb_destroy_window(m_connection, m_window);
        xcb_flush(m_connection);
    }
}

// The window the owner writes its answers to, and the atoms, made on the first read so that
// starting the program costs nothing for them. Asking the X server is quick; only the
// clipboard's owner may take its time.
bool X11TextReader::prepare() {
    if (m_window)
        return true;
    if (xcb_connection_has_error(m_connection))
        return false;
    std::array<xcb_intern_atom_cookie_t, kAtomCount> cookies {};
    for (std::size_t i = 0; i < kAtomCount; ++i)
        cookies[i] = xcb_intern_atom(
            m_connection, 0, static_cast<std::uint16_t>(std::strlen(kAtomNames[i])), kAtomNames[i]);
    auto atoms = std::make_unique<Atoms>();
    bool complete = true;
    for (std::size_t i = 0; i < kAtomCount; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(m_connection, cookies[i], nullptr);
        complete = complete && reply;
        if (reply)
            atoms->atom[i] = reply->atom;
        std::free(reply);
    }
    if (!complete)
        return false;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    const xcb_window_t window = xcb_generate_id(m_connection);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
        XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    m_window = window;
    m_atoms = std::move(atoms);
    return true;
}

void X11TextReader::read(Clipboard::TextReply reply) {
    if (reading() || !prepare()) {
        reply(std::nullopt);
        return;
    }
    m_reply = std::move(reply);
    m_bytes.clear();
    m_wholeTimer.start();
    ask(m_atoms->atom[kTargets], Stage::Formats);
}

void X11TextReader::ask(std::uint32_t format, Stage stage) {
    m_stage = stage;
    m_format = format;
    const auto& atom = m_atoms->atom;
    xcb_delete_property(m_connection, m_window, atom[kProperty]);
    xcb_convert_selection(
        m_connection, m_window, atom[kClipboard], format, atom[kProperty], XCB_CURRENT_TIME);
    xcb_flush(m_connection);
    m_answerTimer.start();
}

// The best text format among those the owner offers; none when no text is offered.
std::uint32_t X11TextReader::bestFormat(const std::uint32_t* formats, std::size_t count) {
    constexpr std::size_t kMostFormats = 256;
    count = std::min(count, kMostFormats);
    std::array<xcb_get_atom_name_cookie_t, kMostFormats> cookies {};
    for (std::size_t i = 0; i < count; ++i)
        cookies[i] = xcb_get_atom_name(m_connection, formats[i]);
    TextFormat bestText;
    std::uint32_t best = std::uint32_t {XCB_ATOM_NONE};
    for (std::size_t i = 0; i < count; ++i) {
        xcb_get_atom_name_reply_t* reply = xcb_get_atom_name_reply(m_connection, cookies[i], nullptr);
        if (!reply)
            continue;
        const QByteArray name(xcb_get_atom_name_name(reply), xcb_get_atom_name_name_length(reply));
        std::free(reply);
        if (TextFormat text = textFormat(name); text.rank > bestText.rank) {
            bestText = std::move(text);
            best = formats[i];
        }
    }
    m_atoms->charset = bestText.charset;
    return best;
}

bool X11TextReader::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!reading() || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7f) {
    case XCB_SELECTION_NOTIFY: {
        const auto* notify = static_cast<const xcb_selection_notify_event_t*>(message);
        if (notify->requestor == m_window && notify->target == m_format && m_stage != Stage::Increments)
            answered(notify->property);
        break;
    }
    case XCB_PROPERTY_NOTIFY: {
        const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
        if (notify->window == m_window && notify->atom == m_atoms->atom[kProperty]
            && notify->state == XCB_PROPERTY_NEW_VALUE && m_stage == Stage::Increments)
            incrementArrived();
        break;
    }
    default:
        break;
    }
    // Toolkit code may wait on the same events (a transfer to this window from the
    // program's own clipboard): they pass on.
    return false;
}

// The owner's answer to a request: the property it wrote, or none for a refusal.
void X11TextReader::answered(std::uint32_t property) {
    const auto& atom = m_atoms->atom;
    if (property == XCB_ATOM_NONE) {
        // An owner that does not list its formats may still give UTF-8 text.
        if (m_stage == Stage::Formats) {
            m_atoms->charset.clear();
            ask(atom[kUtf8String], Stage::Text);
        } else {
            finish(std::nullopt);
        }
        return;
    }
    xcb_get_property_reply_t* reply = xcb_get_property_reply(m_connection,
        xcb_get_property(
            m_connection, 1, m_window, atom[kProperty], XCB_GET_PROPERTY_TYPE_ANY, 0, kWholeProperty),
        nullptr);
    xcb_flush(m_connection);
    if (!reply) {
        finish(std::nullopt);
        return;
    }
    const auto* value = static_cast<const char*>(xcb_get_property_value(reply));
    const auto length = static_cast<std::size_t>(xcb_get_property_value_length(reply));
    const xcb_atom_t type = reply->type;
    const bool whole = reply->bytes_after == 0;
    if (m_stage == Stage::Formats) {
        const std::uint32_t format = reply->format == 32
            ? bestFormat(reinterpret_cast<const std::uint32_t*>(value), length / 4)
            : std::uint32_t {XCB_ATOM_NONE};
        std::free(reply);
        if (format == XCB_ATOM_NONE)
            finish(std::nullopt);
        else
            ask(format, Stage::Text);
        return;
    }
    if (type == atom[kIncr]) {
        // The deletion above asks the owner for the first increment.
        std::free(reply);
        m_stage = Stage::Increments;
        m_answerTimer.start();
        return;
    }
    m_bytes.assign(value, length);
    std::free(reply);
    finish(whole ? decoded() : std::nullopt);
}

// One increment of a large text; an empty one ends it.
void X11TextReader::incrementArrived() {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(m_connection,
        xcb_get_property(m_connection, 1, m_window, m_atoms->atom[kProperty], XCB_GET_PROPERTY_TYPE_ANY, 0,
            kWholeProperty),
        nullptr);
    xcb_flush(m_connection);
    if (!reply) {
        finish(std::nullopt);
        return;
    }
    const auto length = static_cast<std::size_t>(xcb_get_property_value_length(reply));
    const bool fits = reply->bytes_after == 0 && m_bytes.size() + length <= kMaxBytes;
    if (fits)
        m_bytes.append(static_cast<const char*>(xcb_get_property_value(reply)), length);
    std::free(reply);
    if (!fits)
        finish(std::nullopt);
    else if (length == 0)
        finish(decoded());
    else
        m_answerTimer.start();
}

std::optional<std::string> X11TextReader::decoded() {
    std::string bytes = std::move(m_bytes);
    m_bytes = {};
    return decodedText(std::move(bytes), m_atoms->charset);
}

void X11TextReader::finish(std::optional<std::string> text) {
    m_answerTimer.stop();
    m_wholeTimer.stop();
    if (m_stage == Stage::Idle)
        return;
    m_stage = Stage::Idle;
    m_bytes = {};
    xcb_delete_property(m_connection, m_window, m_atoms->atom[kProperty]);
    xcb_flush(m_connection);
    Clipboard::TextReply reply = std::move(m_reply);
    m_reply = nullptr;
    reply(std::move(text));
}

} // namespace tarvelio
