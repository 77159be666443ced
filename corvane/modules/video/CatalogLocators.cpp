#include "corvane/modules/video/CatalogLocators.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace corvane {

namespace {

constexpr std::string_view kPictureMarker = "/PICTURE/";
// The shortest frame-picture reply that is taken, as the instrument has always been read.
constexpr std::string_view::size_type kMinPictureReply = 22;

// Index of the first element whose name is `name`, or -1.
template <typename T, typename Name>
int IndexOf(const std::vector<T>& items, std::string_view name, Name nameOf) {
    const auto it = std::find_if(items.begin(), items.end(),
                                 [&](const T& item) { return nameOf(item) == name; });
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

bool HasSignalExtension(std::string_view file) {
    if (file.size() < 4)
        return false;
    std::string extension;
    for (char c : file.substr(file.size() - 4))
        extension += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".cmp" || extension == ".pic";
}

int FileIndex(const CatalogFolder& folder, std::string_view file) {
    return IndexOf(folder.files, file, [](const CatalogFile& f) { return f.fileName; });
}

int FolderIndex(const std::vector<CatalogFolder>& folders, std::string_view name) {
    return IndexOf(folders, name, [](const CatalogFolder& f) { return f.name; });
}

}  // namespace

std::optional<SignalLocation> LocateSignal(std::string_view reply, const SignalTree& tree) {
    const auto first = reply.find('/');
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto second = reply.find('/', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    const auto third = reply.find('/', second + 1);
    if (third == std::string_view::npos)
        return std::nullopt;
    const auto quote = reply.find('"', third + 1);
    if (quote == std::string_view::npos)
        return std::nullopt;
    const std::string_view format = reply.substr(first + 1, second - first - 1);
    const std::string_view set = reply.substr(second + 1, third - second - 1);
    const std::string_view file = reply.substr(third + 1, quote - third - 1);
    if (!HasSignalExtension(file))
        return std::nullopt;

    SignalLocation location;
    location.format = IndexOf(tree, format, [](const SignalSet& s) { return s.name; });
    if (location.format < 0)
        return std::nullopt;
    const SignalSet& formatFolder = tree[static_cast<size_t>(location.format)];
    location.set = FolderIndex(formatFolder.sets, set);
    if (location.set < 0)
        return std::nullopt;
    location.signal = FileIndex(formatFolder.sets[static_cast<size_t>(location.set)], file);
    if (location.signal < 0)
        return std::nullopt;
    return location;
}

std::optional<PictureLocation> LocatePicture(std::string_view reply,
                                             const PictureCatalog& catalog) {
    if (reply.size() < kMinPictureReply)
        return std::nullopt;
    const auto marker = reply.find(kPictureMarker);
    if (marker == std::string_view::npos)
        return std::nullopt;
    const auto folderStart = marker + kPictureMarker.size();
    const auto slash = reply.find('/', folderStart);
    if (slash == std::string_view::npos)
        return std::nullopt;
    const auto quote = reply.find('"', slash + 1);
    if (quote == std::string_view::npos)
        return std::nullopt;

    PictureLocation location;
    location.folder = FolderIndex(catalog.folders, reply.substr(folderStart, slash - folderStart));
    if (location.folder < 0)
        return std::nullopt;
    location.file = FileIndex(catalog.folders[static_cast<size_t>(location.folder)],
                              reply.substr(slash + 1, quote - slash - 1));
    if (location.file < 0)
        return std::nullopt;
    return location;
}

}  // namespace corvane
