// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/mirror/accessibility.h"

#include "core/window/layout.h"
#include "qt/mirror/readoutview.h"
#include "qt/qstr.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace tarvelio {

namespace {

// The toolkit's actions in German, like every other text of the window; the program's own
// action is named in German already.
QString germanActionName(const QString& name) {
    if (name == QAccessibleActionInterface::pressAction())
        return QString::fromUtf8("Dr\u00FCcken");
    if (name == QAccessibleActionInterface::setFocusAction())
        return QString::fromUtf8("Fokus setzen");
    if (name == QAccessibleActionInterface::showMenuAction())
        return QString::fromUtf8("Liste \u00F6ffnen");
    return name;
}

// The readout as a notification whose characters can be read. Screen readers speak a
// notification when it is shown, whichever control has the focus; they pass over the
// text changes of a label without the focus.
class ReadoutAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadoutAccessible(ReadoutView* view)
        : QAccessibleWidget(view, QAccessible::Notification) { }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int start, int end) const override {
        const QString& all = view()->text();
        start = qBound(0, start, int(all.size()));
        end = end < 0 ? int(all.size()) : qBound(start, end, int(all.size()));
        return all.mid(start, end - start);
    }
    using QAccessibleWidget::text;
    int characterCount() const override { return int(view()->text().size()); }
    QRect characterRect(int offset) const override {
        const QRect local = view()->characterRect(offset);
        return local.isNull() ? local : QRect(view()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return view()->offsetAt(view()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    ReadoutView* view() const { return static_cast<ReadoutView*>(widget()); }
};

// "DM" keeps what a push button offers and gains the action that opens the chooser.
class ChooserButtonAccessible final : public QAccessibleWidget {
public:
    ChooserButtonAccessible(QPushButton* button, std::function<void()> openChooser)
        : QAccessibleWidget(button, QAccessible::Button)
        , m_openChooser(std::move(openChooser)) { }

    QStringList actionNames() const override { return {pressAction(), chooseAction(), setFocusAction()}; }
    void doAction(const QString& name) override {
        if (!widget()->isEnabled())
            return;
        if (name == pressAction())
            static_cast<QPushButton*>(widget())->click();
        else if (name == chooseAction())
            m_openChooser();
        else
            QAccessibleWidget::doAction(name);
    }
    QString localizedActionName(const QString& name) const override { return germanActionName(name); }
    QString localizedActionDescription(const QString& name) const override { return germanActionName(name); }
    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == chooseAction())
            return qstr(texts::kChooserKeys).split(QStringLiteral(", "));
        return {};
    }

private:
    static QString chooseAction() { return qstr(texts::kChooseCurrencyAction); }

    std::function<void()> m_openChooser;
};

// The chooser as a combo box announced by its own name ("Währung: DEM") with the code as
// its value; the toolkit's own would announce the code alone.
class ChooserAccessible final : public QAccessibleWidget {
public:
    explicit ChooserAccessible(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) { }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return box()->lineEdit() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->lineEdit())
            return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (this->child(i) == child)
                return i;
        }
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        return box()->lineEdit() && box()->lineEdit()->hasFocus() ? child(1) : nullptr;
    }
    QStringList actionNames() const override { return {showMenuAction(), setFocusAction()}; }
    void doAction(const QString& name) override {
        if (name == showMenuAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(name);
    }
    QString localizedActionName(const QString& name) const override { return germanActionName(name); }
    QString localizedActionDescription(const QString& name) const override { return germanActionName(name); }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

// A notification with no place on the screen, named by what it says.
class AnnouncementAccessible final : public QAccessibleObject {
public:
    explicit AnnouncementAccessible(Announcer* announcer)
        : QAccessibleObject(announcer) { }

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<Announcer*>(object())->text() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
};

struct Registered {
    QHash<QObject*, std::function<QAccessibleInterface*()>> makers;
};

Registered& registered() {
    static Registered r;
    return r;
}

QAccessibleInterface* factory(const QString&, QObject* object) {
    const auto it = registered().makers.constFind(object);
    return it == registered().makers.constEnd() ? nullptr : (*it)();
}

void enroll(QObject* object, std::function<QAccessibleInterface*()> make) {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
    registered().makers.insert(object, std::move(make));
    QObject::connect(object, &QObject::destroyed, [object] { registered().makers.remove(object); });
}

} // namespace

Announcer::Announcer(QObject* parent)
    : QObject(parent) {
    enroll(this, [this] { return new AnnouncementAccessible(this); });
}

void Announcer::announce(const QString& text) {
    m_text = text;
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void registerReadoutAccessible(ReadoutView* readout) {
    enroll(readout, [readout] { return new ReadoutAccessible(readout); });
}

void registerChooserAccessible(QComboBox* chooser) {
    enroll(chooser, [chooser] { return new ChooserAccessible(chooser); });
}

void registerChooserAction(QPushButton* button, std::function<void()> openChooser) {
    enroll(button, [button, openChooser] { return new ChooserButtonAccessible(button, openChooser); });
}

} // namespace tarvelio
