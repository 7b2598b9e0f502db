#include "app/ui/DesktopIdentity.h"

#include <QGuiApplication>
#include <QIcon>

namespace qv {

void applyDesktopIdentity() {
    QGuiApplication::setDesktopFileName(QStringLiteral("io.quorvel.Designer"));
    // The theme's icon where the package installed one, else the pictures built into the program.
    QIcon builtIn;
    for (const int size : {16, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    QGuiApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("io.quorvel.Designer"), builtIn));
}

} // namespace qv
