#include "document/help_file.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "document/document_context.h"
#include "document/multi_tessel_doc.h"
#include "document/user_message.h"
#include "i18n/language_table.h"

namespace korvane {

namespace {

constexpr int kTextManualNotOpened = 2065;
constexpr int kTextManualNotFound = 2066;

QString MessageText(int key, const char* english, const QString& path) {
    return LanguageTextOr(key, english)
        .replace(QStringLiteral("%s"), QDir::toNativeSeparators(path));
}

}  // namespace

void OpenHelpFile() {
    const DocumentContext* context = CMultiTesselDoc::Context();
    if (context == nullptr || context->language == nullptr) {
        return;
    }
    const LanguageTable& language = *context->language;
    const int current = language.GetCurrentLanguage();
    const QString fileName = current == LanguageTable::kBuiltInLanguage
                                 ? QString()
                                 : QString::fromStdString(language.GetLanguageFileName(current));
    const QString manual = ChooseHelpFile(context->programDirectory, fileName);
    if (!QFileInfo(manual).isFile()) {
        ShowUserMessage(nullptr,
                        MessageText(kTextManualNotFound,
                                    "The manual was not found. It belongs here: %s", manual));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(manual))) {
        ShowUserMessage(
            nullptr,
            MessageText(kTextManualNotOpened,
                        "The manual could not be opened. Open it in a browser: %s", manual));
    }
}

}  // namespace korvane
