// What a run and an undo tell: the names they left alone and why they stopped, in
// the words the window's boxes and the command line share. A carriage return
// breaks the lines, as in the message box; the command line makes line feeds of them.
#pragma once

#include "conversion/journal_store.h"
#include "conversion/plan.h"
#include "text/names.h"

#include <QString>
#include <filesystem>
#include <system_error>

namespace conversion {

// "name … why it was left alone", each name as `shown` shows it (the command
// line marks Shift_JIS names).
QString skipText(const Skip &skip, QString (*shown)(const std::filesystem::path &) = text::displayName);

// A pair an undo left alone: its names changed since the run.
QString changedText(const std::filesystem::path &oldName, const std::filesystem::path &newName);

// A refused rename stopped a run, or an undo, at `name` after `done` names.
QString refusedText(const std::filesystem::path &name, const std::error_code &error, std::size_t done);
QString undoRefusedText(const std::filesystem::path &name, const std::error_code &error, std::size_t done);

// A run stopped by the user between two renames, after `done` names.
QString stoppedText(std::size_t done);

// The journal of a run could not be written, so nothing was renamed.
QString journalUnwritableText(const std::filesystem::path &store, const std::error_code &error);

// A journal that cannot be read whole, which undo then refuses; empty when it can.
QString journalRefusalText(const StoredJournal &stored);

// An undo that found no run to take back.
QString nothingToUndoText(const std::filesystem::path &folder);

// An undo done but not marked in its journal.
QString undoneUnmarkedText(const std::filesystem::path &journal, const std::error_code &error);

} // namespace conversion
