// One component file of a picture: a stream of records, each a 16-bit id and a 32-bit payload
// length (both big-endian) followed by the payload. No magic, no padding; the reader must trust
// nothing it reads, so every length is checked against the size of the file before it is used.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nimbrel {

enum RecordId : uint16_t {
    kRecordStart = 0x0806,
    kRecordFormat = 0x0032,
    kRecordHeaderEnd = 0x8870,
    kRecordLine = 0x0072,
    kRecordEnd = 0x0FFF,
};

class CFileRecord {
public:
    enum class Mode { Read, Write };

    // The flag is the owner's debug flag; it never changes what is written.
    CFileRecord(bool flag, const std::string& path, Mode mode);
    ~CFileRecord();
    CFileRecord(const CFileRecord&) = delete;
    CFileRecord& operator=(const CFileRecord&) = delete;

    bool IsOpen() const { return m_handle >= 0; }
    // Size of the file when it was opened for reading; 0 for a writer.
    uint64_t FileSize() const { return m_size; }
    bool Flag() const { return m_flag; }

    // 0 with both fields, or -1 when fewer than 6 bytes were left (end of file or error).
    int ReadRecordHeader(uint16_t& id, uint32_t& length);
    int64_t Seek(int64_t offset, int origin);
    int64_t Tell();
    // Reads exactly count bytes; false on a short read, so no caller works on half a payload.
    bool ReadAll(void* buffer, size_t count);
    bool WriteRecordHeader(uint16_t id, uint32_t length);
    bool Write(const void* data, size_t count);

    // A whole record with 16-bit big-endian payload values; false unless every byte went out.
    bool WriteRecord16(uint16_t id, const std::vector<uint16_t>& values);

private:
    int m_handle = -1;
    bool m_flag = false;
    uint64_t m_size = 0;
};

// Big-endian conversion of 1 to 8 bytes in place; a wider value is refused.
bool SwapBigEndian(void* value, size_t size);
uint16_t ReadBig16(const unsigned char* bytes);

}  // namespace nimbrel
