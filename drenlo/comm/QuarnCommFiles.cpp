// File and folder commands, the catalogue walk and the list status texts.
#include "drenlo/comm/CatalogParser.h"
#include "drenlo/comm/CommHost.h"
#include "drenlo/comm/InstrumentNames.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/model/FileType.h"
#include "platform/Numbers.h"
#include "platform/WaitCursor.h"

namespace drenlo {

int CQuarnComm::SendQuoted(const char* head, const std::string& argument) {
    // A quote or line end inside the argument would end it early and put the rest on the
    // wire as a command of its own.
    if (!IsQuotableArgument(argument))
        return 0;
    return SendCommand(std::string(head) + " \"" + argument + "\"");
}

int CQuarnComm::ReadIdentity() {
    std::string reply;
    if (!Query("*idn?", reply))
        return 0;
    return reply.find("USR") != std::string::npos ? 1 : 0;
}

std::string CQuarnComm::ReadCatalog(const std::string& folder) {
    platform::CWaitCursor wait;
    std::string reply;
    if (!SendQuoted("mmem:cdir", folder))
        return reply;
    Query("mmem:cat?", reply);
    return reply;
}

int CQuarnComm::ReadDirectory(const std::string& folder, CFileInfo& item) {
    if (!folder.empty() && !SendQuoted("mmem:cdir", folder))
        return 0;
    g_catalogReply.Clear();
    if (!Query("mmem:cat?", g_catalogReply.text) || g_catalogReply.text.empty()) {
        g_catalogReply.Clear();
        return 0;
    }
    g_objectCount = 0;
    g_totalSize = 0;
    double used = 0;
    double free = 0;
    if (!CCatalogParser::ReadCounts(g_catalogReply.text, used, free)) {
        g_catalogReply.Clear();
        return 0;
    }
    if (used > 0 && free > 0) {
        g_usedBytes = m_usedBytes = used;
        g_freeBytes = m_freeBytes = free;
    } else {
        g_usedBytes = m_usedBytes;
        g_freeBytes = m_freeBytes;
    }
    CCatalogParser::SkipToEntries(g_catalogReply);
    return ParseCatalogEntries(item);
}

int CQuarnComm::ParseCatalogEntries(CFileInfo& item) {
    CFileInfo entry;
    if (!CCatalogParser::TakeEntry(g_catalogReply, entry))
        return 0;
    item = entry;
    ++g_objectCount;
    if (!entry.IsFolder())
        g_totalSize += entry.GetSize();
    return 1;
}

void CQuarnComm::ClearCatalogReply() {
    g_catalogReply.Clear();
}

int CQuarnComm::IsDirectoryEmpty(const std::string& folder) {
    if (!SendQuoted("mmem:cdir", folder))
        return kFolderUnknown;
    std::string reply;
    if (!Query("mmem:cat?", reply) || reply.empty())
        return kFolderUnknown;
    return reply.find('"') == std::string::npos ? kFolderEmpty : kFolderNotEmpty;
}

int CQuarnComm::ReadNextError(std::string& line) {
    return Query("stat:que:next?", line);
}

int CQuarnComm::MakeDirectory(const std::string& path) {
    return SendQuoted("mmem:mdir", path);
}

int CQuarnComm::RemoveRemoteDirectory(const std::string& path) {
    return SendQuoted("mmem:rdir", path);
}

int CQuarnComm::DeleteRemoteFile(const std::string& path) {
    return SendQuoted("mmem:del", path);
}

int CQuarnComm::DeleteAll(const std::string& folder) {
    return SendQuoted("mmem:del:all", folder);
}

int CQuarnComm::MoveRemoteFile(const std::string& from, const std::string& to) {
    if (from == to)
        return 1;
    if (!IsQuotableArgument(from) || !IsQuotableArgument(to))
        return 0;
    return SendCommand("mmem:move \"" + from + "\",\"" + to + "\"");
}

int CQuarnComm::CopyRemoteFile(const std::string& from, const std::string& to) {
    if (from == to)
        return 1;
    if (!IsQuotableArgument(from) || !IsQuotableArgument(to))
        return 0;
    return SendCommand("mmem:copy \"" + from + "\", \"" + to + "\"");
}

int CQuarnComm::LoadDownloadFile(const std::string& path) {
    return SendQuoted("mmem:load:down", path);
}

int CQuarnComm::LoadLogoFile(const std::string& path) {
    return SendQuoted("mmem:load:logo", path);
}

int CQuarnComm::LoadSequenceFile(const std::string& path) {
    return SendQuoted("mmem:load:macr", path);
}

int CQuarnComm::LoadPresetFile(const std::string& path) {
    return SendQuoted("mmem:load:pres", path);
}

int CQuarnComm::FileTypeFromName(const std::string& name) {
    return FileTypeOfName(name);
}

void CQuarnComm::FormatByteSize(double bytes, std::string& text) {
    if (!(bytes >= 1024)) {
        text = platform::Format("%.0f bytes", bytes);
        return;
    }
    const char* unit = "KB";
    double scaled = bytes / 1024;
    if (bytes >= 1073741824.0) {
        unit = "GB";
        scaled = bytes / 1073741824.0;
    } else if (bytes >= 1048576.0) {
        unit = "MB";
        scaled = bytes / 1048576.0;
    }
    if (scaled >= 100) {
        text = platform::Format("%.0f%s", scaled, unit);
    } else if (scaled >= 10) {
        text = platform::Format("%.1f%s", scaled, unit);
    } else {
        text = platform::Format("%.2f%s", scaled, unit);
    }
}

std::string CQuarnComm::GetRootText() const {
    return "Quarn [" + m_targetHost + "]";
}

void CQuarnComm::ShowListStatus() {
    const std::string objects = platform::Format("%d object[s]", g_objectCount);
    std::string sizes;
    FormatByteSize(static_cast<double>(g_totalSize), sizes);
    if (g_usedBytes > 0 && g_freeBytes > 0) {
        std::string free;
        FormatByteSize(g_freeBytes, free);
        sizes += " [Memory free: " + free + "]";
    }
    if (m_host != nullptr)
        m_host->SetListStatusTexts(objects, sizes);
}

}  // namespace drenlo
