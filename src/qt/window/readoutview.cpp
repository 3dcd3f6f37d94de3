#include "window/readoutview.h"

#include <QAccessibleWidget>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace tarvelio {

namespace {

// The readout is announced as text, not as an empty pane.
QAccessibleInterface* readoutAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(ReadoutView::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StaticText);
    return nullptr;
}

} // namespace

ReadoutView::ReadoutView(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    static const bool installed = [] {
        QAccessible::installFactory(readoutAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

void ReadoutView::setText(QString text) {
    if (text == m_text)
        return;
    m_text = std::move(text);
    // Screen readers hear the new number; a pasted megabyte is announced by its end.
    setAccessibleName(m_text.size() > 400 ? visibleText() : m_text);
    // The border stays as it is; only the text is drawn again.
    update(textRect());
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
