// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

namespace tarvelio {

// The readout: right-aligned text on an opaque background inside a sunken border. Only
// the right-hand part that fits is laid out, so a caption of any length draws at once.
class ReadoutView final : public QWidget {
    Q_OBJECT
public:
    explicit ReadoutView(QWidget* parent = nullptr);

    void setText(QString text);
    // Screen readers speak what the readout shows now.
    void announce();
    const QString& text() const { return m_text; }
    // The part of the text that is laid out: its end, at most a line's worth.
    QString visibleText() const;
    // Where a character of the text is drawn, in the view's coordinates; empty for one
    // that is not drawn. The character at a point, or -1.
    QRect characterRect(int offset) const;
    int offsetAt(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textRect() const;

    QString m_text;
};

} // namespace tarvelio
