// CPirvoDoc: the Pirvo, the analog test-signal generator with four outputs (PirvoRecords.h):
// two black outputs, the SIGNAL output that plays a test signal from the module's own
// catalogue, and the BARS output. Every output has a format, a signal and a timing; SIGNAL and
// BARS carry an ID text.
//
// The read takes the catalogue first, then finds the loaded signal in it; Apply goes output by
// output and reads the ID texts again after anything that reloads the picture, since the
// module puts the text of the new signal on screen. A pending ID-text change survives that
// read: it is the operator's, and it goes out later in the same Apply.
#pragma once

#include <array>
#include <string>

#include "corvane/modules/apl/AplTables.h"
#include "corvane/modules/common/ModuleDoc.h"
#include "corvane/modules/pirvo/PirvoRecords.h"
#include "platform/Types.h"

namespace corvane {

class CPirvoDoc : public CModuleDoc {
public:
    static constexpr const char* kSignalRoot = "/F0:/Pirvo/SIGNAL";

    // Told to the views before the close question reads the document: a page sends what the
    // operator typed and has not committed yet.
    struct AboutToClose : ModuleHint {};

    CPirvoDoc();
    ~CPirvoDoc() override;

    bool SaveModified() override;

    int ReadAll() override;
    int Apply() override;

    // The live timing of an output, into the document (no change flag) and `timing`. 1 read;
    // 0 for an output outside 0..3, a failed exchange or a reply without both fields, and then
    // nothing changes.
    int QueryTiming(int output, PirvoTiming& timing);
    // 1 once if the last Apply sent a format or loaded a signal on `output`, then 0.
    int TakeFormatSent(int output);

    // The operator's changes, as the pages report them. An output a setter does not serve,
    // a value outside its range or a name the catalogue lacks changes nothing.
    // Outputs 0, 1 and 3: format 0..2.
    void SetFormat(int output, int format);
    // Outputs 0, 1 and 3: a signal code of the word table; any other changes nothing.
    void SetSignal(int output, int code);
    void SetLines(int output, int lines);
    void SetDelay(int output, double seconds);
    // The SIGNAL output's format folder, by its index in the catalogue.
    void SetFormatFolder(int index);
    // The file name of the signal to load, as listed.
    void SetSignalFile(const std::string& fileName);
    // The set the signal comes from; the load follows the signal, so this alone sends nothing.
    void SetSignalSet(const std::string& name);
    void SetAplMode(const std::string& keyword);
    void SetAplPeriod(const std::string& keyword);
    // Outputs 2 and 3. A quote or a control character cannot travel inside the command and
    // is left out.
    void SetIdText(int output, const std::string& text);
    void SetIdMode(int output, int mode);
    // Percent, held to 0..100.
    void SetIdX(int output, int percent);
    void SetIdY(int output, int percent);

    const AplTables& m_aplTables;
    PirvoCatalog m_catalog;
    PirvoActiveSignal m_active;
    Flagged<std::string> m_aplMode;
    Flagged<std::string> m_aplPeriod;

    // Per output, by index. The SIGNAL output's format is its folder index; its signal flag
    // stands for the picked file.
    FlaggedArray<int, kPirvoOutputCount> m_format;
    FlaggedArray<int, kPirvoOutputCount> m_signal;
    FlaggedArray<int, kPirvoOutputCount> m_lines;
    FlaggedArray<double, kPirvoOutputCount> m_delay;  // seconds
    // The ID text of outputs 2 and 3.
    FlaggedArray<int, kPirvoOutputCount> m_idMode;
    FlaggedArray<std::string, kPirvoOutputCount> m_idText;
    FlaggedArray<int, kPirvoOutputCount> m_idX;
    FlaggedArray<int, kPirvoOutputCount> m_idY;
    std::array<int, kPirvoOutputCount> m_blinkState{};
    std::array<std::string, kPirvoOutputCount> m_blinkPeriod{};

    // The ID text of output 2 or 3 as the document holds it.
    PirvoIdText IdText(int output) const;

protected:
    // Posts to the main frame (none without one).
    virtual void PostToMainFrame(platform::UINT message);

private:
    int ReadCatalogue();
    int ReadActiveSignal();
    int ReadApl();
    // Outputs 3 and 4. With `keepChanged` a field the operator changed keeps its value.
    int ReadIdTexts(bool keepChanged);
    int ReadIdText(int output, bool keepChanged);
    int ReadOutput(int output);

    // The bar's range: the read's steps after the catalogue, which takes its own, and the
    // Apply's, one per query or parameter position.
    static int ReadSettingsSteps();
    static int ApplySteps();

    int ApplyOutput(int output);
    int ApplyIdText(int output);
    // One command of the Apply.
    int Send(const std::string& command);
    // "MMEM:LOAD:SIGN" of the active signal; empty unless its path is in the catalogue.
    std::string LoadCommand() const;

    std::array<int, kPirvoOutputCount> m_formatSent{};
    bool m_sentAny = false;
};

}  // namespace corvane
