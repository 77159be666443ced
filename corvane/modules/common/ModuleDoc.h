// CModuleDoc: what every module document shares.
//
// A module document is opened by the main frame with the path "<slot> : <model>", reads the
// module's whole parameter set at once, remembers which parameters the operator changed and
// sends only those on Apply. The models fill in the hooks (ReadParameters,
// SendChangedParameters and, where they need them, the error texts and notifications); the
// reading and applying around them, the progress bar, the close question and the slot
// bookkeeping with the main frame are done here, once.
#pragma once

#include <string>

#include "corvane/core/ModuleKind.h"
#include "corvane/modules/common/ModuleProgress.h"
#include "corvane/modules/common/ReplyCursor.h"
#include "platform/Document.h"

namespace corvane {

class CModuleDoc : public platform::CDocument {
public:
    // `questionId`: the string-table id of "Apply changes to <model>?".
    CModuleDoc(ModuleKind kind, int questionId);
    ~CModuleDoc() override;

    bool OnOpenDocument(const std::string& path) override;
    bool SaveModified() override;

    // 1 when every parameter was read, 0 otherwise (the link has reported any socket error).
    int ReadAll();
    virtual int Apply() = 0;

    // Asks "Apply changes to <model>?" with Yes, No and Cancel; answers IDYES, IDNO or IDCANCEL.
    int AskApplyQuestion() const;

    ModuleKind Kind() const { return m_kind; }
    // "<model>:<slot>", the module's address in INST:SEL.
    std::string ModuleAddress() const;

    // The slot at the start of an opening path ("2 : Kintor" gives 2); 0 when the path does
    // not start with a slot number 1..4.
    static int SlotFromPath(const std::string& path);

    int m_slot = 0;

protected:
    // The model's exchanges of ReadAll after INST:SEL, stepping the bar after each.
    virtual int ReadParameters(ModuleProgress& progress) = 0;
    // The number of exchanges of ReadAll, INST:SEL included.
    virtual int ReadExchangeCount() const = 0;

    // Apply as every model runs it: INST:SEL, the model's changed parameters, "*OPC?",
    // "SYST:ERR?", the error box, the notifications, "Ready". `steps` is the bar's range.
    int RunApply(int steps);
    // Sends the changed parameters in the model's order and steps the bar once per
    // parameter position. 0 stops the apply: a send failed, and the parameters not sent yet
    // keep their change flags.
    virtual int SendChangedParameters(ModuleProgress& progress) = 0;
    // Shows an instrument error reported after an apply; the video models add their texts.
    virtual void ReportInstrumentError(int number, const std::string& reply);
    // Posts the model's notifications to the main frame at the end of an apply.
    virtual void PostApplyNotifications() {}

    // INST:SEL of this module. 1 sent, 0 failed.
    int SelectModule();
    // One query; 0 when the exchange failed or the reply was empty.
    int QueryReply(const std::string& query, ReplyCursor& cursor);
    int QueryReply(const std::string& query, std::string& reply);
    // Sends `command` when `flag` is set and then clears the flag. 0 only when the send
    // failed; the flag then stays set.
    int SendFlagged(int& flag, const std::string& command);

private:
    ModuleKind m_kind;
    int m_questionId;
};

}  // namespace corvane
