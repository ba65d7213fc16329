#pragma once

#include <string>
#include <string_view>

namespace tessolan {

// The rules that every front (the window, the batch tool, the Python package) shares, so that a
// task run from any of them gives the same files.

// The task name a task file gives: its file name without folders and without its extension
// ("TASK.TXT" and "task.txt" give "TASK" and "task"; "task" stays "task"). With no file name,
// the date and time `now` as "yyyy/mm/dd hh:nn:ss".
std::string TaskNameFromFile(std::string_view path, double now);

// True when the UTF-8 text is empty or holds only white space: the ASCII blanks and controls
// \t \n \v \f \r, the no-break spaces and the other Unicode space and line separators.
bool IsBlankText(std::string_view text);

inline constexpr const char* kBlankTaskNameMessage = "Task Name cannot be blank";

// The decimal separator of the report and of the numbers the program shows: the user's, taken
// from the locale of the environment (LC_ALL, LC_NUMERIC, LANG); a full stop when that locale
// is unknown or its separator is not one ASCII character.
char UserDecimalSeparator();

// The same for a named locale ("de_DE.UTF-8"); "" is the environment's.
char DecimalSeparatorOfLocale(const std::string& localeName);

}  // namespace tessolan
