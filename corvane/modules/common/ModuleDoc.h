// CModuleDoc: what every module document shares.
//
// A module document is opened by the main frame with the path "<slot> : <model>", reads the
// module's whole parameter set at once, remembers which parameters the operator changed and
// sends only those on Apply. A model describes itself with two ordered lists, filled by its
// constructors (a shared base first, then the model): the reads, one exchange each, and the
// sends, one Flagged parameter each. The reading and applying around them, the progress and
// its step counts, the close question and the slot bookkeeping with the main frame are done
// here, once.
//
// The document talks to the instrument only through an IInstrumentLink and reports progress
// only through an IProgressSink; by default the main frame and its status bar, so that with
// others given it runs without any window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "corvane/core/InstrumentLink.h"
#include "corvane/modules/ModuleKind.h"
#include "corvane/modules/common/Flagged.h"
#include "corvane/modules/common/ModuleHint.h"
#include "corvane/modules/common/ModuleProgress.h"
#include "corvane/modules/common/ReplyCursor.h"
#include "platform/Document.h"
#include "platform/Types.h"

namespace corvane {

class CModuleDoc : public platform::CDocument {
public:
    // `questionId`: the string-table id of "Apply changes to <model>?".
    CModuleDoc(ModuleKind kind, int questionId);
    ~CModuleDoc() override;

    bool OnOpenDocument(const std::string& path) override;
    bool SaveModified() override;

    // 1 when every parameter was read, 0 otherwise (the link has reported any socket error).
    // A model whose reads depend on what earlier ones found (catalogues, options) reads on
    // its own.
    virtual int ReadAll();
    // INST:SEL, the changed parameters in list order, "*OPC?", "SYST:ERR?", the error box,
    // the notifications, "Ready". 1 done; 0 when an exchange failed, and then the parameters
    // not sent keep their change flags.
    virtual int Apply();

    // The progress range of ReadAll and of Apply, from the lists: INST:SEL, one per read, and
    // for Apply one per send position and the two closing queries.
    int ReadExchangeCount() const { return 1 + static_cast<int>(m_reads.size()); }
    int ApplyStepCount() const { return 1 + static_cast<int>(m_sends.size()) + 2; }

    // Asks "Apply changes to <model>?" with Yes, No and Cancel; answers IDYES, IDNO or IDCANCEL.
    int AskApplyQuestion() const;

    // The link and the progress sink to use from now on; null goes back to the main frame's.
    void SetLink(IInstrumentLink* link) { m_link = link; }
    void SetProgressSink(IProgressSink* sink) { m_progress = sink; }

    // Where the document's notifications go; the main frame unless set. Tests record.
    using PostSink = std::function<void(platform::UINT message, platform::WPARAM wParam)>;
    void SetPostSink(PostSink sink) { m_post = std::move(sink); }

    ModuleKind Kind() const { return m_kind; }
    // "<model>:<slot>", the module's address in INST:SEL.
    std::string ModuleAddress() const;

    // The slot at the start of an opening path ("2 : Kintor" gives 2); 0 when the path does
    // not start with a slot number 1..4.
    static int SlotFromPath(const std::string& path);

    int m_slot = 0;

protected:
    // A read of ReadAll: the query, and what stores its reply. `store` gives 0 when the reply
    // lacks an answer, and then should store nothing.
    void AddRead(std::string query, std::function<int(ReplyCursor&)> store);
    // A send of Apply: the command of `parameter`, built when it is sent; `sent` runs after
    // a successful send, for a parameter whose sending settles another.
    void AddSend(ChangeFlag& parameter, std::function<std::string()> command,
                 std::function<void()> sent = {});
    // The common case: "<header> <value>".
    void AddSend(Flagged<int>& parameter, const std::string& header);

    // The operator's change: stores, flags, marks the document modified and tells the views.
    template <typename T>
    void SetParameter(Flagged<T>& parameter, T value) {
        parameter.Set(std::move(value));
        SetModifiedFlag(true);
        UpdateAllViews(nullptr, 0);
    }
    // Tells the views a typed hint (ModuleHint.h).
    void NotifyViews(const ModuleHint& hint);

    // Shows an instrument error reported after an apply; the video models add their texts.
    virtual void ReportInstrumentError(int number, const std::string& reply);
    // Posts the model's notifications to the main frame at the end of an apply.
    virtual void PostApplyNotifications() {}
    // Posts to the sink set, else to the main frame (none without one).
    void PostToMainFrame(platform::UINT message, platform::WPARAM wParam = 0);

    // INST:SEL of this module. 1 sent, 0 failed.
    int SelectModule();
    // One query; 0 when the exchange failed or the reply was empty.
    int QueryReply(const std::string& query, ReplyCursor& cursor);
    int QueryReply(const std::string& query, std::string& reply);
    // "*OPC?" and then "SYST:ERR?", whose reply comes back in `error`; a step after each.
    // 0 when either exchange failed.
    int QueryCompletion(std::string& error);
    // One command; 0 when it could not be sent.
    int SendCommand(const std::string& command);
    // Sends `command` when `parameter` is flagged and clears the flag once it went; a progress
    // step either way. 0 when the send failed.
    int SendIfChanged(ChangeFlag& parameter, const std::string& command);
    // The quoted path of the signal the module plays ("MMEM:SIGN:ACT? <slot>"). 0 when the
    // exchange failed, or when no signal is loaded, after saying so.
    int QueryActiveSignal(std::string& reply);

    // An output's timing: "SENS<n>:CORR:MDEL:VERT?;:SENS<n>:CORR:MDEL:HOR?", n from 1.
    static std::string OutputTimingQuery(int number);
    // A timing answer "<lines>;<microseconds>" at the cursor: the lines truncated, the delay in
    // seconds. 0 when either answer is missing, and then neither is stored.
    static int NextTiming(ReplyCursor& reply, int& lines, double& seconds);
    // The timing `query` answers, into the two parameters without touching their change flags.
    // 0 when the exchange failed or an answer is missing, and then nothing is stored.
    int LoadTiming(const std::string& query, Flagged<int>& lines, Flagged<double>& delay);
    // The live timing the pages ask for: INST:SEL, then LoadTiming.
    int LoadLiveTiming(const std::string& query, Flagged<int>& lines, Flagged<double>& delay);

    // The link and the sink in use: the ones given, else the main frame's. The link is null
    // only while there is neither a link given nor a main frame.
    IInstrumentLink* Link() const;
    IProgressSink& Progress();

private:
    struct Read {
        std::string query;
        std::function<int(ReplyCursor&)> store;
    };
    struct Send {
        ChangeFlag* parameter;
        std::function<std::string()> command;
        std::function<void()> sent;
    };

    int ReadParameters();
    int SendChangedParameters();

    ModuleKind m_kind;
    int m_questionId;
    std::vector<Read> m_reads;
    std::vector<Send> m_sends;
    IInstrumentLink* m_link = nullptr;
    IProgressSink* m_progress = nullptr;
    ModuleProgress m_statusBarProgress;
    PostSink m_post;
};

}  // namespace corvane
