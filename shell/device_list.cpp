#include "shell/device_list.h"

#include <string>
#include <vector>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "engine/device_claim.h"

namespace korvane {

void DeviceList::Add(CMultiTesselDoc& document) {
    document.m_nIndex = nextSerial_++;
    if (document.m_bNameFixed == 0) {
        std::vector<std::string> names;
        for (const CMultiTesselDoc* other : documents_) {
            names.push_back(other->m_strDeviceName.toStdString());
        }
        const bool demo = !document.m_pState || document.m_pState->demo != 0;
        document.SetDeviceName(
            QString::fromStdString(AutomaticDeviceName(demo, document.m_nIndex, names)));
    }
    documents_.append(&document);
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
    document->SetDeviceName(name);
    return true;
}

}  // namespace korvane
