// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/mirror/calculatorwindow.h"

#include "core/window/layout.h"
#include "qt/clipboard/heldinput.h"
#include "qt/clipboard/largetext.h"
#include "qt/fonts/qtfont.h"
#include "qt/mirror/accessibility.h"
#include "qt/mirror/readoutview.h"
#include "qt/platform/chooserbox.h"
#include "qt/platform/qtkeys.h"
#include "qt/platform/rightclickhook.h"
#include "qt/qstr.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>

namespace tarvelio {

NumberFormat systemNumberFormat() {
    const QLocale locale = QLocale::system();
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

CalculatorWindow::CalculatorWindow(NumberFormat format, QWidget* parent)
    : QWidget(parent)
    , m_calc(std::move(format))
    , m_clipboard([this](const std::function<void()>& reply) { clipboardAnswered(reply); })
    , m_background(layoutOf(Ctl::Picture1).picture) {
    setWindowTitle(qstr(texts::kWindowTitle));
    setWindowIcon(programIcon());
    setFont(fontFor(FontRole::Window));
    setFixedSize(toPixels(kClientWidthTwips), toPixels(kClientHeightTwips));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
        | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    m_calc.setClipboard(&m_clipboard);
    m_largeText = new LargeTextCare(m_clipboard, this);
    m_heldInput = new HeldInput([this] { return m_clipboard.reading(); }, this);
    m_rightClickHook = new RightClickHook([this] { return openChooser(); }, this);
    m_announcer = new Announcer(this);
    // Controls built when first shown wait until the model shows them.
    for (Ctl c : creationOrder()) {
        if (!layoutOf(c).has(trait::kBuiltWhenShown) || m_calc.form().control(c).visible)
            createControl(c);
    }
    for (std::size_t i = 0; i < kControlCount; ++i)
        mirrorControl(static_cast<Ctl>(i));
    m_calc.form().takeChanges();
}

// Runs one rule for one toolkit event, then shows its outcome. Nothing may unwind
// through Qt's event dispatch; should a rule ever throw (memory exhausted), the window
// shows what the model holds and the program goes on. A template: a key's rule is called
// directly, with no function object made for it.
template <class Action> void CalculatorWindow::forward(const Action& action) {
    try {
        action();
    } catch (const std::exception& e) {
        qWarning("tarvelio: %s", e.what());
    }
    mirror();
}

QWidget* CalculatorWindow::createControl(Ctl c) {
    auto& view = m_views[indexOf(c)];
    view = ControlView::create(c, this, *this);
    if (layoutOf(c).kind == ControlKind::ComboBox)
        mirrorChooserName();
    return view->widget();
}

void CalculatorWindow::clicked(Ctl c) {
    forward([this, c] { m_calc.form().userClick(c); });
}

void CalculatorWindow::selected(Ctl c, int index) {
    forward([this, c, index] { m_calc.form().userSelect(c, index); });
}

void CalculatorWindow::droppingDown() {
    forward([this] { m_calc.form().userDropDown(Ctl::Combo1); });
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

// A paste that another program answered in its own time: applied as the user's action it
// completes, then the keys and clicks that came meanwhile follow.
void CalculatorWindow::clipboardAnswered(const std::function<void()>& reply) {
    forward(reply);
    m_heldInput->release();
}

void CalculatorWindow::mirror() {
    const FormChanges changes = m_calc.form().takeChanges();
    m_mirroring = true;
    for (std::size_t i = 0; i < kControlCount; ++i) {
        if (changes.has(static_cast<Ctl>(i)))
            mirrorControl(static_cast<Ctl>(i));
    }
    if (changes.has(Ctl::Readout))
        m_largeText->readoutShown(m_calc.form().control(Ctl::Readout));
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
        static_cast<ReadoutView*>(widget(Ctl::Readout))->announce();
}

void CalculatorWindow::mirrorControl(Ctl c) {
    const ControlState& s = m_calc.form().control(c);
    if (!m_views[indexOf(c)]) {
        // Not built yet: there is nothing to show until the control first shows.
        if (!s.visible)
            return;
        createControl(c);
        restack();
    }
    m_views[indexOf(c)]->mirror(s);
}

// The chooser is announced with the currency in use, in its box and in its text field,
// which holds the focus.
void CalculatorWindow::mirrorChooserName() {
    auto* chooser = static_cast<ChooserBox*>(widget(Ctl::Combo1));
    if (!chooser)
        return;
    const QString name = qstr(m_calc.chooserAccessibleName());
    if (chooser->accessibleName() == name)
        return;
    chooser->setAccessibleName(name);
    chooser->lineEdit()->setAccessibleName(name);
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

bool CalculatorWindow::event(QEvent* event) {
    if (event->type() == kIconSizesEvent) {
        setWindowIcon(programIconInEverySize());
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

// Focus that returns with the window's activation was never lost to the rules.
void CalculatorWindow::focusGained(Ctl c, Qt::FocusReason reason) {
    if (m_mirroring || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    if (reason == Qt::MouseFocusReason && c == Ctl::Combo1) {
        // Qt gives the focus to a pressed control before the press opens its list. The
        // chooser's focus gain is told once the press is handled, so that a list opened by
        // its arrow comes first, as one user action; a press into its text field only
        // gives the focus.
        QMetaObject::invokeMethod(this, &CalculatorWindow::chooserFocusedByPress, Qt::QueuedConnection);
        return;
    }
    forward([this, c] { m_calc.form().userFocus(c); });
}

// Unless the press opened the list, or the focus has moved on since.
void CalculatorWindow::chooserFocusedByPress() {
    if (m_calc.form().focus() != Ctl::Combo1
        && m_views[indexOf(Ctl::Combo1)]->owns(QApplication::focusWidget()))
        forward([this] { m_calc.form().userFocus(Ctl::Combo1); });
}

// The window takes keys itself only while no control has the focus; a key that a control
// left unhandled and that travels on to the window has been dispatched already.
void CalculatorWindow::keyPressEvent(QKeyEvent* event) {
    if (m_calc.form().focus())
        event->ignore();
    else
        userKey(std::nullopt, *event);
}

// A key, translated, to the rules; returns whether it is spent.
bool CalculatorWindow::userKey(std::optional<Ctl> c, const QKeyEvent& key) {
    bool spent = false;
    forward([this, c, press = keyPress(key), &spent] { spent = m_calc.form().userKey(c, press); });
    return spent;
}

void CalculatorWindow::paintEvent(QPaintEvent*) {
    if (!m_iconSizesPosted) {
        m_iconSizesPosted = true;
        QCoreApplication::postEvent(this, new QEvent(kIconSizesEvent));
    }
    m_lastPaintTiles = m_background.paint(*this, [this](PaintSurface& s) { m_calc.Form_Paint(s); });
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    forward([this] { m_calc.Form_Unload(); });
    event->accept();
}

} // namespace tarvelio
