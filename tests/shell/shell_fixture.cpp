#include "shell_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>

#include "document/multi_tessel_doc.h"
#include "shell/device_list_dialog.h"
#include "shell/device_tab_bar.h"
#include "shell/device_view_factory.h"

namespace korvane {

ModalResponder::ModalResponder() {
    connect(&timer_, &QTimer::timeout, this, &ModalResponder::Poll);
    timer_.start(5);
}

ModalResponder::~ModalResponder() = default;

void ModalResponder::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        messages << box->text();
        messageCaptions << box->windowTitle();
        box->button(QMessageBox::Ok)->click();
    } else if (auto* list = qobject_cast<DeviceListDialog*>(modal)) {
        QStringList rows;
        for (int row = 0; row < list->List().rowCount(); ++row) {
            rows << list->List().item(row, 0)->text();
        }
        deviceLists << rows;
        if (onDeviceList) {
            onDeviceList(*list);
        } else {
            QTest::mouseClick(&list->OkButton(), Qt::LeftButton);
        }
    } else if (auto* dialog = qobject_cast<QDialog*>(modal); dialog != nullptr && onOtherDialog) {
        onOtherDialog(*dialog);
    }
}

UrlRecorder::UrlRecorder() {
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open");
}

UrlRecorder::~UrlRecorder() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

ProgramUnderTest::ProgramUnderTest(int devices) {
    auto simulator = std::make_unique<SimulatedDeviceLibrary>(devices);
    simulator_ = simulator.get();
    app_ = std::make_unique<CMultiTesselApp>(
        CMultiTesselApp::Options{programDir_.path(), userDir_.path(), tempDir_.path(),
                                 std::move(simulator), DefaultDeviceViewFactory()});
}

ProgramUnderTest::ProgramUnderTest(std::unique_ptr<DeviceLibrary> library,
                                   SimulatedDeviceLibrary& simulator)
    : simulator_(&simulator) {
    app_ = std::make_unique<CMultiTesselApp>(
        CMultiTesselApp::Options{programDir_.path(), userDir_.path(), tempDir_.path(),
                                 std::move(library), DefaultDeviceViewFactory()});
}

ProgramUnderTest::~ProgramUnderTest() {
    app_.reset();
}

void ProgramUnderTest::WriteFile(const QString& relativePath, const QByteArray& content) const {
    const QString path = programDir_.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(content);
    }
}

bool ProgramUnderTest::Start() {
    if (!app_->InitInstance() ||
        !WaitFor([this] { return Frame().DevicesFoundAtStart().has_value(); })) {
        return false;
    }
    Frame().TimerTick();  // the first tick shows the frame and builds the Language menu
    Frame().activateWindow();
    return QTest::qWaitForWindowActive(&Frame());
}

void ProgramUnderTest::Quit() {
    if (app_->MainFrame() != nullptr) {
        app_->MainFrame()->close();
    }
    app_.reset();
}

CMultiTesselDoc& ProgramUnderTest::Device(int index) const {
    return *Frame().GetDevice(index);
}

QStringList ProgramUnderTest::TabTexts() const {
    QStringList texts;
    for (int i = 0; i < Frame().TabBar().count(); ++i) {
        texts << Frame().TabBar().tabText(i);
    }
    return texts;
}

QAction* ProgramUnderTest::MenuItem(int id) {
    QAction* action = Frame().CommandAction(id);
    for (QMenu* menu : Frame().GetActiveMenu()->findChildren<QMenu*>()) {
        if (menu->actions().contains(action)) {
            menu->popup(QPoint(0, 0));  // showing the menu refreshes its items
            menu->hide();
            return action;
        }
    }
    return nullptr;
}

bool ProgramUnderTest::ChooseMenuCommand(int id) {
    QAction* action = MenuItem(id);
    if (action == nullptr || !action->isEnabled()) {
        return false;
    }
    action->trigger();
    return true;
}

bool ProgramUnderTest::ClickToolButton(QToolBar& toolBar, int id) {
    Frame().TimerTick();  // the timer keeps the buttons' states current
    QWidget* button = toolBar.widgetForAction(Frame().CommandAction(id));
    if (button == nullptr || !button->isEnabled()) {
        return false;
    }
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

QByteArray ShippedLanguageFile(const char* name) {
    const QString root = QStringLiteral(__FILE__).section(QLatin1Char('/'), 0, -4);
    QFile file(root + QStringLiteral("/language/") + QString::fromUtf8(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WaitFor(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 10000) {
        QTest::qWait(10);
    }
    return condition();
}

}  // namespace korvane
