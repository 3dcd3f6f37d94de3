// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/mirror/controlviews.h"

#include "core/engine/numbertext.h"
#include "core/window/layout.h"
#include "qt/fonts/qtfont.h"
#include "qt/mirror/accessibility.h"
#include "qt/mirror/readoutview.h"
#include "qt/pictures/pictures.h"
#include "qt/platform/chooserbox.h"
#include "qt/platform/rightclickhook.h"
#include "qt/qstr.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace tarvelio {

namespace {

QColor qcolor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

class ButtonView final : public ControlView {
public:
    ButtonView(Ctl c, QWidget* parent, ControlHost& host)
        : ControlView(c, new QPushButton(parent), host) {
        auto* b = button();
        const ControlLayout& l = layoutOf(c);
        // Its caption raises the first accessibility event, which fixes the interface.
        if (l.has(trait::kChooserAction))
            registerChooserAction(b, [&host] { host.openChooser(); });
        b->setText(qstr(l.caption));
        b->setAutoDefault(false);
        if (!l.picture.ready.empty()) {
            b->setIcon(controlIcon(l.picture, qApp->devicePixelRatio()));
            b->setIconSize(QSize(16, 16));
        }
        QObject::connect(b, &QPushButton::clicked, b, [c, &host] { host.clicked(c); });
    }

private:
    QPushButton* button() const { return static_cast<QPushButton*>(m_widget); }
    void mirrorOwn(const ControlState& s) override {
        if (layoutOf(m_ctl).kind == ControlKind::Button)
            button()->setText(qstr(s.caption));
    }
};

class CheckBoxView final : public ControlView {
public:
    CheckBoxView(Ctl c, QWidget* parent, ControlHost& host)
        : ControlView(c, new QCheckBox(qstr(layoutOf(c).caption), parent), host) {
        box()->setAutoFillBackground(true);
        QObject::connect(box(), &QCheckBox::clicked, box(), [this] {
            m_host.clicked(m_ctl);
            // The box toggles itself before the rules see the click; put it back in
            // line with the model in case they did not take it.
            mirror(m_host.state(m_ctl));
        });
    }

private:
    QCheckBox* box() const { return static_cast<QCheckBox*>(m_widget); }
    void mirrorOwn(const ControlState& s) override {
        box()->setText(qstr(s.caption));
        box()->setChecked(s.value != 0);
    }
};

class ChooserView final : public ControlView {
public:
    ChooserView(Ctl c, QWidget* parent, ControlHost& host)
        : ControlView(c, new ChooserBox(parent), host) {
        auto* combo = chooser();
        registerChooserAccessible(combo);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->lineEdit()->installEventFilter(this);
        // The program has no menus: not even the text field's own.
        combo->lineEdit()->setContextMenuPolicy(Qt::PreventContextMenu);
        QObject::connect(
            combo, &QComboBox::activated, combo, [c, &host](int index) { host.selected(c, index); });
        QObject::connect(combo, &ChooserBox::droppingDown, combo, [&host] { host.droppingDown(); });
    }

