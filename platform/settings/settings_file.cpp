// Parsing and formatting of the settings file, a registry export text.
#include "platform/settings/settings_file.h"

#include <algorithm>
#include <string_view>

namespace platform {

const char* const SETTINGS_KEY_PATH = "HKEY_CURRENT_USER\\Software\\Zentrio\\Quadrimo";

namespace {

const std::string_view HEADER = "Windows Registry Editor Version 5.00";
const std::string_view OLD_HEADER = "REGEDIT4";
constexpr size_t HEX_BYTES_PER_LINE = 24;

// Only ASCII letters fold, as in the C locale: a file reads the same whatever
// the player's locale.
char lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalNoCase(std::string_view left, std::string_view right) {
    if (left.size() != right.size()) return false;
    for (size_t i = 0; i < left.size(); ++i) {
        if (lowered(left[i]) != lowered(right[i])) return false;
    }
    return true;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a quoted text with \" and \\ escapes from the front of text; on
// success text is left just after the closing quote.
bool takeQuoted(std::string_view& text, std::string& out) {
    if (text.empty() || text.front() != '"') return false;
    out.clear();
    size_t i = 1;
    while (true) {
        size_t stop = i;
        while (stop < text.size() && text[stop] != '"' && text[stop] != '\\') ++stop;
        if (stop == text.size()) return false;
        out.append(text.substr(i, stop - i));
        if (text[stop] == '"') {
            text.remove_prefix(stop + 1);
            return true;
        }
        if (stop + 1 >= text.size() || (text[stop + 1] != '"' && text[stop + 1] != '\\')) return false;
        out.push_back(text[stop + 1]);
        i = stop + 2;
    }
}

// Parses up to 8 hex digits as a 32-bit number; the whole text must be used.
bool parseHexNumber(std::string_view text, uint32_t& value) {
    if (text.empty() || text.size() > 8) return false;
    value = 0;
    for (const char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0) return false;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return true;
}

// Parses a comma-separated list of two-digit hex bytes (possibly empty).
bool parseHexList(std::string_view text, std::vector<uint8_t>& out) {
    out.clear();
    text = trimmed(text);
    if (text.empty()) return true;
    while (true) {
        const size_t comma = text.find(',');
        const std::string_view item = trimmed(text.substr(0, comma));
        if (item.size() != 2 || hexDigit(item[0]) < 0 || hexDigit(item[1]) < 0) return false;
        out.push_back(static_cast<uint8_t>(hexDigit(item[0]) * 16 + hexDigit(item[1])));
        if (comma == std::string_view::npos) return true;
        text.remove_prefix(comma + 1);
    }
}

enum class Line { value, deletion, invalid };

// Parses one `"name"=value` line.
Line parseValueLine(std::string_view line, std::string& name, SettingValue& value) {
    if (!takeQuoted(line, name) || name.empty()) return Line::invalid;
    line = trimmed(line);
    if (line.empty() || line.front() != '=') return Line::invalid;
    line = trimmed(line.substr(1));
    if (line == "-") return Line::deletion;
    if (!line.empty() && line.front() == '"') {
        std::string text;
        if (!takeQuoted(line, text) || !trimmed(line).empty()) return Line::invalid;
        value.type = SETTING_STRING;
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);
        return Line::value;
    }
    if (line.size() >= 6 && equalNoCase(line.substr(0, 6), "dword:")) {
        uint32_t number = 0;
        if (!parseHexNumber(trimmed(line.substr(6)), number)) return Line::invalid;
        value.type = SETTING_DWORD;
        value.data = {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
                      static_cast<uint8_t>(number >> 16), static_cast<uint8_t>(number >> 24)};
        return Line::value;
    }
    if (line.size() >= 4 && equalNoCase(line.substr(0, 4), "hex:")) {
        value.type = SETTING_BINARY;
        return parseHexList(line.substr(4), value.data) ? Line::value : Line::invalid;
    }
    if (line.size() >= 4 && equalNoCase(line.substr(0, 4), "hex(")) {
        const size_t close = line.find("):");
        if (close == std::string_view::npos || !parseHexNumber(line.substr(4, close - 4), value.type)) {
            return Line::invalid;
        }
        return parseHexList(line.substr(close + 2), value.data) ? Line::value : Line::invalid;
    }
    return Line::invalid;
}

// Takes the next logical line from the front of text: a line ending in a
// backslash goes on in the next one, as long hex lists are wrapped. A line
// of one piece is a view into text; the pieces of a wrapped one are joined in
// storage. False when text is used up.
bool takeLogicalLine(std::string_view& text, std::string& storage, std::string_view& line) {
    if (text.empty()) return false;
    bool joining = false;
    while (true) {
        const size_t end = text.find('\n');
        std::string_view piece = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const bool continuing = !piece.empty() && piece.back() == '\\';
        if (continuing) piece.remove_suffix(1);
        if (!continuing && !joining) {
            line = piece;
            return true;
        }
        if (!joining) storage.clear();
        joining = true;
        storage.append(piece);
        if (!continuing || text.empty()) {
            line = storage;
            return true;
        }
    }
}

bool isPlainText(const std::vector<uint8_t>& data) {
    if (data.empty() || data.back() != 0) return false;
    for (size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] < 0x20 || data[i] == 0x7F) return false;
    }
    return true;
}

