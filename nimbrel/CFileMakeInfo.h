// The job of a picture build, one for the whole program: the ini files, the size and format
// word of the picture, its field structure, the filter section and the temporary file names,
// with the steps around a build that deal in those names (deletion and the final commit).
// Every operation that can fail returns a message code (0 success).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace nimbrel {

// Components in table order; the Y row is the main file.
enum Component { kComponentY = 0, kComponentG, kComponentB, kComponentR, kComponentCount };

class CFileMakeInfo {
public:
    // startFolder: the current folder at start-up; the ini files live there and relative temp
    // names resolve against it, so a later change of folder cannot scatter a build's files.
    explicit CFileMakeInfo(const std::string& startFolder);

    const std::string& StartFolder() const { return m_startFolder; }
    const std::string& MainIni() const { return m_mainIni; }
    const std::string& FilterIni() const { return m_filterIni; }
    // "DEBUG_MODE" exactly "ON", read at construction.
    bool Debug() const { return m_debug; }

    // 4 for lines <= 0, 5 for width <= 0 (both stored all the same), else 0.
    int SetSize(long lines, long width);
    // 7 above 0xFFFF or below 0 (a negative word would claim every flag at once).
    int SetFormatWord(long word);
    int SetInterlaced(bool interlaced);
    int SetFamily(int family);
    // nullptr clears the name.
    int SetFilterSection(const std::string* section);

    long Lines() const { return m_lines; }
    long Width() const { return m_width; }
    long FormatWord() const { return m_formatWord; }
    bool Interlaced() const { return m_interlaced; }
    int Family() const { return m_family; }
    const std::string& FilterSection() const { return m_filterSection; }

    // Reads the names of the components whose "MAKE_x" is not exactly "OFF" ("TEMP_FILE_1ST_x"
    // and "TEMP_FILE_2ND_x", or their defaults), made absolute against the start folder (a
    // leading drive prefix "X:" stands for that folder) and unique to this process. True when
    // at least one component is made; false also when two made names are the same file, since
    // two writers on one file corrupt both: every name is then cleared.
    bool LoadTempFileNames();
    // The Y row alone, whatever "MAKE_Y" says, for the raw component tool; the G, B and R
    // names are cleared so nothing of an earlier build is written again.
    bool LoadTempFileNamesY();
    // field 1 or 2; empty when the component is out of range, not made, or field is not 1/2.
    std::string GetTempFileName(int field, int component) const;
    // Bit 0 removes the field-1 temp files that exist, bit 1 the field-2 ones.
    void DeleteTempFiles(int mask) const;

    // Puts the field-1 temp files in place as the picture `path` names (a relative path is
    // taken from the start folder), the main file as path itself and G, B, R as base + "_G"
    // ... + "." + extension, the extension's case kept:
    //  8  no path;
    //  9  too long for the system (PATH_MAX, the limit of every call that takes it);
    //  10 no extension in the file name, or a name that is only one (".pic");
    //  40 the path or one of its siblings is one of this job's temp files (the caller asks for
    //     another name: saving there would be undone when the temp files are deleted);
    //  11 a made component has no temp file, or the system refused a step.
    // All components are first staged under fresh names in the target's folder (renamed, or
    // copied and synced when the folder is on another file system) and only then moved over
    // their targets, so a failure at any point leaves every old target as it was and no
    // staged file behind. The old target is never deleted first.
    int RenameOutputs(const std::string& path) const;
    // The check behind code 40 alone, for a save dialog that wants to ask again at once.
    bool TargetIsTempFile(const std::string& path) const;

    // The absolute form of a name as LoadTempFileNames makes it, without the process suffix.
    std::string ResolveName(const std::string& name) const;

private:
    bool LoadRow(int component, bool forceMade);
    bool NamesDistinct() const;

    std::string m_startFolder;
    std::string m_mainIni;
    std::string m_filterIni;
    bool m_debug = false;
    long m_lines = -1;
    long m_width = -1;
    long m_formatWord = 0xFFFF;
    bool m_interlaced = true;
    int m_family = 2;
    std::string m_filterSection;
    // [field - 1][component]
    std::array<std::array<std::string, kComponentCount>, 2> m_tempNames;
};

}  // namespace nimbrel
