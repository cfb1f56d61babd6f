// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "values/networks.h"

// After a Qt header: moc cannot read the C++20 standard headers that come first.
#include "numeric/parse.h"

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace tools::myparts {

// The user's own parts list, as typed: one file in the user's data folder, shared by every window
// that searches it.
QString filePath();

// The saved list as read, and why it cannot be used when it cannot (not a file, too large).
struct Loaded {
    QString text;
    bool latin1 = false; // some lines were not UTF-8: read one for one, and saved back the same way
    QString problem;
};
Loaded read();

// The saved list, or an empty text when there is none yet or it cannot be read.
QString load();

// The saved list's good entries as parts of a kind (values::Unit::Ohm or Farad), read and parsed
// again only when the file changed (by its size and time): a window may ask at every input.
std::vector<values::Part> parts(char decimalSeparator, values::Unit kind);

// Whether the file changed on disk since this program last read or saved it (another window of
// another Voltiva, an editor): by its size and time.
bool changedOnDisk();

// Removes the copies a save killed before its rename left beside the file, named as only a save
// names them.
void removeStrayCopies();

// Replaces the saved list in one step, so a crash or a full disk mid-save leaves the old list or
// the new one, never a cut one. On failure returns false and, when asked, why.
bool save(const QString& text, QString* error = nullptr);

// A parts file as a parts list, read as the command line reads it (values::readPartsFile, then
// partsFromCsv): a table with a heading becomes one part a line, any other text stays as it is.
// On failure returns nothing and, when asked, why.
std::optional<QString> importFile(const QString& fileName, char decimalSeparator, QString* error = nullptr);

// A CSV table with a heading as a parts list, one row a line: values::importParts, without the
// heading's blank line.
QString partsFromCsv(const QString& csv, char decimalSeparator);

// The questions a window asks before it changes or loses the list, and their answers.
enum class Question {
    SaveFailed,    // Retry, SaveElsewhere or Discard
    ChangedOnDisk, // Reload, Merge or Overwrite
};
enum class Answer { Retry, SaveElsewhere, Discard, Reload, Merge, Overwrite };
using Ask = std::function<Answer(Question, const QString& detail, QWidget* parent)>;

// Asks the user in a message box, or through the function set here (a test answers for the user;
// an empty function brings the message box back).
Answer ask(Question question, const QString& detail, QWidget* parent);
void setAsk(Ask ask);

// Writes the list to a file of the user's choice; false when not written (chosen through a file
// dialog, or the name set here for a test).
bool saveElsewhere(const QString& text, QWidget* parent, QString* error = nullptr);
void setSaveElsewhereName(const QString& fileName);

// Mine, then the lines of theirs that mine lacks: what two windows added both stay.
QString merged(const QString& mine, const QString& theirs);

} // namespace tools::myparts
