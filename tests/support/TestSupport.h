#pragma once

#include <QByteArray>
#include <QString>

namespace qv::test {

// A fixture file under tests/data.
QString dataPath(const QString& relative);
QByteArray readBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);
// build/bin, laid out as an installation.
QString binDir();

} // namespace qv::test
