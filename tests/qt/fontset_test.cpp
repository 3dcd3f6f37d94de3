// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs without a toolkit application: the font set is chosen before one exists.
#include "window/fontset.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvelio;

class FontSetTest : public QObject {
    Q_OBJECT

private slots:
    void decides_data() {
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("regular");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<bool>("small");
        const QString regular = QString::fromUtf8(windowFace(false));
        const QString rules = QString::fromUtf8(fontconfigDir());
        QTest::newRow("German") << ","
                                << "." << regular << rules << true;
        QTest::newRow("French") << ","
                                << "\u202F" << regular << rules << true;
        QTest::newRow("Arabic") << "\u066B"
                                << "\u066C" << regular << rules << false;
        QTest::newRow("missing face") << ","
                                      << "."
                                      << "/nonexistent/LiberationSans-Regular.ttf" << rules << false;
        QString serif = regular;
        serif.replace(QStringLiteral("Sans"), QStringLiteral("Serif"));
        if (QFile::exists(serif))
            QTest::newRow("another family") << ","
                                            << "." << serif << rules << false;
        QTest::newRow("unreadable rules") << ","
                                          << "." << regular << m_badRules.path() << false;
    }

    void decides() {
        QFETCH(QString, decimal);
        QFETCH(QString, group);
        QFETCH(QString, regular);
        QFETCH(QString, rules);
        QFETCH(bool, small);
        if (QString::fromUtf8(windowFace(false)).isEmpty())
            QSKIP("the window's family was not found when the program was configured");
        const NumberFormat format {decimal.toStdString(), group.toStdString()};
        QCOMPARE(
            useFontSet(format, regular.toUtf8().constData(), windowFace(true), rules.toUtf8().constData()),
            small);
    }

    // A configuration the user chose stays as it is.
    void fontconfigFileKeepsTheFullSet() {
        qputenv("FONTCONFIG_FILE", "/etc/fonts/fonts.conf");
        const bool small = useWindowFontSet(NumberFormat::german());
        qunsetenv("FONTCONFIG_FILE");
        QVERIFY(!small);
    }

    void initTestCase() {
        QVERIFY(m_badRules.isValid());
        QVERIFY(QDir(m_badRules.path()).mkdir(QStringLiteral("conf.d")));
        QFile bad(m_badRules.filePath(QStringLiteral("conf.d/10-broken.conf")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("<?xml version=\"1.0\"?><fontconfig><match><edit name=");
    }

private:
    QTemporaryDir m_badRules;
};

QTEST_GUILESS_MAIN(FontSetTest)
#include "fontset_test.moc"
