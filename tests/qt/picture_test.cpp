// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/pictures/readypicture.h"

#include <QImageReader>
#include <QResource>
#include <QtEndian>
#include <QtTest>

using namespace tarvelio;

class PictureTest : public QObject {
    Q_OBJECT

    static QByteArray ready(const QString& name) {
        return QResource(QStringLiteral(":/pictures/%1.ready").arg(name)).uncompressedData();
    }

    static QByteArray withWord(QByteArray data, int at, quint32 value) {
        qToLittleEndian(value, data.data() + at);
        return data;
    }

private slots:
    // What the program shows is, pixel for pixel, the picture in the source tree.
    void readyPicturesAreTheirSources_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QSize>("size");
        QTest::newRow("background") << "background"
                                    << "background.jpg" << QSize(218, 169);
        QTest::newRow("icon") << "icon"
                              << "icon.ico" << QSize(32, 32);
        QTest::newRow("copy") << "copy"
                              << "copy.bmp" << QSize(16, 16);
        QTest::newRow("paste") << "paste"
                               << "paste.bmp" << QSize(16, 16);
    }

    void readyPicturesAreTheirSources() {
        QFETCH(QString, name);
        QFETCH(QString, source);
        QFETCH(QSize, size);
        const QImage shown = readyPicture(ready(name));
        QCOMPARE(shown.size(), size);
        const QImage original = QImageReader(QStringLiteral(TARVELIO_RESOURCES "/") + source).read();
        QVERIFY(!original.isNull());
        QCOMPARE(shown, original.convertToFormat(shown.format()));
        // The icon keeps its transparent corners; the others are opaque.
        QCOMPARE(shown.hasAlphaChannel(), name == "icon");
    }

    // Damaged data gives no picture, never a garbled one or a read past its end.
    void damagedDataGivesNoPicture_data() {
        const QByteArray good = ready(QStringLiteral("copy"));
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << good.left(kReadyPictureHeader);
        QTest::newRow("one byte short") << good.chopped(1);
        QTest::newRow("one byte over") << good + '\0';
        QTest::newRow("wrong magic") << QByteArray("XVRP") + good.mid(4);
        QTest::newRow("width 0") << withWord(good, 4, 0);
        QTest::newRow("height 0") << withWord(good, 8, 0);
        QTest::newRow("width wraps the size") << withWord(good, 4, 0x40000004u);
        QTest::newRow("side beyond the limit") << withWord(withWord(good, 4, 8192), 8, 1);
        QTest::newRow("indexed format") << withWord(good, 12, QImage::Format_Indexed8);
        QTest::newRow("unknown format") << withWord(good, 12, 0xFFFFu);
    }

    void damagedDataGivesNoPicture() {
        QFETCH(QByteArray, data);
        QVERIFY(readyPicture(data).isNull());
    }

    void writingAndReadingAgreeForBothForms() {
        QImage opaque(3, 2, QImage::Format_RGB888);
        opaque.fill(QColor(10, 20, 30));
        QImage clear(2, 3, QImage::Format_ARGB32);
        clear.fill(QColor(200, 100, 50, 128));
        for (const QImage& image : {opaque, clear}) {
            const QImage back = readyPicture(toReadyPicture(image));
            QCOMPARE(back.hasAlphaChannel(), image.hasAlphaChannel());
            QCOMPARE(back, image.convertToFormat(back.format()));
        }
        QVERIFY(toReadyPicture(QImage()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(PictureTest)
#include "picture_test.moc"
