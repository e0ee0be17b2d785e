#include "shell/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace korvane {

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations() {
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
    }
}

bool QtTranslations::Use(const QString& locale) {
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
    }
    if (locale.isEmpty() || locale == QStringLiteral("en")) {
        return false;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(locale), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    return true;
}

}  // namespace korvane
