// IInstrumentLink: the command link as documents and module queries use it. The main frame is
// the program's one link; tests give a document one of their own.
#pragma once

#include <string>

namespace corvane {

class IInstrumentLink {
public:
    virtual ~IInstrumentLink() = default;
    // One command line. 1 sent; 0 failed, and the failure has been shown.
    virtual int SendCommand(const std::string& command) = 0;
    // A command and its one reply line. 1 with the reply (which may be empty); 0 failed, and
    // the failure has been shown.
    virtual int Query(const std::string& command, std::string& reply) = 0;
};

}  // namespace corvane
