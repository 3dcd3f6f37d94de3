// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/mirror/readoutview.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

#include <qdrawutil.h>
#include <utility>

namespace tarvelio {

ReadoutView::ReadoutView(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ReadoutView::setText(QString text) {
    if (text == m_text)
        return;
    QString old = std::exchange(m_text, std::move(text));
    // Screen readers that follow the readout hear the new number, as far as it is drawn.
    setAccessibleName(m_text);
    QAccessibleTextUpdateEvent changed(this, 0, old, m_text);
    QAccessible::updateAccessibility(&changed);
    // The border stays as it is; only the text is drawn again.
    update(textRect());
}

// A notification that is shown is spoken; the view itself stays as it is.
void ReadoutView::announce() {
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

QString ReadoutView::visibleText() const {
    // No glyph is narrower than two pixels, so this many characters more than fill a line.
    const qsizetype limit = qMax(8, width() / 2 + 2);
    if (m_text.size() <= limit)
        return m_text;
    qsizetype from = m_text.size() - limit;
    if (m_text.at(from).isLowSurrogate())
        ++from;
    return m_text.mid(from);
}

// The text is drawn right-aligned: a character's place is measured from the right edge.
QRect ReadoutView::characterRect(int offset) const {
    const QString shown = visibleText();
    const qsizetype first = m_text.size() - shown.size();
    if (offset < first || offset >= m_text.size())
        return {};
    const QFontMetrics metrics(font());
    const QRect text = textRect();
    const int right = text.right() + 1 - metrics.horizontalAdvance(shown.mid(offset - first + 1));
    const int width = metrics.horizontalAdvance(shown.at(offset - first));
    const int top = text.top() + (text.height() - metrics.height()) / 2;
    return {right - width, top, width, metrics.height()};
}

int ReadoutView::offsetAt(QPoint point) const {
    for (qsizetype i = m_text.size() - 1; i >= m_text.size() - visibleText().size() && i >= 0; --i) {
        const QRect r = characterRect(int(i));
        if (point.x() >= r.left() && point.x() <= r.right())
            return int(i);
    }
    return -1;
}

QRect ReadoutView::textRect() const {
    return rect().adjusted(2, 1, -3, -1);
}

void ReadoutView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect text = textRect();
    if (text.contains(event->rect())) {
        p.fillRect(text, palette().color(QPalette::Window));
    } else {
        p.fillRect(rect(), palette().color(QPalette::Window));
        qDrawShadePanel(&p, rect(), palette(), true, 1);
    }
    p.setClipRect(text);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(text, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, visibleText());
}

} // namespace tarvelio
