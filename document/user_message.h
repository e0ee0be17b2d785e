#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace korvane {

// The current language's text for key, or `fallback` when the language has none.
QString LanguageTextOr(int key, const char* fallback);

// Messages of the dialogs and file commands go through one sink: a modal message box normally,
// a recorder in tests.
using MessageSink = std::function<void(QWidget* parent, const QString& text)>;
void ShowUserMessage(QWidget* parent, const QString& text);

// Replaces the message sink while it lives.
class ScopedMessageSink {
  public:
    explicit ScopedMessageSink(MessageSink sink);
    ~ScopedMessageSink();
    ScopedMessageSink(const ScopedMessageSink&) = delete;
    ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

  private:
    MessageSink previous_;
};

}  // namespace korvane
