#include "document/dialogs/dialog_support.h"

#include <QDialog>
#include <QVariant>

#include "document/message_box.h"
#include "document/multi_tessel_doc.h"

namespace korvane {

namespace {

constexpr const char* kResourceIdProperty = "korvaneResourceId";

MessageSink& CurrentSink() {
    static MessageSink sink = [](QWidget* parent, const QString& text) {
        ShowMessageBox(parent, text);
    };
    return sink;
}

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

QString LanguageTextOr(int key, const char* fallback) {
    const QString text = CMultiTesselDoc::GetLanguageText(key);
    return text.isEmpty() ? QString::fromLatin1(fallback) : text;
}

void ShowUserMessage(QWidget* parent, const QString& text) {
    CurrentSink()(parent, text);
}

ScopedMessageSink::ScopedMessageSink(MessageSink sink) : previous_(std::move(CurrentSink())) {
    CurrentSink() = std::move(sink);
}

ScopedMessageSink::~ScopedMessageSink() {
    CurrentSink() = std::move(previous_);
}

QString NotAnIntegerText() {
    return QStringLiteral("Please enter an integer.");
}

QString NotANumberText() {
    return QStringLiteral("Please enter a number.");
}

}  // namespace korvane
