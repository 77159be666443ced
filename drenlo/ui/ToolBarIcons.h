// The tool bar's button images, drawn by the program: the two copy directions, up one level
// and the four list modes.
#pragma once

#include <QIcon>

namespace drenlo {

// The image of a tool bar command (Resource.h ID_...); an empty icon for other ids.
QIcon ToolBarIcon(int commandId);

}  // namespace drenlo
