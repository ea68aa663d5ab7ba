// SPDX-License-Identifier: MIT
// The window tests' comparison of what is drawn with pictures kept beside
// them, in tests/window/pictures.
#pragma once

#include <QImage>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>

// Whether a picture is the one kept beside the tests, pixel for pixel but
// for the faint edges of antialiased ink: a line or a text moved by a
// point, a colour or a size changed, shows. After a change meant to be
// seen, TORVELIN_WRITE_PICTURES=1 writes the kept ones afresh; they are
// looked at before they are committed. Where they differ, the picture made
// is left in the working folder.
inline bool IsKeptPicture(const QImage& made, const QString& name) {
    const QString kept = QStringLiteral(TORVELIN_TEST_PICTURES "/") + name + QStringLiteral(".png");
    const QImage image = made.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("TORVELIN_WRITE_PICTURES")) {
        return image.save(kept);
    }
    const QImage expected = QImage(kept).convertToFormat(QImage::Format_RGB32);
    int differing = expected.size() == image.size() ? 0 : -1;
    for (int y = 0; differing >= 0 && y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            differing += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                   std::abs(qBlue(a) - qBlue(b))}) > 64;
        }
    }
    if (differing != 0) {
        image.save(name + QStringLiteral("-made.png"));
        qWarning("%s: %d pixels differ from %s (-1: the size)", qPrintable(name), differing,
                 qPrintable(kept));
    }
    return differing == 0;
}
