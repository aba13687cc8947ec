// The data folder must be writable for anything the user makes to be kept. When it is not (the
// program was unzipped under Program Files, say), start-up says so once, with a place to move it
// to.
#pragma once

#include <string>

namespace fg {

// Makes and removes a small file in the data folder: true when both worked.
bool DataFolderWritable();
// Where a user can keep the program: their own programs folder, with a trailing backslash; empty
// when the shell cannot name it.
std::wstring SuggestedProgramFolder();
// The message shown once at start-up when the data folder cannot be written.
std::wstring UnwritableFolderMessage(const std::wstring& folder, const std::wstring& suggested);

} // namespace fg
