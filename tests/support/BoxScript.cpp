#include "tests/support/BoxScript.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

namespace testsupport {

namespace {

std::string Describe(const platform::MessageBoxRecord& record) {
    std::ostringstream out;
    out << "\"" << record.text << "\" (caption \"" << record.caption << "\", type 0x" << std::hex
        << record.type << ")";
    return out.str();
}

}  // namespace

int RefusalAnswer(platform::UINT type) {
    switch (type & platform::MB_TYPEMASK) {
        case platform::MB_OK:
            return platform::IDOK;
        case platform::MB_YESNO:
            return platform::IDNO;
        case platform::MB_ABORTRETRYIGNORE:
            return platform::IDABORT;
        default:
            return platform::IDCANCEL;
    }
}

BoxScript::BoxScript() {
    m_previous = platform::SetMessageBoxAnswerer(
        [this](const platform::MessageBoxRecord& record) { return Answer(record); });
}

BoxScript::~BoxScript() {
    platform::SetMessageBoxAnswerer(m_previous);
    for (const Expected& e : m_expected)
        ADD_FAILURE() << "expected message box never shown: "
                      << (e.text ? "\"" + *e.text + "\"" : std::string("(any)"));
}

BoxScript& BoxScript::Expect(const std::string& text, platform::UINT type, int answer) {
    m_expected.push_back({text, type, answer});
    return *this;
}

BoxScript& BoxScript::ExpectAny(int answer) {
    m_expected.push_back({std::nullopt, 0, answer});
    return *this;
}

int BoxScript::Answer(const platform::MessageBoxRecord& record) {
    m_records.push_back(record);
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected message box: " << Describe(record);
        return RefusalAnswer(record.type);
    }
    const Expected next = m_expected.front();
    if (next.text && (*next.text != record.text || next.type != record.type)) {
        ADD_FAILURE() << "message box " << Describe(record) << " does not match the expected \""
                      << *next.text << "\" (type 0x" << std::hex << next.type << ")";
        return RefusalAnswer(record.type);
    }
    m_expected.pop_front();
    return next.answer;
}

}  // namespace testsupport
