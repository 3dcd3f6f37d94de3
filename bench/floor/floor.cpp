// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The toolkit floor for the start-up and key benchmarks: a window of the calculator's size
// with its 29 controls at the same places in the same fonts, as plain Qt widgets. There are
// no rules, no pictures and no style of our own. Digits typed gather in the readout and any
// other key clears it, so that a key press repaints a readout of about the length the
// calculator shows. Whatever the calculator costs beyond this window is ours; what this
// window costs is Qt's.
#include "core/window/layout.h"
#include "qt/fonts/qtfont.h"
#include "qt/qstr.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

namespace {

using namespace tarvelio;

class FloorWindow final : public QWidget {
public:
    FloorWindow() {
        setWindowTitle(QStringLiteral("Tarvelio floor"));
        setFont(fontFor(FontRole::Window));
        setFixedSize(toPixels(kClientWidthTwips), toPixels(kClientHeightTwips));
        setAttribute(Qt::WA_OpaquePaintEvent);
        for (const ControlLayout& l : kLayout) {
            QWidget* w = nullptr;
            switch (l.kind) {
            case ControlKind::Button:
            case ControlKind::PictureButton: {
                auto* b = new QPushButton(qstr(l.caption), this);
                b->setAutoDefault(false);
                if (l.id == Ctl::Equals)
                    m_equals = b;
                w = b;
                break;
            }
            case ControlKind::CheckBox: {
                auto* box = new QCheckBox(qstr(l.caption), this);
                box->setChecked(true);
                w = box;
                break;
            }
            case ControlKind::ComboBox:
                w = new QComboBox(this);
                break;
            case ControlKind::Label: {
                auto* label = new QLabel(qstr(l.caption), this);
                if (l.id == Ctl::Readout) {
                    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                    m_readout = label;
                }
                w = label;
                break;
            }
            case ControlKind::PictureBox:
                continue;
            }
            w->setGeometry(toPixels(l.left), toPixels(l.top), toPixels(l.width), toPixels(l.height));
            w->setFont(fontFor(l.font));
            if (l.background || l.foreground) {
                QPalette pal = w->palette();
                if (l.foreground)
                    pal.setColor(
                        QPalette::WindowText, QColor(l.foreground->r, l.foreground->g, l.foreground->b));
                if (l.background) {
                    pal.setColor(QPalette::Window, QColor(l.background->r, l.background->g, l.background->b));
                    w->setAutoFillBackground(true);
                }
                w->setPalette(pal);
            }
            w->setFocusPolicy(canHoldFocus(l.kind) ? Qt::ClickFocus : Qt::NoFocus);
            w->setVisible(l.visible);
        }
    }

    // The calculator starts with the focus on "=", so keys go through a button here too.
    void start() {
        show();
        m_equals->setFocus(Qt::OtherFocusReason);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0, 32, 128));
    }

    // The focused button passes the keys it does not use on to its window.
    void keyPressEvent(QKeyEvent* event) override {
        const QString text = event->text();
        if (text.isEmpty())
            return;
        if (text.size() == 1 && text.at(0).isDigit())
            m_entry += text;
        else
            m_entry.clear();
        m_readout->setText(m_entry.isEmpty() ? QStringLiteral("0") : m_entry);
    }

private:
    QString m_entry;
    QPushButton* m_equals = nullptr;
    QLabel* m_readout = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FloorWindow window;
    window.start();
    return QApplication::exec();
}
