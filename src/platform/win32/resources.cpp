#include "platform/win32/resources.h"

#include <vector>

#include "platform/win32/win.h"
#include "platform/win32/window.h"

namespace platform {
namespace {

constexpr DWORD kFixedFileInfoSignature = 0xFEEF04BD;

// The version resource's fixed part, found by its signature inside the VS_VERSIONINFO block.
const VS_FIXEDFILEINFO* FixedFileInfo() {
    HMODULE module = ModuleInstance();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    const auto* bytes = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
    DWORD size = SizeofResource(module, found);
    if (!bytes) return nullptr;
    for (DWORD offset = 0; offset + sizeof(VS_FIXEDFILEINFO) <= size; offset += 4) {
        const auto* info = reinterpret_cast<const VS_FIXEDFILEINFO*>(bytes + offset);
        if (info->dwSignature == kFixedFileInfoSignature) return info;
    }
    return nullptr;
}

}  // namespace

std::string LoadResString(int id) {
    // With a zero-length buffer LoadStringW hands out a pointer to the resource text itself, so no
    // length has to be guessed.
    const wchar_t* text = nullptr;
    int length = LoadStringW(ModuleInstance(), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return {};
    int needed = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, result.data(), needed, nullptr, nullptr);
    return result;
}

std::string_view ResourceData(const char* name) {
    HMODULE module = ModuleInstance();
    HRSRC found = FindResourceA(module, name, RT_RCDATA);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const char* bytes = static_cast<const char*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes) return {};
    return {bytes, SizeofResource(module, found)};
}

std::string ApplicationTitle() {
    return "Catalog";
}

AppVersion ApplicationVersion() {
    AppVersion version;
    if (const VS_FIXEDFILEINFO* info = FixedFileInfo()) {
        version.major = HIWORD(info->dwFileVersionMS);
        version.minor = LOWORD(info->dwFileVersionMS);
        version.revision = LOWORD(info->dwFileVersionLS);
    }
    return version;
}

std::string ApplicationFolder() {
    std::vector<char> path(MAX_PATH);
    while (true) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            std::string full(path.data(), length);
            std::size_t slash = full.find_last_of("\\/");
            return slash == std::string::npos ? std::string() : full.substr(0, slash);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace platform
