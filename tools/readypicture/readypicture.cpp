// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Build step: reads one of the program's pictures and writes it as ready pixels, which the
// program shows without decoding anything at start-up.
//   tarvelio_readypicture <picture> <output>
#include "qt/pictures/readypicture.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <picture> <output>\n", argv[0]);
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    const QImage image = reader.read();
    const QByteArray ready = tarvelio::toReadyPicture(image);
    if (ready.isEmpty()) {
        std::fprintf(stderr, "%s: cannot read %s: %s\n", argv[0], argv[1], qPrintable(reader.errorString()));
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(ready) != ready.size() || !out.flush()) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
