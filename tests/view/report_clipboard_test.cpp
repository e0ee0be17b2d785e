// "Copy to Clipboard": the waveform display's own picture, the display's size, on the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "document/command_ids.h"

#include "image_probe.h"
#include "view/clipboard_copy.h"
#include "view/wave_display.h"
#include "view_panel_fixture.h"

namespace korvane::test {
namespace {

class ClipboardCopyTest : public FrontPanelTest {
  protected:
    void SetUp() override { QGuiApplication::clipboard()->clear(); }
};

TEST_F(ClipboardCopyTest, TheClipboardHoldsAPictureOfTheDisplaysSize) {
    WaveDisplay& display = view->Display();
    ASSERT_GT(display.width(), 0);
    ASSERT_TRUE(CopyDisplayToClipboard(display));
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), display.size());
    // Mostly the display's dark field, with the curve on it.
    const QImage picture = copied.convertToFormat(QImage::Format_RGB32);
    const int field = CountColour(picture, picture.rect(), display.BackgroundColor());
    EXPECT_GT(field, picture.width() * picture.height() / 2);
    EXPECT_GT(CountColour(picture, display.PlotRect(), display.CurveColor()), 0);
}

TEST_F(ClipboardCopyTest, TheCopyFollowsTheDisplaysColours) {
    WaveDisplay& display = view->Display();
    display.SetBackgroundColor(QColor(0, 90, 0));
    ASSERT_TRUE(CopyDisplayToClipboard(display));
    const QImage picture =
        QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(CountColour(picture, picture.rect(), QColor(0, 90, 0)),
              picture.width() * picture.height() / 2);
}

TEST_F(ClipboardCopyTest, AWindowLyingOverTheDisplayIsNotCopied) {
    WaveDisplay& display = view->Display();
    auto* cover = new QLabel(view.get());
    cover->setAutoFillBackground(true);
    QPalette palette = cover->palette();
    palette.setColor(QPalette::Window, QColor(255, 0, 255));
    cover->setPalette(palette);
    cover->setGeometry(display.geometry());
    cover->show();
    cover->raise();
    ASSERT_TRUE(CopyDisplayToClipboard(display));
    const QImage picture =
        QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(CountColour(picture, picture.rect(), QColor(255, 0, 255)), 0);
    EXPECT_GT(CountColour(picture, picture.rect(), display.BackgroundColor()), 0);
}

TEST_F(ClipboardCopyTest, ThePanelsCopyCommandPutsTheDisplayOnTheClipboard) {
    ASSERT_TRUE(view->Commands().Execute(kCmdEditCopy));
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), view->Display().size());
}

TEST_F(FrontPanelTest, ThePanelsPreviewCommandShowsTheReportOnOnePage) {
    int pages = -1;
    QTimer closer;
    // Reads the preview once it is up, then closes it.
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        if (auto* preview = dialog->findChild<QPrintPreviewWidget*>()) {
            preview->updatePreview();
            pages = preview->pageCount();
        }
        dialog->reject();
    });
    closer.start(20);
    ASSERT_TRUE(view->Commands().Execute(kCmdFilePrintPreview));
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(view->Commands().HasAction(kCmdFilePrint));
    EXPECT_TRUE(view->Commands().HasAction(kCmdFilePrintDirect));
}

// Answers the next modal dialog of type Dialog with `answer` (which returns whether it is done).
template <typename Dialog>
class ModalAnswer {
  public:
    explicit ModalAnswer(std::function<void(Dialog&)> answer) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
                timer_.stop();
                answer_(*dialog);
            }
        });
        timer_.start(20);
    }

  private:
    std::function<void(Dialog&)> answer_;
    QTimer timer_;
};

void ChooseOrientation(QDialog& setup, const QString& name) {
    for (QRadioButton* button : setup.findChildren<QRadioButton*>()) {
        if (button->text().remove(QLatin1Char('&')) == name) {
            button->click();
        }
    }
    setup.accept();
}

TEST_F(FrontPanelTest, PrintSetupChoicesCarryIntoThePreview) {
    const auto previewOrientation = [this] {
        QPageLayout::Orientation shown = QPageLayout::Portrait;
        ModalAnswer<QPrintPreviewDialog> reader([&shown](QPrintPreviewDialog& dialog) {
            if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) {
                shown = preview->orientation();
            }
            dialog.reject();
        });
        view->Commands().Execute(kCmdFilePrintPreview);
        return shown;
    };
    {
        ModalAnswer<QPageSetupDialog> setup([](QPageSetupDialog& dialog) {
            ChooseOrientation(dialog, QStringLiteral("Landscape"));
        });
        ASSERT_TRUE(view->Commands().Execute(kCmdFilePrintSetup));
    }
    EXPECT_EQ(previewOrientation(), QPageLayout::Landscape);
    {
        ModalAnswer<QPageSetupDialog> setup([](QPageSetupDialog& dialog) {
            ChooseOrientation(dialog, QStringLiteral("Portrait"));
        });
        ASSERT_TRUE(view->Commands().Execute(kCmdFilePrintSetup));
    }
    EXPECT_EQ(previewOrientation(), QPageLayout::Portrait);
}

TEST(ClipboardCopyEmptyTest, AWidgetWithoutAreaCopiesNothing) {
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    WaveDisplay display;
    display.resize(0, 0);
    EXPECT_FALSE(CopyDisplayToClipboard(display));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
    EXPECT_TRUE(RenderWidgetPicture(display).isNull());
}

}  // namespace
}  // namespace korvane::test
