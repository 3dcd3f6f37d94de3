// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/clipboard/waylandtextreader.h"

#include <QGuiApplication>
#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0) && defined(TARVELIO_WAYLAND_CLIENT)
#define TARVELIO_WAYLAND_READER 1
#endif

#ifdef TARVELIO_WAYLAND_READER
#include <QSocketNotifier>
#include <QTimer>

#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <unistd.h>
#include <vector>
#endif

namespace tarvelio {

#ifdef TARVELIO_WAYLAND_READER

namespace {

class Reader final : public AsyncTextReader {
public:
    Reader(wl_display* display, wl_seat* seat)
        : m_display(display)
        , m_seat(seat) {
        for (QTimer* timer : {&m_answerTimer, &m_wholeTimer}) {
            timer->setSingleShot(true);
            timer->setTimerType(Qt::PreciseTimer);
            QObject::connect(timer, &QTimer::timeout, timer, [this] { finish(std::nullopt); });
        }
        m_answerTimer.setInterval(kAnswerTimeMs);
        m_wholeTimer.setInterval(kWholeTimeMs);
        // The data device manager arrives with the registry's globals, long before a
        // person can press Ctrl+V; until then the toolkit reads.
        m_registry = wl_display_get_registry(m_display);
        wl_registry_add_listener(m_registry, &kRegistryListener, this);
        wl_display_flush(m_display);
    }

    ~Reader() override {
        closePipe();
        for (auto& [offer, formats] : m_offers)
            wl_data_offer_destroy(offer);
        if (m_device && wl_data_device_get_version(m_device) >= WL_DATA_DEVICE_RELEASE_SINCE_VERSION)
            wl_data_device_release(m_device);
        else if (m_device)
            wl_data_device_destroy(m_device);
        if (m_manager)
            wl_data_device_manager_destroy(m_manager);
        wl_registry_destroy(m_registry);
        wl_display_flush(m_display);
    }

    void read(Clipboard::TextReply reply) override {
        std::optional<QByteArray> format;
        QByteArray charset;
        if (!reading()) {
            TextFormat best;
            const auto offer = m_offers.find(m_selection);
            for (const QByteArray& name :
                offer != m_offers.end() ? offer->second : std::vector<QByteArray> {}) {
                if (TextFormat text = textFormat(name); text.rank > best.rank) {
                    best = std::move(text);
                    format = name;
                }
            }
            charset = best.charset;
        }
        int fds[2] = {-1, -1};
        if (!format || pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
            reply(std::nullopt);
            return;
        }
        wl_data_offer_receive(m_selection, format->constData(), fds[1]);
        close(fds[1]);
        wl_display_flush(m_display);
        m_reply = std::move(reply);
        m_charset = charset;
        m_bytes.clear();
        m_fd = fds[0];
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        QObject::connect(
            m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { readable(); });
        m_answerTimer.start();
        m_wholeTimer.start();
    }

    bool reading() const override { return m_fd >= 0; }

private:
    void readable() {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n > 0) {
                if (m_bytes.size() + static_cast<std::size_t>(n) > kMaxBytes) {
                    finish(std::nullopt);
                    return;
                }
                m_bytes.append(buffer, static_cast<std::size_t>(n));
                m_answerTimer.start();
                continue;
            }
            if (n == 0) {
                std::string bytes = std::move(m_bytes);
                m_bytes = {};
                finish(decodedText(std::move(bytes), m_charset));
            } else if (errno != EAGAIN && errno != EINTR) {
                finish(std::nullopt);
            }
            return;
        }
    }

    void closePipe() {
        m_notifier.reset();
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
    }

    void finish(std::optional<std::string> text) {
        m_answerTimer.stop();
        m_wholeTimer.stop();
        if (!reading())
            return;
        closePipe();
        m_bytes = {};
        Clipboard::TextReply reply = std::move(m_reply);
        m_reply = nullptr;
        reply(std::move(text));
    }

    static void global(
        void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version) {
        auto* self = static_cast<Reader*>(data);
        if (self->m_manager || std::strcmp(interface, wl_data_device_manager_interface.name) != 0)
            return;
        self->m_manager = static_cast<wl_data_device_manager*>(
            wl_registry_bind(registry, name, &wl_data_device_manager_interface, std::min(version, 3u)));
        self->m_device = wl_data_device_manager_get_data_device(self->m_manager, self->m_seat);
        wl_data_device_add_listener(self->m_device, &kDeviceListener, self);
        wl_display_flush(self->m_display);
    }
    static void globalRemove(void*, wl_registry*, std::uint32_t) { }

    // Offers come for the clipboard and for drags; each lists its formats before it is used.
    static void dataOffer(void* data, wl_data_device*, wl_data_offer* offer) {
        auto* self = static_cast<Reader*>(data);
        self->m_offers[offer];
        wl_data_offer_add_listener(offer, &kOfferListener, self);
    }
    static void offerFormat(void* data, wl_data_offer* offer, const char* format) {
        static_cast<Reader*>(data)->m_offers[offer].emplace_back(format);
    }
    static void offerActions(void*, wl_data_offer*, std::uint32_t) { }
    static void enter(
        void*, wl_data_device*, std::uint32_t, wl_surface*, wl_fixed_t, wl_fixed_t, wl_data_offer*) { }
    static void leave(void*, wl_data_device*) { }
    static void motion(void*, wl_data_device*, std::uint32_t, wl_fixed_t, wl_fixed_t) { }
    static void drop(void*, wl_data_device*) { }
    // The clipboard's offer replaces every earlier one; none when the clipboard is empty.
    static void selection(void* data, wl_data_device*, wl_data_offer* offer) {
        auto* self = static_cast<Reader*>(data);
        for (auto it = self->m_offers.begin(); it != self->m_offers.end();) {
            if (it->first == offer) {
                ++it;
            } else {
                wl_data_offer_destroy(it->first);
                it = self->m_offers.erase(it);
            }
        }
        self->m_selection = offer;
    }

    static constexpr wl_registry_listener kRegistryListener {global, globalRemove};
    static constexpr wl_data_device_listener kDeviceListener {
        dataOffer, enter, leave, motion, drop, selection};
    static constexpr wl_data_offer_listener kOfferListener {offerFormat, offerActions, offerActions};

    wl_display* m_display;
    wl_seat* m_seat;
    wl_registry* m_registry = nullptr;
    wl_data_device_manager* m_manager = nullptr;
    wl_data_device* m_device = nullptr;
    std::map<wl_data_offer*, std::vector<QByteArray>> m_offers;
    wl_data_offer* m_selection = nullptr;
    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::string m_bytes;
    QByteArray m_charset;
    Clipboard::TextReply m_reply;
    QTimer m_answerTimer;
    QTimer m_wholeTimer;
};

} // namespace

std::unique_ptr<AsyncTextReader> waylandTextReader() {
    auto* wayland = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QWaylandApplication>() : nullptr;
    if (!wayland || !wayland->display() || !wayland->seat())
        return nullptr;
    return std::make_unique<Reader>(wayland->display(), wayland->seat());
}

#else

std::unique_ptr<AsyncTextReader> waylandTextReader() {
    return nullptr;
}

#endif

} // namespace tarvelio
