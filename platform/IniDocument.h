#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// One INI file held as its lines, edited in memory with the rules of the
// private profile functions: names match without regard to case, the first
// section and the first key of a name win, and everything not edited stays
// byte for byte as it was. Works on the bytes of the system code page.
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(const std::string& bytes);

    // The value of the key as stored (trimmed, NUL-cut, outer quotes removed,
    // at most 2047 bytes), or nothing when the section or key is missing.
    std::optional<std::string> value(const std::string& section, const std::string& key) const;

    // The names of the keys of the first section of that name, trimmed and
    // case-folded, in file order; empty when the section is missing.
    std::vector<std::string> keyNames(const std::string& section) const;

    // Sets the value; returns false when the stored text already is that value
    // (the file then stays untouched).
    bool setValue(const std::string& section, const std::string& key, const std::string& value);

    // Removes the first section of that name with its lines; false when there is none.
    bool eraseSection(const std::string& section);

    std::string bytes() const;

    static constexpr std::size_t kMaxValueLength = 2047;

private:
    enum class Kind { Blank, Header, Key, Other };

    struct Line {
        std::string content;      // the line's bytes without its line break
        std::string lineBreak;    // the run of CR and LF after it ("" at the end of the file)
        Kind kind = Kind::Blank;
        std::string foldedName;   // section or key name, trimmed and case-folded
        std::string rawValue;     // key lines: the trimmed text after the first "="
    };

    static Line parseLine(std::string content, std::string lineBreak);
    std::optional<std::size_t> findSection(const std::string& foldedSection) const;
    std::size_t sectionEnd(std::size_t header) const;
    std::optional<std::size_t> findKey(std::size_t header, const std::string& foldedKey) const;
    void insertKeyLine(std::size_t header, const std::string& key, const std::string& value);
    void appendSection(const std::string& section, const std::string& key, const std::string& value);

    std::vector<Line> lines_;
};

// Helpers shared with the store.
namespace IniText {

// Removes the blanks the profile functions trim: bytes 09-0D, 1A and 20.
std::string trimmed(const std::string& text);

// Folds letter case the way names are compared in the system code page.
std::string folded(const std::string& text);

}  // namespace IniText
