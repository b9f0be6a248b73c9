#pragma once
// What a visitor leaves behind that Vallora can clear: the clipboard, the
// system's list of recent documents, and the files saved in the start
// folder. Used by the idle reset and at the end of a session.
#include <string>

namespace vallora {

// Empties the clipboard; false when another program holds it open.
bool EmptyTheClipboard();

// Clears the system's list of recently used documents.
void ClearRecentDocuments();

// Deletes the files directly inside folder, hidden, system and read-only
// ones too. Nothing below it is touched: sub-folders, and links or junctions
// to folders, are never entered (a link to a file goes, not what it points
// to). A file that cannot be deleted is skipped and written to the event
// log. Returns the number of files deleted.
int DeleteFolderFiles(const std::string& folder);

}  // namespace vallora
