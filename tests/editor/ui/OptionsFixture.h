#pragma once

#include "MainWindowFixture.h"

#include "document/DataFileReader.h"
#include "editor/ui/OptionsPanel.h"
#include "editor/ui/StyleEditor.h"

namespace qv::test {

// A main window that has read a data file from tests/data/options, with its modified mark off.
struct OptionsFixture : MainWindowFixture {
    explicit OptionsFixture(const QString& fixture = QStringLiteral("options/calendar.xml")) {
        pretendLoaded();
        writeBytes(ctx.folders.dataFile(), readBytes(dataPath(fixture)));
        loaded = readDataFile(ctx.folders.dataFile(), doc, ui, &window->model());
        doc.Marks.Modified = false;
    }

    OptionsPanel& panel() { return *window->optionsPanel; }
    StyleEditor& style() { return *window->styleEditor; }
    QString dataFile() const { return QString::fromUtf8(readBytes(ctx.folders.dataFile())); }
    QString media(const QString& relative) const {
        return ctx.folders.projectData() + QLatin1Char('/') + relative;
    }

    bool loaded = false;
};

} // namespace qv::test
