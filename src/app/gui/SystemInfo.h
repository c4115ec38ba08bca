#pragma once
// Starting the desktop's system information program from the about window.
#include <QString>
#include <QStringList>

namespace gui {

// Programs that show the system's hardware and software, best first.
QStringList SystemInfoCandidates();

// Full path of the first candidate found on PATH, or empty when none is installed.
QString FindSystemInfoProgram(const QStringList& candidates = SystemInfoCandidates());

// Starts the program found, detached from us; false when there is none or it
// could not be started.
bool StartSysInfo();

}  // namespace gui
