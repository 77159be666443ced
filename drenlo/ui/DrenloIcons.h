// Drenlo's icons, drawn by the program: folders, the instrument root, the tree's placeholder
// and one icon per file type (a sheet with the type's colour and letter).
#pragma once

#include <QPixmap>

namespace drenlo {

// The icon with a resource id of Resource.h (IDI_...) at `size` pixels; a plain sheet for an
// unknown id.
QPixmap DrenloIcon(int resourceId, int size);

}  // namespace drenlo
