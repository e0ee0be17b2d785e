#include "view/point_column.h"

#include "document/device_view.h"
#include "document/multi_tessel_doc.h"

namespace korvane {

int PointToColumn(CMultiTesselDoc& document, int index) {
    document.ActivateFrame();
    const DeviceView* view = document.View();
    if (!document.m_pState || view == nullptr) {
        return 0;
    }
    return PointColumn(*document.m_pState, index, view->DisplayWidth());
}

}  // namespace korvane
