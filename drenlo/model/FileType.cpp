#include "drenlo/model/FileType.h"

namespace drenlo {

namespace {

// The first occurrence of `extension` stands exactly at the end.
bool FirstAtEnd(const std::string& upper, const char* extension) {
    const std::string::size_type at = upper.find(extension);
    return at != std::string::npos && at == upper.size() - 4;
}

}  // namespace

std::string UpperName(const std::string& name) {
    std::string upper = name;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

int FileTypeOfName(const std::string& name) {
    const std::string upper = UpperName(name);
    if (upper.size() <= 3)
        return kFileOther;
    const std::string::size_type dot = upper.rfind('.');
    if (dot == std::string::npos || dot != upper.size() - 4)
        return kFileOther;
    if (FirstAtEnd(upper, ".DNL"))
        return kFileDownload;
    if (FirstAtEnd(upper, ".LGO"))
        return kFileLogo;
    if (FirstAtEnd(upper, ".SEQ"))
        return kFileSequence;
    if (FirstAtEnd(upper, ".PST"))
        return kFilePreset;
    if (FirstAtEnd(upper, ".PIC"))
        return kFilePicture;
    if (FirstAtEnd(upper, ".CMP"))
        return kFileSignal;
    if (upper.compare(0, 6, "MSTATE") == 0 && FirstAtEnd(upper, ".P"))
        return kFilePreset;
    return kFileOther;
}

}  // namespace drenlo
