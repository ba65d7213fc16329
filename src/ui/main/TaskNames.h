#pragma once

#include <QString>
#include <string>

namespace tessolan {

// The name the file commands propose file names from when the task has none of its own: the
// task name of the initial data file (TaskNameFromFile: its name without folders and extension);
// or, when no initial data file is named, the current date and time "yyyy/mm/dd hh:nn:ss".
QString TaskNameFromFileBox(const QString& fileBoxText);

// The task name of the results and report Save As: the one already set stays, a blank one is
// taken from the initial data file box; either way it is made safe for a file name and stored.
std::string EnsureSafeTaskName(std::string& taskName, const QString& fileBoxText);

// A name chosen in a file dialog, or an empty string when it is blank (IsBlankText).
QString ChosenFileName(const QString& name);

}  // namespace tessolan
