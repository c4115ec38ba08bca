#pragma once
// What the about window's system information button shows: the versions of
// AlleleScope, Qt and the libraries it was built with, and the system's release.
#include <QString>

namespace gui {

// The PRETTY_NAME of an os-release file ("Debian GNU/Linux 12 (bookworm)");
// empty when the file or the line is missing.
QString OsRelease(const QString& file = QStringLiteral("/etc/os-release"));

QString SystemInfoText(const QString& osReleaseFile = QStringLiteral("/etc/os-release"));

}  // namespace gui
