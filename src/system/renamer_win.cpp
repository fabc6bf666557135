// sys::Renamer on Windows: MoveFileExW, which never replaces, and a change of case
// through a temporary name where the file system keeps the old spelling.
#include "system/renamer.h"

#include "system/last_error.h"
#include "system/open_folder.h"

#include <string>
#include <unordered_set>
#include <windows.h>

namespace sys {

namespace {

enum class Learnt { Unknown, Yes, No };

bool differOnlyInCase(const std::wstring &x, const std::wstring &y)
{
    return x != y &&
           CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(), static_cast<int>(y.size()), TRUE) ==
               CSTR_EQUAL;
}

} // namespace

struct Renamer::Folder {
    std::filesystem::path folder;
    std::unordered_set<std::wstring> names; // every entry now, exactly as spelt
    // Whether a plain move changes the case of a name alone: NTFS does; some
    // file systems refuse it, others report success and keep the old spelling.
    Learnt directCaseChange = Learnt::Unknown;
    std::string temporaryStem;

    std::filesystem::path pathOf(const std::wstring &name) const { return folder / name; }

    void renamed(const std::wstring &from, const std::wstring &to)
    {
        names.erase(from);
        names.insert(to);
    }

    // MoveFileExW with no flags never replaces: it fails when `to` is taken.
    std::error_code moveNoReplace(const std::wstring &from, const std::wstring &to) const
    {
        return MoveFileExW(pathOf(from).c_str(), pathOf(to).c_str(), 0) ? std::error_code() : lastError();
    }

    // Whether the folder now spells the entry at `to` exactly as asked.
    std::error_code isSpeltAs(const std::wstring &to, bool &spelt) const
    {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileExW(pathOf(to).c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
        if (find == INVALID_HANDLE_VALUE)
            return lastError();
        FindClose(find);
        spelt = to == entry.cFileName;
        return {};
    }

    // from -> temporary name -> to, back to the old name if the second step fails.
    // A file system that keeps the old spelling even so refuses the change, and
    // that is what is reported. Should the way back fail too, the file stays
    // under the temporary name, which is not hidden: the file list shows it.
    std::error_code moveThroughTemporary(const std::wstring &from, const std::wstring &to)
    {
        const std::wstring temporary = temporaryName(temporaryStem, from, to).native();
        if (names.count(temporary))
            return std::make_error_code(std::errc::file_exists);
        std::error_code error = moveNoReplace(from, temporary);
        if (error)
            return error;
        if ((error = moveNoReplace(temporary, to))) {
            if (moveNoReplace(temporary, from))
                renamed(from, temporary);
            return error;
        }
        bool spelt = false;
        if ((error = isSpeltAs(to, spelt)))
            return error;
        return spelt ? std::error_code() : std::make_error_code(std::errc::operation_not_supported);
    }
};

std::string newTemporaryStem()
{
    return "mojik-temp-" + std::to_string(GetCurrentProcessId()) + '-' + std::to_string(GetTickCount64() % 1000000007ULL) +
           '-';
}

Renamer::Renamer(const std::filesystem::path &folder, std::vector<std::filesystem::path> names,
                 std::string temporaryStem)
    : m_folder(std::make_unique<Folder>())
{
    Folder &f = *m_folder;
    f.folder = folder.empty() ? std::filesystem::path(L".") : folder;
    f.names.reserve(names.size());
    for (const std::filesystem::path &name : names)
        f.names.insert(name.native());
    f.temporaryStem = std::move(temporaryStem);
}

// The open folder can be neither moved nor replaced: its path still leads to it.
Renamer::Renamer(const OpenFolder &folder, std::vector<std::filesystem::path> names, std::string temporaryStem)
    : Renamer(folder.path(), std::move(names), std::move(temporaryStem))
{
}

bool Renamer::dropSecondName(const std::filesystem::path &, const std::filesystem::path &, std::error_code &)
{
    return false; // MoveFileExW renames in one step: no crash leaves two names
}

Renamer::~Renamer() = default;
Renamer::Renamer(Renamer &&) noexcept = default;
Renamer &Renamer::operator=(Renamer &&) noexcept = default;

bool Renamer::keepsSpellings() const
{
    // Folders here fold case: the first change of case only shows how one rename went.
    return false;
}

std::error_code Renamer::rename(const std::filesystem::path &from, const std::filesystem::path &to)
{
    Folder &f = *m_folder;
    const std::wstring &a = from.native();
    const std::wstring &b = to.native();
    if (a == b)
        return GetFileAttributesW(f.pathOf(a).c_str()) != INVALID_FILE_ATTRIBUTES ? std::error_code() : lastError();
    if (f.names.count(b))
        return std::make_error_code(std::errc::file_exists);

    const bool caseAlone = differOnlyInCase(a, b);
    std::error_code error;
    if (caseAlone && f.directCaseChange == Learnt::No) {
        error = f.moveThroughTemporary(a, b);
    } else if ((error = f.moveNoReplace(a, b))) {
        // Nothing is spelt `to` in the folder, yet something answers to it:
        // `from` itself, through the file system's folding of case.
        if (error == std::errc::file_exists && caseAlone && !(error = f.moveThroughTemporary(a, b)))
            f.directCaseChange = Learnt::No;
    } else if (caseAlone && f.directCaseChange == Learnt::Unknown) {
        // Only the folder itself tells whether the new spelling was kept.
        bool spelt = false;
        if ((error = f.isSpeltAs(b, spelt)))
            return error;
        f.directCaseChange = spelt ? Learnt::Yes : Learnt::No;
        if (!spelt)
            error = f.moveThroughTemporary(a, b);
    }
    if (!error)
        f.renamed(a, b);
    return error;
}

} // namespace sys
