// Where the active signal of a "MMEM:SIGN:ACT?" reply sits in the catalogues read at opening.
//
// A test signal is reported as "/<format>/<set>/<file>" and a frame picture as
// "/../PICTURE/<folder>/<file>", names exactly as the listings gave them. Every level must
// be found by exact comparison; a missing separator or a name not in the tree finds nothing.
#pragma once

#include <optional>
#include <string_view>

#include "corvane/modules/video/CatalogRecords.h"

namespace corvane {

// The file must end in ".cmp" or ".pic" (any case).
std::optional<SignalLocation> LocateSignal(std::string_view reply, const SignalTree& tree);

// Replies of 21 characters or fewer are refused before any name is looked at.
std::optional<PictureLocation> LocatePicture(std::string_view reply, const PictureCatalog& catalog);

}  // namespace corvane
