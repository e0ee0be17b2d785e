#include "view/dialogs/dialog_support.h"

#include <QDialog>
#include <QVariant>

#include "document/multi_tessel_doc.h"
#include "document/user_message.h"

namespace korvane {

namespace {

constexpr const char* kResourceIdProperty = "korvaneResourceId";
constexpr int kNotAnIntegerKey = 2079;
constexpr int kNotANumberKey = 2080;

}  // namespace

void InitialiseDialog(QDialog& dialog, int resourceId) {
    dialog.setProperty(kResourceIdProperty, resourceId);
    CMultiTesselDoc::TranslateWindow(dialog);
    const QString title = CMultiTesselDoc::GetLanguageText(resourceId);
    if (!title.isEmpty()) {
        dialog.setWindowTitle(title);
    }
}

void RetranslateDialog(QDialog& dialog) {
    const QVariant resourceId = dialog.property(kResourceIdProperty);
    if (resourceId.isValid()) {
        InitialiseDialog(dialog, resourceId.toInt());
    } else {
        CMultiTesselDoc::TranslateWindow(dialog);
    }
}

QString NotAnIntegerText() {
    return LanguageTextOr(kNotAnIntegerKey, "Please enter an integer.");
}

QString NotANumberText() {
    return LanguageTextOr(kNotANumberKey, "Please enter a number.");
}

}  // namespace korvane
