// What the windows of the four video generator modules share: the form around their tabs, the
// size of the pages over the tab control, the helpers the page families lay their controls out
// with, and the HD clock questions of the format lists.
//
// A page family keeps one builder and makes one template per model from it; the model picks the
// template, and a family that differs by model takes the difference from a small
// per-model table instead of a copy of the page.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/DialogTemplate.h"

namespace corvane {

// Questions before a format change that would move the shared HD clock to the other family.
constexpr int IDS_HD_CLOCK_IS_7425 = 143;
constexpr int IDS_HD_CLOCK_IS_7418 = 144;

// Adds the video pages' strings to the string table; later calls do nothing.
void RegisterVideoPageStrings();

// The form of a video module window: the tab control and the OK, Cancel and Apply buttons.
// Apply starts disabled unless `applyEnabled`.
platform::DialogTemplate VideoModuleForm(int id, bool applyEnabled);

// The video generator models, in the order of their page tables.
enum class VideoModel { Oltra, Yarlo, Sormet, Ulmeth };

int VideoModelIndex(VideoModel model);
// 0 Sormet, 1 Ulmeth: the serial digital models, the only ones with audio and black pages;
// throws std::invalid_argument for the analog models.
int SerialModelIndex(VideoModel model);

// The names of the format folders the lists show before the catalogue's are read: the SD
// formats by their code (0..2), the HD formats by theirs (0..19).
const std::vector<std::string>& SdFormatNames();
const std::vector<std::string>& HdFormatNames();
// The HD formats every firmware has (codes 0..13); later firmware adds the other 720 lines.
constexpr int kHdFormatsBefore31 = 14;

namespace videoform {

// Every page covers the display area of its form's tab control (dialog units).
constexpr int kPageCx = 360;
constexpr int kPageCy = 150;

// Layout grid of the pages: a margin inside group boxes, rows of fields and of radio buttons.
constexpr int kMargin = 7;
constexpr int kRowStep = 17;       // one row of edits or lists
constexpr int kFieldHeight = 13;   // edits and the closed height of a list
constexpr int kButtonHeight = 10;  // radio buttons and check boxes
constexpr int kLabelHeight = 8;
// Boxes side by side: two halves, or three thirds 5 apart.
constexpr int kHalfCx = (kPageCx - 3 * kMargin) / 2;
constexpr int kRightHalfX = 2 * kMargin + kHalfCx;
constexpr int kThirdGap = 5;
constexpr int kThirdCx = (kPageCx - 2 * kMargin - 2 * kThirdGap) / 3;

// An empty child page.
platform::DialogTemplate Page(int id);

// Builds a page control by control. Every control but a radio button starts a group, so a
// radio group ends at the first control after it, and the lists, edits and boxes are tab stops.
class PageBuilder {
public:
    explicit PageBuilder(platform::DialogTemplate& page) : m_page(page) {}

    void Group(int id, const std::string& text, int x, int y, int cx, int cy);
    // A text in front of a field whose top is `y` (lined up with the field's text).
    void Label(int id, const std::string& text, int x, int y, int cx);
    void List(int id, int x, int y, int cx, int listHeight,
              const std::vector<std::string>& items = {});
    void Edit(int id, int x, int y, int cx, unsigned style = 0);
    // An edit with an up-down on its right edge. With `buddyInteger` the up-down writes its
    // position into the edit; without, it only reports its moves and the page writes the text.
    void SpinEdit(int editId, int spinId, int x, int y, int cx, bool buddyInteger,
                  unsigned editStyle = 0);
    void Check(int id, const std::string& text, int x, int y, int cx);
    // A radio group, each button (dx, dy) from the one before.
    void Radios(std::initializer_list<int> ids, std::initializer_list<const char*> texts, int x,
                int y, int cx, int dx, int dy = 0);

private:
    void Add(platform::ControlTemplate control);
    platform::DialogTemplate& m_page;
};

}  // namespace videoform
}  // namespace corvane
