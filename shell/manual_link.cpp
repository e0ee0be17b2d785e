#include "shell/manual_link.h"

#include <QDesktopServices>
#include <QPoint>
#include <QUrl>

#include "document/document_host.h"
#include "document/multi_tessel_doc.h"
#include "shell/language/language_table.h"

namespace korvane {

bool InManualLinkArea(const QRect& clientRect, const QPoint& pos) {
    QRect area = clientRect;
    area.setRight(area.right() - static_cast<int>(area.width() * 0.6));
    return area.contains(pos);
}

void OpenProgramManual() {
    const DocumentHost* host = CMultiTesselDoc::Host();
    if (host == nullptr) {
        return;
    }
    const LanguageTable& language = host->Language();
    const int current = language.GetCurrentLanguage();
    const QString fileName = current == LanguageTable::kBuiltInLanguage
                                 ? QString()
                                 : QString::fromStdString(language.GetLanguageFileName(current));
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(ChooseHelpFile(host->ProgramDirectory(), fileName)));
}

}  // namespace korvane
