// The writer of one picture build: one temporary record file per component and field, the
// six sample buffers of a line, and the levels and filter the samples are made with. It lives
// for one build; destroying it closes the files (the job deletes them).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/CFileRecord.h"
#include "nimbrel/ColourConverter.h"
#include "nimbrel/LevelSet.h"
#include "nimbrel/LineBuilder.h"

namespace nimbrel {

struct MakeSwitches {
    bool filterOn = false;
    bool doubleWidth = false;
    bool ycbcr444 = false;
    bool gbrOutput = false;
    bool twelveBit = false;
};

class CFileMakeMng {
public:
    // width: pixels of the format (the line has twice as many samples with doubleWidth).
    // leftEdge: the picture's first column in the frame bitmap; rightMargin: the background
    // columns right of it. Reads the levels of the job's level set and, with the filter on,
    // the taps and beginning mode; only when those are usable are the files opened.
    CFileMakeMng(const CFileMakeInfo& job, const MakeSwitches& switches, int width, int leftEdge,
                 int rightMargin);
    ~CFileMakeMng();
    CFileMakeMng(const CFileMakeMng&) = delete;
    CFileMakeMng& operator=(const CFileMakeMng&) = delete;

    // 0, or 20 when the build cannot make the samples it promises: a 12-bit level type other
    // than type 1 (or a level set of 6 or 7) without its level section, a level outside the
    // bit depth's range, or the filter on with a tap section that holds no tap or Y taps that
    // sum to 0. No file is opened then.
    int SetupCode() const { return m_setupCode; }

    bool AllBuffersReady() const;
    // The three header records into every field-1 file; false on a failed write, a file that
    // did not open, or a format word above 0xFFFF.
    bool WriteHeaders();
    // count black lines into every field-1 and field-2 file; 0 or less writes none.
    bool WriteBlackLines(long count);
    // One frame-bitmap row (BGR bytes, `columns` wide) into the buffers.
    bool BuildLine(const uint8_t* row, int columns);
    // The buffers as a line record into every file of field 1 or 2. False when no samples are
    // waiting or a write fails. The samples stay waiting, so the last line of an odd count
    // can be written again to field 2.
    bool WriteLine(int field);
    // Appends each component's field-2 file to its field-1 file.
    bool MergeFields();
    bool WriteEndRecords();

    // The format word of a component's file, derived from the job's word.
    static uint16_t ComponentWord(uint16_t base, int component, bool gbrOutput);

    // For a line made elsewhere (the raw tool): fill SampleBuffers(), then MarkSamplesWaiting().
    // Converter() and Filter() are there only when SetupCode() is 0.
    LineBuilder::Buffers& SampleBuffers() { return m_buffers; }
    void MarkSamplesWaiting() { m_samplesWaiting = true; }
    int Samples() const { return m_samples; }
    const MakeSwitches& Switches() const { return m_switches; }
    const FilterSettings& Filter() const { return m_filter; }
    const ColourConverter& Converter() const { return *m_converter; }
    const LevelSet& Levels() const { return m_levels; }

private:
    bool ReadSettings(int leftEdge);
    // The whole line record of a component's file, header and payload, from a set of buffers.
    void Serialise(int component, const LineBuilder::Buffers& buffers,
                   std::vector<uint8_t>& out) const;
    // Writes serialised records in one call.
    static bool WriteLineRecord(CFileRecord& file, const std::vector<uint8_t>& records);
    static bool AppendFile(CFileRecord& to, CFileRecord& from);
    // Line records wait in m_pending until a chunk is full or the field's last line is there.
    bool Queue(int field, int component, const std::vector<uint8_t>& record, bool last);
    bool FlushField(int field);

    const CFileMakeInfo& m_job;
    MakeSwitches m_switches;
    int m_samples = 0;
    int m_lastContentColumn = 0;
    int m_setupCode = 0;
    LevelSet m_levels;
    FilterSettings m_filter;
    std::unique_ptr<ColourConverter> m_converter;
    std::unique_ptr<LineBuilder> m_builder;
    LineBuilder::Buffers m_buffers;
    bool m_samplesWaiting = false;
    // [field - 1][component]; null when that file is not made.
    std::unique_ptr<CFileRecord> m_files[2][kComponentCount];
    std::vector<uint8_t> m_scratch;
    // [field - 1][component]: records not yet written. A few large writes cost the file system
    // far less than one per line.
    std::vector<uint8_t> m_pending[2][kComponentCount];
    long m_linesQueued[2] = {0, 0};
};

}  // namespace nimbrel
