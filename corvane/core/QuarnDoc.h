// CQuarnDoc: the mainframe's own parameters, as the mainframe window shows them.
//
// It reads the controller's frame reset outputs, the "*OPT?" catalogue with every version,
// the memory use and the display contrast, and sends back the contrast, the one value the
// operator can change. A re-read (after another window applied something) replaces the
// values only when the whole read succeeded, and keeps a contrast the operator typed but has
// not applied yet.
#pragma once

#include <array>
#include <string>

#include "platform/Document.h"

namespace corvane {

class CQuarnDoc : public platform::CDocument {
public:
    // Hints to the views. kHintContrastRange carries the old contrast (int*).
    static constexpr platform::LPARAM kHintRefresh = 0;
    static constexpr platform::LPARAM kHintContrastRange = 1;
    static constexpr int kContrastMin = 1;
    static constexpr int kContrastMax = 40;
    static constexpr int kFrameResets = 3;
    static constexpr int kSlots = 4;

    CQuarnDoc();
    ~CQuarnDoc() override;

    bool OnOpenDocument(const std::string& path) override;
    bool SaveModified() override;

    int ReadAll();
    int Apply();
    void SetContrast(int value);

    // Parsers of the replies, 1 when the reply could be read.
    // `"1,3` marks slots 1 and 3; an empty reply marks none; numbers above the last slot
    // are ignored.
    static int ParseFrameCatalog(const std::string& reply, std::array<int, kSlots>& marks);
    // "<used>,<free>,"<first entry>"..."; an empty root: "<used>,<free>" or "<used>,<free>,".
    static int ParseMemory(const std::string& reply, double& used, double& free);

    std::string m_optionReply;  // the whole "*OPT?" reply; empty before the first read
    double m_usedBytes = 0.0;
    double m_freeBytes = 0.0;
    int m_contrast = 0;
    std::array<std::string, kFrameResets> m_frameFrequency;
    std::array<std::array<int, kSlots>, kFrameResets> m_frameUsedBySlot{};
    int m_contrastChanged = 0;
};

}  // namespace corvane
