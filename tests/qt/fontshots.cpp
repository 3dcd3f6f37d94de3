// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the window as users see it, in the regional settings of the environment, with the
// full font set or the small one, and compares: the small set must change no pixel.
//   fontshots full DIR                    writes the pictures with the full set
//   fontshots small|full-expected DIR     checks which set is chosen, draws and compares
#include "qt/fonts/fontset.h"
#include "qt/mirror/calculatorwindow.h"

#include <QApplication>
#include <QImage>
#include <QToolTip>
#include <QtTest>

#include <cstdio>
#include <cstring>

using namespace tarvelio;

namespace {

QImage tipShot() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->inherits("QTipLabel") && w->isVisible())
            return w->grab().toImage();
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const std::string mode = argv[1];
    const QString dir = QString::fromLocal8Bit(argv[2]);
    const NumberFormat format = systemNumberFormat();
    if (mode != "full") {
        const bool small = useWindowFontSet(format);
        if (small != (mode == "small")) {
            std::fprintf(stderr, "FAIL: the %s set is in use\n", small ? "small" : "full");
            return 1;
        }
    }
    QApplication app(argc, argv);
    setApplicationFont();
    CalculatorWindow window(format);
    window.load();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QList<QPair<QString, QImage>> shots;
    shots.append({QStringLiteral("start"), window.grab().toImage()});
    for (const char c : {'1', '2', '3', '4', ',', '5', '+', '6'})
        QTest::keyClick(window.windowHandle(), c);
    shots.append({QStringLiteral("typed"), window.grab().toImage()});
    window.openChooser();
    QCoreApplication::processEvents();
    shots.append({QStringLiteral("chooser"), window.grab().toImage()});
    QWidget* dm = window.widget(Ctl::DME);
    QToolTip::showText(dm->mapToGlobal(QPoint(4, 4)), dm->toolTip(), dm);
    QCoreApplication::processEvents();
    shots.append({QStringLiteral("tooltip"), tipShot()});
    int differ = 0;
    for (const auto& [name, image] : shots) {
        const QString file = dir + QLatin1Char('/') + name + QStringLiteral(".png");
        if (mode == "full") {
            if (image.isNull() || !image.save(file))
                return 1;
        } else if (QImage(file).convertToFormat(image.format()) != image) {
            std::fprintf(stderr, "FAIL: %s differs from the full set's picture\n", qPrintable(name));
            ++differ;
        }
    }
    return differ == 0 ? 0 : 1;
}
