// The drive's file commands: folders, delete, move, copy, the loads into working memory and the
// definite-length blocks of MMEM:DATA in both directions.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "quarnsim/Catalog.h"
#include "quarnsim/Instrument.h"

namespace quarnsim {
namespace fs = std::filesystem;

namespace {

constexpr const char* kRoot = "/F0:/";

std::string Parent(const std::string& path) {
    size_t slash = path.find_last_of('/');
    // "/F0:/A" has its last '/' inside the root's own spelling.
    return slash <= 4 ? std::string(kRoot) : path.substr(0, slash);
}

bool Inside(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

bool EmptyFolder(const std::string& host) {
    std::error_code ec;
    return fs::is_empty(host, ec) && !ec;
}

uint64_t SizeOnDisk(const std::string& host) {
    std::error_code ec;
    if (fs::is_regular_file(fs::symlink_status(host, ec)))
        return fs::file_size(host, ec);
    uint64_t total = 0;
    fs::recursive_directory_iterator it(host, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code fileError;
        if (!it->is_symlink(fileError) && it->is_regular_file(fileError))
            total += it->file_size(fileError);
    }
    return total;
}

}  // namespace

void Instrument::RegisterFileCommands() {
    HeaderTree& tree = m_controller;
    tree.Register("MMEMory:MDIRectory", [this](CommandContext& c) { return MakeFolder(c); });
    tree.Register("MMEMory:RDIRectory", [this](CommandContext& c) { return RemoveFolder(c); });
    tree.Register("MMEMory:DELete", [this](CommandContext& c) { return Delete(c); });
    tree.Register("MMEMory:DELete:ALL", [this](CommandContext& c) { return DeleteAll(c); });
    tree.Register("MMEMory:MOVE", [this](CommandContext& c) { return MoveOrCopy(c, false); });
    tree.Register("MMEMory:COPY", [this](CommandContext& c) { return MoveOrCopy(c, true); });
    tree.Register("MMEMory:DATA", [this](CommandContext& c) { return WriteData(c); });
    tree.Register("MMEMory:DATA?", [this](CommandContext& c) { return ReadData(c); });
    // MMEM:LOAD:PRESet is the preset store's; it also takes a preset file (LoadPreset).
    static const char* const kLoads[][2] = {{"MMEMory:LOAD:DOWNload", "DOWNLOAD"},
                                            {"MMEMory:LOAD:LOGO", "LOGO"},
                                            {"MMEMory:LOAD:MACRo", "MACRO"},
                                            {"MMEMory:LOAD:PICTure", "PICTURE"},
                                            {"MMEMory:LOAD:SIGNal", "SIGNAL"}};
    for (const auto& load : kLoads) {
        std::string kind = load[1];
        tree.Register(load[0], [this, kind](CommandContext& c) { return Load(c, kind); });
    }
    tree.Register("MMEMory:SIGNal:ACTive?", [this](CommandContext& c) { return ForwardToSlot(c); });
}

int Instrument::ForwardToSlot(CommandContext& context) {
    long slot = 0;
    if (context.command.arguments.empty()) {
        Push(err::kMissingParameter, "Missing parameter");
        return 0;
    }
    if (!IntegerArgument(context, 0, &slot))
        return 0;
    auto module = slot >= 1 && slot <= 4 ? m_modules.find(AddressOf(static_cast<int>(slot)))
                                         : m_modules.end();
    ParsedCommand forwarded = context.command;
    forwarded.arguments.erase(forwarded.arguments.begin());
    std::vector<int> suffixes;
    const HeaderTree::Entry* entry =
        module == m_modules.end() ? nullptr : module->second.Find(forwarded, &suffixes);
    if (!entry) {
        // An empty slot, or a module that has nothing of the kind.
        Push(err::kIllegalParameterValue, "Illegal parameter value");
        return 0;
    }
    CommandContext moduleContext{forwarded, *entry, suffixes, context.session, {}};
    int done = entry->handler(moduleContext);
    context.answer = std::move(moduleContext.answer);
    return done;
}

int Instrument::PathArgument(CommandContext& context, size_t index, std::string* path) {
    std::string text;
    std::string plain;
    if (!StringArgument(context, index, &text))
        return 0;
    if (text.empty() || !Catalog::UnescapePath(text, &plain)) {
        Push(err::kFileNameError, "File name error");
        return 0;
    }
    if (!m_files.Enabled()) {
        Push(err::kMassStorageError, "Mass storage error;no drive");
        return 0;
    }
    std::string joined = JoinPath(context.session.folder, plain);
    std::string host;
    if (!m_files.Resolve(joined, &host)) {
        Push(err::kFileNameError, "File name error");
        return 0;
    }
    *path = joined;
    return 1;
}

int Instrument::RoomFor(uint64_t extra) {
    double used = static_cast<double>(m_files.UsedBytes());
    if (used + static_cast<double>(extra) > m_options.memoryCapacity) {
        Push(-254, "Media full");
        return 0;
    }
    return 1;
}

int Instrument::MakeFolder(CommandContext& context) {
    std::string path;
    if (!ExpectArguments(context, 1) || !PathArgument(context, 0, &path))
        return 0;
    if (path == kRoot || m_files.Exists(path)) {
        Push(err::kFileNameError, "File name error;name already exists");
        return 0;
    }
    if (!m_files.IsFolder(Parent(path))) {
        Push(err::kFileNameNotFound, "File name not found");
        return 0;
    }
    std::string host;
    std::error_code ec;
    if (!m_files.Resolve(path, &host) || !fs::create_directory(host, ec)) {
        Push(err::kMassStorageError, "Mass storage error");
        return 0;
    }
    return 1;
}

int Instrument::RemoveFolder(CommandContext& context) {
    std::string path;
    std::string host;
    if (!ExpectArguments(context, 1) || !PathArgument(context, 0, &path))
        return 0;
    if (path == kRoot) {
        Push(err::kFileNameError, "File name error");
        return 0;
    }
    if (!m_files.IsFolder(path) || !m_files.Resolve(path, &host)) {
        Push(err::kFileNameNotFound, "File name not found");
        return 0;
    }
    if (!EmptyFolder(host)) {
        Push(err::kMassStorageError, "Mass storage error;folder not empty");
        return 0;
    }
    std::error_code ec;
    if (!fs::remove(host, ec)) {
        Push(err::kMassStorageError, "Mass storage error");
        return 0;
    }
    return 1;
}

int Instrument::Delete(CommandContext& context) {
    std::string path;
    std::string host;
    if (!ExpectArguments(context, 1) || !PathArgument(context, 0, &path))
        return 0;
    if (path == kRoot) {
        Push(err::kFileNameError, "File name error");
        return 0;
    }
    if (!m_files.Exists(path) || !m_files.Resolve(path, &host)) {
        Push(err::kFileNameNotFound, "File name not found");
        return 0;
    }
    // Only an empty folder goes with a plain delete; its contents need DEL:ALL first.
    if (m_files.IsFolder(path) && !EmptyFolder(host)) {
        Push(err::kMassStorageError, "Mass storage error;folder not empty");
        return 0;
    }
    std::error_code ec;
    if (!fs::remove(host, ec)) {
        Push(err::kMassStorageError, "Mass storage error");
        return 0;
    }
    return 1;
}

int Instrument::DeleteAll(CommandContext& context) {
    std::string path;
    std::string host;
    if (!ExpectArguments(context, 1) || !PathArgument(context, 0, &path))
        return 0;
    // Emptying the root would take the instrument's own layout with it.
    if (path == kRoot) {
        Push(err::kFileNameError, "File name error");
        return 0;
    }
    if (!m_files.IsFolder(path) || !m_files.Resolve(path, &host)) {
        Push(err::kFileNameNotFound, "File name not found");
        return 0;
    }
    std::error_code ec;
    bool ok = true;
    for (fs::directory_iterator it(host, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        std::error_code removeError;
        fs::remove_all(it->path(), removeError);
        ok = ok && !removeError;
    }
    if (ec || !ok) {
        Push(err::kMassStorageError, "Mass storage error");
        return 0;
    }
    return 1;
}

int Instrument::MoveOrCopy(CommandContext& context, bool copy) {
    std::string from;
    std::string to;
    if (!ExpectArguments(context, 2) || !PathArgument(context, 0, &from) ||
        !PathArgument(context, 1, &to)) {
        return 0;
    }
    std::string fromHost;
    std::string toHost;
    if (from == kRoot || to == kRoot || Inside(to, from)) {
        Push(err::kFileNameError, "File name error");
        return 0;
    }
    if (!m_files.Exists(from) || !m_files.IsFolder(Parent(to))) {
        Push(err::kFileNameNotFound, "File name not found");
        return 0;
    }
    // Never over an existing name: the PC asks the operator before it replaces anything.
    if (m_files.Exists(to)) {
        Push(err::kFileNameError, "File name error;name already exists");
        return 0;
    }
    if (!m_files.Resolve(from, &fromHost) || !m_files.Resolve(to, &toHost)) {
        Push(err::kFileNameError, "File name error");
        return 0;
    }
    std::error_code ec;
    if (!copy) {
        fs::rename(fromHost, toHost, ec);
    } else if (!RoomFor(SizeOnDisk(fromHost))) {
        return 0;
    } else if (m_files.IsFolder(from)) {
        fs::copy(fromHost, toHost, fs::copy_options::recursive, ec);
        if (ec) {
            std::error_code ignored;
            fs::remove_all(toHost, ignored);
        }
    } else {
        std::string data;
        if (!m_files.ReadFile(from, &data) || !m_files.WriteFile(to, data))
            ec = std::make_error_code(std::errc::io_error);
    }
    if (ec) {
        Push(err::kMassStorageError, "Mass storage error");
        return 0;
    }
    return 1;
}

int Instrument::Load(CommandContext& context, const std::string& kind) {
    // A video generator loads its signal by slot; the one-argument form loads a file.
    if (kind == "SIGNAL" && context.command.arguments.size() == 2)
        return ForwardToSlot(context);
    if (!ExpectArguments(context, 1))
        return 0;
    const Argument& argument = context.command.arguments[0];
    LoadRecord record;
    record.kind = kind;
    if (argument.kind == Argument::Kind::Block) {
        // A download file may come inline instead of from the drive.
        if (kind != "DOWNLOAD") {
            Push(err::kDataTypeError, "Data type error");
            return 0;
        }
        record.size = argument.Value().size();
        record.data = argument.Value();
    } else {
        std::string path;
        std::string host;
        if (!m_files.Enabled()) {
            Push(err::kFileNameNotFound, "File name not found");
            return 0;
        }
        if (!PathArgument(context, 0, &path))
            return 0;
        std::error_code ec;
        if (!m_files.Resolve(path, &host) || !fs::is_regular_file(host, ec)) {
            Push(err::kFileNameNotFound, "File name not found");
            return 0;
        }
        record.path = path;
        record.size = fs::file_size(host, ec);
    }
    m_loads.push_back(std::move(record));
    return 1;
}

int Instrument::WriteData(CommandContext& context) {
    std::string path;
    if (!ExpectArguments(context, 2) || !PathArgument(context, 0, &path))
        return 0;
    const Argument& block = context.command.arguments[1];
    if (block.kind != Argument::Kind::Block) {
        Push(err::kDataTypeError, "Data type error");
        return 0;
    }
    if (path == kRoot || m_files.IsFolder(path)) {
        Push(err::kFileNameError, "File name error");
        return 0;
    }
    if (!m_files.IsFolder(Parent(path))) {
        Push(err::kFileNameNotFound, "File name not found");
        return 0;
    }
    std::string host;
    std::error_code ec;
    uint64_t replaced = 0;
    if (m_files.Resolve(path, &host) && fs::is_regular_file(host, ec))
        replaced = fs::file_size(host, ec);
    const std::string_view data = block.Value();
    if (data.size() > replaced && !RoomFor(data.size() - replaced))
        return 0;
    // An existing file is replaced, as a store does; the write goes through a temporary file,
    // so a failure leaves the old one whole.
    if (!m_files.WriteFile(path, data)) {
        Push(err::kMassStorageError, "Mass storage error");
        return 0;
    }
    return 1;
}

int Instrument::ReadData(CommandContext& context) {
    std::string path;
    std::string data;
    if (!ExpectArguments(context, 1) || !PathArgument(context, 0, &path))
        return 0;
    if (!m_files.ReadFile(path, &data)) {
        Push(err::kFileNameNotFound, "File name not found");
        return 0;
    }
    long long length = static_cast<long long>(data.size());
    auto skew = m_blockSkews.find(path);
    if (skew != m_blockSkews.end()) {
        length = std::max(0LL, length + skew->second);
        m_blockSkews.erase(skew);
    }
    std::string digits = std::to_string(length);
    if (digits.size() > 9) {
        Push(err::kTooMuchData, "Too much data");
        return 0;
    }
    context.answer.reserve(2 + digits.size() + data.size());
    context.answer = "#" + std::to_string(digits.size()) + digits;
    context.answer += data;
    return 1;
}

std::vector<Instrument::LoadRecord> Instrument::Loads() const {
    std::lock_guard lock(m_mutex);
    return m_loads;
}

void Instrument::ClearLoads() {
    std::lock_guard lock(m_mutex);
    m_loads.clear();
}

void Instrument::SetBlockLengthSkew(const std::string& path, long long delta) {
    std::string plain;
    if (!Catalog::UnescapePath(path, &plain))
        return;
    std::lock_guard lock(m_mutex);
    m_blockSkews[JoinPath(kRoot, plain)] = delta;
}

}  // namespace quarnsim
