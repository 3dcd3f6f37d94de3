// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/calculatorwindow.h"

#include "input/keycodes.h"
#include "input/qtkeys.h"
#include "window/accessibility.h"
#include "window/layout.h"
#include "window/readoutview.h"
#include "window/readypicture.h"
#include "winhelpers/chooserbox.h"
#include "winhelpers/rightclickhook.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QResource>
#include <QSignalBlocker>

#include <algorithm>

#include <malloc.h>

namespace tarvelio {

namespace {

QString qstr(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QColor qcolor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QFont fontFor(FontRole role) {
    const FontSpec size = fontSpec(role);
    QFont f(qstr(kFontFamily));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(size.pixelSize);
    f.setBold(size.bold);
    return f;
}

// A tool tip is laid out whole when it shows; a pasted megabyte would freeze the window,
// so a very long one shows its start and its end.
QString toolTipText(const std::string& text) {
    constexpr qsizetype kMax = 400;
    QString full = qstr(text);
    if (full.size() <= kMax)
        return full;
    return full.left(kMax / 2) + qstr(kToolTipEllipsis) + full.right(kMax / 2);
}

// One of the pictures made ready when the program was built.
QPixmap picture(const char* name) {
    const QResource resource(QStringLiteral(":/pictures/%1.ready").arg(QLatin1String(name)));
    const QByteArray data = resource.uncompressedData();
    return QPixmap::fromImage(readyPicture(data));
}

// A double-resolution picture, read from its file, whose format is known. Left to guess,
// Qt would load and ask every image plugin before its built-in readers got a turn.
QPixmap picture2x(const char* file, const char* format) {
    QImageReader reader(QStringLiteral(":/pictures/%1").arg(QLatin1String(file)), format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

// The window's own 32 x 32 icon and the icon theme's smaller and larger sizes, all ready
// pixels. The window starts with the first alone and gets the others once it has been
// painted, so that they cost the first paint nothing.
QIcon iconInEverySize() {
    QIcon icon(picture("icon"));
    for (const int size : {TARVELIO_WINDOW_ICON_SIZES})
        icon.addPixmap(picture(QStringLiteral("icon-%1").arg(size).toLatin1().constData()));
    return icon;
}

QRect pixelRect(const ControlLayout& l) {
    return {toPixels(l.left), toPixels(l.top), toPixels(l.width), toPixels(l.height)};
}

class WidgetSurface final : public PaintSurface {
public:
    WidgetSurface(QPainter& painter, const QWidget& widget, const QPixmap& picture)
        : m_painter(painter)
        , m_widget(widget)
        , m_picture(picture) { }

    float scaleWidth() const override { return static_cast<float>(m_widget.width() * kTwipsPerPixel); }
    float scaleHeight() const override { return static_cast<float>(m_widget.height() * kTwipsPerPixel); }
    float pictureWidth() const override { return picturePixels().width() * float(kTwipsPerPixel); }
    float pictureHeight() const override { return picturePixels().height() * float(kTwipsPerPixel); }
    void paintPicture(float x, float y, float w, float h) override {
        constexpr float t = kTwipsPerPixel;
        m_painter.drawPixmap(QRectF(x / t, y / t, w / t, h / t), m_picture, QRectF(m_picture.rect()));
        ++tiles;
    }

    int tiles = 0;

private:
    QSizeF picturePixels() const { return m_picture.deviceIndependentSize(); }

    QPainter& m_painter;
    const QWidget& m_widget;
    const QPixmap& m_picture;
};

} // namespace

NumberFormat systemNumberFormat() {
    const QLocale locale = QLocale::system();
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

CalculatorWindow::CalculatorWindow(NumberFormat format, QWidget* parent)
    : QWidget(parent)
    , m_calc(std::move(format)) {
    setWindowTitle(qstr(kWindowTitle));
    setWindowIcon(QIcon(picture("icon")));
    setFont(fontFor(FontRole::Window));
    setFixedSize(toPixels(kClientWidthTwips), toPixels(kClientHeightTwips));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
        | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    m_calc.setClipboard(&m_clipboard);
    // A large pasted text held by the toolkit goes when another program takes the clipboard.
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        connect(clipboard, &QClipboard::dataChanged, this, [this] {
            if (m_clipboard.readLargeText())
                malloc_trim(0);
        });
    }
    m_rightClickHook = new RightClickHook([this] { return openChooser(); }, this);
    m_announcer = new Announcer(this);
    buildControls();
}

// Labels are drawn on the window's surface, beneath every other control, so they are
// created first; the readout first of all, so that the unit label lies over it.
static std::array<Ctl, kControlCount> creationOrder() {
    std::array<Ctl, kControlCount> order {};
    for (std::size_t i = 0; i < kControlCount; ++i)
        order[i] = static_cast<Ctl>(i);
    std::stable_partition(
        order.begin(), order.end(), [](Ctl c) { return layoutOf(c).kind == ControlKind::Label; });
    std::stable_partition(order.begin(), order.end(), [](Ctl c) { return c == Ctl::Readout; });
    return order;
}

// The chooser is built when it is first shown: most sessions never open it, and an
// editable combo box is the dearest control to set up before the window can appear.
void CalculatorWindow::buildControls() {
    for (Ctl c : creationOrder()) {
        if (layoutOf(c).kind != ControlKind::ComboBox || m_calc.form().control(c).visible)
            createControl(c);
    }
    for (std::size_t i = 0; i < kControlCount; ++i)
        mirrorControl(static_cast<Ctl>(i));
    m_calc.form().takeChanges();
}

QWidget* CalculatorWindow::createControl(Ctl c) {
    const ControlLayout& l = layoutOf(c);
    QWidget* w = nullptr;
    switch (l.kind) {
    case ControlKind::Button:
    case ControlKind::PictureButton: {
        auto* b = new QPushButton(this);
        // Its caption raises the first accessibility event, which fixes the interface.
        if (c == Ctl::EDM)
            registerChooserAction(b, [this] { openChooser(); });
        b->setText(qstr(l.caption));
        b->setAutoDefault(false);
        if (l.kind == ControlKind::PictureButton) {
            const char* name = c == Ctl::cCopy ? "copy" : "paste";
            QIcon icon(picture(name));
            // The double-resolution picture only where a screen can show it.
            if (qApp->devicePixelRatio() > 1.0)
                icon.addPixmap(picture2x(c == Ctl::cCopy ? "copy@2x.png" : "paste@2x.png", "png"));
            b->setIcon(icon);
            b->setIconSize(QSize(16, 16));
        }
        connect(b, &QPushButton::clicked, this,
            [this, c] { forward([this, c] { m_calc.form().userClick(c); }); });
        w = b;
        break;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(qstr(l.caption), this);
        box->setAutoFillBackground(true);
        connect(box, &QCheckBox::clicked, this, [this, c] {
            forward([this, c] { m_calc.form().userClick(c); });
            // The box toggles itself before the rules see the click; put it back in
            // line with the model in case they did not take it.
            mirrorControl(c);
        });
        w = box;
        break;
    }
    case ControlKind::ComboBox: {
        m_chooser = new ChooserBox(this);
        registerChooserAccessible(m_chooser);
        m_chooser->setEditable(true);
        m_chooser->setInsertPolicy(QComboBox::NoInsert);
        m_chooser->lineEdit()->installEventFilter(this);
        // The program has no menus: not even the text field's own.
        m_chooser->lineEdit()->setContextMenuPolicy(Qt::PreventContextMenu);
        connect(m_chooser, &QComboBox::activated, this,
            [this, c](int index) { forward([this, c, index] { m_calc.form().userSelect(c, index); }); });
        connect(m_chooser, &ChooserBox::droppingDown, this,
            [this] { forward([this] { m_calc.Combo1_DropDown(); }); });
        w = m_chooser;
        break;
    }
    case ControlKind::Label:
        if (c == Ctl::Readout) {
            m_readout = new ReadoutView(this);
            w = m_readout;
        } else {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            w = label;
        }
        break;
    case ControlKind::PictureBox:
        w = new QWidget(this);
        break;
    }
    w->setObjectName(
        l.arrayIndex >= 0 ? QStringLiteral("%1(%2)").arg(qstr(l.name)).arg(l.arrayIndex) : qstr(l.name));
    w->setGeometry(pixelRect(l));
    w->setFont(fontFor(l.font));
    QPalette pal = w->palette();
    if (l.foreground) {
        pal.setColor(QPalette::WindowText, qcolor(*l.foreground));
        pal.setColor(QPalette::Text, qcolor(*l.foreground));
    }
    if (l.background) {
        pal.setColor(QPalette::Window, qcolor(*l.background));
        pal.setColor(QPalette::Base, qcolor(*l.background));
    }
    w->setPalette(pal);
    if (c == Ctl::Combo1)
        mirrorChooserName();
    else if (c != Ctl::Readout && c != Ctl::Label2)
        w->setAccessibleName(qstr(tarvelio::accessibleName(c)));
    w->setFocusPolicy(canHoldFocus(l.kind) ? Qt::ClickFocus : Qt::NoFocus);
    if (canHoldFocus(l.kind))
        w->installEventFilter(this);
    m_widgets[indexOf(c)] = w;
    return w;
}

// Puts the controls in the model's stacking order: the order of creation, and over it
// the controls raised since, the latest on top.
void CalculatorWindow::restack() {
    for (Ctl c : creationOrder()) {
        if (QWidget* w = widget(c))
            w->raise();
    }
    std::array<Ctl, kControlCount> raised {};
    std::size_t n = 0;
    for (std::size_t i = 0; i < kControlCount; ++i) {
        if (m_calc.form().control(static_cast<Ctl>(i)).stacking > 0)
            raised[n++] = static_cast<Ctl>(i);
    }
    std::sort(raised.begin(), raised.begin() + static_cast<std::ptrdiff_t>(n), [this](Ctl a, Ctl b) {
        return m_calc.form().control(a).stacking < m_calc.form().control(b).stacking;
    });
    for (std::size_t i = 0; i < n; ++i) {
        if (QWidget* w = widget(raised[i]))
            w->raise();
    }
}

void CalculatorWindow::load() {
    forward([this] { m_calc.Form_Load(); });
}

// Runs one rule for one toolkit event, then shows its outcome. Nothing may unwind
// through Qt's event dispatch; should a rule ever throw (memory exhausted), the window
// shows what the model holds and the program goes on.
void CalculatorWindow::forward(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        qWarning("tarvelio: %s", e.what());
    }
    mirror();
}

void CalculatorWindow::mirror() {
    const FormChanges changes = m_calc.form().takeChanges();
    m_mirroring = true;
    for (std::size_t i = 0; i < kControlCount; ++i) {
        if (changes.has(static_cast<Ctl>(i)))
            mirrorControl(static_cast<Ctl>(i));
    }
    if (changes.has(Ctl::Readout))
        releaseLargeText();
    if (changes.stacking)
        restack();
    mirrorChooserName();
    if (changes.window && m_calc.form().windowVisible())
        show();
    mirrorFocus();
    m_mirroring = false;
    announce(changes);
    // Queued, so that each press reaches whichever control has the focus when it is
    // processed, after the handler that asked for it has returned.
    for (int i = 0; i < changes.rightArrows; ++i)
        QCoreApplication::postEvent(this, new QEvent(kRightArrowEvent));
}

// After the focus, which screen readers present first: the chooser's entry by its name,
// then the readout, which may show the amount in that currency.
void CalculatorWindow::announce(const FormChanges& changes) {
    if (changes.announces(Ctl::Combo1)) {
        const int entry = m_calc.form().control(Ctl::Combo1).listIndex;
        if (entry >= 0)
            m_announcer->announce(qstr(m_calc.chooserEntryName(static_cast<std::size_t>(entry))));
    }
    if (changes.announces(Ctl::Readout))
        m_readout->announce();
}

// Memory the C library keeps after a huge text has gone goes back to the system: a
// pasted 10 MB number would otherwise stay in the footprint for the rest of the run.
void CalculatorWindow::releaseLargeText() {
    constexpr std::size_t kLarge = QtClipboard::kLargeText;
    const ControlState& readout = m_calc.form().control(Ctl::Readout);
    const bool large = readout.caption.size() >= kLarge || readout.toolTip.size() >= kLarge;
    if (m_heldLargeText && !large)
        malloc_trim(0);
    m_heldLargeText = large;
}

void CalculatorWindow::mirrorControl(Ctl c) {
    const ControlState& s = m_calc.form().control(c);
    QWidget* w = widget(c);
    if (!w) {
        // Not built yet: there is nothing to show until the control first shows.
        if (!s.visible)
            return;
        w = createControl(c);
        restack();
    }
    switch (layoutOf(c).kind) {
    case ControlKind::Button:
        static_cast<QPushButton*>(w)->setText(qstr(s.caption));
        break;
    case ControlKind::CheckBox: {
        auto* box = static_cast<QCheckBox*>(w);
        box->setText(qstr(s.caption));
        box->setChecked(s.value != 0);
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = static_cast<ChooserBox*>(w);
        const QSignalBlocker block(combo);
        combo->setThinBorder(s.border);
        combo->lineEdit()->setReadOnly(s.readOnly);
        if (combo->count() != static_cast<int>(s.items.size())) {
            combo->clear();
            for (std::size_t i = 0; i < s.items.size(); ++i) {
                combo->addItem(qstr(s.items[i]));
                combo->setItemData(
                    static_cast<int>(i), qstr(m_calc.chooserEntryName(i)), Qt::AccessibleTextRole);
            }
        }
        combo->setCurrentIndex(s.listIndex);
        combo->setEditText(qstr(s.caption));
        break;
    }
    case ControlKind::Label:
        if (c == Ctl::Readout)
            m_readout->setText(qstr(s.caption));
        else
            static_cast<QLabel*>(w)->setText(qstr(s.caption));
        break;
    case ControlKind::PictureButton:
    case ControlKind::PictureBox:
        break;
    }
    if (s.hooked)
        m_rightClickHook->install(w);
    else if (m_rightClickHook->target() == w)
        m_rightClickHook->remove();
    if (const QString tip = toolTipText(s.toolTip); tip != w->toolTip()) {
        w->setToolTip(tip);
        w->setAccessibleDescription(c == Ctl::EDM ? tip + qstr(kChooserKeysHint) : tip);
    }
    w->setEnabled(s.enabled);
    w->setVisible(s.visible);
}

// The chooser is announced with the currency in use, in its box and in its text field,
// which holds the focus.
void CalculatorWindow::mirrorChooserName() {
    if (!m_chooser)
        return;
    const QString name = qstr(m_calc.chooserAccessibleName());
    if (m_chooser->accessibleName() == name)
        return;
    m_chooser->setAccessibleName(name);
    m_chooser->lineEdit()->setAccessibleName(name);
}

const QObject* CalculatorWindow::hookedWidget() const {
    return m_rightClickHook->target();
}

bool CalculatorWindow::openChooser() {
    bool taken = false;
    forward([this, &taken] { taken = m_calc.EdmRightButtonDown(); });
    return taken;
}

void CalculatorWindow::mirrorFocus() {
    const auto focus = m_calc.form().focus();
    QWidget* target = focus && widget(*focus) ? widget(*focus) : this;
    while (target->focusProxy())
        target = target->focusProxy();
    if (focusWidget() != target)
        target->setFocus(Qt::OtherFocusReason);
}

Ctl CalculatorWindow::controlOf(const QObject* watched) const {
    if (m_chooser && watched == m_chooser->lineEdit())
        return Ctl::Combo1;
    const auto it = std::find(m_widgets.begin(), m_widgets.end(), watched);
    return static_cast<Ctl>(it - m_widgets.begin());
}

bool CalculatorWindow::event(QEvent* event) {
    if (event->type() == kIconSizesEvent) {
        setWindowIcon(iconInEverySize());
        return true;
    }
    if (event->type() != kRightArrowEvent)
        return QWidget::event(event);
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != this)
        target = focusWidget();
    if (target) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
        QCoreApplication::sendEvent(target, &release);
    }
    return true;
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const Ctl c = controlOf(watched);
        if (indexOf(c) < kControlCount && keyPress(c, *static_cast<QKeyEvent*>(event)))
            return true;
    } else if (event->type() == QEvent::FocusIn && !m_mirroring) {
        // Focus that returns with the window's activation was never lost to the rules.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            const Ctl c = controlOf(watched);
            if (indexOf(c) < kControlCount)
                forward([this, c] { m_calc.form().userFocus(c); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

// A key goes to the control with the focus. The chooser passes no character on: its
// key-down handling hands the focus back instead, and a key it hands back is spent there,
// so that neither the box nor its text field acts on it as well (no list keys, no
// drop-down, no context menu); the keys it keeps (Up, Down, Right, Enter) go on to the box.
// Elsewhere the context-menu key and Shift+F10 do what a right-button press on "DM" does;
// every other control passes the character to the key map, and then handles the key
// itself: Space, and Enter too, press a button.
bool CalculatorWindow::keyPress(Ctl c, const QKeyEvent& key) {
    if (c == Ctl::Combo1) {
        forward([this, &key] { m_calc.Combo1_KeyDown(virtualKey(key), shiftState(key)); });
        return m_calc.form().focus() != Ctl::Combo1;
    }
    if (keys::opensChooser(virtualKey(key), shiftState(key))) {
        openChooser();
        return true;
    }
    if (auto code = characterCode(key))
        forward([this, &code] { m_calc.HandleKey(*code); });
    if ((key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && !key.isAutoRepeat()) {
        if (auto* button = qobject_cast<QPushButton*>(widget(c)); button && button->hasFocus())
            button->click();
        return true;
    }
    return false;
}

// The window takes keys itself only while no control has the focus; a key that a control
// left unhandled and that travels on to the window has been dispatched already.
void CalculatorWindow::keyPressEvent(QKeyEvent* event) {
    if (m_calc.form().focus()) {
        event->ignore();
        return;
    }
    if (keys::opensChooser(virtualKey(*event), shiftState(*event))) {
        openChooser();
        return;
    }
    if (auto code = characterCode(*event))
        forward([this, &code] { m_calc.HandleKey(*code); });
}

void CalculatorWindow::paintEvent(QPaintEvent*) {
    // The picture is read when it is first needed, so that the window maps without
    // waiting for it.
    if (!m_backgroundRead) {
        m_background = picture("background");
        m_backgroundRead = true;
    }
    if (!m_iconSizesPosted) {
        m_iconSizesPosted = true;
        QCoreApplication::postEvent(this, new QEvent(kIconSizesEvent));
    }
    QPainter painter(this);
    if (m_background.isNull()) {
        // Without the picture the window still gets a calm field of its own colour.
        painter.fillRect(rect(), QColor(0, 32, 128));
        m_lastPaintTiles = 0;
        return;
    }
    // On a high-density screen the picture drawn at twice the resolution keeps it sharp.
    if (devicePixelRatioF() > 1.0 && m_background2x.isNull()) {
        m_background2x = picture2x("background@2x.jpg", "jpeg");
        m_background2x.setDevicePixelRatio(2.0);
    }
    WidgetSurface surface(painter, *this,
        devicePixelRatioF() > 1.0 && !m_background2x.isNull() ? m_background2x : m_background);
    m_calc.Form_Paint(surface);
    m_lastPaintTiles = surface.tiles;
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    forward([this] { m_calc.Form_Unload(); });
    event->accept();
}

} // namespace tarvelio
