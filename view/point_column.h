#pragma once

namespace korvane {

class CMultiTesselDoc;

// The display column of arbitrary point `index` in the document's window, which is brought to the
// top first; 0 while the document has no channel or no window.
int PointToColumn(CMultiTesselDoc& document, int index);

}  // namespace korvane
