// The reading side of a picture file: opens it, checks it whole, and hands out its lines one
// after another as 24-bit pixels for the preview.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "nimbrel/CFileRecord.h"
#include "nimbrel/ColourConverter.h"
#include "nimbrel/PictureFileScan.h"

namespace nimbrel {

class CBitmapMakeMng {
public:
    // levelIni: the main ini that holds the level sections. A file whose levels cannot be
    // inverted reads as invalid, like a corrupt one.
    CBitmapMakeMng(const std::string& path, const std::string& levelIni);

    uint32_t SamplesPerLine() const { return m_scan.samplesPerLine; }
    uint32_t Lines() const { return m_scan.lines; }
    const PictureFileScan& Scan() const { return m_scan; }

    // Converts line `line` into `row` (SamplesPerLine() pixels). Lines come in order from 0;
    // any other number, or a line that does not read whole, is false.
    bool ReadLine(uint32_t line, std::vector<Bgr>& row);

private:
    std::unique_ptr<CFileRecord> m_file;
    PictureFileScan m_scan;
    std::unique_ptr<ColourConverter> m_converter;
    uint32_t m_next = 0;
};

}  // namespace nimbrel
