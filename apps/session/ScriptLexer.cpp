#include "ScriptLexer.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zelt::session {

namespace {

// The escapes of a quoted text: the character after the backslash and what it stands for.
constexpr std::array<std::pair<char, char>, 5> kEscapes{{{'"', '"'}, {'\\', '\\'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'}}};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

} // namespace

ScriptLexer::Result ScriptLexer::split(std::string_view line)
{
    Result out;
    std::size_t i = 0;
    while (i < line.size()) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        ScriptWord word;
        if (line[i] == '"') {
            word.quoted = true;
            bool closed = false;
            for (++i; i < line.size() && !closed; ++i) {
                const char c = line[i];
                if (c == '"') {
                    closed = true;
                } else if (c == '\\') {
                    const char next = i + 1 < line.size() ? line[i + 1] : '\0';
                    auto it = std::find_if(kEscapes.begin(), kEscapes.end(), [next](auto e) { return e.first == next; });
                    if (it == kEscapes.end()) {
                        out.error = std::string("unknown escape \\") + (next ? std::string(1, next) : std::string()) +
                                    " in a quoted text (the escapes are \\\" \\\\ \\n \\r \\t)";
                        return out;
                    }
                    word.text.push_back(it->second);
                    ++i;
                } else {
                    word.text.push_back(c);
                }
            }
            if (!closed) {
                out.error = "a quoted text has no closing quote";
                return out;
            }
            if (i < line.size() && !isBlank(line[i]) && line[i] != '#') {
                out.error = "a quoted text runs into the next word: put a blank after the closing quote";
                return out;
            }
        } else {
            while (i < line.size() && !isBlank(line[i]) && line[i] != '#') {
                if (line[i] == '"') {
                    out.error = "a quote inside the word \"" + word.text + "\": put a blank before the quoted text";
                    return out;
                }
                word.text.push_back(line[i++]);
            }
        }
        out.words.push_back(std::move(word));
    }
    return out;
}

std::string ScriptLexer::quote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        auto it = std::find_if(kEscapes.begin(), kEscapes.end(), [c](auto e) { return e.second == c; });
        if (it != kEscapes.end()) {
            out.push_back('\\');
            out.push_back(it->first);
        } else {
            out.push_back(c);
        }
    }
    return out + "\"";
}

} // namespace zelt::session
