#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "document/command_ids.h"
#include "engine/channel_state.h"
#include "shell/child_frame.h"
#include "shell/device_tab_bar.h"
#include "shell/main_frame.h"
#include "shell_fixture.h"
#include "view/controls/led.h"
#include "view/controls/on_off.h"
#include "view/entry/step_edit.h"
#include "view/multi_tessel_view.h"
#include "view/wave_display.h"

namespace korvane {
namespace {

CMultiTesselView& ViewOf(QMdiSubWindow& window) {
    auto* child = qobject_cast<CChildFrame*>(&window);
    EXPECT_NE(child, nullptr);
    return *qobject_cast<CMultiTesselView*>(child->View());
}

// Scrolls the panel the way a user drags its scroll bars until `control` is in sight, then
// tells whether the whole control shows.
bool CanBeSeen(QWidget& control) {
    for (QWidget* w = control.parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* scroll = qobject_cast<QScrollArea*>(w)) {
            for (QScrollBar* bar : {scroll->horizontalScrollBar(), scroll->verticalScrollBar()}) {
                bar->triggerAction(QAbstractSlider::SliderToMinimum);
            }
            while (control.mapTo(scroll->viewport(), QPoint(0, control.height())).y() >
                       scroll->viewport()->height() &&
                   scroll->verticalScrollBar()->value() < scroll->verticalScrollBar()->maximum()) {
                scroll->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            }
            while (control.mapTo(scroll->viewport(), QPoint(control.width(), 0)).x() >
                       scroll->viewport()->width() &&
                   scroll->horizontalScrollBar()->value() <
                       scroll->horizontalScrollBar()->maximum()) {
                scroll->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            }
            break;
        }
    }
    return control.isVisible() && control.visibleRegion().boundingRect() == control.rect();
}

// The controls a user of the panel needs most; each must show whole, directly or by scrolling.
void ExpectWholePanelReachable(CMultiTesselView& view) {
    const PanelForm& form = view.Form();
    const struct {
        const char* name;
        QWidget* widget;
    } controls[] = {
        {"sine key", form.waveKeys[0]},
        {"frequency", form.frequency},
        {"Wave ON/OFF", form.outputOn.key},
        {"output lamp", form.outputOn.lamp},
        {"F/C ON/OFF", form.measureOn.key},
        {"measure lamp", form.measureOn.lamp},
        {"ext trigger lamp", form.extTrigger.lamp},
        {"readout", form.readout},
    };
    for (const auto& control : controls) {
        EXPECT_TRUE(CanBeSeen(*control.widget)) << control.name;
    }
}

// Scrolls the device area with its scroll bars until the whole window is in sight (or the bars
// end).
void ScrollAreaTo(QMdiArea& area, QMdiSubWindow& window) {
    const struct {
        QScrollBar* bar;
        int (QRect::*end)() const;
        int (QSize::*extent)() const;
    } axes[] = {{area.horizontalScrollBar(), &QRect::right, &QSize::width},
                {area.verticalScrollBar(), &QRect::bottom, &QSize::height}};
    for (const auto& axis : axes) {
        axis.bar->triggerAction(QAbstractSlider::SliderToMinimum);
        while ((window.geometry().*axis.end)() >= (area.viewport()->size().*axis.extent)() &&
               axis.bar->value() < axis.bar->maximum()) {
            axis.bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        }
    }
}

// A device window is usable when a click brings it to the front whole (the device area
// scrolling to it where needed), it shows a display to look at and every panel control can be
// reached.
void ExpectUsable(QMdiArea& area, QMdiSubWindow& window) {
    area.setActiveSubWindow(&window);
    EXPECT_FALSE(window.isMaximized());
    ScrollAreaTo(area, window);
    EXPECT_TRUE(area.viewport()->rect().contains(window.geometry()))
        << window.geometry().x() << "," << window.geometry().y() << " " << window.geometry().width()
        << "x" << window.geometry().height();
    CMultiTesselView& view = ViewOf(window);
    EXPECT_GE(view.Display().width(), 150) << "display " << view.Display().width();
    EXPECT_GE(view.Display().height(), 150) << "display " << view.Display().height();
    ExpectWholePanelReachable(view);
}

void OpenDemos(ProgramUnderTest& program, int count) {
    ASSERT_TRUE(program.Start());
    for (int i = 1; i < count; ++i) {
        ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    }
}

class WindowArrangement : public ::testing::TestWithParam<int> {};

TEST_P(WindowArrangement, EveryDeviceWindowStaysUsable) {
    const int command = GetParam();
    for (const int windows : {1, 3, 8}) {
        SCOPED_TRACE(windows);
        ProgramUnderTest program(0);
        OpenDemos(program, windows);
        ASSERT_TRUE(program.ChooseMenuCommand(command));
        QMdiArea& area = program.Frame().MdiArea();
        QTest::qWait(10);
        ASSERT_EQ(area.subWindowList().size(), windows);
        for (QMdiSubWindow* window : area.subWindowList()) {
            SCOPED_TRACE(window->windowTitle().toStdString());
            ExpectUsable(area, *window);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(CascadeAndTile, WindowArrangement,
                         ::testing::Values(kCmdWindowCascade, kCmdWindowTile),
                         [](const auto& info) {
                             return info.param == kCmdWindowCascade ? "Cascade" : "Tile";
                         });

// Picks `window` from the Windows menu's list of windows the way a user does.
void ChooseFromWindowMenu(ProgramUnderTest& program, const QMdiSubWindow& window) {
    const QAction* tile = program.Frame().CommandAction(kCmdWindowTile);
    for (QMenu* menu : program.Frame().GetActiveMenu()->findChildren<QMenu*>()) {
        if (!menu->actions().contains(tile)) {
            continue;
        }
        menu->popup(QPoint(0, 0));  // opening the menu lists the windows
        menu->hide();
        for (QAction* entry : menu->actions()) {
            if (entry->property("windowEntry").toBool() &&
                entry->text().endsWith(QLatin1Char(' ') + window.windowTitle())) {
                entry->trigger();
                return;
            }
        }
    }
    ADD_FAILURE() << "no Windows menu entry for " << window.windowTitle().toStdString();
}

void ClickTab(ProgramUnderTest& program, int index) {
    DeviceTabBar& tabs = program.Frame().TabBar();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(index).center());
}

// Tiled windows that need more room than the device area has: choosing one, lowest first, from
// the Windows menu or by its tab scrolls the area until the whole window shows.
class ActivatedWindowScrollsIntoView
    : public ::testing::TestWithParam<void (*)(ProgramUnderTest&, int)> {};

TEST_P(ActivatedWindowScrollsIntoView, AfterTile) {
    ProgramUnderTest program(0);
    OpenDemos(program, 4);
    program.Frame().resize(700, 640);
    QTest::qWait(10);
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdWindowTile));
    QMdiArea& area = program.Frame().MdiArea();
    QTest::qWait(10);
    const QList<QMdiSubWindow*> windows = area.subWindowList();
    ASSERT_EQ(windows.size(), 4);
    ASSERT_TRUE(area.viewport()->rect().contains(QRect(QPoint(0, 0), windows.back()->size())))
        << "one window fits";
    ASSERT_FALSE(area.viewport()->rect().contains(windows.back()->geometry()))
        << "the last window is meant to lie beyond the area";
    for (int i = int(windows.size()) - 1; i >= 0; --i) {
        SCOPED_TRACE(windows[i]->windowTitle().toStdString());
        GetParam()(program, i);
        EXPECT_EQ(area.activeSubWindow(), windows[i]);
        const QRect place = windows[i]->geometry();
        EXPECT_TRUE(area.viewport()->rect().contains(place))
            << place.x() << "," << place.y() << " " << place.width() << "x" << place.height()
            << " in " << area.viewport()->width() << "x" << area.viewport()->height();
    }
}

INSTANTIATE_TEST_SUITE_P(Choices, ActivatedWindowScrollsIntoView,
                         ::testing::Values(
                             +[](ProgramUnderTest& program, int i) {
                                 ChooseFromWindowMenu(
                                     program, *program.Frame().MdiArea().subWindowList()[i]);
                             },
                             +[](ProgramUnderTest& program, int i) { ClickTab(program, i); }),
                         [](const auto& info) { return info.index == 0 ? "WindowsMenu" : "Tab"; });

TEST(SmallMainWindow, EveryPanelControlCanBeReached) {
    ProgramUnderTest program(0);
    OpenDemos(program, 1);
    program.Frame().resize(500, 400);
    QTest::qWait(10);
    QMdiArea& area = program.Frame().MdiArea();
    ASSERT_EQ(area.subWindowList().size(), 1);
    CMultiTesselView& view = ViewOf(*area.subWindowList().front());
    ASSERT_LT(view.height(), PanelForm::kHeight) << "the window is meant to be too small";
    // The maximised window fits the area, so the panel's own scroll bars are on the screen.
    EXPECT_LE(area.subWindowList().front()->width(), area.viewport()->width());
    EXPECT_LE(area.subWindowList().front()->height(), area.viewport()->height());
    ExpectWholePanelReachable(view);
    // The display keeps a visible width beside the panel.
    EXPECT_GE(view.Display().width(), 100);
}

}  // namespace
}  // namespace korvane
