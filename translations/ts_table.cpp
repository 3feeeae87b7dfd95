// Turns Qt Linguist translation files into a C++ table, so that the command
// line, which loads no Qt, speaks the same translations as the window.
// Usage: ts_table OUTPUT.cpp FILE.ts...
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Entry {
    std::string context, source, translation;
};

// The text between "<tag" … ">" and "</tag>" after from, and where it ends.
bool Element(const std::string& xml, const std::string& tag, std::size_t from, std::size_t end,
             std::string& attributes, std::string& text, std::size_t& after) {
    const auto open = xml.find("<" + tag, from);
    if (open == std::string::npos || open >= end) {
        return false;
    }
    const auto close = xml.find('>', open);
    if (close == std::string::npos) {
        return false;
    }
    attributes = xml.substr(open + tag.size() + 1, close - open - tag.size() - 1);
    if (!attributes.empty() && attributes.back() == '/') {  // <translation/>
        text.clear();
        after = close + 1;
        return true;
    }
    const auto last = xml.find("</" + tag + ">", close);
    if (last == std::string::npos) {
        return false;
    }
    text = xml.substr(close + 1, last - close - 1);
    after = last + tag.size() + 3;
    return true;
}

void AppendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const auto semicolon = text.find(';', i);
        const std::string name = text.substr(i + 1, semicolon - i - 1);
        if (name == "amp") {
            out += '&';
        } else if (name == "lt") {
            out += '<';
        } else if (name == "gt") {
            out += '>';
        } else if (name == "quot") {
            out += '"';
        } else if (name == "apos") {
            out += '\'';
        } else if (name.size() > 1 && name[0] == '#') {
            AppendUtf8(out, name[1] == 'x' ? std::stoul(name.substr(2), nullptr, 16)
                                           : std::stoul(name.substr(1)));
        } else {
            out += text.substr(i, semicolon - i + 1);
        }
        i = semicolon;
    }
    return out;
}

// A C string literal; octal escapes, which take at most three digits, so
// that a digit after one cannot join it.
std::string Literal(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || c == '?') {  // '?' so that no trigraph forms
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\%03o", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

bool Read(const std::string& path, std::vector<Entry>& entries) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "ts_table: cannot read " << path << "\n";
        return false;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string xml = buffer.str();
    std::string attributes, contextXml, name, message, source, translation;
    std::size_t at = 0;
    while (Element(xml, "context", at, xml.size(), attributes, contextXml, at)) {
        std::size_t inner = 0;
        if (!Element(contextXml, "name", 0, contextXml.size(), attributes, name, inner)) {
            continue;
        }
        while (
            Element(contextXml, "message", inner, contextXml.size(), attributes, message, inner)) {
            std::size_t m = 0;
            std::string translationAttributes;
            if (!Element(message, "source", 0, message.size(), attributes, source, m) ||
                !Element(message, "translation", 0, message.size(), translationAttributes,
                         translation, m)) {
                continue;
            }
            // An unfinished or vanished entry is not a translation yet.
            if (translationAttributes.find("type=") != std::string::npos || translation.empty()) {
                continue;
            }
            entries.push_back({Unescape(name), Unescape(source), Unescape(translation)});
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: ts_table OUTPUT.cpp FILE.ts...\n";
        return 2;
    }
    std::vector<Entry> entries;
    for (int i = 2; i < argc; ++i) {
        if (!Read(argv[i], entries)) {
            return 1;
        }
    }
    const auto key = [](const Entry& e) { return std::tie(e.context, e.source); };
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const Entry& a, const Entry& b) { return key(a) < key(b); });
    // The same text in two files: the first one read wins, as with Qt's translators.
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [&](const Entry& a, const Entry& b) { return key(a) == key(b); }),
                  entries.end());

    std::ofstream out(argv[1], std::ios::binary);
    out << "// Written by ts_table from the translation files; do not edit.\n"
           "#include <algorithm>\n#include <cstring>\n#include <iterator>\n\n"
           "#include \"translations/english_table.h\"\n\n"
           "namespace trazel::translations {\n\nnamespace {\n\n"
           "struct Text {\n    const char* context;\n    const char* source;\n"
           "    const char* english;\n};\n\n"
           "// Sorted by context, then source, byte by byte.\n"
           "constexpr Text kTexts[] = {\n";
    for (const auto& e : entries) {
        out << "    {" << Literal(e.context) << ", " << Literal(e.source) << ",\n     "
            << Literal(e.translation) << "},\n";
    }
    if (entries.empty()) {
        out << "    {\"\", \"\", \"\"},\n";
    }
    out << "};\n\n}  // namespace\n\n"
           "const char* EnglishText(const char* context, const char* source) {\n"
           "    const auto less = [](const Text& text, const Text& key) {\n"
           "        const int byContext = std::strcmp(text.context, key.context);\n"
           "        return byContext != 0 ? byContext < 0 : std::strcmp(text.source, key.source) < "
           "0;\n"
           "    };\n"
           "    const Text key{context, source, nullptr};\n"
           "    const auto* found = std::lower_bound(std::begin(kTexts), std::end(kTexts), key, "
           "less);\n"
           "    if (found == std::end(kTexts) || std::strcmp(found->context, context) != 0 ||\n"
           "        std::strcmp(found->source, source) != 0 || *found->english == '\\0') {\n"
           "        return nullptr;\n"
           "    }\n"
           "    return found->english;\n"
           "}\n\n}  // namespace trazel::translations\n";
    return out ? 0 : 1;
}
