#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <vector>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "view/controls/on_off.h"
#include "view/entry/step_edit.h"
#include "view/multi_tessel_view.h"

namespace korvane::test {

// A front panel on a channel of simulated device 0, shown at the program's start size. The
// channel is real (not demo), so setters queue device commands; no worker consumes them unless a
// test starts one.
class FrontPanelTest : public ::testing::Test {
  protected:
    FrontPanelTest() {
        document.CreateState(library);
        channel().demo = 0;
        channel().deviceIndex = 0;
        view = std::make_unique<CMultiTesselView>(document, nullptr);
        document.SetView(view.get());
        view->resize(860, 480);
        view->InitialUpdate();
        view->show();
        ClearQueue();
    }
    ~FrontPanelTest() override { document.SetView(nullptr); }

    ChannelState& channel() { return *document.m_pState; }
    const PanelForm& form() { return view->Form(); }

    void ClearQueue() {
        while (channel().PopCommand() != 0) {
        }
    }
    std::vector<int> Queue() { return channel().QueuedCommands(); }

    // Replaces the field's text by typing, one key at a time, as a user does.
    static void TypeInto(QLineEdit& field, const char* text) {
        field.setFocus();
        field.selectAll();
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClicks(&field, text);
    }
    // Picks a unit from the box with the keyboard.
    static void ChooseUnit(QComboBox& box, int index) {
        box.setFocus();
        while (box.currentIndex() < index) {
            QTest::keyClick(&box, Qt::Key_Down);
        }
        while (box.currentIndex() > index) {
            QTest::keyClick(&box, Qt::Key_Up);
        }
    }
    static void Press(COnOff& key) { QTest::mouseClick(&key, Qt::LeftButton); }

    SimulatedDeviceLibrary library{1};
    CMultiTesselDoc document;
    std::unique_ptr<CMultiTesselView> view;
};

}  // namespace korvane::test
