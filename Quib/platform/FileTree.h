// Copying a folder's tree of files.
#pragma once
#include <QString>
#include <QStringList>

namespace platform {

// Copies folder's files and folders into target, made when missing; links are left out. With
// keepExisting, a file already at its place in target stays as it is; otherwise it counts as not
// copied. Returns what could not be copied, relative to folder (target itself when it cannot be
// made).
QStringList copyTree(const QString& folder, const QString& target, bool keepExisting = false);

} // namespace platform
