#pragma once
// What replacing a workbook file means for whoever else uses it: the link
// that leads to it, its permissions, its other names, and the lock file of a
// spreadsheet program that holds it open.
#include <string>

namespace host {

// The file a save to `path` has to replace: symbolic links followed to their
// final target (a link to a link too), so the links stay links and the target
// gets the new version. A link to nothing yet gives the path it points to.
// Throws HostError("Save", path, ...) for a loop of links.
std::string ResolveLinks(const std::string& path);

// Throws HostError("Save", path, ...) when something other than a regular
// file (a device, a folder) is there, or when the file exists and is read-only:
// no write permission for anyone (as the spreadsheet programs read it, also for
// the administrator), or none for this user. A missing file passes.
void CheckWritable(const std::string& path);

// Whether the file has other names (hard links): a replace gives the new
// version to this name only, the others keep the old one.
bool HasOtherNames(const std::string& path);

// The lock file that a spreadsheet program keeps beside a workbook it holds
// open (".~lock.NAME#" or "~$NAME"), beside the path as given or beside the
// link's target; empty when there is none.
std::string ForeignLockFile(const std::string& path);

}  // namespace host
