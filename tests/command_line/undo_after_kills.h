// The runs and undos of one folder with a kill in one of them, and the names
// each undo must leave: for the folders of both test programs.
#pragma once

#include "command_line/traced_program.h"
#include "support/folder_contents.h"
#include "support/name_sets.h"

#include <map>

namespace command_line_testing {

// Every name of `folder` with what it holds: the names exactly, no other.
inline void expectHolds(const std::filesystem::path &folder, const std::map<std::filesystem::path, std::string> &files)
{
    testing_support::NameSet names;
    for (const auto &[name, content] : files) {
        names.insert(name);
        EXPECT_EQ(testing_support::contentOf(folder / name), content) << name;
    }
    EXPECT_EQ(testing_support::allNames(folder), names);
}

struct KillRow {
    QString killAt;
    bool inUndo;    // the kill is in the first undo, else in the run it takes back
    QString inject; // on every call: the medium as the renamer finds it
};

// --lower d, --upper d, then --undo d on Ab.txt and Cd.txt in the empty folder
// d: with a kill in the run or the undo, an undo (made again after a killed one)
// leaves exactly the --lower run's names; the next one those before it.
inline void expectEachUndoTakesBackOneRunExactly(const KillRow &row, const std::filesystem::path &d)
{
    SCOPED_TRACE((row.killAt + (row.inUndo ? " in the undo " : " in the run ") + row.inject).toStdString());
    const testing_support::FolderAt folder(d);
    folder.file("Ab.txt");
    folder.file("Cd.txt");
    const auto mojik = [&](const char *option, const QString &killAt = {}) {
        return program({QString::fromLatin1(option), QString::fromStdString(d.native())}, killAt, row.inject);
    };
    EXPECT_EQ(mojik("--lower"), 0);
    const int upper = mojik("--upper", row.inUndo ? QString() : row.killAt);
    EXPECT_TRUE(upper == 0 || (upper == kKilled && !row.inUndo)) << upper;
    int undo = row.inUndo ? mojik("--undo", row.killAt) : kKilled;
    if (undo == kKilled)
        undo = mojik("--undo");
    EXPECT_EQ(undo, 0);
    expectHolds(d, {{"ab.txt", "Ab.txt"}, {"cd.txt", "Cd.txt"}});
    EXPECT_EQ(mojik("--undo"), 0);
    expectHolds(d, {{"Ab.txt", "Ab.txt"}, {"Cd.txt", "Cd.txt"}});
}

} // namespace command_line_testing
