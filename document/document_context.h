#pragma once

#include <QString>

namespace korvane {

class LanguageTable;
class RememberedValues;

// What the documents, their views and their dialogs read from the program: its language table,
// its folder and where values are remembered between runs. The shell fills it in at start-up;
// it holds data and an interface the shell implements, so nothing below the shell includes it.
struct DocumentContext {
    const LanguageTable* language = nullptr;
    QString programDirectory;
    RememberedValues* remembered = nullptr;  // none in tests that do not need it
};

}  // namespace korvane
