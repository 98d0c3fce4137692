#include "host/module/module_file.h"

#include <dlfcn.h>
#include <elf.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "fonts/file_bytes.h"

namespace tarsil {

namespace {

Dl_info InfoOfThisCode() {
    Dl_info info{};
    dladdr(reinterpret_cast<const void*>(&ModuleFilePath), &info);
    return info;
}

template <class T>
bool ReadAt(const std::string& bytes, std::uint64_t offset, T& value) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return false;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return true;
}

}  // namespace

std::filesystem::path ModuleFilePath() {
    const Dl_info info = InfoOfThisCode();
    return info.dli_fname != nullptr ? std::filesystem::path(info.dli_fname)
                                     : std::filesystem::path();
}

HINSTANCE ModuleResourceHandle() {
    return static_cast<HINSTANCE>(InfoOfThisCode().dli_fbase);
}

std::string ReadFileVersion(const std::filesystem::path& file) {
    const std::string bytes = ReadFileBytes(file);
    Elf64_Ehdr header{};
    if (!ReadAt(bytes, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_shentsize != sizeof(Elf64_Shdr)) {
        return {};
    }
    Elf64_Shdr names{};
    if (!ReadAt(bytes, header.e_shoff + std::uint64_t{header.e_shstrndx} * sizeof(Elf64_Shdr),
                names)) {
        return {};
    }
    for (std::uint64_t i = 0; i < header.e_shnum; ++i) {
        Elf64_Shdr section{};
        if (!ReadAt(bytes, header.e_shoff + i * sizeof(Elf64_Shdr), section)) return {};
        const std::uint64_t name_at = names.sh_offset + section.sh_name;
        if (name_at >= bytes.size()) continue;
        const char* name = bytes.data() + name_at;
        const std::size_t room = bytes.size() - name_at;
        if (strnlen(name, room) == room || std::strcmp(name, kVersionSectionName) != 0) continue;
        if (section.sh_offset > bytes.size() ||
            bytes.size() - section.sh_offset < section.sh_size) {
            return {};
        }
        const char* text = bytes.data() + section.sh_offset;
        return std::string(text, strnlen(text, section.sh_size));
    }
    return {};
}

std::wstring SplashVersionLine(const std::string& file_version) {
    std::wstring version(file_version.begin(), file_version.end());
    std::replace(version.begin(), version.end(), L',', L'.');
    return L"Release 2016.0 (" + version + L")";
}

}  // namespace tarsil
