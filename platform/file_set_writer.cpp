#include "platform/file_set_writer.h"

#include "platform/file_set_names.h"
#include "platform/file_system.h"
#include "platform/interrupted_writes.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace ledglyph {

namespace fs = file_system;
namespace names = file_set_names;

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString endRequested()
{
    return QStringLiteral("程序被要求结束，没有替换任何文件");
}

QString busyReason(std::chrono::milliseconds waited)
{
    return QStringLiteral("另一个程序正在写入这个文件夹中的文件，等待%1秒后仍未结束。请稍后再试")
        .arg(QString::number(double(waited.count()) / 1000));
}

// Why the thing at a target is not replaced, or nothing when it may be.
std::optional<QString> notReplaced(const fs::Folder &folder, const QString &name)
{
    switch (folder.kind(name)) {
    case fs::Kind::Missing:
    case fs::Kind::File:
        return std::nullopt;
    case fs::Kind::Folder:
        return QStringLiteral("这是文件夹，不是普通文件，不会被替换");
    case fs::Kind::Other:
        return QStringLiteral("这是设备、管道或套接字，不是普通文件，不会被替换");
    case fs::Kind::Link:
        break;
    }
    const fs::Kind linked = folder.linkedKind(name);
    if (linked == fs::Kind::Missing || linked == fs::Kind::File)
        return std::nullopt;
    return QStringLiteral("这是指向文件夹、设备或管道的符号链接，不会被替换");
}

} // namespace

struct FileSetWriter::State {
    // First, so that it ends last: a request to end the program that came
    // meanwhile takes effect once the write is done or undone.
    fs::InterruptionGuard holdOff;

    struct Target {
        QString path; // as given, for messages
        int folder = 0;
        QString name;
        bool hadOld = false; // an old file (or link) is kept while replacing
        bool staged = false;
        bool kept = false;
        bool replaced = false;
    };
    struct Place {
        fs::Folder folder;
        bool locked = false;
        bool marked = false; // holds the write's "replacing" marker
    };

    QString mark = names::newMark();
    std::vector<Place> places;
    std::vector<Target> targets;
    QStringList leftBehind;

    const fs::Folder &folderOf(const Target &target) const { return places[size_t(target.folder)].folder; }
    QString staged(const Target &target) const { return names::staged(target.name, mark); }
    QString kept(const Target &target) const { return names::kept(target.name, mark); }

    std::optional<QString> addTarget(const QString &path);
    std::optional<FileSetFailure> lock(std::chrono::milliseconds wait);
    void discard();
    QStringList walkBack();
};

// Opens the target's folder, or finds it open already under another path.
std::optional<QString> FileSetWriter::State::addTarget(const QString &path)
{
    const QFileInfo info(path);
    Result<fs::Folder, QString> opened = fs::Folder::open(info.path());
    if (!opened.ok()) {
        if (fs::statusOf(info.path()).kind != fs::Kind::Folder)
            return QStringLiteral("文件夹“%1”不存在或不是文件夹").arg(shown(info.absolutePath()));
        return opened.error();
    }
    fs::Folder folder = std::move(opened).value();
    const auto same = std::find_if(places.begin(), places.end(),
                                   [&](const Place &place) { return place.folder.identity() == folder.identity(); });
    Target target{path, int(same - places.begin()), info.fileName()};
    if (same == places.end())
        places.push_back({std::move(folder)});
    for (const Target &other : targets) {
        if (other.folder == target.folder && other.name == target.name)
            return QStringLiteral("同一个文件在这组文件中出现了两次（另一个是“%1”）").arg(shown(other.path));
    }
    targets.push_back(target);
    return std::nullopt;
}

std::optional<FileSetFailure> FileSetWriter::State::lock(std::chrono::milliseconds wait)
{
    const QDeadlineTimer deadline(wait);
    for (size_t i = 0; i < places.size(); ++i) {
        const QString firstPath =
            std::find_if(targets.begin(), targets.end(), [&](const Target &t) { return size_t(t.folder) == i; })->path;
        for (;;) {
            const Result<fs::Folder::Lock, QString> lock = places[i].folder.tryLock();
            if (!lock.ok())
                return FileSetFailure{firstPath, lock.error(), {}};
            if (lock.value() != fs::Folder::Lock::Busy) {
                places[i].locked = lock.value() == fs::Folder::Lock::Taken;
                break;
            }
            if (deadline.hasExpired())
                return FileSetFailure{firstPath, busyReason(wait), {}};
            if (holdOff.requested())
                return FileSetFailure{firstPath, endRequested(), {}};
            QThread::msleep(20);
        }
    }
    return std::nullopt;
}

// Removes the write's own files while the targets hold a whole set (none
// replaced, all put back, or all replaced): the markers first, so that a kill
// meanwhile leaves nothing a later write would complete.
void FileSetWriter::State::discard()
{
    // Each flag stays set for a file that could not be removed.
    for (Place &place : places) {
        if (place.marked)
            place.marked = place.folder.remove(names::replacing(mark)).has_value();
    }
    for (Target &target : targets) {
        if (target.kept)
            target.kept = folderOf(target).remove(kept(target)).has_value();
        if (target.staged)
            target.staged = folderOf(target).remove(staged(target)).has_value();
    }
}

