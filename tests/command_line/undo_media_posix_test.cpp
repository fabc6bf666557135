// Tests of what a kill in an undo leaves on an exFAT stick, which folds case:
// every change of case there goes through a temporary name.
#include "command_line/undo_after_kills.h"
#include "support/media.h"

namespace {

using testing_support::MediumFolder;
using testing_support::MediumKind;

TEST(CrashMedia, AKilledUndoOnExfatNeverTakesBackTheRunBeforeOnItsRetry)
{
    if (const auto why = testing_support::withoutFuse())
        GTEST_SKIP() << *why;
    for (const char *killAt : {"write:1", "write:2", "write:3"}) {
        const MediumFolder medium(MediumKind::Exfat);
        ASSERT_FALSE(medium.problem()) << *medium.problem();
        command_line_testing::expectEachUndoTakesBackOneRunExactly({killAt, true, {}}, medium.path());
    }
}

} // namespace
