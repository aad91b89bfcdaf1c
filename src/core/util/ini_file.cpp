#include "util/ini_file.h"

#include "util/files.h"
#include "util/strings.h"
#include "util/text_encoding.h"

namespace wexbo {

namespace {

// The section name of a "[name]" line, or false.
bool SectionName(const std::string& line, std::string& name) {
    const std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[') return false;
    const std::size_t close = trimmed.find(']');
    if (close == std::string::npos) return false;
    name = Trim(std::string_view(trimmed).substr(1, close - 1));
    return true;
}

// Key and value of a "key=value" line; comments and other lines give false.
bool KeyValue(const std::string& line, std::string& key, std::string& value) {
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return false;
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string::npos) return false;
    key = Trim(std::string_view(trimmed).substr(0, equals));
    value = Trim(std::string_view(trimmed).substr(equals + 1));
    // A value in matching double quotes is read without them, as profile files do.
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return !key.empty();
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {
    std::string bytes;
    if (!FileExists(path_) || !ReadFileBytes(path_, bytes)) return;
    existed_ = true;
    const std::string text = DecodeText(bytes);
    std::string_view rest = text;
    while (!rest.empty()) lines_.emplace_back(NextLine(rest));
}

IniFile::Location IniFile::Find(const std::string& section, const std::string& key) const {
    Location where;
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string name, k, v;
        if (SectionName(lines_[i], name)) {
            if (inSection) break;  // the section ended
            if (EqualsIgnoreCase(name, section) && where.sectionLine < 0) {
                inSection = true;
                where.sectionLine = static_cast<long>(i);
                where.sectionEnd = static_cast<long>(i) + 1;
            }
            continue;
        }
        if (!inSection) continue;
        if (!Trim(lines_[i]).empty()) where.sectionEnd = static_cast<long>(i) + 1;
        if (where.keyLine < 0 && KeyValue(lines_[i], k, v) && EqualsIgnoreCase(k, key))
            where.keyLine = static_cast<long>(i);
    }
    return where;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
    const Location where = Find(section, key);
    if (where.keyLine < 0) return fallback;
    std::string k, value;
    KeyValue(lines_[static_cast<std::size_t>(where.keyLine)], k, value);
    return value;
}

long long IniFile::ReadInteger(const std::string& section, const std::string& key, long long fallback) const {
    long long value = 0;
    return ParseInt(ReadString(section, key, ""), value) ? value : fallback;
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
    const std::string value = ToUpperAscii(ReadString(section, key, ""));
    if (value == "TRUE" || value == "1") return true;
    if (value == "FALSE" || value == "0") return false;
    return fallback;
}

bool IniFile::HasKey(const std::string& section, const std::string& key) const {
    return Find(section, key).keyLine >= 0;
}

bool IniFile::HasSection(const std::string& section) const { return Find(section, "").sectionLine >= 0; }

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    const Location where = Find(section, key);
    const std::string line = key + "=" + value;
    if (where.keyLine >= 0) {
        lines_[static_cast<std::size_t>(where.keyLine)] = line;
    } else if (where.sectionLine >= 0) {
        lines_.insert(lines_.begin() + where.sectionEnd, line);
    } else {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + section + "]");
        lines_.push_back(line);
    }
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, long long value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "TRUE" : "FALSE");
}

bool IniFile::Save(std::string* error) const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\r\n";
    return WriteFileAtomically(path_, text, error);
}

std::string IniFile::Read(const std::string& path, const std::string& section, const std::string& key,
                          const std::string& fallback) {
    return IniFile(path).ReadString(section, key, fallback);
}

bool IniFile::Write(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value, std::string* error) {
    IniFile file(path);
    file.WriteString(section, key, value);
    return file.Save(error);
}

}  // namespace wexbo
