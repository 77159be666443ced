#include "corvane/modules/video/VideoFormats.h"

#include <algorithm>

namespace corvane {

namespace {

using videoformat::UnknownFormat;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

UnknownFormat Unknown(VideoModel model, std::string_view name) {
    using namespace videoformat;
    switch (model) {
        case VideoModel::Oltra:
            // Component and progressive variants the table does not list still carry their
            // line count in the name.
            if (StartsWith(name, "525"))
                return {2, kClock7425, kAnalog525};
            if (StartsWith(name, "625"))
                return {2, kClock7425, kAnalog625};
            return {2, kClockNoHd, HdTiming(562, 2200, kStepHd7425)};
        case VideoModel::Yarlo:
            return {33, kClockNoHd, HdTiming(562, 2640, kStepHd7425)};
        case VideoModel::Sormet:
            return {-1, kClockNoHd, kSd525};
        case VideoModel::Ulmeth:
            break;
    }
    return {0, kClockNoHd, HdTiming(562, 2200, kStepHd7425)};
}

}  // namespace

std::span<const VideoFormat> VideoFormats(VideoModel model) {
    switch (model) {
        case VideoModel::Oltra:
            return videoformat::kOltra;
        case VideoModel::Yarlo:
            return videoformat::kYarlo;
        case VideoModel::Sormet:
            return videoformat::kSormet;
        case VideoModel::Ulmeth:
            break;
    }
    return videoformat::kUlmeth;
}

const VideoFormat* FindFormatByName(VideoModel model, std::string_view name) {
    const auto rows = VideoFormats(model);
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const VideoFormat& f) { return f.name == name; });
    return it == rows.end() ? nullptr : &*it;
}

const VideoFormat* FindFormatByCode(VideoModel model, int code) {
    return FindFormatByCode(VideoFormats(model), code);
}

const VideoFormat* FindFormatByCode(std::span<const VideoFormat> rows, int code) {
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const VideoFormat& f) { return f.code == code; });
    return it == rows.end() ? nullptr : &*it;
}

const VideoFormat* FindFormatByKeyword(VideoModel model, std::string_view keyword) {
    if (keyword.empty())
        return nullptr;
    const auto rows = VideoFormats(model);
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const VideoFormat& f) { return f.keyword == keyword; });
    return it == rows.end() ? nullptr : &*it;
}

int FormatCode(VideoModel model, std::string_view name) {
    const VideoFormat* format = FindFormatByName(model, name);
    return format ? format->code : Unknown(model, name).code;
}

std::string FormatKeyword(VideoModel model, int code) {
    const VideoFormat* format = FindFormatByCode(model, code);
    return format ? std::string(format->keyword) : std::string();
}

int FormatClockFamily(VideoModel model, std::string_view name) {
    const VideoFormat* format = FindFormatByName(model, name);
    return format ? format->family : Unknown(model, name).family;
}

int FolderClockFamily(VideoModel model, std::string_view folder) {
    const VideoFormat* format = FindFormatByName(model, folder);
    if (!format || !format->hasFolder)
        return 0;
    return format->family == kClock7425 || format->family == kClock7418 ? format->family : 0;
}

FormatTiming FormatTimingOf(VideoModel model, std::string_view name) {
    const VideoFormat* format = FindFormatByName(model, name);
    return format ? format->timing : Unknown(model, name).timing;
}

FormatTiming FormatTimingOf(VideoModel model, int code) {
    const VideoFormat* format = FindFormatByCode(model, code);
    return format ? format->timing : Unknown(model, std::string_view()).timing;
}

}  // namespace corvane
