#include "cli/ConsolePlatform.h"

#include "common/Functions.h"

#include <QTextStream>

namespace qv::cli {

void ConsolePlatform::print(const QString& text) {
    QTextStream err(stderr);
    err << printableText(text) << '\n';
}

} // namespace qv::cli
