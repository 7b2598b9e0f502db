#include "gallery/ui/GalleryInstall.h"

#include "document/CalendarDocument.h"
#include "editor/ui/FormMain.h"
#include "gallery/ProjectUpdate.h"
#include "gallery/TemplateCatalogue.h"
#include "gallery/TemplateCreation.h"
#include "gallery/ui/TFormTemplateSelect.h"
#include "gallery/ui/TFormWizard.h"
#include "platform/Platform.h"
#include "platform/ui/ShowWithoutWaiting.h"
#include "project/ProjectLifecycle.h"
#include "project/RecentList.h"
#include "session/AppContext.h"

#include <QAction>
#include <QApplication>

namespace qv {

namespace {

QWidget* windowInFront(TFormMain& window) {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return &window;
}

QStringList catalogueOf(TFormMain& window) {
    const auto* parts = window.findChild<GalleryParts*>(QString(), Qt::FindDirectChildrenOnly);
    return parts ? parts->catalogue : QStringList();
}

} // namespace

void installGallery(TFormMain& window) {
    new GalleryParts(TemplateRead(window.context().folders.templates), &window);
    window.setGallery([&window](std::function<void(bool)> done) { openGallery(window, done); });
    QObject::connect(window.aupdateproject, &QAction::triggered, &window,
                     [&window] { aupdateprojectExecute(window); });
}

namespace {

TFormTemplateSelect::Setup gallerySetup(TFormMain& window) {
    TFormTemplateSelect::Setup setup;
    setup.catalogue = catalogueOf(window);
    setup.templateFolder = window.context().folders.templates;
    setup.caption = programTitle();
    setup.messages = &window.platform();
    setup.create = [&window](const QString& templatePath, std::function<void(bool)> done) {
        createProjectFromTemplate(window.document(), window.lifecycle(), templatePath,
                                  std::move(done));
    };
    return setup;
}

} // namespace

void openGallery(TFormMain& window, const std::function<void(bool created)>& done) {
    auto* gallery = new TFormTemplateSelect(gallerySetup(window), windowInFront(window));
    showWithoutWaiting<TFormTemplateSelect>(
        gallery, [](TFormTemplateSelect& g) { g.open(); },
        [gallery, done] { done(gallery->result() == QDialog::Accepted); });
}

void installStartupWizard(TFormMain& window, std::function<void()> endProgram) {
    window.setStartupWizard([&window, endProgram](std::function<void(bool opened)> done) {
        TFormWizard::Setup setup;
        setup.caption = programTitle();
        setup.recent = window.recentList().paths();
        setup.browse = [&window] {
            return window.platform().openFile(TFormWizard::tr("Open"), QString(),
                                              ProjectLifecycle::kArchiveFilter);
        };
        setup.open = [&window](const QString& path, std::function<void(bool)> done) {
            window.lifecycle().LoadContents(path, false, [&window, done](bool loaded) {
                done(loaded && !window.document().Marks.ProjectPath.isEmpty());
            });
        };
        setup.showGallery = [&window](std::function<void(bool)> created) {
            openGallery(window, created);
        };
        setup.wizardMode = [&window] { return window.context().wizardMode; };
        setup.endProgram = endProgram;
        auto* wizard = new TFormWizard(std::move(setup), &window);
        showWithoutWaiting<TFormWizard>(
            wizard, [](TFormWizard& w) { w.open(); },
            [wizard, done] { done(wizard->result() == QDialog::Accepted); });
    });
}

void aupdateprojectExecute(TFormMain& window) {
    if (!window.aupdateproject->isEnabled())
        return;
    const Folders& folders = window.context().folders;
    const UpdateResult result = updateProjectPlayer(folders.templates, window.document().CalendarId,
                                                    folders.projectData(), window.platform());
    if (result.copied > 0)
        window.arefreshExecute();
}

} // namespace qv
