#include "nimbrel/CBitmapMakeMng.h"

#include <unistd.h>

namespace nimbrel {

CBitmapMakeMng::CBitmapMakeMng(const std::string& path, const std::string& levelIni)
    : m_file(std::make_unique<CFileRecord>(false, path, CFileRecord::Mode::Read)) {
    m_scan = PictureFileScan::Scan(*m_file);
    if (!m_scan.Valid()) {
        return;
    }
    LevelSet levels;
    bool found = false;
    const int levelSet = (m_scan.formatWord >> 11) & 7;
    if (!LevelSet::Read(levelIni, m_scan.formatWord < 256 ? 0 : levelSet, levels, found)) {
        levels = LevelSet{};
    }
    m_converter =
        std::make_unique<ColourConverter>(levels, m_scan.twelveBit, m_scan.standardDefinition);
    if (!m_converter->CanInvert()) {
        m_scan = PictureFileScan{};
        m_converter.reset();
    }
}

bool CBitmapMakeMng::ReadLine(uint32_t line, std::vector<Bgr>& row) {
    if (!m_converter || line != m_next || line >= m_scan.lines) {
        return false;
    }
    uint16_t id = 0;
    uint32_t length = 0;
    for (;;) {
        if (m_file->ReadRecordHeader(id, length) != 0 || id == kRecordEnd) {
            return false;
        }
        if (id == kRecordLine) {
            break;
        }
        if (m_file->Seek(length, SEEK_CUR) < 0) {
            return false;
        }
    }
    const uint32_t samples = m_scan.samplesPerLine;
    // The scan found every line this long; a file changed since then is refused, not trusted.
    if (length != samples * static_cast<uint32_t>(m_scan.bytesPerPosition)) {
        return false;
    }
    std::vector<unsigned char> payload(length);
    if (!m_file->ReadAll(payload.data(), length)) {
        return false;
    }
    auto sample = [&](int buffer, uint32_t k) {
        return ReadBig16(payload.data() + 2 * (static_cast<size_t>(buffer) * samples + k));
    };
    const bool third = m_scan.bytesPerPosition == 6;
    row.assign(samples, Bgr{});
    for (uint32_t k = 0; k + 1 < samples; k += 2) {
        const uint16_t y[2] = {sample(0, k), sample(0, k + 1)};
        const uint16_t c[2] = {sample(1, k), sample(1, k + 1)};
        const uint16_t d[2] = {third ? sample(2, k) : uint16_t{0},
                               third ? sample(2, k + 1) : uint16_t{0}};
        m_converter->Inverse(m_scan.layout, y, c, d, &row[k]);
    }
    ++m_next;
    return true;
}

}  // namespace nimbrel
