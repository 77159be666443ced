#include "nimbrel/CFileMakeMng.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "nimbrel/FormatTable.h"
#include "nimbrel/Lanes.h"

namespace nimbrel {

namespace {

constexpr size_t kLineHeaderSize = 6;
constexpr size_t kWriteChunk = 256 * 1024;

// Which of the six buffers a file's line record carries, in order.
struct Layout {
    int count;
    int index[3];
};

Layout LineLayout(int component, const MakeSwitches& s) {
    if (component != kComponentY) {
        return Layout{2, {component + 1, 5, 0}};  // G 2, B 3, R 4; then the main file's third
    }
    if (s.gbrOutput) {
        return Layout{3, {1, 5, 0}};
    }
    return s.ycbcr444 ? Layout{3, {0, 1, 5}} : Layout{2, {0, 1, 0}};
}

// Samples as the file stores them, high byte first, sixteen at a time where the processor can.
NIMBREL_WIDE_LANES
void ToBigEndian(const uint16_t* in, size_t count, uint8_t* out) {
    using Sixteen = uint16_t __attribute__((vector_size(32)));
    constexpr size_t kStep = sizeof(Sixteen) / sizeof(uint16_t);
    size_t k = 0;
    for (; k + kStep <= count; k += kStep) {
        Sixteen v;
        std::memcpy(&v, in + k, sizeof v);
        v = (v << 8) | (v >> 8);
        std::memcpy(out + 2 * k, &v, sizeof v);
    }
    for (; k < count; ++k) {
        out[2 * k] = static_cast<uint8_t>(in[k] >> 8);
        out[2 * k + 1] = static_cast<uint8_t>(in[k]);
    }
}

}  // namespace

CFileMakeMng::CFileMakeMng(const CFileMakeInfo& job, const MakeSwitches& switches, int width,
                           int leftEdge, int rightMargin)
    : m_job(job), m_switches(switches) {
    m_samples = switches.doubleWidth ? 2 * width : width;
    m_lastContentColumn = width + 2 * kMargin - 1 - rightMargin;
    if (!ReadSettings(leftEdge)) {
        m_setupCode = 20;
        return;
    }
    // Lines are built in pairs of samples, and no format of the table is wider than this;
    // anything else would only be a huge allocation or a write past a buffer.
    if (m_samples <= 0 || m_samples % 2 != 0 || m_samples > 2 * FormatTable::kMaxWidth) {
        return;
    }
    for (auto& buffer : m_buffers) {
        buffer.assign(static_cast<size_t>(m_samples), 0);
    }
    for (int field = 1; field <= 2; ++field) {
        if (field == 2 && !job.Interlaced()) {
            continue;
        }
        for (int c = 0; c < kComponentCount; ++c) {
            const std::string name = job.GetTempFileName(field, c);
            if (!name.empty()) {
                m_files[field - 1][c] =
                    std::make_unique<CFileRecord>(job.Debug(), name, CFileRecord::Mode::Write);
            }
        }
    }
    m_builder->SetComponentsWanted(m_files[0][kComponentG] || m_files[0][kComponentB] ||
                                   m_files[0][kComponentR]);
}

CFileMakeMng::~CFileMakeMng() = default;

bool CFileMakeMng::ReadSettings(int leftEdge) {
    const int word = static_cast<int>(m_job.FormatWord() & 0xFFFF);
    const int levelSet = (word >> 11) & 7;
    bool sectionFound = false;
    if (!LevelSet::Read(m_job.MainIni(), levelSet, m_levels, sectionFound)) {
        return false;
    }
    // The 10-bit set and 12-bit type 1 have defaults; any other type named in the word without
    // its values would be built at levels the file does not claim.
    if (levelSet >= 2 && !sectionFound) {
        return false;
    }
    const bool standardDefinition = m_job.Family() == 0 || m_job.Family() == 1;
    m_converter =
        std::make_unique<ColourConverter>(m_levels, m_switches.twelveBit, standardDefinition);
    m_levels = m_converter->Levels();
    const LineMode mode = m_switches.gbrOutput  ? LineMode::Gbr
                          : m_switches.ycbcr444 ? LineMode::YPbPr444
                                                : LineMode::YPbPr422;
    m_builder =
        std::make_unique<LineBuilder>(*m_converter, m_samples, m_switches.doubleWidth, mode);
    if (!m_switches.filterOn) {
        return true;
    }
    // Without taps every sample would come out 0: a black-below-black picture reported as
    // built.
    if (!FilterSettings::ReadTaps(m_job.FilterIni(), m_job.FilterSection(), m_filter)) {
        return false;
    }
    double sum = 0;
    for (double tap : m_filter.yTaps) {
        sum += tap;
    }
    if (sum == 0.0) {
        return false;
    }
    FilterSettings::ReadBeginning(m_job.FilterIni(), m_filter);
    if (leftEdge != kMargin) {
        m_filter.beginMode = 2;  // background at the left: the frame's own margin is the edge
    }
    m_builder->SetFilter(m_filter);
    return true;
}

bool CFileMakeMng::AllBuffersReady() const {
    if (m_setupCode != 0 || !m_builder) {
        return false;
    }
    for (const auto& buffer : m_buffers) {
        if (buffer.size() != static_cast<size_t>(m_samples) || buffer.empty()) {
            return false;
        }
    }
    return true;
}

uint16_t CFileMakeMng::ComponentWord(uint16_t base, int component, bool gbrOutput) {
    if (component != kComponentY) {
        return static_cast<uint16_t>((base & ~0x0500) | 0x0200);
    }
    if (gbrOutput) {
        return static_cast<uint16_t>((base & ~0x0100) | 0x0600);
    }
    return static_cast<uint16_t>((base & ~0x0200) | 0x0100);
}

bool CFileMakeMng::WriteHeaders() {
    const long word = m_job.FormatWord();
    if (word < 0 || word > 0xFFFF) {
        return false;
    }
    bool any = false;
    for (int field = 0; field < 2; ++field) {
        for (int c = 0; c < kComponentCount; ++c) {
            CFileRecord* file = m_files[field][c].get();
            if (file == nullptr) {
                continue;
            }
            // A field-2 file that did not open would fail only at its first line; say so now.
            if (!file->IsOpen()) {
                return false;
            }
            if (field == 1) {
                continue;
            }
            any = true;
            const uint16_t own =
                ComponentWord(static_cast<uint16_t>(word), c, m_switches.gbrOutput);
            if (!file->WriteRecord16(kRecordStart, {1}) ||
                !file->WriteRecord16(kRecordFormat, {own}) ||
                !file->WriteRecordHeader(kRecordHeaderEnd, 0)) {
                return false;
            }
        }
    }
    return any;
}

// The whole line record, its header first: a line goes to each file in one write, not three.
void CFileMakeMng::Serialise(int component, const LineBuilder::Buffers& buffers,
                             std::vector<uint8_t>& out) const {
    const Layout layout = LineLayout(component, m_switches);
    const size_t n = static_cast<size_t>(m_samples);
    const size_t payload = 2 * n * static_cast<size_t>(layout.count);
    out.resize(kLineHeaderSize + payload);
    const uint32_t length = static_cast<uint32_t>(payload);
    const uint8_t header[kLineHeaderSize] = {
        static_cast<uint8_t>(kRecordLine >> 8), static_cast<uint8_t>(kRecordLine),
        static_cast<uint8_t>(length >> 24),     static_cast<uint8_t>(length >> 16),
        static_cast<uint8_t>(length >> 8),      static_cast<uint8_t>(length)};
    std::copy(header, header + kLineHeaderSize, out.begin());
    for (int b = 0; b < layout.count; ++b) {
        ToBigEndian(buffers[static_cast<size_t>(layout.index[b])].data(), n,
                    out.data() + kLineHeaderSize + 2 * n * static_cast<size_t>(b));
    }
}

bool CFileMakeMng::WriteLineRecord(CFileRecord& file, const std::vector<uint8_t>& record) {
    return file.IsOpen() && file.Write(record.data(), record.size());
}

bool CFileMakeMng::WriteBlackLines(long count) {
    if (count <= 0) {
        return true;
    }
    if (!AllBuffersReady()) {
        return false;
    }
    const size_t n = static_cast<size_t>(m_samples);
    LineBuilder::Buffers black;
    const std::vector<uint16_t> yBlack(n, m_levels.yBlack);
    black[0] = black[2] = black[3] = black[4] = yBlack;
    if (m_switches.gbrOutput) {
        black[1] = black[5] = yBlack;
    } else if (m_switches.ycbcr444) {
        // Pb and Pr each at their own zero: alternating both would tint the black whenever the
        // two zero levels differ.
        black[1].assign(n, m_levels.pbZero);
        black[5].assign(n, m_levels.prZero);
    } else {
        black[1].resize(n);
        for (size_t k = 0; k < n; ++k) {
            black[1][k] = (k % 2 == 0) ? m_levels.pbZero : m_levels.prZero;
        }
        black[5].assign(n, 0);
    }
    // The G, B and R files carry zeros after their component in a black line.
    LineBuilder::Buffers component = black;
    component[5].assign(n, 0);

    std::vector<uint8_t> record[kComponentCount];
    for (int c = 0; c < kComponentCount; ++c) {
        Serialise(c, c == kComponentY ? black : component, record[c]);
    }
    for (auto& field : m_files) {
        for (int c = 0; c < kComponentCount; ++c) {
            if (!field[c]) {
                continue;
            }
            for (long i = 0; i < count; ++i) {
                if (!WriteLineRecord(*field[c], record[c])) {
                    return false;
                }
            }
        }
    }
    return true;
}

bool CFileMakeMng::BuildLine(const uint8_t* row, int columns) {
    if (!AllBuffersReady() || !m_builder->BuildLine(row, columns, m_lastContentColumn, m_buffers)) {
        return false;
    }
    m_samplesWaiting = true;
    return true;
}

bool CFileMakeMng::Queue(int field, int component, const std::vector<uint8_t>& record, bool last) {
    std::vector<uint8_t>& pending = m_pending[field - 1][component];
    pending.insert(pending.end(), record.begin(), record.end());
    if (!last && pending.size() < kWriteChunk) {
        return true;
    }
    CFileRecord* file = m_files[field - 1][component].get();
    const bool written = file != nullptr && WriteLineRecord(*file, pending);
    pending.clear();
    return written;
}

bool CFileMakeMng::FlushField(int field) {
    for (int c = 0; c < kComponentCount; ++c) {
        if (!m_pending[field - 1][c].empty() && !Queue(field, c, {}, true)) {
            return false;
        }
    }
    return true;
}

bool CFileMakeMng::WriteLine(int field) {
    if (field < 1 || field > 2 || !m_samplesWaiting || !AllBuffersReady()) {
        return false;
    }
    // The field's last line goes out at once, so a write that fails is still reported by the
    // line it failed on, not later by the merge.
    const long lines = m_job.Lines();
    const long expected = !m_job.Interlaced() ? lines : field == 1 ? (lines + 1) / 2 : lines / 2;
    const bool last = ++m_linesQueued[field - 1] >= expected;
    for (int c = 0; c < kComponentCount; ++c) {
        if (!m_files[field - 1][c]) {
            continue;
        }
        Serialise(c, m_buffers, m_scratch);
        if (!Queue(field, c, m_scratch, last)) {
            return false;
        }
    }
    return true;
}

bool CFileMakeMng::AppendFile(CFileRecord& to, CFileRecord& from) {
    const int64_t size = from.Seek(0, SEEK_END);
    if (size < 0 || from.Seek(0, SEEK_SET) != 0 || to.Seek(0, SEEK_END) < 0) {
        return false;
    }
    // Large pieces: the file system keeps a large write in fewer, larger pages.
    std::vector<uint8_t> chunk(static_cast<size_t>(1024) * 1024);
    int64_t left = size;
    while (left > 0) {
        const size_t part = static_cast<size_t>(std::min<int64_t>(left, int64_t(chunk.size())));
        if (!from.ReadAll(chunk.data(), part) || !to.Write(chunk.data(), part)) {
            return false;
        }
        left -= static_cast<int64_t>(part);
    }
    return true;
}

bool CFileMakeMng::MergeFields() {
    if (!FlushField(1) || !FlushField(2)) {
        return false;
    }
    for (int c = 0; c < kComponentCount; ++c) {
        if (m_files[1][c] && (!m_files[0][c] || !AppendFile(*m_files[0][c], *m_files[1][c]))) {
            return false;
        }
    }
    return true;
}

bool CFileMakeMng::WriteEndRecords() {
    if (!FlushField(1)) {
        return false;
    }
    for (auto& file : m_files[0]) {
        if (file && !file->WriteRecordHeader(kRecordEnd, 0)) {
            return false;
        }
    }
    return true;
}

}  // namespace nimbrel
