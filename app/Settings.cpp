// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Settings.h"

#include <cctype>
#include <charconv>

#include "platform/Files.h"

namespace {

// A settings file is a few hundred bytes; anything far beyond that is not ours to read whole.
constexpr size_t kReadLimit = 64 * 1024;

class Reader {
  public:
    explicit Reader(std::string bytes) : text(std::move(bytes)) {}

    bool AtEnd() const { return at >= text.size(); }

    // The rest of the line, its line feed consumed and not kept.
    std::string Line() {
        const size_t end = text.find('\n', at);
        std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return line;
    }

    // Formatted extraction: white space, line feeds included, is skipped before the number.
    bool Number(int32_t& value) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
        const char* first = text.data() + at;
        const char* last = text.data() + text.size();
        if (first != last && *first == '+')
            ++first;
        int32_t parsed = 0;
        auto [end, error] = std::from_chars(first, last, parsed);
        if (error != std::errc())
            return false;
        value = parsed;
        at = size_t(end - text.data());
        return true;
    }

  private:
    std::string text;
    size_t at = 0;
};

// A path line is taken whole or not at all.
std::string PathLine(Reader& reader, size_t longest) {
    std::string line = reader.Line();
    if (line.size() > longest || line.find('\0') != std::string::npos)
        return std::string();
    return line;
}

}  // namespace

std::string SettingsPath() {
    return SettingsFolder() + "/Tarnwick";
}

bool ReadSettings(const std::string& path, Settings& settings) {
    std::string bytes;
    if (!ReadFileHead(path, kReadLimit, &bytes))
        return false;
    ParseSettings(std::move(bytes), settings);
    return true;
}

void ParseSettings(std::string bytes, Settings& s) {
    Reader reader(std::move(bytes));
    reader.Line();
    reader.Line();
    Options& o = s.options;
    int32_t* numbers[] = {&o.freezePacks, &o.autoCompleteOn, &o.dealOne, &o.twoRedeals, &o.back};
    for (int32_t* number : numbers)
        if (!reader.Number(*number))
            return;  // a damaged file: the rest keeps its defaults
    reader.Line();   // the end of the back's line
    if (reader.AtEnd())
        return;
    s.cardSetPath = PathLine(reader, limits::kCardSetPathMax);
    if (reader.AtEnd())
        return;
    s.backgroundPath = PathLine(reader, limits::kBackgroundNameMax);
}

bool FitsOnOneLine(const std::string& path) {
    return path.find_first_of(std::string("\n\r\0", 3)) == std::string::npos;
}

std::string SettingsText(const Settings& s) {
    const Options& o = s.options;
    std::string text = "Settings for Tarnwick\n\n";
    for (int32_t number : {o.freezePacks, o.autoCompleteOn, o.dealOne, o.twoRedeals, o.back})
        text += std::to_string(number) + "\n";
    return text + s.cardSetPath + "\n" + s.backgroundPath + "\n";
}

bool WriteSettings(const std::string& path, const Settings& settings) {
    return WriteFileAtomically(path, SettingsText(settings));
}
