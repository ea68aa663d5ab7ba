#include "window/application_setup.h"

#include <QFont>
#include <QGuiApplication>
#include <QStringList>

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
}

}  // namespace torvelin
