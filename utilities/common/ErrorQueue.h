// CErrorQueue: the instrument's error queue ("syst:err?") as the backup and the restore read it.
//
// Both empty it before their first transfer, so an error someone else left does not pass for
// theirs, and read it again to learn whether a step took. An answer whose text does not begin
// with a number is not an answer: the queue is then unreadable, never taken as empty.
#pragma once

#include <string>

namespace utilities {

class CQuarnComm;

class CErrorQueue {
public:
    // The most entries read while emptying it; the instrument keeps 16 at most.
    static constexpr int kMaxQueuedErrors = 32;

    enum class EmptyResult { kEmptied, kUnreadable, kNeverEmpty };

    // The link must be connected and outlive the queue.
    explicit CErrorQueue(CQuarnComm& link) : m_link(link) {}

    // One answer: 1 with its number (0 when the queue is empty) and its whole text; 0 when no
    // answer reads (number 0, text what arrived).
    int ReadError(long& number, std::string& reply);
    // Reads entries until the empty answer, at most kMaxQueuedErrors of them.
    EmptyResult Empty();

private:
    CQuarnComm& m_link;
};

}  // namespace utilities
