// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/engine/numbertext.h"
#include "qt/mirror/calculatorwindow.h"
#include "qt/mirror/readoutview.h"
#include "qt/platform/chooserbox.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <random>

using namespace tarvelio;

class WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CalculatorWindow> m_window;

    QWidget* named(const QString& name) const { return m_window->findChild<QWidget*>(name); }
    QString readout() const { return static_cast<ReadoutView*>(named("Readout"))->text(); }
    int stackIndex(const QString& name) const { return int(m_window->children().indexOf(named(name))); }
    void click(const QString& name) { QTest::mouseClick(named(name), Qt::LeftButton); }

    void saveShot(const QString& file) {
        const QString dir = qEnvironmentVariable("TARVELIO_SHOTS");
        if (!dir.isEmpty() && QDir().mkpath(dir))
            m_window->grab().save(dir + "/" + file);
    }

private slots:
    void init() {
        m_window = std::make_unique<CalculatorWindow>(NumberFormat::german());
        m_window->load();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void startsAsLaidOut() {
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Tarvelio"));
        QCOMPARE(m_window->size(), QSize(218, 169));
        QVERIFY(!m_window->windowIcon().isNull());
        // Task bars and window switchers find a picture drawn for each small size, from
        // right after the first paint.
        QCoreApplication::processEvents();
        for (const int size : {16, 24, 32, 48, 64})
            QVERIFY2(m_window->windowIcon().availableSizes().contains(QSize(size, size)),
                qPrintable(QString::number(size)));
        QCOMPARE(readout(), QStringLiteral("0,00"));
        QCOMPARE(named("Readout")->toolTip(), QStringLiteral("0,"));
        QCOMPARE(static_cast<QLabel*>(named("Label2"))->text(), QString());
        QCOMPARE(m_window->focusWidget(), named("Operator(4)"));
        QVERIFY(static_cast<QCheckBox*>(named("Digits2"))->isChecked());
        int shown = 0;
        for (auto* w : m_window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            shown += w->isVisible();
        QCOMPARE(shown, 27);
        const QWidget* chooser = named("Combo1");
        QVERIFY(!chooser || chooser->isHidden());
        QVERIFY(named("Picture1")->isHidden());
        saveShot("window-start.png");
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<int>("fontPixels");
        QTest::addColumn<bool>("bold");
        auto row = [](const char* name, QRect r, const char* caption, const char* tip, int px, bool bold) {
            QTest::newRow(name) << QString(name) << r << QString::fromUtf8(caption) << QString::fromUtf8(tip)
                                << px << bold;
        };
        row("Operator(4)", {136, 144, 32, 17}, "=", "", 13, true);
        row("Number(0)", {8, 144, 72, 17}, "0", "", 13, true);
        row("Number(1)", {8, 120, 32, 17}, "1", "", 13, true);
        row("Number(2)", {48, 120, 32, 17}, "2", "", 13, true);
        row("Number(3)", {88, 120, 32, 17}, "3", "", 13, true);
        row("Number(4)", {8, 96, 32, 17}, "4", "", 13, true);
        row("Number(5)", {48, 96, 32, 17}, "5", "", 13, true);
        row("Number(6)", {88, 96, 32, 17}, "6", "", 13, true);
        row("Number(7)", {8, 72, 32, 17}, "7", "", 13, true);
        row("Number(8)", {48, 72, 32, 17}, "8", "", 13, true);
        row("Number(9)", {88, 72, 32, 17}, "9", "", 13, true);
        row("Cancel", {136, 72, 32, 17}, "C", "", 11, true);
        row("CancelEntry", {176, 72, 32, 17}, "CE", "", 11, true);
        row("Operator(1)", {136, 96, 32, 17}, "+", "", 13, true);
        row("Operator(3)", {176, 96, 32, 17}, "-", "", 13, true);
        row("Operator(2)", {136, 120, 32, 17}, "X", "", 11, true);
        row("Operator(0)", {176, 120, 32, 17}, "/", "", 11, true);
        row("Decimal", {88, 144, 32, 17}, ".", "", 13, true);
        row("Percent", {176, 144, 32, 17}, "%", "", 13, true);
        row("Picture1", {0, 0, 218, 169}, "", "", 13, true);
        row("Readout", {8, 8, 201, 21}, "0,00", "0,", 13, true);
        row("DME", {120, 38, 41, 20}, "EUR", "DM -> \u20AC (AltGr E)", 11, true);
        row("Digits2", {72, 40, 13, 16}, "Check1", "Zwei Dezimalstellen", 13, true);
        row("Label1", {88, 41, 41, 17}, "#,##", "", 11, false);
        row("cCopy", {8, 38, 24, 22}, "", "Kopieren (Strg+C)", 13, true);
        row("cPaste", {40, 38, 24, 22}, "", "Einf\u00FCgen (Strg+V)", 13, true);
        row("Combo1", {163, 37, 46, 21}, "DEM", "\u20AC -> Deutsche Mark", 11, false);
        row("EDM", {168, 38, 41, 20}, "DM", "\u20AC -> DM (D), Rechtsklick f\u00FCr andere W\u00E4hrungen",
            11, true);
        row("Label2", {12, 11, 26, 16}, "", "", 11, false);
    }

    void controls() {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        QFETCH(int, fontPixels);
        QFETCH(bool, bold);
        // The chooser is checked as it first shows.
        if (name == "Combo1")
            QTest::mousePress(named("EDM"), Qt::RightButton);
        QWidget* w = named(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(w->geometry(), rect);
        QCOMPARE(w->toolTip(), toolTip);
        QCOMPARE(w->font().pixelSize(), fontPixels);
        QCOMPARE(w->font().bold(), bold);
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            text = b->text();
        else if (auto* l = qobject_cast<QLabel*>(w))
            text = l->text();
        else if (auto* c = qobject_cast<QComboBox*>(w))
            text = c->currentText();
        else if (auto* r = qobject_cast<ReadoutView*>(w))
            text = r->text();
        QCOMPARE(text, caption);
        QVERIFY(w->isEnabled());
        // A click gives a button the focus, the Tab key never does.
        const bool focusable
            = !qobject_cast<QLabel*>(w) && !qobject_cast<ReadoutView*>(w) && name != "Picture1";
        QCOMPARE(w->focusPolicy(), focusable ? Qt::ClickFocus : Qt::NoFocus);
    }

    void pictureButtonsShowTheirPictures() {
        for (const char* name : {"cCopy", "cPaste"}) {
            auto* b = static_cast<QPushButton*>(named(name));
            QVERIFY(!b->icon().isNull());
            QCOMPARE(b->iconSize(), QSize(16, 16));
        }
    }

    // Labels lie beneath the other controls; the unit label over the readout.
    void stacking() {
        QTest::mousePress(named("EDM"), Qt::RightButton);
        QVERIFY(stackIndex("Readout") < stackIndex("Label2"));
        QVERIFY(stackIndex("Label1") < stackIndex("DME"));
        for (const char* control : {"Operator(4)", "DME", "EDM", "Digits2", "cCopy", "Combo1"})
            QVERIFY2(stackIndex("Label2") < stackIndex(control), control);
        QVERIFY(stackIndex("Combo1") > stackIndex("EDM"));
    }

    void digitsBuildANumber() {
        for (const char* b : {"Number(1)", "Number(2)", "Number(3)", "Number(4)", "Decimal", "Number(5)"})
            click(b);
        QCOMPARE(readout(), QStringLiteral("1.234,50"));
        QCOMPARE(named("Readout")->toolTip(), QStringLiteral("1234,5"));
        QCOMPARE(m_window->focusWidget(), named("Number(5)"));
        click("Digits2");
        QCOMPARE(readout(), QStringLiteral("1234,5"));
        QCOMPARE(named("Readout")->toolTip(), QString());
        QVERIFY(!static_cast<QCheckBox*>(named("Digits2"))->isChecked());
        click("Digits2");
        QCOMPARE(readout(), QStringLiteral("1.234,50"));
        QCOMPARE(m_window->calculator().form().control(Ctl::Digits2).value, 1);
    }

    void overflowShowsTheFullValueInTheToolTip() {
        for (int i = 0; i < 11; ++i)
            click("Number(9)");
        QCOMPARE(readout(), QString::fromUtf8("\u00DCberlauf"));
        QCOMPARE(named("Readout")->toolTip(), QStringLiteral("99999999999,"));
        saveShot("window-overflow.png");
    }

    void tabNeverMovesTheFocus() {
        QWidget* equals = named("Operator(4)");
        QTest::keyClick(equals, Qt::Key_Tab);
        QTest::keyClick(equals, Qt::Key_Backtab);
        QCOMPARE(m_window->focusWidget(), equals);
        QCOMPARE(m_window->calculator().form().focus(), Ctl::Equals);
    }

    void clickFocusReachesTheModel() {
        click("CancelEntry");
        QCOMPARE(m_window->focusWidget(), named("CancelEntry"));
        QCOMPARE(m_window->calculator().form().focus(), Ctl::CancelEntry);
    }

    void clicksCalculate_data() {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("caption");
        QTest::newRow("chain") << QStringList {"Number(1)", "Number(2)", "Operator(1)", "Number(3)",
            "Operator(2)", "Number(2)", "Operator(4)"}
                               << QStringLiteral("30,00");
        QTest::newRow("percent") << QStringList {"Number(2)", "Number(0)", "Number(0)", "Operator(1)",
            "Number(1)", "Number(0)", "Percent", "Operator(4)"}
                                 << QStringLiteral("220,00");
        QTest::newRow("division by zero") << QStringList {"Number(8)", "Operator(0)", "Number(0)",
            "Operator(4)"} << QStringLiteral("Division durch 0");
        QTest::newRow("error") << QStringList {"Number(8)", "Operator(0)", "Number(0)", "Operator(1)",
            "Number(5)", "Operator(4)"}
                               << QStringLiteral("Fehler");
        QTest::newRow("clear after error") << QStringList {"Number(8)", "Operator(0)", "Number(0)",
            "Operator(1)", "Number(5)", "Operator(4)", "Cancel"}
                                           << QStringLiteral("0,00");
    }

    void clicksCalculate() {
        QFETCH(QStringList, buttons);
        QFETCH(QString, caption);
        for (const QString& b : buttons)
            click(b);
        QCOMPARE(readout(), caption);
        if (buttons.last() == "Cancel") {
            QCOMPARE(m_window->focusWidget(), named("Operator(4)"));
            QCOMPARE(m_window->calculator().state().OperandCount, 0);
        }
    }

    QComboBox* chooser() const { return static_cast<QComboBox*>(named("Combo1")); }
    bool chooserShown() const { return chooser() && chooser()->isVisible(); }

    void rightPress(const QString& name) { QTest::mousePress(named(name), Qt::RightButton); }

    void rightPressOpensTheChooserOverDm() {
        for (const char* b : {"Number(1)", "Number(0)", "Number(0)"})
            click(b);
        rightPress("EDM");
        QVERIFY(chooserShown());
        QCOMPARE(readout(), QStringLiteral("195,58"));
        QCOMPARE(static_cast<QLabel*>(named("Label2"))->text(), QStringLiteral("DEM"));
        QCOMPARE(chooser()->currentText(), QStringLiteral("DEM"));
        QCOMPARE(m_window->focusWidget(), chooser());
        // It covers the button: right and bottom edges together, reaching further out.
        const QRect c = chooser()->geometry(), e = named("EDM")->geometry();
        QCOMPARE(c.right(), e.right());
        QCOMPARE(c.bottom(), e.bottom());
        QVERIFY(c.left() < e.left() && c.top() < e.top());
        QWidget* atDm = m_window->childAt(e.center());
        QVERIFY(atDm == chooser() || chooser()->isAncestorOf(atDm));
        // The right-button release and a second press go nowhere.
        QTest::mouseRelease(named("EDM"), Qt::RightButton);
        QCOMPARE(m_window->calculator().currency().CurrencyIndex, 2);
        saveShot("window-chooser.png");
    }

    void leftClickOnDmStillConverts() {
        for (const char* b : {"Number(5)", "Number(0)", "Number(0)", "EDM"})
            click(b);
        QCOMPARE(readout(), QStringLiteral("977,92"));
        QCOMPARE(static_cast<QLabel*>(named("Label2"))->text(), QStringLiteral("DM"));
        QVERIFY(!named("EDM")->isEnabled());
        QCOMPARE(m_window->focusWidget(), named("DME"));
        rightPress("EDM");
        QVERIFY(!chooserShown());
    }

    // Back to the chooser by a press: on its arrow the list opens and nothing converts
    // again; into its text field the amount on display is converted anew.
    void pressOnTheChoosersArrowDoesNotConvertAgain() {
        for (const char* b : {"Number(1)", "Number(0)", "Number(0)"})
            click(b);
        rightPress("EDM");
        QTest::keyClick(chooser(), Qt::Key_Up);
        QTest::keyClick(chooser(), Qt::Key_Up);
        QTest::keyClick(chooser(), Qt::Key_Left);
        QCOMPARE(readout(), QStringLiteral("1.376,03"));
        const QRect box = chooser()->rect();
        QTest::mousePress(chooser(), Qt::LeftButton, {}, QPoint(box.right() - 3, box.center().y()));
        QCoreApplication::processEvents();
        QCOMPARE(readout(), QStringLiteral("1.376,03"));
        QCOMPARE(m_window->calculator().form().focus(), Ctl::Combo1);
        chooser()->hidePopup();
        QTest::keyClick(chooser(), Qt::Key_Left);
        QTest::mouseClick(chooser()->lineEdit(), Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(readout(), QStringLiteral("18.934,59"));
    }

    void typingIntoTheChooserChangesNothing() {
        rightPress("EDM");
        QTest::keyClicks(chooser(), QStringLiteral("ab"));
        QCOMPARE(chooser()->currentText(), QStringLiteral("DEM"));
        QCOMPARE(chooser()->lineEdit()->text(), QStringLiteral("DEM"));
        QCOMPARE(m_window->focusWidget(), named("Operator(4)"));
    }

    void upAndDownChooseTheCurrency() {
        for (const char* b : {"Number(1)", "Number(0)", "Number(0)"})
            click(b);
        rightPress("EDM");
        QTest::keyClick(chooser(), Qt::Key_Up);
        QCOMPARE(chooser()->currentText(), QStringLiteral("BEF"));
        QTest::keyClick(chooser(), Qt::Key_Up);
        QCOMPARE(chooser()->currentText(), QStringLiteral("ATS"));
        QCOMPARE(readout(), QStringLiteral("1.376,03"));
        QCOMPARE(static_cast<QLabel*>(named("Label2"))->text(), QStringLiteral("ATS"));
        QCOMPARE(
            named("DME")->toolTip(), QString::fromUtf8("\u00D6sterreichische Schilling -> \u20AC (AltGr E)"));
        QTest::keyClick(chooser(), Qt::Key_Down);
        QCOMPARE(chooser()->currentText(), QStringLiteral("BEF"));
        QCOMPARE(m_window->focusWidget(), chooser());
        for (int i = 0; i < 12; ++i)
            QTest::keyClick(chooser(), Qt::Key_Down);
        QCOMPARE(m_window->calculator().currency().DmMode, true);
        QVERIFY(!chooserShown());
        QVERIFY(named("EDM")->isVisible() && !named("EDM")->isEnabled());
        QCOMPARE(static_cast<QLabel*>(named("Label2"))->text(), QStringLiteral("DM"));
    }

    void rightArrowArrivesAfterTheHandler() {
        int rights = 0;
        struct Counter : QObject {
            int* n;
            explicit Counter(int* count)
                : n(count) { }
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Right)
                    ++*n;
                return false;
            }
        } counter(&rights);
        rightPress("EDM");
        chooser()->installEventFilter(&counter);
        chooser()->lineEdit()->selectAll();
        QCOMPARE(rights, 0);
        QCoreApplication::processEvents();
        QCOMPARE(rights, 2);
        QVERIFY(!chooser()->lineEdit()->hasSelectedText());
        QCOMPARE(chooser()->lineEdit()->cursorPosition(), 3);
        QVERIFY(chooser()->lineEdit()->isReadOnly());
        QVERIFY(static_cast<ChooserBox*>(chooser())->hasThinBorder());
    }

    void unloadRemovesTheHook() {
        QCOMPARE(m_window->hookedWidget(), named("EDM"));
        m_window->close();
        QVERIFY(!m_window->calculator().form().control(Ctl::EDM).hooked);
        QCOMPARE(m_window->hookedWidget(), nullptr);
    }

    // Keys go in through the window, as the platform delivers them, to the focused control.
    void type(const QString& text) {
        for (QChar c : text)
            QTest::keyClick(m_window->windowHandle(), c.toLatin1());
    }

    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(m_window->windowHandle(), k, mods);
    }

    void typedKeysCalculate() {
        click("CancelEntry");
        type("12+3");
        QCOMPARE(m_window->focusWidget(), named("Operator(4)"));
        type("=");
        QCOMPARE(readout(), QStringLiteral("15,00"));
        type("*2");
        key(Qt::Key_Return);
        QCOMPARE(readout(), QStringLiteral("30,00"));
        type("+5");
        key(Qt::Key_Space);
        QCOMPARE(readout(), QStringLiteral("35,00"));
        QCOMPARE(m_window->focusWidget(), named("Operator(4)"));
    }

    void digitOnAFocusedClearButtonEntersTheDigit() {
        type("9");
        click("CancelEntry");
        QCOMPARE(m_window->focusWidget(), named("CancelEntry"));
        type("5");
        QCOMPARE(readout(), QStringLiteral("5,00"));
        QCOMPARE(m_window->focusWidget(), named("Operator(4)"));
    }

    void keysThatDoNothing() {
        type("42");
        for (Qt::Key k :
            {Qt::Key_Backspace, Qt::Key_Escape, Qt::Key_Delete, Qt::Key_X, Qt::Key_F5, Qt::Key_Left})
            key(k);
        QTest::keyClick(m_window->windowHandle(), Qt::Key_X, Qt::ShiftModifier);
        QTest::sendKeyEvent(QTest::Click, m_window->windowHandle(), Qt::Key_Adiaeresis,
            QString::fromUtf8("\u00E4"), Qt::NoModifier);
        // Alt chords are shortcuts, not characters, though the platform sends the letter.
        for (const char* c : {"c", "d", "5", "r"})
            QTest::sendKeyEvent(
                QTest::Click, m_window->windowHandle(), Qt::Key_unknown, QString(c), Qt::AltModifier);
        QCOMPARE(readout(), QStringLiteral("42,00"));
        QCOMPARE(m_window->calculator().state().LastInput, std::string("NUMS"));
    }

    void clipboardCopyAndPaste() {
        type("1234,5678");
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1.234,57"));
        QCOMPARE(readout(), QStringLiteral("1.234,57"));
        QGuiApplication::clipboard()->setText(QStringLiteral("1.5"));
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(readout(), QStringLiteral("15,00"));
        QCOMPARE(m_window->focusWidget(), named("Operator(4)"));
        QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(readout(), QStringLiteral("15,00"));
        auto* image = new QMimeData;
        image->setImageData(QImage(4, 4, QImage::Format_RGB32));
        QGuiApplication::clipboard()->setMimeData(image);
        click("cPaste");
        QCOMPARE(readout(), QStringLiteral("15,00"));
        click("cCopy");
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("15,00"));
    }

    void clipboardForms_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("utf-8") << "text/plain;charset=utf-8" << QByteArray("1.234,5") << "1.234,50";
        QTest::newRow("UTF-8 quoted") << "text/plain; charset=\"UTF-8\"" << QByteArray("12") << "12,00";
        QTest::newRow("latin-1") << "text/plain;charset=ISO-8859-1"
                                 << QByteArray("\xA0"
                                               "7"
                                               "\xA0")
                                 << "7,00";
        QTest::newRow("utf-16") << "text/plain;charset=utf-16"
                                << QByteArray("\xFF\xFE"
                                              "9\0",
                                       4)
                                << "9,00";
        QTest::newRow("unknown set") << "text/plain;charset=x-unknown" << QByteArray("8") << "42,00";
        QTest::newRow("html") << "text/html" << QByteArray("8") << "42,00";
        QTest::newRow("bad utf-8") << "text/plain;charset=utf-8" << QByteArray("8\xFF") << "42,00";
    }

    // Plain text as other programs offer it, and nothing but plain text.
    void clipboardForms() {
        QFETCH(QString, format);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        type("42");
        auto* data = new QMimeData;
        data->setData(format, bytes);
        QGuiApplication::clipboard()->setMimeData(data);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(readout(), shown);
    }

    void euroSignAndD() {
        type("100d");
        QCOMPARE(readout(), QStringLiteral("195,58"));
        QCOMPARE(m_window->focusWidget(), named("Operator(4)"));
        QTest::sendKeyEvent(QTest::Click, m_window->windowHandle(), Qt::Key_unknown,
            QString::fromUtf8("\u20AC"), Qt::NoModifier);
        QCOMPARE(readout(), QStringLiteral("100,00"));
        QCOMPARE(static_cast<QLabel*>(named("Label2"))->text(), QString::fromUtf8("\u20AC"));
        type("r");
        QCOMPARE(readout(), QStringLiteral("100"));
    }

    void keyTypedInTheChooserIsNotDispatched() {
        type("10");
        rightPress("EDM");
        QCOMPARE(readout(), QStringLiteral("19,56"));
        type("5");
        QCOMPARE(readout(), QStringLiteral("19,56"));
        QCOMPARE(m_window->focusWidget(), named("Operator(4)"));
        type("5");
        QCOMPARE(readout(), QStringLiteral("5,00"));
    }

    void windowTakesKeysWhileNoControlHasTheFocus() {
        rightPress("EDM");
        for (int i = 0; i < 11; ++i)
            key(Qt::Key_Down);
        QVERIFY(!chooserShown());
        QCOMPARE(m_window->calculator().form().focus(), std::nullopt);
        type("7");
        QCOMPARE(readout(), QStringLiteral("7,00"));
        QCOMPARE(m_window->focusWidget(), named("Operator(4)"));
    }

    void accessibleNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessible");
        auto row = [](const char* name, const char* accessible) {
            QTest::newRow(name) << QString(name) << QString::fromUtf8(accessible);
        };
        row("Operator(4)", "= \u2013 gleich");
        row("Operator(2)", "X \u2013 mal");
        row("Operator(0)", "/ \u2013 geteilt durch");
        row("CancelEntry", "CE \u2013 Eingabe l\u00F6schen");
        row("Cancel", "C \u2013 alles l\u00F6schen");
        row("Number(7)", "7");
        row("Decimal", ". \u2013 Dezimaltrennzeichen");
        row("DME", "EUR \u2013 in Euro umrechnen");
        row("EDM", "DM \u2013 in D-Mark umrechnen");
        row("Digits2", "#,## \u2013 Zwei Dezimalstellen");
        row("cCopy", "Kopieren");
        row("cPaste", "Einf\u00FCgen");
        row("Label1", "#,##");
    }

    // Every control is announced by its visible label first, with its tool tip as the
    // description.
    void accessibleNames() {
        QFETCH(QString, name);
        QFETCH(QString, accessible);
        QWidget* w = named(name);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), accessible);
        // "DM" names the keys that open the chooser, too.
        QCOMPARE(iface->text(QAccessible::Description),
            name == "EDM" ? w->toolTip() + QString::fromUtf8(" (oder Men\u00FCtaste, Umschalt+F10)")
                          : w->toolTip());
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty() && name != "Digits2")
            QVERIFY(accessible.startsWith(b->text()));
        if (name == "cCopy" || name == "cPaste")
            QVERIFY(w->toolTip().startsWith(accessible));
    }

    // A notification, which screen readers speak when it is shown, named by its text.
    void readoutIsANotificationNamedByItsText() {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(named("Readout"));
        QCOMPARE(iface->role(), QAccessible::Notification);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("0,00"));
        type("42");
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("42,00"));
        QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("42,"));
        QAccessibleInterface* unit = QAccessible::queryAccessibleInterface(named("Label2"));
        type("d");
        QCOMPARE(unit->text(QAccessible::Name), QStringLiteral("DM"));
    }

    // The readout's text for screen readers. (Its text-changed events need a real
    // accessibility bridge; the AT-SPI test hears them.)
    void readoutTextReachesScreenReaders() {
        type("42");
        QAccessibleTextInterface* text
            = QAccessible::queryAccessibleInterface(named("Readout"))->textInterface();
        QVERIFY(text);
        QCOMPARE(text->text(0, text->characterCount()), QStringLiteral("42,00"));
        QCOMPARE(text->text(3, 5), QStringLiteral("00"));
        QVERIFY(!text->characterRect(4).isEmpty());
    }

    // The chooser says what it is, whether or not it has been shown yet; its entries name
    // their currencies, while the list shows the codes.
    void chooserIsAnnouncedWithItsCurrency() {
        QAccessibleInterface* dm = QAccessible::queryAccessibleInterface(named("EDM"));
        QAccessibleActionInterface* actions = dm->actionInterface();
        QVERIFY(actions);
        const QString choose = QString::fromUtf8("W\u00E4hrung w\u00E4hlen");
        QVERIFY2(actions->actionNames().contains(choose), qPrintable(actions->actionNames().join(',')));
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        type("100");
        actions->doAction(choose);
        QVERIFY(chooserShown());
        QCOMPARE(readout(), QStringLiteral("195,58"));
        QCOMPARE(m_window->focusWidget(), chooser());
        const QString name = QString::fromUtf8("W\u00E4hrung: DEM");
        QCOMPARE(QAccessible::queryAccessibleInterface(chooser())->text(QAccessible::Name), name);
        QCOMPARE(QAccessible::queryAccessibleInterface(chooser()->lineEdit())->text(QAccessible::Name), name);
        QCOMPARE(chooser()->itemText(0), QStringLiteral("ATS"));
        QCOMPARE(chooser()->itemData(0, Qt::AccessibleTextRole).toString(),
            QString::fromUtf8("ATS \u2013 \u00D6sterreichische Schilling"));
        QTest::keyClick(chooser(), Qt::Key_Up);
        QCOMPARE(QAccessible::queryAccessibleInterface(chooser())->text(QAccessible::Name),
            QString::fromUtf8("W\u00E4hrung: BEF"));
    }

    void menuKeysOpenTheChooser_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier);
        QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    }

    // Only while "DM" is enabled and uncovered; inside the chooser they hand the focus back.
    void menuKeysOpenTheChooser() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        const auto press = [&] { this->key(Qt::Key(key), Qt::KeyboardModifiers(modifiers)); };
        type("100d");
        press();
        QVERIFY(!chooserShown());
        QCOMPARE(m_window->focusWidget(), named("Operator(4)"));
        type("c100");
        press();
        QVERIFY(chooserShown());
        QCOMPARE(readout(), QStringLiteral("195,58"));
        QCOMPARE(m_window->focusWidget(), chooser());
        QCoreApplication::processEvents();
        this->key(Qt::Key_Up);
        QCOMPARE(chooser()->currentText(), QStringLiteral("BEF"));
        press();
        QCOMPARE(m_window->focusWidget(), named("Operator(4)"));
        QVERIFY(!QApplication::activePopupWidget());
        press();
        QCOMPARE(m_window->focusWidget(), named("Operator(4)"));
        QCOMPARE(chooser()->currentText(), QStringLiteral("BEF"));
    }

    void chooserKeysByIdentity_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("keeps");
        const auto row
            = [](const char* name, Qt::Key k, bool keeps, Qt::KeyboardModifiers m = Qt::NoModifier) {
                  QTest::newRow(name) << int(k) << int(m) << keeps;
              };
        row("Return", Qt::Key_Return, true);
        row("Enter", Qt::Key_Enter, true, Qt::KeypadModifier);
        row("Right", Qt::Key_Right, true);
        row("Down", Qt::Key_Down, true);
        // Characters whose key values are the codes of arrow keys.
        row("apostrophe", Qt::Key_Apostrophe, false);
        row("ampersand", Qt::Key_Ampersand, false, Qt::ShiftModifier);
        row("parenleft", Qt::Key_ParenLeft, false, Qt::ShiftModifier);
        row("percent", Qt::Key_Percent, false, Qt::ShiftModifier);
        row("Left", Qt::Key_Left, false);
        row("Escape", Qt::Key_Escape, false);
        row("A", Qt::Key_A, false);
        // The toolkit's own keys for the box and its text field are spent where they hand
        // the focus back: no other currency, no list dropping down, no menu.
        row("Menu", Qt::Key_Menu, false);
        row("PageUp", Qt::Key_PageUp, false);
        row("PageDown", Qt::Key_PageDown, false);
        row("Home", Qt::Key_Home, false);
        row("End", Qt::Key_End, false);
        row("F4", Qt::Key_F4, false);
        row("Alt+Down", Qt::Key_Down, false, Qt::AltModifier);
        row("Alt+Up", Qt::Key_Up, false, Qt::AltModifier);
        row("Alt+C", Qt::Key_C, false, Qt::AltModifier);
    }

    void chooserKeysByIdentity() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, keeps);
        type("100");
        rightPress("EDM");
        QCoreApplication::processEvents();
        QTest::keyClick(chooser()->lineEdit(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_window->focusWidget(), keeps ? chooser() : named("Operator(4)"));
        if (keeps)
            return;
        QCoreApplication::processEvents();
        QCOMPARE(chooser()->currentText(), QStringLiteral("DEM"));
        QCOMPARE(m_window->calculator().currency().CurrencyIndex, 2);
        QCOMPARE(readout(), QStringLiteral("195,58"));
        QVERIFY(!QApplication::activePopupWidget());
        QVERIFY(!chooser()->view()->isVisible());
    }

    // Every code shows whole in the dropped-down list, beside its scroll bar.
    void chooserListShowsEveryCode() {
        rightPress("EDM");
        chooser()->showPopup();
        QAbstractItemView* list = chooser()->view();
        QVERIFY(list->isVisible());
        for (int i = 0; i < chooser()->count(); ++i)
            QVERIFY2(list->sizeHintForIndex(list->model()->index(i, 0)).width() <= list->viewport()->width(),
                qPrintable(chooser()->itemText(i)));
        chooser()->hidePopup();
    }

    // The program has no menus, not even the chooser's text field's own.
    void noContextMenuOnTheChooser() {
        rightPress("EDM");
        QTest::mouseClick(chooser()->lineEdit(), Qt::RightButton);
        // The box would hand an event of its own to its text field's menu.
        for (QWidget* w : {static_cast<QWidget*>(chooser()->lineEdit()), static_cast<QWidget*>(chooser())})
            for (const auto reason : {QContextMenuEvent::Mouse, QContextMenuEvent::Keyboard}) {
                QContextMenuEvent menu(reason, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
                QCoreApplication::sendEvent(w, &menu);
                QVERIFY(!QApplication::activePopupWidget());
            }
        QCOMPARE(m_window->calculator().currency().CurrencyIndex, 2);
    }

    // Sizes are in device-independent pixels; at twice the density every picture is
    // drawn from its own full-resolution variant.
    void sharpAtEveryDensity() {
        const qreal ratio = m_window->devicePixelRatioF();
        const QPixmap shot = m_window->grab();
        QCOMPARE(shot.size(), QSize(218, 169) * ratio);
        saveShot(QStringLiteral("window-%1x.png").arg(ratio));
        const QIcon icon = static_cast<QPushButton*>(named("cCopy"))->icon();
        // The double-resolution picture is there exactly where a screen can show it.
        QCOMPARE(icon.availableSizes().contains(QSize(32, 32)), ratio > 1.0);
        if (ratio > 1.0)
            QCOMPARE(icon.pixmap(QSize(16, 16), ratio).size(), QSize(32, 32));
        for (const char* b : {"CancelEntry", "EDM", "Operator(0)"}) {
            auto* button = static_cast<QPushButton*>(named(b));
            const QFontMetrics metrics(button->font());
            QVERIFY2(metrics.horizontalAdvance(button->text()) + 4 <= button->width(), b);
            QVERIFY2(metrics.height() <= button->height(), b);
        }
    }

    // A thousand random clicks, right-button presses and keys through the real window:
    // nothing crashes, and the model and the widgets stay in step.
    void randomEvents() {
        std::mt19937 random(4711);
        const QString keys = QStringLiteral("0123456789+-*/=%,.cCeEdDrRxX \u20AC\u00E4");
        for (int i = 0; i < 1000; ++i) {
            switch (random() % 7) {
            case 0: {
                const QList<QWidget*> controls
                    = m_window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
                QWidget* w = controls[int(random() % controls.size())];
                if (w->isVisible() && w->isEnabled())
                    QTest::mouseClick(w, Qt::LeftButton);
                break;
            }
            case 1:
                if (named("EDM")->isVisible())
                    rightPress("EDM");
                break;
            case 2: {
                const Qt::Key k[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Right,
                    Qt::Key_Menu, Qt::Key_Apostrophe, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_F4};
                const Qt::KeyboardModifiers mods[] = {Qt::NoModifier, Qt::NoModifier, Qt::AltModifier};
                key(k[random() % std::size(k)], mods[random() % std::size(mods)]);
                break;
            }
            case 3:
                if (random() % 2)
                    key(Qt::Key_F10, Qt::ShiftModifier);
                else
                    QAccessible::queryAccessibleInterface(named("EDM"))
                        ->actionInterface()
                        ->doAction(QString::fromUtf8("W\u00E4hrung w\u00E4hlen"));
                break;
            case 4:
                // A press on the chooser's arrow, with or without the focus; the list it
                // opens is closed again.
                if (chooserShown()) {
                    const QRect box = chooser()->rect();
                    QTest::mousePress(
                        chooser(), Qt::LeftButton, {}, QPoint(box.right() - 3, box.center().y()));
                    QCoreApplication::processEvents();
                    chooser()->hidePopup();
                }
                break;
            case 5:
                // A number with blanks or line breaks after it, pasted.
                QGuiApplication::clipboard()->setText(
                    QStringLiteral("1") + QString(int(random() % 600), random() % 2 ? u' ' : u'\n'));
                key(Qt::Key_V, Qt::ControlModifier);
                break;
            default: {
                const QChar c = keys.at(int(random() % keys.size()));
                QTest::sendKeyEvent(
                    QTest::Click, m_window->windowHandle(), Qt::Key_unknown, QString(c), Qt::NoModifier);
                break;
            }
            }
            QCoreApplication::processEvents();
            QVERIFY(!QApplication::activePopupWidget());
            expectMirrored();
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("after event %1").arg(i)));
        }
    }

    // Every property the window mirrors from the model: texts, tool tips, states, the
    // chooser's list, the caught right button, the stacking of the overlapping controls
    // and the focus.
    void expectMirrored() {
        const Form& form = m_window->calculator().form();
        for (std::size_t i = 0; i < kControlCount; ++i) {
            const Ctl c = static_cast<Ctl>(i);
            const ControlState& s = form.control(c);
            QWidget* w = m_window->widget(c);
            if (!w) {
                QVERIFY(!s.visible);
                continue;
            }
            const QString name = w->objectName();
            const QString caption = QString::fromStdString(s.caption);
            QVERIFY2(w->isVisibleTo(m_window.get()) == s.visible, qPrintable(name));
            QVERIFY2(w->isEnabled() == s.enabled, qPrintable(name));
            QVERIFY2(w->toolTip() == QString::fromStdString(s.toolTip), qPrintable(name));
            if (auto* view = qobject_cast<ReadoutView*>(w)) {
                QCOMPARE(view->text(), QString::fromStdString(std::string(drawnReadout(s.caption))));
                // A readout that holds a number shows its digits.
                const QString shown = view->visibleText();
                if (std::any_of(
                        s.caption.begin(), s.caption.end(), [](char d) { return d >= '0' && d <= '9'; }))
                    QVERIFY(std::any_of(shown.begin(), shown.end(), [](QChar d) { return d.isDigit(); }));
            } else if (auto* label = qobject_cast<QLabel*>(w))
                QCOMPARE(label->text(), caption);
            else if (auto* box = qobject_cast<QCheckBox*>(w))
                QCOMPARE(box->isChecked(), s.value != 0);
            else if (auto* combo = qobject_cast<ChooserBox*>(w)) {
                QCOMPARE(combo->count(), int(s.items.size()));
                QCOMPARE(combo->currentIndex(), s.listIndex);
                QCOMPARE(combo->currentText(), caption);
                QCOMPARE(combo->lineEdit()->isReadOnly(), s.readOnly);
                QCOMPARE(combo->hasThinBorder(), s.border);
            } else if (auto* button = qobject_cast<QPushButton*>(w))
                QCOMPARE(button->text(), caption);
            QVERIFY2((m_window->hookedWidget() == w) == s.hooked, qPrintable(name));
        }
        if (m_window->widget(Ctl::Combo1)) {
            const bool chooserOnTop = form.control(Ctl::Combo1).stacking > form.control(Ctl::EDM).stacking;
            QCOMPARE(stackIndex("Combo1") > stackIndex("EDM"), chooserOnTop);
        }
        const auto focus = form.focus();
        QWidget* expected = focus ? m_window->widget(*focus) : m_window.get();
        while (expected && expected->focusProxy())
            expected = expected->focusProxy();
        QCOMPARE(m_window->focusWidget(), expected);
    }

    void backgroundTiles_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("tiles");
        QTest::newRow("designed") << QSize(218, 169) << 1;
        QTest::newRow("one pixel wider") << QSize(219, 169) << 2;
        QTest::newRow("two tiles exactly") << QSize(436, 338) << 4;
        QTest::newRow("larger") << QSize(500, 400) << 9;
    }

    void backgroundTiles() {
        QFETCH(QSize, size);
        QFETCH(int, tiles);
        m_window->setFixedSize(size);
        const QImage image = m_window->grab().toImage();
        QCOMPARE(m_window->lastPaintTiles(), tiles);
        // The field is deep blue everywhere, also where later tiles lie.
        const QColor corner = image.pixelColor(image.width() - 1, image.height() - 1);
        QVERIFY(corner.blue() > corner.red() && corner.blue() > corner.green());
    }

    // A caption or tool tip of any length shows at once: only what fits is laid out.
    void megabyteReadoutStaysResponsive() {
        const std::string huge = std::string(1'000'000, '7') + "42";
        m_window->calculator().state().ReadoutText = huge;
        click("Digits2");
        auto* r = static_cast<ReadoutView*>(named("Readout"));
        // The view holds no more than it may draw: the end of the number.
        QCOMPARE(r->text().size(), qsizetype(kShownChars));
        QVERIFY(r->visibleText().endsWith(QStringLiteral("77742")));
        QVERIFY(r->visibleText().size() <= r->width());
        QVERIFY(!r->grab().isNull());
        click("Digits2");
        QCOMPARE(r->text(), QString::fromUtf8("\u00DCberlauf"));
        QVERIFY(r->toolTip().size() < 1000);
        QVERIFY(r->toolTip().startsWith(QStringLiteral("777")));
        QVERIFY(r->toolTip().endsWith(QStringLiteral("742")));
        QCOMPARE(m_window->calculator().state().ReadoutText, CalcValue(huge));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
