#pragma once

namespace korvane {

class CMultiTesselDoc;
struct WaveformData;

// Puts a new point table made in the window (imported, or from an equation) into the document's
// channel: the points, their sample rate and the frequency that plays them, the arbitrary wave
// type, and a download. The table belongs to no CSV file, so Save asks for a name rather than
// overwrite the file it was imported from. Every such table change passes through here.
void ApplyArbitraryTable(CMultiTesselDoc& document, const WaveformData& waveform);

}  // namespace korvane
