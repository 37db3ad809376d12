#include "platform/interrupted_writes.h"

#include "platform/file_set_names.h"
#include "platform/file_system.h"

#include <QMap>

namespace ledglyph {

namespace fs = file_system;
namespace names = file_set_names;

namespace {

struct CutOffWrite {
    bool replacing = false;
    QStringList staged; // targets whose new file was not moved into place
    QStringList kept;   // targets whose old file is kept
};

bool mayReplace(const fs::Folder &folder, const QString &name)
{
    const fs::Kind kind = folder.kind(name);
    if (kind == fs::Kind::Link) {
        const fs::Kind linked = folder.linkedKind(name);
        return linked == fs::Kind::Missing || linked == fs::Kind::File;
    }
    return kind == fs::Kind::Missing || kind == fs::Kind::File;
}

void complete(const fs::Folder &folder, const QString &mark, const CutOffWrite &write)
{
    for (const QString &target : write.staged) {
        if (!mayReplace(folder, target) || folder.rename(names::staged(target, mark), target))
            return; // left as it is: the next write tries again
    }
    if (folder.sync())
        return;
    for (const QString &target : write.kept)
        folder.remove(names::kept(target, mark));
    folder.remove(names::replacing(mark));
}

void undo(const fs::Folder &folder, const QString &mark, const CutOffWrite &write)
{
    for (const QString &target : write.staged)
        folder.remove(names::staged(target, mark));
    for (const QString &target : write.kept) {
        if (folder.kind(target) == fs::Kind::Missing)
            folder.rename(names::kept(target, mark), target);
        else
            folder.remove(names::kept(target, mark));
    }
}

} // namespace

void settleInterruptedWrites(const fs::Folder &folder)
{
    QMap<QString, CutOffWrite> writes;
    for (const QString &name : folder.names()) {
        const std::optional<names::Made> made = names::madeByWrite(name);
        if (!made)
            continue;
        CutOffWrite &write = writes[made->mark];
        switch (made->role) {
        case names::Made::Role::Replacing:
            write.replacing = true;
            break;
        case names::Made::Role::Staged:
            write.staged << made->target;
            break;
        case names::Made::Role::Kept:
            write.kept << made->target;
            break;
        }
    }
    for (auto write = writes.cbegin(); write != writes.cend(); ++write) {
        if (write->replacing)
            complete(folder, write.key(), *write);
        else
            undo(folder, write.key(), *write);
    }
}

void settleInterruptedWrites(const QString &path)
{
    Result<fs::Folder, QString> opened = fs::Folder::open(path);
    if (!opened.ok())
        return;
    fs::Folder folder = std::move(opened).value();
    const Result<fs::Folder::Lock, QString> lock = folder.tryLock();
    if (lock.ok() && lock.value() == fs::Folder::Lock::Taken)
        settleInterruptedWrites(folder);
}

} // namespace ledglyph
