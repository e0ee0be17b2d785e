#include "document/user_message.h"

#include "document/message_box.h"
#include "document/multi_tessel_doc.h"

namespace korvane {

namespace {

MessageSink& CurrentSink() {
    static MessageSink sink = [](QWidget* parent, const QString& text) {
        ShowMessageBox(parent, text);
    };
    return sink;
}

}  // namespace

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

}  // namespace korvane
