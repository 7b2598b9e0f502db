#pragma once

#include <QString>

namespace qv {

// File and folder choosers. An empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // filter is in Qt's form, for example "Quorvel (*.qvp)". The chosen file must exist.
    virtual QString openFile(const QString& title, const QString& initialPath,
                             const QString& filter) = 0;
    // defaultSuffix ("qvp") is appended when the user types a name without extension; the
    // chooser asks before overwriting an existing file.
    virtual QString saveFile(const QString& title, const QString& initialPath,
                             const QString& filter, const QString& defaultSuffix) = 0;
    virtual QString chooseFolder(const QString& title, const QString& initialFolder,
                                 bool allowNewFolder) = 0;
};

// The colour chooser. Colours are 0x00BBGGRR values.
class ColorChooser {
public:
    virtual ~ColorChooser() = default;
    // Returns false when the user cancelled; color is then unchanged.
    virtual bool chooseColor(quint32& color) = 0;
};

// Opens documents and web addresses with their default program.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens a file or address with the desktop's program for it; false when none could start.
    virtual bool open(const QString& pathOrUrl) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
};

} // namespace qv
