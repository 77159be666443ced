// CHolvikDoc: Drenlo's document. It has no file and no data and is never modified; it only
// lets the two views find each other.
#pragma once

#include "platform/Document.h"

namespace drenlo {

class CUiListView;
class CUiTreeView;

class CHolvikDoc : public platform::CDocument {
public:
    CUiListView* m_listView = nullptr;
    CUiTreeView* m_treeView = nullptr;

    // Nothing to lose, so closing never asks.
    bool SaveModified() override { return true; }
};

}  // namespace drenlo
