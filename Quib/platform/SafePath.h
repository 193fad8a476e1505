// The one way a name that comes from a page, an archive or a user becomes a path: a trusted folder
// and an untrusted file name give a path inside that folder, or nothing. Every read, write, rename
// and delete of such a file goes through here, so a hostile name can never reach a file elsewhere.
#pragma once
#include <QString>
#include <optional>

namespace platform {

enum class PathRefusal {
    None,
    NoFolder, // the trusted folder is empty: the path would be relative to wherever we run
    EmptyName,
    TooLong,          // more than a file system allows in one name
    Separator,        // "/" or "\": a name is one path component
    DotName,          // "." or "..": the folder itself or its parent
    ControlCharacter, // NUL, other control characters, broken UTF-16
    Link,             // the entry is a symbolic link (dangling or not)
    Outside,          // the entry resolves outside the folder (only a link can, and is refused as one)
};

class SafePath
{
public:
    SafePath() = delete;

    // The bytes one name may take on disk.
    static constexpr int kMaximumNameBytes = 255;

    // The rules on the name alone.
    static PathRefusal checkName(const QString& name);
    static bool isSafeName(const QString& name) { return checkName(name) == PathRefusal::None; }

    // The name rules, then the file system: folder/name must not be a link, dangling or not, the
    // only entry of one name that can lead outside folder.
    static PathRefusal check(const QString& folder, const QString& name);

    // folder/name, or nullopt when check refuses; a refusal is logged once here, so callers only
    // have to skip.
    static std::optional<QString> filePath(const QString& folder, const QString& name);
    // folder/a/b for "a/b": each component checked as filePath checks a name; nullopt for an empty
    // path or any refused component.
    static std::optional<QString> filePathBelow(const QString& folder, const QString& relativePath);

    static QString describe(PathRefusal refusal);

    // Both paths exist and reach one file (one inode): on a file system that ignores letter case
    // "Home" and "home" are one file, on one that keeps it they may be two.
    static bool isSameFile(const QString& a, const QString& b);
};

} // namespace platform
