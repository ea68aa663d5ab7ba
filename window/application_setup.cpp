#include "window/application_setup.h"

#include <QGuiApplication>

#include "window/form_fonts.h"
#include "window/program_identity.h"

namespace torvelin {

void SetUpApplication() {
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kApplicationVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    InstallFontSubstitutions();
}

}  // namespace torvelin
