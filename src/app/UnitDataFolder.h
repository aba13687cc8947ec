// Whether the program can keep its files in its data folder (the folder of the exe). A folder the
// user may not write to, such as one under Program Files, is found once at start-up: the program
// still runs, tells the user once where to put it instead, and from then on a save that fails
// while the program ends is only logged.
#pragma once

#include <string>

namespace fg {

// Makes and deletes a probe file in the data folder: true when that works. Start-up asks before it
// makes the windows, so that their saves know to stay quiet, and reports after.
bool DataFolderWritable();
// Where the user can keep the program instead: a folder of their own profile.
std::wstring SuggestedProgramFolder();
// The one message that says the data folder cannot be written, naming it and where to go.
std::wstring UnwritableDataFolderMessage();
// Says so, once a start (caption "Farrowglimmer"), and logs it.
void ReportUnwritableDataFolder();

} // namespace fg
