// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs without a toolkit application: the font set is chosen before one exists.
#include "qt/fonts/fontrules.h"
#include "qt/fonts/fontset.h"

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

    // Which rules are kept for the window's faces; "whole" where every file is to be read.
    void rules_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("kept");
        const auto row = [](const char* name, const char* body, const char* kept) {
            QTest::newRow(name) << QString::fromUtf8(body) << QString::fromUtf8(kept);
        };
        const char* hinting
            = R"(<match target="pattern"><edit name="hintstyle"><const>hintslight</const></edit></match>)";
        row("rendering rule", hinting, hinting);
        row("alias and description", R"(<description>x</description><alias><family>A</family></alias>)", "");
        row("font rule of another family",
            R"(<match target="font"><test name="family"><string>DejaVu Sans</string></test><edit name="hinting"><bool>false</bool></edit></match>)",
            "");
        const char* ours
            = R"(<match target="font"><test name="family"><string>liberation  SANS</string></test><edit name="hinting"><bool>false</bool></edit></match>)";
        row("font rule of our family", ours, ours);
        const char* notEq
            = R"(<match target="font"><test name="family" compare="not_eq"><string>DejaVu Sans</string></test><edit name="embolden"><bool>true</bool></edit></match>)";
        row("font rule for every other family", notEq, notEq);
        row("scan rule of another family",
            R"(<match target="scan"><test name="family"><string>Nazli</string></test><edit name="foundry"><string>x</string></edit></match>)",
            "");
        const char* kept
            = R"(<selectfont><rejectfont><glob>*.pcf</glob></rejectfont></selectfont><include ignore_missing="yes">local.conf</include>)";
        row("font choice and include", kept,
            "<selectfont><rejectfont><glob>*.pcf</glob></rejectfont></selectfont>\n"
            "<include ignore_missing=\"yes\">local.conf</include>");
        row("family added, then tested",
            R"(<alias><family>Liberation Sans</family><default><family>sans-serif</family></default></alias><match><test name="family"><string>sans-serif</string></test><edit name="antialias"><bool>false</bool></edit></match>)",
            "whole");
        row("unknown element", "<rescan/>", "whole");
        row("cdata", "<match><edit name=\"x\"><string><![CDATA[a]]></string></edit></match>", "whole");
        row("tag left open", "<match><edit name=\"x\">", "whole");
        row("end tag hidden in a comment", "<alias><!-- </alias> --><family>A</family></alias>", "whole");
    }

    void rules() {
        QFETCH(QString, body);
        QFETCH(QString, kept);
        const std::string file = "<?xml version=\"1.0\"?><fontconfig>" + body.toStdString() + "</fontconfig>";
        const auto rules = renderingRules({file}, "Liberation Sans");
        QString got = rules ? QString::fromStdString(*rules).trimmed() : QStringLiteral("whole");
        QCOMPARE(got, kept);
    }

    void otherEncodingIsReadWhole() {
        QVERIFY(!renderingRules({"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><fontconfig/>"}, "A"));
        QVERIFY(renderingRules({"<?xml version=\"1.0\" encoding=\"utf-8\"?><fontconfig/>"}, "A"));
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
