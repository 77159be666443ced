#include "drenlo/model/FileInfo.h"

#include <QDateTime>
#include <QLocale>
#include <cmath>
#include <cstdio>
#include <limits>

#include "drenlo/model/FileType.h"

namespace drenlo {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10000000ULL;

}  // namespace

CFileInfo::CFileInfo(const std::string& name, std::uint64_t size, FileTime time, int isFolder)
    : m_name(name),
      m_upperName(UpperName(name)),
      m_time(time.ticks),
      m_size(size),
      m_isFolder(isFolder) {}

CFileInfo::CFileInfo(const std::string& name, std::uint64_t size, std::int64_t seconds,
                     int isFolder)
    : CFileInfo(name, size, FileTime{FileTimeFromSeconds(seconds)}, isFolder) {}

CFileInfo::CFileInfo(const CFileInfo& other)
    : m_name(other.m_name),
      m_upperName(UpperName(other.m_name)),
      m_time(other.m_time),
      m_size(other.m_size),
      m_isFolder(other.m_isFolder) {}

CFileInfo& CFileInfo::operator=(const CFileInfo& other) {
    if (this != &other) {
        m_name = other.m_name;
        m_upperName = UpperName(other.m_name);
        m_time = other.m_time;
        m_size = other.m_size;
        m_isFolder = other.m_isFolder;
    }
    return *this;
}

std::uint64_t CFileInfo::FileTimeFromSeconds(std::int64_t seconds) {
    if (seconds < -kEpochDifference)
        return 0;
    const std::uint64_t since1601 = static_cast<std::uint64_t>(seconds + kEpochDifference);
    if (since1601 > std::numeric_limits<std::uint64_t>::max() / kTicksPerSecond)
        return 0;
    return since1601 * kTicksPerSecond;
}

std::uint64_t CFileInfo::LocalNow() {
    const QDateTime local = QDateTime::currentDateTime();
    // The wall-clock fields as they stand, read as if they were UTC: the time texts convert
    // no zone either.
    const QDateTime asUtc(local.date(), local.time(), Qt::UTC);
    return FileTimeFromSeconds(asUtc.toSecsSinceEpoch());
}

void CFileInfo::SetName(const std::string& name) {
    m_name = name;
    m_upperName = UpperName(name);
}

int CFileInfo::GetFileType() const {
    return FileTypeOfName(m_upperName);
}

int CFileInfo::GetSizeText(std::string& text) const {
    const QLocale locale;  // the operator's locale unless the application set another
    // Grouped whole bytes; the locale's decimal part is never added for an integer.
    text = (locale.toString(static_cast<qulonglong>(m_size))).toLatin1().toStdString();
    return 1;
}

int CFileInfo::GetTimeText(std::string& text) const {
    text.clear();
    const std::uint64_t seconds = m_time / kTicksPerSecond;
    const std::int64_t unixSeconds =
        static_cast<std::int64_t>(seconds) - static_cast<std::int64_t>(kEpochDifference);
    const QDateTime when = QDateTime::fromSecsSinceEpoch(unixSeconds, Qt::UTC);
    if (!when.isValid())
        return 0;
    const QLocale locale;  // the operator's locale unless the application set another
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    const QString time = locale.toString(when.time(), locale.timeFormat(QLocale::ShortFormat));
    if (date.isEmpty())
        return 0;
    text = (date + QLatin1Char(' ') + time).toLatin1().toStdString();
    return 1;
}

}  // namespace drenlo
