#include "cli/ConsolePlatform.h"

#include <QTextStream>

namespace qv::cli {

void ConsolePlatform::print(const QString& text) {
    QTextStream err(stderr);
    err << text << '\n';
}

} // namespace qv::cli
