#include "editor/ui/AboutBox.h"

#include "editor/ui/CommandPictures.h"
#include "platform/MessageBoxes.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <zip.h>

namespace qv {

QString AboutBox::aboutText() {
    return tr("<h3>%1</h3><p>Version %2</p>"
              "<p>Design an event calendar and put it on your own web site.</p>"
              "<p>Built with:</p><ul>"
              "<li>Qt %3 (Core, Gui, Widgets, Xml, Network, WebEngine), under the GNU LGPL "
              "version 3</li>"
              "<li>Qt WebEngine, which includes Chromium, under the GNU LGPL version 3 and the "
              "licences of Chromium's components (BSD-style)</li>"
              "<li>libzip %4, under the 3-clause BSD licence</li>"
              "<li>zlib, under the zlib licence</li></ul>")
        .arg(programTitle(), QStringLiteral(QUORVEL_VERSION), QString::fromLatin1(qVersion()),
             QString::fromLatin1(zip_libzip_version()));
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setPixmap(commandPixmap(Picture::AddEvent, 48));
    auto* text = new QLabel(aboutText(), this);
    text->setObjectName(QStringLiteral("AboutText"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    row->addWidget(picture, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace qv
