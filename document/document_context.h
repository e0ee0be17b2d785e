#pragma once

#include <QString>

namespace korvane {

class LanguageTable;

// What the documents, their views and their dialogs read from the program: its language table
// and its folder. The shell fills it in at start-up; it holds data only, so nothing below the
// shell calls back up into it.
struct DocumentContext {
    const LanguageTable* language = nullptr;
    QString programDirectory;
};

}  // namespace korvane