void appendQuoted(std::string& out, std::string_view text) {
    out.push_back('"');
    for (const char c : text) {
        if (c == '"' || c == '\\') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

void appendHexList(std::string& out, const std::vector<uint8_t>& data) {
    static const char digits[] = "0123456789abcdef";
    for (size_t i = 0; i < data.size(); ++i) {
        if (i > 0) out.append(i % HEX_BYTES_PER_LINE == 0 ? ",\\\n  " : ",");
        out.push_back(digits[data[i] >> 4]);
        out.push_back(digits[data[i] & 15]);
    }
}

void appendValueLine(std::string& out, const std::string& name, const SettingValue& value) {
    static const char digits[] = "0123456789abcdef";
    appendQuoted(out, name);
    out.push_back('=');
    if (value.type == SETTING_STRING && isPlainText(value.data)) {
        appendQuoted(out, std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1));
    } else if (value.type == SETTING_DWORD && value.data.size() == 4) {
        out.append("dword:");
        for (int i = 3; i >= 0; --i) {
            out.push_back(digits[value.data[i] >> 4]);
            out.push_back(digits[value.data[i] & 15]);
        }
    } else {
        if (value.type == SETTING_BINARY) {
            out.append("hex:");
        } else {
            std::string type;
            for (uint32_t t = value.type; t != 0 || type.empty(); t >>= 4) type.insert(type.begin(), digits[t & 15]);
            out.append("hex(").append(type).append("):");
        }
        appendHexList(out, value.data);
    }
    out.push_back('\n');
}

}  // namespace

bool SettingNameLess::operator()(const std::string& left, const std::string& right) const {
    const size_t common = std::min(left.size(), right.size());
    for (size_t i = 0; i < common; ++i) {
        const char a = lowered(left[i]);
        const char b = lowered(right[i]);
        if (a != b) return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
    }
    return left.size() < right.size();
}

SettingsParse parseSettingsBytes(const uint8_t* const& bytes, const size_t& size, SettingValues& values) {
    values.clear();
    std::string_view text(reinterpret_cast<const char*>(bytes), bytes != nullptr ? size : 0);
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::string storage;
    std::string_view line;
    bool found = false;
    while (!found && takeLogicalLine(text, storage, line)) found = !trimmed(line).empty();
    if (!found) return SettingsParse::complete;
    const std::string_view header = trimmed(line);
    if (header != HEADER && header != OLD_HEADER) return SettingsParse::unreadable;

    bool lossless = true;
    bool inOurKey = false;
    while (takeLogicalLine(text, storage, line)) {
        line = trimmed(line);
        if (line.empty()) continue;
        if (line.front() == '[') {
            inOurKey = line.back() == ']' && equalNoCase(line.substr(1, line.size() - 2), SETTINGS_KEY_PATH);
            lossless = lossless && inOurKey;
            continue;
        }
        std::string name;
        SettingValue value;
        const Line kind = inOurKey ? parseValueLine(line, name, value) : Line::invalid;
        if (kind == Line::value) {
            // Files we wrote are sorted: each value then goes in at the end at no cost.
            values.insert_or_assign(values.end(), std::move(name), std::move(value));
        } else if (kind == Line::deletion) {
            values.erase(name);
        } else {
            lossless = false;
        }
    }
    return lossless ? SettingsParse::complete : SettingsParse::partial;
}

std::string formatSettingsText(const SettingValues& values, const SettingValues& laidOver) {
    std::string out;
    out.append(HEADER).append("\n\n[").append(SETTINGS_KEY_PATH).append("]\n");
    // Both are in name order: merging them keeps it, and the new value wins.
    const SettingNameLess less;
    auto below = values.begin();
    auto over = laidOver.begin();
    while (below != values.end() || over != laidOver.end()) {
        if (over == laidOver.end() || (below != values.end() && less(below->first, over->first))) {
            appendValueLine(out, below->first, below->second);
            ++below;
            continue;
        }
        if (below != values.end() && !less(over->first, below->first)) ++below;
        appendValueLine(out, over->first, over->second);
        ++over;
    }
    out.push_back('\n');
    return out;
}

}  // namespace platform
