#include "fonts/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "fonts/atomic_file.h"
#include "fonts/file_bytes.h"
#include "fonts/notify.h"
#include "fonts/wide_text.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kBackupFailedMessage[] =
    L"Fehler Ini-Datei:\n%s konnte nicht nach %s kopiert werden.";
constexpr wchar_t kWriteFailedMessage[] =
    L"Cannot write the file %s:\n%s\nThe file was left as it was.";

bool IsTrailingSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

std::wstring PathText(const fs::path& path) {
    return WidenBytes(path.native());
}

}  // namespace

HIniEx::HIniEx() {
    sections_.push_back({kSectionZeroName, {}});
}

HIniEx::~HIniEx() {
    if (!auto_save_) return;
    try {
        Write(backup_on_auto_save_);
    } catch (...) {
        // A destructor must not throw; the failed write was already reported.
    }
}

// The backup path stays: once made, it serves every later write of this
// object, also after another Open.
void HIniEx::Empty() {
    path_.clear();
    sections_.clear();
    sections_.push_back({kSectionZeroName, {}});
    modified_ = false;
}

bool HIniEx::Open(const fs::path& path, bool auto_save, bool create_if_missing, bool ignore_case,
                  bool backup_on_auto_save) {
    if (!path_.empty()) Write(false);
    Empty();
    auto_save_ = auto_save;
    ignore_case_ = ignore_case;
    backup_on_auto_save_ = backup_on_auto_save;

    if (path.empty()) return false;
    // Opened for reading and writing, as the file is meant to be written
    // back; a file we could not write is not taken.
    const int fd =
        ::open(path.c_str(), O_RDWR | O_CLOEXEC | (create_if_missing ? O_CREAT : 0), 0666);
    if (fd < 0) return false;
    // A file that nobody may write is read-only, also to a privileged user
    // whom the system would let write it: it is not taken.
    struct stat status {};
    if (::fstat(fd, &status) != 0 || (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        ::close(fd);
        return false;
    }
    path_ = path;
    Parse(ReadAllBytes(fd));
    ::close(fd);
    return true;
}

void HIniEx::Parse(std::string_view bytes) {
    sections_.clear();
    sections_.push_back({kSectionZeroName, {}});
    const std::wstring text = WidenBytes(bytes);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring_view line(text.data() + start, end - start);
        start = end + 1;

        while (!line.empty() && IsTrailingSpace(line.back())) line.remove_suffix(1);
        if (line.empty()) continue;
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            sections_.push_back({std::wstring(line.substr(1, line.size() - 2)), {}});
            continue;
        }
        const std::size_t equals = line.find(L'=');
        Entry entry;
        if (equals == std::wstring_view::npos) {
            entry.key = line;
        } else {
            entry.key = line.substr(0, equals);
            entry.value = line.substr(equals + 1);
        }
        sections_.back().entries.push_back(std::move(entry));
    }
}

std::string HIniEx::Serialize() const {
    std::wstring text;
    for (const Section& section : sections_) {
        if (!section.name.empty() && section.name != kSectionZeroName) {
            text += L'[' + section.name + L"]\n";
        }
        for (const Entry& entry : section.entries) {
            text += entry.key;
            if (!entry.key.empty()) text += L'=';
            text += entry.value;
            text += L'\n';
        }
    }
    // Text mode: every line feed goes out as CR LF.
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 8);
    for (const char c : NarrowBytes(text)) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes;
}

bool HIniEx::MakeBackup() {
    if (backup_path_.empty()) backup_path_ = NextBackupPath(path_);
    std::error_code ec;
    fs::copy_file(path_, backup_path_, fs::copy_options::overwrite_existing, ec);
    if (!ec) return true;
    ShowAlert(FormatMessage(kBackupFailedMessage, {PathText(path_), PathText(backup_path_)}));
    return false;
}

fs::path HIniEx::Write(bool make_backup) {
    if (!modified_ || path_.empty()) return {};
    const bool backed_up = make_backup && MakeBackup();
    std::string error;
    if (!ReplaceFileContents(path_, Serialize(), &error)) {
        ShowAlert(FormatMessage(kWriteFailedMessage, {PathText(path_), WidenBytes(error)}));
        return {};
    }
    return backed_up ? backup_path_ : fs::path();
}

bool HIniEx::NamesEqual(std::wstring_view a, std::wstring_view b) const {
    return ignore_case_ ? EqualsIgnoreCase(a, b) : a == b;
}

HIniEx::Section* HIniEx::FindSection(std::wstring_view name) {
    for (Section& section : sections_) {
        if (NamesEqual(section.name, name)) return &section;
    }
    return nullptr;
}

const HIniEx::Section* HIniEx::FindSection(std::wstring_view name) const {
    return const_cast<HIniEx*>(this)->FindSection(name);
}

std::wstring HIniEx::GetValue(std::wstring_view section, std::wstring_view key,
                              std::wstring_view default_text) const {
    const Section* found = FindSection(section);
    if (found == nullptr) return std::wstring(default_text);
    for (auto it = found->entries.rbegin(); it != found->entries.rend(); ++it) {
        if (!NamesEqual(it->key, key)) continue;
        const std::size_t comment = it->value.rfind(L';');
        return comment == std::wstring::npos ? it->value : it->value.substr(0, comment);
    }
    return std::wstring(default_text);
}

void HIniEx::SetValue(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    Section* found = FindSection(section);
    if (found == nullptr) {
        sections_.push_back({std::wstring(section), {}});
        found = &sections_.back();
        modified_ = true;
    }
    for (auto it = found->entries.rbegin(); it != found->entries.rend(); ++it) {
        if (!NamesEqual(it->key, key)) continue;
        if (!NamesEqual(it->value, value)) modified_ = true;
        it->value = value;
        return;
    }
    found->entries.push_back({std::wstring(key), std::wstring(value)});
    modified_ = true;
}

std::vector<std::wstring> HIniEx::GetKeys(std::wstring_view section) const {
    std::vector<std::wstring> keys;
    if (const Section* found = FindSection(section)) {
        for (const Entry& entry : found->entries) keys.push_back(entry.key);
    }
    return keys;
}

bool HIniEx::DeleteSection(std::wstring_view section) {
    auto it = std::find_if(sections_.begin(), sections_.end(),
                           [&](const Section& s) { return NamesEqual(s.name, section); });
    if (it == sections_.end()) return false;
    if (it == sections_.begin()) {
        // Section 0 always exists; deleting it empties it.
        it->entries.clear();
    } else {
        sections_.erase(it);
    }
    modified_ = true;
    return true;
}

fs::path NextBackupPath(const fs::path& path) {
    const std::string name = path.filename().string();
    const std::size_t dot = name.rfind('.');
    const std::string prefix = dot == std::string::npos ? name : name.substr(0, dot);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");

    int highest = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string other = it->path().filename().string();
        if (other.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string tail = other.substr(other.size() > 3 ? other.size() - 3 : 0);
        highest = std::max(highest, ParseIntLikeAtoi(WidenBytes(tail)));
    }
    char number[16];
    std::snprintf(number, sizeof number, ".%.3d", highest + 1);
    return fs::path(path.string() + number);
}

}  // namespace tarsil
