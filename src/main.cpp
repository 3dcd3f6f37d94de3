#include "window/calculatorwindow.h"
#include "window/product.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Qt takes its own platform options from the arguments; the program reads none.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(tarvelio::kProductName.data()));
    QApplication::setApplicationVersion(QString::fromUtf8(tarvelio::kProductVersion.data()));
    QApplication::setDesktopFileName(QString::fromUtf8(tarvelio::kApplicationId.data()));
    tarvelio::CalculatorWindow window(tarvelio::systemNumberFormat());
    window.load();
    return QApplication::exec();
}
