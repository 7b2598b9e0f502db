#include "publish/PublishContext.h"

namespace qv {

PublishContext PublishContext::make(const QString& width, const QString& height,
                                    const QString& programFolder, const QString& chosenFolder) {
    PublishContext context;
    context.publishWidth = width;
    context.publishHeight = height;
    context.scriptTemplatePath = programFolder + QStringLiteral("/files/embed_page.htm");
    context.noScriptTemplatePath = programFolder + QStringLiteral("/files/embed_page_nojs.htm");
    // A folder that already ends in a separator (a drive root) gets a second one; paths with a
    // doubled separator work all the same.
    context.publishedFolder = chosenFolder + QLatin1Char('/');
    return context;
}

} // namespace qv
