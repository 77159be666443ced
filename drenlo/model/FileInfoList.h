// CFileInfoList: the items of one instrument listing in the instrument's order (ItemList.h).
#pragma once

#include "drenlo/model/FileInfo.h"
#include "drenlo/model/ItemList.h"

namespace drenlo {

class CFileInfoList : public CItemList<CFileInfo> {};

}  // namespace drenlo
