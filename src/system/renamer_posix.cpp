// sys::Renamer on POSIX systems (Linux): RENAME_NOREPLACE, else a hard link, else
// a check and a plain rename, whichever the folder's file system takes.
#include "system/renamer.h"

#include "system/last_error.h"
#include "system/open_folder.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>
#include <utility>

namespace sys {

namespace {

enum class Learnt { Unknown, Yes, No };

// What the kernel answers for a file system that does not take RENAME_NOREPLACE.
bool refusesFlag(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// What linkat answers where no hard link can be made (EMLINK: not for this file).
bool refusesLink(int error)
{
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK || error == EXDEV;
}

// Whether the two names may differ only in letter case: alike but for ASCII case,
// or holding other bytes, whose case this layer does not read. Only a guess that
// lets a change of case through a temporary name be tried; that rename replaces
// nothing whatever the two names are.
bool mayDifferOnlyInCase(const std::string &a, const std::string &b)
{
    const auto plain = [](const std::string &name) {
        return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    };
    if (!plain(a) || !plain(b))
        return true;
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

} // namespace

struct Renamer::Folder {
    int fd = -1; // every rename is made relative to it, whatever the working folder does
    bool ownsFd = true;
    std::error_code openError;
    // Every entry now, exactly as spelt: the names read, and the renames made
    // since, until a file system that folds case needs them in a set.
    std::vector<std::filesystem::path> read;
    std::vector<std::pair<std::string, std::string>> renames;
    std::optional<std::unordered_set<std::string>> names;
    Learnt noReplace = Learnt::Unknown;
    Learnt links = Learnt::Unknown;
    Learnt foldsCase = Learnt::Unknown;
    std::string temporaryStem;

    ~Folder()
    {
        if (fd >= 0 && ownsFd)
            ::close(fd);
    }

    // Where the kernel refuses to replace and case is not folded, the kernel
    // alone keeps every promise and the names are not needed any more.
    bool plain() const { return noReplace == Learnt::Yes && foldsCase == Learnt::No; }

    void renamed(const std::string &from, const std::string &to)
    {
        if (names) {
            names->erase(from);
            names->insert(to);
        } else if (!plain()) {
            renames.emplace_back(from, to);
        }
    }

    // Whether an entry is spelt exactly `name`. Until folding is known, one
    // pass over the names (the first change of case of a run tells); after,
    // one look-up in a set made of them.
    bool isListed(const std::string &name)
    {
        if (!names && foldsCase == Learnt::Unknown) {
            bool listed = false;
            for (const std::filesystem::path &entry : read)
                listed = listed || entry.native() == name;
            for (const auto &[from, to] : renames)
                listed = to == name || (from != name && listed);
            return listed;
        }
        if (!names) {
            names.emplace();
            names->reserve(read.size());
            for (const std::filesystem::path &entry : read)
                names->insert(entry.native());
            for (const auto &[from, to] : renames)
                renamed(from, to);
            read = {};
            renames = {};
        }
        return names->count(name) != 0;
    }

    // Renames without ever replacing an existing entry: file_exists when `to` is
    // taken (on a case-insensitive file system, by `from` itself under another
    // case too). Each way is tried until the file system has refused it once.
    std::error_code renameNoReplace(const std::string &from, const std::string &to)
    {
        if (noReplace != Learnt::No) {
            if (::renameat2(fd, from.c_str(), fd, to.c_str(), RENAME_NOREPLACE) == 0) {
                noReplace = Learnt::Yes;
                return {};
            }
            if (noReplace == Learnt::Yes || !refusesFlag(errno))
                return lastError();
            noReplace = Learnt::No;
        }

        // A hard link under the new name is made only where that name is free,
        // atomically; then the old name goes. (flags 0: a link is linked as itself.)
        if (links != Learnt::No) {
            if (::linkat(fd, from.c_str(), fd, to.c_str(), 0) == 0) {
                links = Learnt::Yes;
                if (::unlinkat(fd, from.c_str(), 0) == 0)
                    return {};
                const std::error_code error = lastError();
                ::unlinkat(fd, to.c_str(), 0); // back to the one old name
                return error;
            }
            if (!refusesLink(errno))
                return lastError();
            if (errno != EMLINK)
                links = Learnt::No;
        }

        // No hard links either (FAT, exFAT, shares through FUSE). Check that the
        // name is free and rename: another program that creates `to` between the
        // two calls would lose that file, a race of microseconds that these file
        // systems give no way to close.
        struct stat info {};
        if (::fstatat(fd, to.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
            return std::make_error_code(std::errc::file_exists);
        if (errno != ENOENT)
            return lastError();
        if (::renameat(fd, from.c_str(), fd, to.c_str()) != 0)
            return lastError();
        return {};
    }

    // Whether the file system folds case: whether the temporary name, just
    // given, answers in capitals too. Asked of the temporary name, never of the
    // name wanted: a file system through FUSE keeps what a look-up found for a
    // while, and a name that answered for `from` would seem taken after `from`
    // has moved away.
    bool answersInCapitals(const std::string &temporary) const
    {
        std::string capitals = temporary;
        for (char &c : capitals)
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        struct stat info {};
        return ::fstatat(fd, capitals.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT;
    }

    // A change of case alone on a file system that folds case, or may: from ->
    // temporary name -> to, and back to the old name if the second step fails.
    // Should the way back fail too, the file stays under the temporary name,
    // which is not hidden: the file list shows where it is.
    std::error_code renameThroughTemporary(const std::string &from, const std::string &to)
    {
        const std::string temporary = temporaryName(temporaryStem, from, to).native();
        if (const std::error_code error = renameNoReplace(from, temporary))
            return error;
        if (foldsCase == Learnt::Unknown)
            foldsCase = answersInCapitals(temporary) ? Learnt::Yes : Learnt::No;
        const std::error_code error = renameNoReplace(temporary, to);
        if (error && renameNoReplace(temporary, from))
            renamed(from, temporary);
        return error;
    }
};

std::string newTemporaryStem()
{
    const auto clock = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    return "mojik-temp-" + std::to_string(::getpid()) + '-' + std::to_string(clock % 1000000007ULL) + '-';
}

Renamer::Renamer(const std::filesystem::path &folder, std::vector<std::filesystem::path> names,
                 std::string temporaryStem)
    : m_folder(std::make_unique<Folder>())
{
    Folder &f = *m_folder;
    f.fd = ::open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (f.fd < 0)
        f.openError = lastError();
    f.read = std::move(names);
    f.temporaryStem = std::move(temporaryStem);
}

Renamer::Renamer(const OpenFolder &folder, std::vector<std::filesystem::path> names, std::string temporaryStem)
    : m_folder(std::make_unique<Folder>())
{
    Folder &f = *m_folder;
    f.fd = static_cast<int>(folder.handle());
    f.ownsFd = false;
    if (f.fd < 0)
        f.openError = std::make_error_code(std::errc::bad_file_descriptor);
    f.read = std::move(names);
    f.temporaryStem = std::move(temporaryStem);
}

Renamer::~Renamer() = default;
Renamer::Renamer(Renamer &&) noexcept = default;
Renamer &Renamer::operator=(Renamer &&) noexcept = default;

bool Renamer::dropSecondName(const std::filesystem::path &kept, const std::filesystem::path &extra,
                             std::error_code &error)
{
    Folder &f = *m_folder;
    struct stat a {};
    struct stat b {};
    if (f.openError || ::fstatat(f.fd, kept.c_str(), &a, AT_SYMLINK_NOFOLLOW) != 0 ||
        ::fstatat(f.fd, extra.c_str(), &b, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    // Two names of one file, neither a folder: taking one away loses nothing.
    if (a.st_dev != b.st_dev || a.st_ino != b.st_ino || S_ISDIR(a.st_mode) || a.st_nlink < 2)
        return false;
    if (::unlinkat(f.fd, extra.c_str(), 0) != 0) {
        error = lastError();
        return true;
    }
    f.renamed(extra.native(), {}); // gone: an empty name is never asked for
    return true;
}

bool Renamer::keepsSpellings() const
{
    // A file system that does not fold case makes a new entry under the very name given.
    return m_folder->foldsCase == Learnt::No;
}

std::error_code Renamer::rename(const std::filesystem::path &from, const std::filesystem::path &to)
{
    Folder &f = *m_folder;
    if (f.openError)
        return f.openError;
    const std::string &a = from.native();
    const std::string &b = to.native();
    if (a == b) {
        struct stat info {};
        return ::fstatat(f.fd, a.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 ? std::error_code() : lastError();
    }
    // A change of case alone goes through a temporary name until the file
    // system has shown, at the first one, that it does not fold case. There an
    // entry spelt `to` is another file even where a look-up of `from` in another
    // case would find it too (a share served from a case-sensitive disk holds
    // x.txt beside X.TXT): only the names tell them apart.
    // A name leaving its temporary name is no change of case: a second temporary
    // name would be one that nobody finds after a crash.
    const bool throughTemporary =
        f.foldsCase != Learnt::No && mayDifferOnlyInCase(a, b) && !a.starts_with(f.temporaryStem);
    if (throughTemporary && f.isListed(b))
        return std::make_error_code(std::errc::file_exists);
    const std::error_code error = throughTemporary ? f.renameThroughTemporary(a, b) : f.renameNoReplace(a, b);
    if (!error)
        f.renamed(a, b);
    return error;
}

} // namespace sys
