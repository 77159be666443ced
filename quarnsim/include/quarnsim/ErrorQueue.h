#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace quarnsim {

struct InstrumentError {
    int number = 0;
    std::string text;
};

// The instrument's SCPI error queue. It is bounded so that a client which never asks for errors
// cannot grow it without limit; the newest entry then becomes "Queue overflow", as SCPI asks.
class ErrorQueue {
public:
    static constexpr size_t kCapacity = 16;

    void Push(int number, std::string text);
    // Oldest error, or 0,"No error" when the queue is empty.
    InstrumentError Pop();
    void Clear() { m_errors.clear(); }
    size_t Size() const { return m_errors.size(); }

private:
    std::deque<InstrumentError> m_errors;
};

// SCPI error numbers the instrument pushes.
namespace err {
constexpr int kDataTypeError = -104;
constexpr int kParameterNotAllowed = -108;
constexpr int kMissingParameter = -109;
constexpr int kUndefinedHeader = -113;
constexpr int kHeaderSuffixOutOfRange = -114;
constexpr int kDataOutOfRange = -222;
constexpr int kTooMuchData = -223;
constexpr int kIllegalParameterValue = -224;
constexpr int kMassStorageError = -250;
constexpr int kFileNameNotFound = -256;
constexpr int kFileNameError = -257;
constexpr int kMediaProtected = -258;
constexpr int kQueueOverflow = -350;
}  // namespace err

}  // namespace quarnsim
