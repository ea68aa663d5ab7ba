// SPDX-License-Identifier: MIT
#include "window/application_setup.h"

#include <QFont>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <QtDebug>

namespace torvelin {

void SetUpApplication() {
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kApplicationVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    // Where the form's face is missing (it is on Linux), text falls back to the
    // metric-compatible IPAPGothic, then to Noto Sans CJK JP, then to the
    // system's sans-serif.
    QFont::insertSubstitutions(QString::fromUtf16(kFormFontFamily),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                                QStringLiteral("sans-serif")});
    // Qt's own texts (the entry boxes' menu, the message boxes' buttons) in
    // Japanese like the window, whatever the user's locale. Kept by the
    // application for its whole run.
    auto* qtTexts = new QTranslator(QCoreApplication::instance());
    if (qtTexts->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qtTexts);
    } else {
        qWarning(
            "Qt's Japanese translations (qtbase_ja) are missing; Qt's own texts stay in English.");
    }
}

}  // namespace torvelin
