#include "corvane/modules/ulmeth/UlmethView.h"

#include "corvane/core/Messages.h"
#include "corvane/modules/ulmeth/UlmethDoc.h"
#include "resources/corvane/UlmethForms.h"

namespace corvane {

namespace {

const SerialViewTable kUlmethView{
    VideoModel::Ulmeth,     &UlmethFormTemplate,     &UlmethAudioTable,
    &UlmethBlackAudioTable, &UlmethSerialBlackTable, kUlmethVideoSignal,
    kUlmethMovingPicture,   kUlmethOverlay,          kUlmethVideoOutput};

}  // namespace

CUlmethView::CUlmethView() : CSerialVideoView(kUlmethView) {
    // The black page has no resolution or EDH controls; the document still takes them.
    BindChannelMessage({WM_ULMETH_BLACK_BITS, ChannelMessage::Order::ChannelFirst},
                       [this](int, int bits) {
                           if (CSerialVideoDoc* doc = GetSerialDoc())
                               doc->SetBlackBits(bits);
                       });
    BindChannelMessage({WM_ULMETH_BLACK_EDH, ChannelMessage::Order::ChannelFirst},
                       [this](int, int state) {
                           if (CSerialVideoDoc* doc = GetSerialDoc())
                               doc->SetBlackEdh(state);
                       });
    OnMessage(WM_BRUMO_CLOCK_FAMILY, [this](platform::WPARAM w, platform::LPARAM) {
        return TakeClockFamily(true, static_cast<int>(static_cast<platform::LPARAM>(w)));
    });
    OnMessage(WM_KINTOR_CLOCK_FAMILY, [this](platform::WPARAM w, platform::LPARAM) {
        return TakeClockFamily(false, static_cast<int>(static_cast<platform::LPARAM>(w)));
    });
}

void CUlmethView::OtherClockFamilies(int& brumo, int& kintor) const {
    CSerialVideoView::OtherClockFamilies(brumo, kintor);
    if (const auto* doc = dynamic_cast<const CUlmethDoc*>(GetDocument())) {
        brumo = doc->m_brumoClockFamily;
        kintor = doc->m_kintorClockFamily;
    }
}

platform::LRESULT CUlmethView::TakeClockFamily(bool brumo, int family) {
    auto* doc = dynamic_cast<CUlmethDoc*>(GetDocument());
    if (doc == nullptr)
        return 0;
    if (brumo)
        doc->SetBrumoClockFamily(family);
    else
        doc->SetKintorClockFamily(family);
    if (m_signalPage.IsWindow())
        m_signalPage.Load(SignalValues());
    if (BlackOption() != 0 && m_blackPage.IsWindow())
        m_blackPage.Load(BlackValues());
    return 0;
}

}  // namespace corvane
