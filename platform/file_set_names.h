#pragma once

// The names of the files a set write makes beside its targets. Each carries
// the write's own random mark, so that it never meets a user's file, and an
// interrupted write can be told by it and settled by a later one:
//   hz.txt.k3v9q2m7x1ab.ledglyph-new   the new bytes, on the disk before anything is replaced
//   hz.txt.k3v9q2m7x1ab.ledglyph-old   the old file, kept until the set is complete
//   k3v9q2m7x1ab.ledglyph-replacing    present while targets are being replaced

#include <QString>

#include <optional>

namespace ledglyph::file_set_names {

// A fresh mark: 12 random lower-case letters and digits.
QString newMark();

QString staged(const QString &target, const QString &mark);
QString kept(const QString &target, const QString &mark);
QString replacing(const QString &mark);

// A name made by some write, taken apart.
struct Made {
    enum class Role { Staged, Kept, Replacing };
    Role role;
    QString mark;
    QString target; // empty for Replacing
};
std::optional<Made> madeByWrite(const QString &name);

} // namespace ledglyph::file_set_names
