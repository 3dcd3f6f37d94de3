// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/window/product.h"
#include "qt/fonts/fontset.h"
#include "qt/mirror/calculatorwindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    const tarvelio::NumberFormat format = tarvelio::systemNumberFormat();
    tarvelio::useWindowFontSet(format);
    // Qt takes its own platform options from the arguments; the program reads none.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(tarvelio::kProductName.data()));
    QApplication::setApplicationVersion(QString::fromUtf8(tarvelio::kProductVersion.data()));
    QApplication::setDesktopFileName(QString::fromUtf8(tarvelio::kApplicationId.data()));
    tarvelio::setApplicationFont();
    tarvelio::CalculatorWindow window(format);
    window.load();
    return QApplication::exec();
}
