// CFileInfo: one entry of an instrument folder listing.
//
// The link's listing parser makes them, the list view owns one per list item and the tree view
// reads them while it loads subfolders. The name is kept exactly as the instrument lists it,
// escapes included ("`h" for '-', "^" for a blank...), because that is the form the instrument
// takes back in paths; InstrumentNames.h turns it into a PC file name when one is needed.
//
// m_upperName always follows m_name: every way of setting the name sets both.
// m_time is a FILETIME (100 ns ticks since 1601-01-01) taken as it stands, without a time-zone
// conversion; 0 means the item has no time (the instrument's listings carry none).
#pragma once

#include <cstdint>
#include <string>

namespace drenlo {

// A FILETIME value, kept apart from plain seconds so the two constructors cannot be confused.
struct FileTime {
    std::uint64_t ticks = 0;
};

class CFileInfo {
public:
    // Seconds between 1601-01-01 and 1970-01-01.
    static constexpr std::int64_t kEpochDifference = 11644473600LL;

    CFileInfo() = default;
    CFileInfo(const std::string& name, std::uint64_t size, FileTime time, int isFolder);
    // `seconds` since 1970-01-01 00:00; negative or absurd values give no time (0).
    CFileInfo(const std::string& name, std::uint64_t size, std::int64_t seconds, int isFolder);
    CFileInfo(const CFileInfo& other);
    CFileInfo& operator=(const CFileInfo& other);

    // (seconds + 11644473600) x 10^7 in 64 bits; 0 when that cannot be represented.
    static std::uint64_t FileTimeFromSeconds(std::int64_t seconds);
    // The PC's local wall-clock time now, as a FILETIME taken as it stands (a folder made on
    // the PC side carries it).
    static std::uint64_t LocalNow();

    int IsFolder() const { return m_isFolder; }
    std::uint64_t GetSize() const { return m_size; }
    std::uint64_t GetTime() const { return m_time; }
    int HasTime() const { return m_time != 0 ? 1 : 0; }
    const std::string& GetName() const { return m_name; }
    const std::string& GetUpperName() const { return m_upperName; }
    void SetName(const std::string& name);

    int GetFileType() const;  // FileType.h
    // Whole bytes with the operator's locale grouping, no decimals ("1,200,000"). Returns 1.
    int GetSizeText(std::string& text) const;
    // Short date, a blank and the time without seconds in the operator's locale. 0 (text
    // emptied) when the time cannot be converted.
    int GetTimeText(std::string& text) const;

private:
    std::string m_name;
    std::string m_upperName;
    std::uint64_t m_time = 0;
    std::uint64_t m_size = 0;
    int m_isFolder = 0;
};

}  // namespace drenlo
