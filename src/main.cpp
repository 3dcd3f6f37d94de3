// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/calculatorwindow.h"
#include "window/layout.h"
#include "window/product.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
    // Qt takes its own platform options from the arguments; the program reads none.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(tarvelio::kProductName.data()));
    QApplication::setApplicationVersion(QString::fromUtf8(tarvelio::kProductVersion.data()));
    QApplication::setDesktopFileName(QString::fromUtf8(tarvelio::kApplicationId.data()));
    // Every control names its font; an application font of the same family spares Qt the
    // search for a fallback family for the chooser's list and the tool tips.
    QFont font(QString::fromUtf8(tarvelio::kFontFamily.data()));
    font.setPixelSize(tarvelio::fontSpec(tarvelio::FontRole::SmallRegular).pixelSize);
    QApplication::setFont(font);
    tarvelio::CalculatorWindow window(tarvelio::systemNumberFormat());
    window.load();
    return QApplication::exec();
}