// Puts the old files back after a failed replace, the last replaced first.
// Each new file goes back to its staged name before the old one returns, so
// that the folder always holds a set a later write can complete. Gives the
// targets that could not be put back.
QStringList FileSetWriter::State::walkBack()
{
    QStringList changed;
    for (auto target = targets.rbegin(); target != targets.rend(); ++target) {
        if (!target->replaced)
            continue;
        const fs::Folder &folder = folderOf(*target);
        if (folder.rename(target->name, staged(*target))) {
            changed << target->path;
            continue;
        }
        target->replaced = false;
        target->staged = true;
        if (target->hadOld && folder.rename(kept(*target), target->name))
            changed << target->path; // missing now; its old bytes stay in the kept file
        else
            target->kept = false;
    }
    if (changed.isEmpty()) {
        for (const Place &place : places)
            place.folder.sync(); // best effort: the failure is reported already
        discard();
    }
    return changed;
}

FileSetWriter::FileSetWriter(QList<FileContent> files, std::chrono::milliseconds lockWait)
    : m_files(std::move(files)), m_lockWait(lockWait)
{
}

FileSetWriter::~FileSetWriter()
{
    if (m_state && std::none_of(m_state->targets.begin(), m_state->targets.end(),
                                [](const State::Target &target) { return target.replaced; }))
        m_state->discard();
}

Result<void, FileSetFailure> FileSetWriter::stage()
{
    m_state.reset(); // one guard at a time
    m_state = std::make_unique<State>();
    State &state = *m_state;
    for (const FileContent &file : m_files) {
        if (const std::optional<QString> reason = state.addTarget(file.path))
            return FileSetFailure{file.path, *reason, {}};
    }
    if (std::optional<FileSetFailure> failure = state.lock(m_lockWait))
        return *failure;
    // Without a lock another write may be going on: its files are left alone.
    for (const State::Place &place : state.places) {
        if (place.locked)
            settleInterruptedWrites(place.folder);
    }
    for (State::Target &target : state.targets) {
        if (const std::optional<QString> reason = notReplaced(state.folderOf(target), target.name))
            return FileSetFailure{target.path, *reason, {}};
        target.hadOld = state.folderOf(target).kind(target.name) != fs::Kind::Missing;
    }
    for (size_t i = 0; i < state.targets.size(); ++i) {
        State::Target &target = state.targets[i];
        const fs::Outcome failed =
            state.folderOf(target).writeNew(state.staged(target), m_files[qsizetype(i)].bytes, target.name);
        if (failed) {
            state.discard();
            return FileSetFailure{target.path, *failed, {}};
        }
        target.staged = true;
        if (state.holdOff.requested()) { // Ctrl-C while staging: nothing is left behind
            state.discard();
            return FileSetFailure{target.path, endRequested(), {}};
        }
    }
    return {};
}

Result<void, FileSetFailure> FileSetWriter::replace()
{
    Q_ASSERT(m_state && std::all_of(m_state->targets.begin(), m_state->targets.end(),
                                    [](const State::Target &target) { return target.staged; }));
    State &state = *m_state;
    const auto failBeforeReplacing = [&](const QString &path, const QString &reason) {
        state.discard();
        return FileSetFailure{path, reason, {}};
    };
    if (state.holdOff.requested())
        return failBeforeReplacing(state.targets.front().path, endRequested());

    // The marker says that every new file is on the disk: from here on, a
    // write cut off is completed by the next one.
    for (State::Place &place : state.places) {
        if (const fs::Outcome failed = place.folder.writeNew(names::replacing(state.mark), {}))
            return failBeforeReplacing(state.targets.front().path, *failed);
        place.marked = true;
    }
    for (State::Target &target : state.targets) {
        if (!target.hadOld)
            continue;
        if (const fs::Outcome failed = state.folderOf(target).keep(target.name, state.kept(target)))
            return failBeforeReplacing(target.path, QStringLiteral("无法保留原文件的副本（%1）").arg(*failed));
        target.kept = true;
    }
    for (const State::Place &place : state.places) {
        if (const fs::Outcome failed = place.folder.sync())
            return failBeforeReplacing(state.targets.front().path, *failed);
    }

    // The targets one right after another: the shorter this stretch, the
    // less a kill (which nothing can hold off) can split the set.
    for (State::Target &target : state.targets) {
        if (const fs::Outcome failed = state.folderOf(target).rename(state.staged(target), target.name))
            return FileSetFailure{target.path, *failed, state.walkBack()};
        target.staged = false;
        target.replaced = true;
    }
    for (const State::Place &place : state.places) {
        if (const fs::Outcome failed = place.folder.sync())
            return FileSetFailure{state.targets.front().path, *failed, state.walkBack()};
    }

    // Done: the kept old files go, then the markers; those that stay are named.
    state.discard();
    for (const State::Target &target : state.targets) {
        if (target.kept)
            state.leftBehind << shown(state.folderOf(target).filePath(state.kept(target)));
    }
    for (const State::Place &place : state.places) {
        if (place.marked)
            state.leftBehind << shown(place.folder.filePath(names::replacing(state.mark)));
    }
    return {};
}

QStringList FileSetWriter::leftBehind() const
{
    return m_state ? m_state->leftBehind : QStringList();
}

Result<QStringList, FileSetFailure> writeFileSet(const QList<FileContent> &files)
{
    FileSetWriter writer(files);
    if (const Result<void, FileSetFailure> staged = writer.stage(); !staged.ok())
        return staged.error();
    if (const Result<void, FileSetFailure> replaced = writer.replace(); !replaced.ok())
        return replaced.error();
    return writer.leftBehind();
}

} // namespace ledglyph
