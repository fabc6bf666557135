// The drive letters of Windows: the logical drives with their volume labels, and
// the drive of a path as its first character.
#include "system/drives.h"

#include <windows.h>

namespace sys {

namespace {

wchar_t lowerAscii(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

std::string utf8(const wchar_t *text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return {};
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), length, nullptr, nullptr);
    bytes.pop_back(); // the NUL
    return bytes;
}

// The label, or "" where the volume has none or cannot be read (a drive with no
// medium in it): no "insert a disk" box is raised for it.
std::string labelOf(const std::wstring &root)
{
    DWORD oldMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
    wchar_t label[MAX_PATH + 1] = {};
    const BOOL read = GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0);
    SetThreadErrorMode(oldMode, nullptr);
    return read ? utf8(label) : std::string();
}

} // namespace

std::vector<Drive> mountedDrives()
{
    std::vector<Drive> drives;
    const DWORD present = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(present & (DWORD(1) << i)))
            continue;
        // Lower case, as the drive list shows drives.
        const std::wstring root{static_cast<wchar_t>(L'a' + i), L':', L'\\'};
        drives.push_back({root, labelOf(root)});
    }
    return drives;
}

std::filesystem::path driveOf(const std::filesystem::path &path, const std::vector<Drive> &drives)
{
    const std::wstring &text = path.native();
    if (text.empty())
        return {};
    const wchar_t letter = lowerAscii(text.front());
    if (letter < L'a' || letter > L'z')
        return {};
    for (const Drive &drive : drives) {
        if (!drive.root.empty() && lowerAscii(drive.root.native().front()) == letter)
            return drive.root;
    }
    return {};
}

} // namespace sys
