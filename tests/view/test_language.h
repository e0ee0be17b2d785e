#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <map>

#include "document/document_context.h"
#include "document/multi_tessel_doc.h"
#include "i18n/language_table.h"

namespace korvane::test {

// A language file of the given texts, chosen as the program's language for as long as this
// lives: the documents, views and dialogs translate themselves through it as in the program.
class TestLanguage {
  public:
    explicit TestLanguage(const std::map<int, QByteArray>& texts) {
        QDir(folder_.path()).mkpath(QStringLiteral("language"));
        QFile file(QDir(folder_.path()).filePath(QStringLiteral("language/Test.lug")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        QByteArray text = "[App]\r\n8888=Test\r\n";
        for (const auto& [key, value] : texts) {
            text += QByteArray::number(key) + "=" + value + "\r\n";
        }
        file.write(text);
        file.close();
        const std::filesystem::path dir = folder_.path().toStdString();
        table_.ScanLanguageFiles(dir, dir);
        table_.SelectLanguage(0);
        context_.language = &table_;
        context_.programDirectory = folder_.path();
        CMultiTesselDoc::SetContext(&context_);
    }
    ~TestLanguage() { CMultiTesselDoc::SetContext(nullptr); }
    TestLanguage(const TestLanguage&) = delete;
    TestLanguage& operator=(const TestLanguage&) = delete;

    const LanguageTable& Table() const { return table_; }

  private:
    QTemporaryDir folder_;
    LanguageTable table_;
    DocumentContext context_;
};

}  // namespace korvane::test
