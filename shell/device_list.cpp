#include "shell/device_list.h"

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "engine/device_claim.h"
#include "view/dialogs/dialog_support.h"

namespace korvane {

namespace {

constexpr int kDemoWordKey = 2007;
constexpr int kDeviceWordKey = 2014;

bool IsDemo(const CMultiTesselDoc& document) {
    return !document.m_pState || document.m_pState->demo != 0;
}

// "Device 2" or "Demo 1", the word in the current language.
QString AutomaticName(bool demo, int number) {
    const QString word =
        demo ? LanguageTextOr(kDemoWordKey, "Demo") : LanguageTextOr(kDeviceWordKey, "Device");
    return word + QLatin1Char(' ') + QString::number(number);
}

QString AutomaticName(const CMultiTesselDoc& document) {
    return AutomaticName(IsDemo(document), document.m_nNameNumber);
}

}  // namespace

void DeviceList::Add(CMultiTesselDoc& document) {
    document.m_nIndex = nextSerial_++;
    if (document.m_bNameFixed == 0) {
        document.m_nNameNumber = FreeNameNumber(document, document.m_nIndex, -1);
        document.SetDeviceName(AutomaticName(document));
    }
    documents_.append(&document);
}

void DeviceList::RetranslateNames() {
    for (qsizetype i = 0; i < documents_.size(); ++i) {
        CMultiTesselDoc& document = *documents_[i];
        if (document.m_bNameFixed != 0 || document.m_nNameNumber < 1) {
            continue;
        }
        const int position = static_cast<int>(i);
        if (NameInUse(AutomaticName(document), position)) {
            // As many candidates as documents: the others cannot hold them all.
            document.m_nNameNumber = FreeNameNumber(document, Count() - 1, position);
        }
        document.SetDeviceName(AutomaticName(document));
    }
}

int DeviceList::FreeNameNumber(const CMultiTesselDoc& document, int serial, int exceptIndex) const {
    const bool demo = IsDemo(document);
    return AutomaticNameNumber(
        serial, [&](int number) { return NameInUse(AutomaticName(demo, number), exceptIndex); });
}

bool DeviceList::Remove(int index) {
    for (qsizetype i = 0; i < documents_.size(); ++i) {
        if (documents_[i]->m_nIndex == index) {
            documents_.removeAt(i);
            return true;
        }
    }
    return false;
}

void DeviceList::Renumber() {
    for (qsizetype i = 0; i < documents_.size(); ++i) {
        documents_[i]->m_nIndex = static_cast<int>(i);
    }
}

CMultiTesselDoc* DeviceList::Get(int index) const {
    if (documents_.isEmpty()) {
        return nullptr;
    }
    if (index >= 0 && index < documents_.size()) {
        return documents_[index];
    }
    return documents_.back();
}

int DeviceList::SelectTab(int index) {
    if (index < 0 || index >= Count()) {
        index = Count() - 1;
    }
    currentTab_ = index;
    return currentTab_;
}

bool DeviceList::NameInUse(const QString& name, int exceptIndex) const {
    for (qsizetype i = 0; i < documents_.size(); ++i) {
        if (i != exceptIndex &&
            documents_[i]->m_strDeviceName.compare(name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

bool DeviceList::Rename(int index, const QString& name) {
    CMultiTesselDoc* document = Get(index);
    if (document == nullptr || name.isEmpty()) {
        return false;
    }
    // Get maps an index beyond the end to the last entry; compare against that position.
    const int position = static_cast<int>(documents_.indexOf(document));
    if (NameInUse(name, position)) {
        return false;
    }
    if (name != document->m_strDeviceName) {
        document->m_bNameFixed = 1;
    }
    document->SetDeviceName(name);
    return true;
}

}  // namespace korvane
