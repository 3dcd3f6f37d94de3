// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QComboBox>

namespace tarvelio {

// The currency chooser: a combo box that can carry a thin border and reports when its
// list is about to drop down.
class ChooserBox final : public QComboBox {
    Q_OBJECT
public:
    explicit ChooserBox(QWidget* parent = nullptr);

    void setThinBorder(bool on);
    bool hasThinBorder() const { return m_thinBorder; }
    void showPopup() override;

signals:
    void droppingDown();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_thinBorder = false;
};

} // namespace tarvelio
