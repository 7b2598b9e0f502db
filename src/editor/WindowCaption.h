#pragma once

#include <QString>

namespace qv {

struct DocumentMarks;

// The main window's title: the project's file name ("Untitled" for a project not saved yet) with
// "*" while it has unsaved changes, before the program's title; the program's title alone while
// no project is loaded.
QString windowCaption(const DocumentMarks& marks);

} // namespace qv