    bool owns(const QWidget* w) const override { return w && (w == m_widget || w == chooser()->lineEdit()); }

private:
    ChooserBox* chooser() const { return static_cast<ChooserBox*>(m_widget); }
    void mirrorOwn(const ControlState& s) override {
        auto* combo = chooser();
        const QSignalBlocker block(combo);
        combo->setThinBorder(s.border);
        combo->lineEdit()->setReadOnly(s.readOnly);
        if (combo->count() != static_cast<int>(s.items.size())) {
            combo->clear();
            for (std::size_t i = 0; i < s.items.size(); ++i) {
                combo->addItem(qstr(s.items[i]));
                combo->setItemData(static_cast<int>(i), qstr(m_host.entryName(i)), Qt::AccessibleTextRole);
            }
        }
        combo->setCurrentIndex(s.listIndex);
        combo->setEditText(qstr(s.caption));
    }
};

class LabelView final : public ControlView {
public:
    LabelView(Ctl c, QWidget* parent, ControlHost& host)
        : ControlView(c, new QLabel(parent), host) {
        label()->setTextFormat(Qt::PlainText);
        label()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(m_widget); }
    void mirrorOwn(const ControlState& s) override { label()->setText(qstr(s.caption)); }
};

// The readout, the one label screen readers are told about when it changes.
class ReadoutLabelView final : public ControlView {
public:
    ReadoutLabelView(Ctl c, QWidget* parent, ControlHost& host)
        : ControlView(c, new ReadoutView(parent), host) {
        registerReadoutAccessible(static_cast<ReadoutView*>(m_widget));
    }

private:
    void mirrorOwn(const ControlState& s) override {
        static_cast<ReadoutView*>(m_widget)->setText(qstr(drawnReadout(s.caption)));
    }
};

class PictureBoxView final : public ControlView {
public:
    PictureBoxView(Ctl c, QWidget* parent, ControlHost& host)
        : ControlView(c, new QWidget(parent), host) { }

private:
    void mirrorOwn(const ControlState&) override { }
};

std::unique_ptr<ControlView> makeView(Ctl c, QWidget* parent, ControlHost& host) {
    switch (layoutOf(c).kind) {
    case ControlKind::Button:
    case ControlKind::PictureButton:
        return std::make_unique<ButtonView>(c, parent, host);
    case ControlKind::CheckBox:
        return std::make_unique<CheckBoxView>(c, parent, host);
    case ControlKind::ComboBox:
        return std::make_unique<ChooserView>(c, parent, host);
    case ControlKind::Label:
        if (c == Ctl::Readout)
            return std::make_unique<ReadoutLabelView>(c, parent, host);
        return std::make_unique<LabelView>(c, parent, host);
    case ControlKind::PictureBox:
        break;
    }
    return std::make_unique<PictureBoxView>(c, parent, host);
}

} // namespace

std::unique_ptr<ControlView> ControlView::create(Ctl c, QWidget* parent, ControlHost& host) {
    auto view = makeView(c, parent, host);
    const ControlLayout& l = layoutOf(c);
    QWidget* w = view->widget();
    w->setObjectName(
        l.arrayIndex >= 0 ? QStringLiteral("%1(%2)").arg(qstr(l.name)).arg(l.arrayIndex) : qstr(l.name));
    w->setGeometry(toPixels(l.left), toPixels(l.top), toPixels(l.width), toPixels(l.height));
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
    // The chooser's name follows the currency in use; the window keeps it current.
    if (!l.has(trait::kNamedByText) && l.kind != ControlKind::ComboBox)
        w->setAccessibleName(qstr(l.accessibleName));
    w->setFocusPolicy(canHoldFocus(l.kind) ? Qt::ClickFocus : Qt::NoFocus);
    if (canHoldFocus(l.kind))
        w->installEventFilter(view.get());
    return view;
}

bool ControlView::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        return m_host.keyPressed(m_ctl, *static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusIn)
        m_host.focusGained(m_ctl, static_cast<QFocusEvent*>(event)->reason());
    return false;
}

// Labels are drawn on the window's surface, beneath every other control, so they are
// created first; the readout first of all, so that the unit label lies over it.
std::array<Ctl, kControlCount> creationOrder() {
    std::array<Ctl, kControlCount> order {};
    for (std::size_t i = 0; i < kControlCount; ++i)
        order[i] = static_cast<Ctl>(i);
    std::stable_partition(
        order.begin(), order.end(), [](Ctl c) { return layoutOf(c).kind == ControlKind::Label; });
    std::stable_partition(order.begin(), order.end(), [](Ctl c) { return c == Ctl::Readout; });
    return order;
}

void ControlView::mirror(const ControlState& s) {
    mirrorOwn(s);
    QWidget* w = m_widget;
    RightClickHook& hook = m_host.rightClickHook();
    if (s.hooked)
        hook.install(w);
    else if (hook.target() == w)
        hook.remove();
    if (const QString tip = qstr(s.toolTip); tip != w->toolTip()) {
        w->setToolTip(tip);
        w->setAccessibleDescription(
            layoutOf(m_ctl).has(trait::kChooserAction) ? tip + qstr(texts::kChooserKeysHint) : tip);
    }
    w->setEnabled(s.enabled);
    w->setVisible(s.visible);
}

} // namespace tarvelio
