#include "nimbrel/CFileRecord.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>

namespace nimbrel {

bool SwapBigEndian(void* value, size_t size) {
    if (size < 1 || size > 8) {
        return false;
    }
    if constexpr (std::endian::native == std::endian::little) {
        auto* bytes = static_cast<unsigned char*>(value);
        std::reverse(bytes, bytes + size);
    }
    return true;
}

uint16_t ReadBig16(const unsigned char* bytes) {
    return static_cast<uint16_t>((bytes[0] << 8) | bytes[1]);
}

CFileRecord::CFileRecord(bool flag, const std::string& path, Mode mode) : m_flag(flag) {
    if (mode == Mode::Read) {
        m_handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        if (m_handle >= 0 && ::fstat(m_handle, &info) == 0 && S_ISREG(info.st_mode)) {
            m_size = static_cast<uint64_t>(info.st_size);
        } else if (m_handle >= 0) {
            // A folder or a device has no size to check lengths against.
            ::close(m_handle);
            m_handle = -1;
        }
    } else {
        m_handle = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    }
}

CFileRecord::~CFileRecord() {
    if (m_handle >= 0) {
        ::close(m_handle);
    }
}

bool CFileRecord::ReadAll(void* buffer, size_t count) {
    auto* out = static_cast<unsigned char*>(buffer);
    size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(m_handle, out + done, count - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        done += static_cast<size_t>(got);
    }
    return true;
}

int CFileRecord::ReadRecordHeader(uint16_t& id, uint32_t& length) {
    unsigned char bytes[6];
    if (m_handle < 0 || !ReadAll(bytes, sizeof bytes)) {
        return -1;
    }
    id = ReadBig16(bytes);
    length = (uint32_t{bytes[2]} << 24) | (uint32_t{bytes[3]} << 16) | (uint32_t{bytes[4]} << 8) |
             uint32_t{bytes[5]};
    return 0;
}

int64_t CFileRecord::Seek(int64_t offset, int origin) {
    return m_handle < 0 ? -1 : static_cast<int64_t>(::lseek(m_handle, offset, origin));
}

int64_t CFileRecord::Tell() {
    return Seek(0, SEEK_CUR);
}

bool CFileRecord::Write(const void* data, size_t count) {
    const auto* in = static_cast<const unsigned char*>(data);
    size_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(m_handle, in + done, count - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        done += static_cast<size_t>(put);
    }
    return m_handle >= 0;
}

bool CFileRecord::WriteRecordHeader(uint16_t id, uint32_t length) {
    const unsigned char bytes[6] = {
        static_cast<unsigned char>(id >> 8),      static_cast<unsigned char>(id),
        static_cast<unsigned char>(length >> 24), static_cast<unsigned char>(length >> 16),
        static_cast<unsigned char>(length >> 8),  static_cast<unsigned char>(length)};
    return m_handle >= 0 && Write(bytes, 2) && Write(bytes + 2, 4);
}

bool CFileRecord::WriteRecord16(uint16_t id, const std::vector<uint16_t>& values) {
    if (values.size() > 0x7FFFFFFFu) {
        return false;
    }
    std::vector<unsigned char> payload(values.size() * 2);
    for (size_t i = 0; i < values.size(); ++i) {
        payload[2 * i] = static_cast<unsigned char>(values[i] >> 8);
        payload[2 * i + 1] = static_cast<unsigned char>(values[i]);
    }
    return WriteRecordHeader(id, static_cast<uint32_t>(payload.size())) &&
           Write(payload.data(), payload.size());
}

}  // namespace nimbrel
