// What the Pirvo window shows and its pages work with: the four outputs, the signal catalogue
// of the module's own drive, the active test signal and the ID texts of outputs 3 and 4.
//
// The catalogue is the video modules' signal tree (CatalogRecords.h): format folders, their
// signal sets, and each set's ".cmp" files with the name as listed (what a load sends back)
// and the name the operator reads. The Pirvo lists fewer format folders than the video
// modules do.
#pragma once

#include <string>

#include "corvane/modules/video/CatalogRecords.h"

namespace corvane {

// Outputs by their 0-based index; the instrument numbers them from 1.
enum PirvoOutput : int {
    kPirvoBlack1 = 0,
    kPirvoBlack2 = 1,
    kPirvoSignalOutput = 2,  // the test signal loaded from the catalogue
    kPirvoBarsOutput = 3,
};
constexpr int kPirvoOutputCount = 4;

// True for 0..3: every index a page hands over is checked against this first.
constexpr bool ValidPirvoOutput(int output) {
    return output >= 0 && output < kPirvoOutputCount;
}
// The two outputs with an ID text (SIGNAL and BARS), by index.
constexpr bool HasPirvoIdText(int output) {
    return output == kPirvoSignalOutput || output == kPirvoBarsOutput;
}

// The formats of outputs 1, 2 and 4. The SIGNAL output's "format" is instead the index of
// its format folder in the catalogue.
enum PirvoFormat : int {
    kPirvoNtsc = 0,
    kPirvoPal = 1,
    kPirvoNtscNoSetup = 2,
    kPirvoOtherFormat = 3,  // a standard the module reported that the window cannot choose
};

// Levels of the catalogue the Pirvo reads; entries beyond them are left out.
constexpr int kPirvoFormatFolders = 16;
constexpr int kPirvoSignalSets = 32;
constexpr int kPirvoSignals = 32;

using PirvoCatalog = SignalTree;

// The signal loaded on the SIGNAL output. After the read `signalName` is the display name;
// once the operator picks a signal it is the file name the page sent. `fileName` is always
// the name as listed, escapes kept: the load is built from it.
struct PirvoActiveSignal {
    int format = -1;  // folder index in the catalogue
    int set = -1;
    int signal = -1;
    std::string formatName;
    std::string setName;
    std::string signalName;
    std::string fileName;
    std::string path;  // "<format>/<set>/<signal name>", as the window shows it
};

// How the ID text of outputs 3 and 4 shows.
enum PirvoIdTextMode : int {
    kIdTextEnable = 0,
    kIdTextDisable = 1,
    kIdTextBlinkFast = 2,  // blinking every 0.5 s
    kIdTextBlinkSlow = 3,  // blinking every 1.0 s
};

// The ID text of output 3 or 4 as last read. The blink state and period are the module's
// answers; the mode is what the window derives from them and the text state.
struct PirvoIdText {
    int mode = kIdTextEnable;
    int blinkState = 0;
    std::string blinkPeriod = "0.5";  // "0.5" or "1.0"
    std::string text;
    int x = 0;  // percent
    int y = 0;  // percent
};

// An output's timing, as the timing page and the live query exchange it.
struct PirvoTiming {
    int lines = 0;
    double delay = 0.0;  // seconds
};

}  // namespace corvane
