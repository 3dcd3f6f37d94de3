// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/platform/chooserbox.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionComplex>

#include <algorithm>

namespace tarvelio {

namespace {

// The chooser is only 46 pixels wide: a narrow drop-down arrow leaves its text field
// room for a whole currency code.
class NarrowArrowStyle final : public QProxyStyle {
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
        const QWidget* widget) const override {
        if (control != CC_ComboBox)
            return QProxyStyle::subControlRect(control, option, sub, widget);
        constexpr int kArrow = 12;
        const QRect r = option->rect;
        switch (sub) {
        case SC_ComboBoxArrow:
            return {r.right() - kArrow, r.top() + 1, kArrow, r.height() - 2};
        case SC_ComboBoxEditField:
            return {r.left() + 2, r.top() + 2, r.width() - kArrow - 3, r.height() - 4};
        default:
            return QProxyStyle::subControlRect(control, option, sub, widget);
        }
    }
};

} // namespace

ChooserBox::ChooserBox(QWidget* parent)
    : QComboBox(parent) {
    auto* style = new NarrowArrowStyle;
    style->setParent(this);
    setStyle(style);
    // The program has no menus. The box would otherwise hand a context-menu event, the
    // context-menu key's too, to its text field's own menu, whatever that field's policy.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void ChooserBox::setThinBorder(bool on) {
    if (m_thinBorder == on)
        return;
    m_thinBorder = on;
    // The border takes the outermost pixel; the text field moves in by as much.
    setContentsMargins(on ? QMargins(1, 1, 1, 1) : QMargins());
    update();
}

// The list drops down at least as wide as its widest entry at the font it is drawn in, so
// that no code is cut short, whatever faces the font set provides; the box itself is
// narrower than some codes with the list's scroll bar beside them.
void ChooserBox::showPopup() {
    emit droppingDown();
    QAbstractItemView* list = view();
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, list->sizeHintForIndex(model()->index(i, modelColumn())).width());
    const int scrollBar
        = count() > maxVisibleItems() ? list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    list->setMinimumWidth(widest + scrollBar + 2 * list->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
    QComboBox::showPopup();
}

void ChooserBox::paintEvent(QPaintEvent* event) {
    QComboBox::paintEvent(event);
    if (!m_thinBorder)
        return;
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace tarvelio
