#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTest>

#include "document/command_ids.h"
#include "shell/about_dialog.h"
#include "shell/splash_wnd.h"
#include "shell_fixture.h"

namespace korvane {
namespace {

QByteArray PictureBytes(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// Lets the splash's deferred close run.
void SettleEvents() {
    QCoreApplication::processEvents();
}

TEST(Splash, NotShownWithoutThePictureFile) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
}

TEST(Splash, ShownWithThePictureAndClosedByARightClickWithoutOpeningTheManual) {
    ProgramUnderTest program(0);
    program.WriteFile(QStringLiteral("pic.bmp"), PictureBytes(200, 100));
    UrlRecorder urls;
    ASSERT_TRUE(program.Start());
    CSplashWnd* splash = CSplashWnd::Current();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->size(), QSize(200, 100));
    QTest::mouseClick(&program.Frame(), Qt::RightButton, {}, QPoint(50, 50));
    SettleEvents();
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    EXPECT_TRUE(urls.opened.isEmpty());
}

TEST(Splash, LeftClickOnItsLeftPartOpensTheManualAndOnTheRightOnlyCloses) {
    for (const auto& [x, opens] : {std::pair{30, true}, std::pair{150, false}}) {
        ProgramUnderTest program(0);
        program.WriteFile(QStringLiteral("pic.bmp"), PictureBytes(200, 100));
        program.WriteFile(QStringLiteral("language/English.html"), "<html></html>");
        UrlRecorder urls;
        ASSERT_TRUE(program.Start());
        CSplashWnd* splash = CSplashWnd::Current();
        ASSERT_NE(splash, nullptr);
        QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(x, 50));
        SettleEvents();
        EXPECT_EQ(CSplashWnd::Current(), nullptr);
        ASSERT_EQ(urls.opened.size(), opens ? 1 : 0) << x;
        if (opens) {
            EXPECT_TRUE(
                urls.opened[0].toLocalFile().endsWith(QStringLiteral("/language/English.html")));
        }
    }
}

TEST(Splash, AKeyPressClosesIt) {
    ProgramUnderTest program(0);
    program.WriteFile(QStringLiteral("pic.bmp"), PictureBytes(120, 80));
    ASSERT_TRUE(program.Start());
    ASSERT_NE(CSplashWnd::Current(), nullptr);
    QTest::keyClick(&program.Frame(), Qt::Key_Space);
    SettleEvents();
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
}

TEST(About, FallsBackToTheBuiltInPictureAndIsSizedToIt) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    AboutDialog about(program.ProgramDir() + QStringLiteral("/pic.bmp"), &program.Frame());
    const QPixmap builtIn(QString::fromLatin1(AboutDialog::kFallbackPicture));
    ASSERT_FALSE(builtIn.isNull());
    EXPECT_EQ(about.size(), builtIn.size());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
}

TEST(About, ShowsThePictureFileAndOpensTheManualFromItsLeftPart) {
    ProgramUnderTest program(0);
    program.WriteFile(QStringLiteral("pic.bmp"), PictureBytes(300, 150));
    program.WriteFile(QStringLiteral("language/English.html"), "<html></html>");
    ASSERT_TRUE(program.Start());
    AboutDialog about(program.ProgramDir() + QStringLiteral("/pic.bmp"), &program.Frame());
    EXPECT_EQ(about.size(), QSize(300, 150));
    UrlRecorder urls;
    QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(200, 75));
    EXPECT_TRUE(urls.opened.isEmpty());
    QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(100, 75));
    EXPECT_EQ(urls.opened.size(), 1);
}

}  // namespace
}  // namespace korvane
