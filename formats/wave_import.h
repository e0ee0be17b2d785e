#pragma once

#include <string>
#include <vector>

#include "formats/waveform_data.h"

namespace korvane {

// What an importer found in a file, for the preview to show.
struct ImportDetection {
    char separator = 0;         // ',', ';', '\t', ' ' (blanks), 0 for a single column or a sound
    bool decimalComma = false;  // "0,5" read as one half
    int columns = 1;            // columns of a text file, channels of a sound file
    int valueColumn = 1;        // the column (or channel) read, counted from 1
    int headerLines = 0;        // text lines before the first value that are not comments
    int commentLines = 0;       // lines starting with #, ; or //
    long long pointCount = 0;   // values (or sound frames) in the file
    int averagedBy = 1;         // consecutive sound frames averaged into one kept value
    std::string format;         // "text", or the sound file's format, e.g. "WAV, 16-bit PCM"
};

// Why a file could not be imported. `line` is 0 where no single line is at fault.
struct ImportError {
    std::string file;
    int line = 0;
    std::string reason;

    // "FILE:LINE: REASON", or "FILE: REASON" without a line.
    std::string Text() const {
        std::string text = file;
        if (line > 0) {
            text += ':';
            text += std::to_string(line);
        }
        text += ": ";
        text += reason;
        return text;
    }
};

// One period of a wave as read from a file, before it is fitted to the point table.
struct ImportedWave {
    std::vector<double> values;  // in volts; a sound's full scale is already applied
    double sampleRate = 0.0;     // values per second; 0 when the file does not say
    ImportDetection detection;
};

// Options shared by the importers.
struct ImportOptions {
    int column = 0;               // column (text) or channel (sound) counted from 1; 0 = default
    double fullScaleVolts = 3.5;  // a sound's full scale (sample value 1.0) in volts
};

// The fitted table as a waveform to apply to a channel (ApplyWaveform): one period lasts as long
// as the `sourceCount` values did at `sourceRate`; without a rate (0) the table plays at
// `frequency`.
WaveformData ImportedWaveform(std::vector<float> points, std::size_t sourceCount, double sourceRate,
                              double frequency);

}  // namespace korvane
