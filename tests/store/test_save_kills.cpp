// Saves killed at every instant: a forked child, traced, is killed at its n-th system-call stop
// (before or after a call), for every n from the start of the save to its end. Then the start-up
// recovery runs, and the file must hold exactly the old or the new bytes, every time. Both
// routes are killed: the rename of a temporary and the in-place rewrite of a read-only folder,
// as root and, where the tests run as root, as nobody. The in-place route's system calls are
// also recorded, for the order that only a power cut would show: its journal flushed first.
#include "files/FileReplace.h"
#include "files/SaveJournal.h"

#include <QtTest>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <linux/capability.h>
#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

// What the recovery child did, as its exit status.
constexpr int kNothingCut = 0, kRestored = 1, kRestoreFailed = 2, kSetupFailed = 3;

// Root ignores mode bits; giving up its capabilities makes a read-only folder refuse it too.
bool dropCapabilities()
{
    __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] {};
    return ::syscall(SYS_capset, &header, data) == 0;
}

bool becomeWriter(bool asNobody)
{
    if (asNobody)
        return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
    return ::geteuid() != 0 || dropCapabilities();
}

// The file a traced process has open as fd, "" when none.
std::string fileOf(pid_t pid, std::uint64_t fd)
{
    std::error_code none;
    return std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/fd/" + std::to_string(fd), none);
}

int waitFor(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    return status;
}

} // namespace

class SaveKillsTest : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    const std::string folder = root.filePath("save").toStdString();
    const std::string cache = root.filePath("cache").toStdString();
    const std::string path = folder + "/profile.dat";

    // Saves replacement in a traced child as the writer; kills it at its killAt-th system-call
    // stop (0: never). Returns the number of stops it made, killAt when it was killed there, or
    // fewer when it ended first (a save does not always make the same calls: a folder listing,
    // a name already taken), -1 when it failed. atStop sees the child at every system-call stop.
    int tracedSave(
        bool asNobody, const std::string& replacement, int killAt, const std::function<void(pid_t)>& atStop = {})
    {
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0 || ::raise(SIGSTOP) != 0 || !becomeWriter(asNobody))
                ::_exit(kSetupFailed);
            platform::replaceFileContents(path, replacement);
            ::_exit(0);
        }
        int status = waitFor(pid);
        if (!WIFSTOPPED(status))
            return -1;
        ::ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
        int stops = 0;
        int signal = 0;
        for (;;) {
            ::ptrace(PTRACE_SYSCALL, pid, nullptr, signal);
            status = waitFor(pid);
            if (WIFEXITED(status) || WIFSIGNALED(status))
                return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? stops : -1;
            signal = 0;
            if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
                signal = WSTOPSIG(status);
                continue;
            }
            if (atStop)
                atStop(pid);
            if (++stops == killAt) {
                ::kill(pid, SIGKILL);
                waitFor(pid);
                return stops;
            }
        }
    }

    // The start-up recovery as the writer would run it, answering "restore" to a cut save.
    int recoverInChild(bool asNobody)
    {
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (!becomeWriter(asNobody))
                ::_exit(kSetupFailed);
            const auto cut = platform::findCutSave(path);
            ::_exit(!cut ? kNothingCut : platform::restoreCutSave(*cut) ? kRestored : kRestoreFailed);
        }
        const int status = waitFor(pid);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    void prepare(const std::string& old, bool asNobody, bool readOnly)
    {
        for (const std::string& made : { folder, cache }) {
            std::filesystem::remove_all(made);
            QVERIFY(std::filesystem::create_directories(made));
        }
        std::FILE* file = std::fopen(path.c_str(), "wb");
        QVERIFY(file != nullptr);
        QCOMPARE(std::fwrite(old.data(), 1, old.size(), file), old.size());
        QCOMPARE(std::fclose(file), 0);
        QCOMPARE(::chmod(QFile::encodeName(root.path()).constData(), 0755), 0);
        if (asNobody)
            for (const std::string& given : { folder, path, cache })
                QCOMPARE(::chown(given.c_str(), kNobody, kNobody), 0);
        QCOMPARE(::chmod(folder.c_str(), readOnly ? 0555 : 0755), 0);
    }

    // Journals left after the recovery may only be ones cut while they were written.
    bool onlyPartialJournalsLeft()
    {
        std::error_code none;
        for (const auto& entry : std::filesystem::directory_iterator(cache + "/trova", none)) {
            std::string text;
            if (entry.path().extension() == ".journal"
                && (!platform::readFileContents(entry.path().string(), text) || platform::parseJournal(text)))
                return false;
        }
        return true;
    }

private slots:
    void initTestCase() { ::setenv("XDG_CACHE_HOME", cache.c_str(), 1); }

    void fileEndsOldOrNew_data()
    {
        QTest::addColumn<bool>("asNobody");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("oldSize");
        QTest::addColumn<int>("newSize");
        for (const bool asNobody : { false, true }) {
            for (const bool readOnly : { false, true }) {
                const QString name = QString(readOnly ? "in place" : "rename") + (asNobody ? ", nobody" : ", root");
                QTest::newRow(qPrintable(name + ", shorter")) << asNobody << readOnly << 3000 << 1000;
                QTest::newRow(qPrintable(name + ", longer")) << asNobody << readOnly << 1000 << 3000;
            }
        }
    }
    void fileEndsOldOrNew()
    {
        QFETCH(bool, asNobody);
        QFETCH(bool, readOnly);
        QFETCH(int, oldSize);
        QFETCH(int, newSize);
        if (asNobody && ::geteuid() != 0)
            QSKIP("only root can save as nobody");
        const std::string old(static_cast<std::size_t>(oldSize), 'o');
        const std::string replacement(static_cast<std::size_t>(newSize), 'n');

        prepare(old, asNobody, readOnly);
        struct stat before { };
        struct stat after { };
        QCOMPARE(::stat(path.c_str(), &before), 0);
        const int stops = tracedSave(asNobody, replacement, 0);
        QVERIFY2(stops > 0, "the untouched save did not run to its end");
        std::string now;
        QVERIFY(platform::readFileContents(path, now) && now == replacement);
        QCOMPARE(::stat(path.c_str(), &after), 0);
        QCOMPARE(after.st_ino == before.st_ino, readOnly);

        for (int killAt = 1; killAt <= stops; ++killAt) {
            prepare(old, asNobody, readOnly);
            const int made = tracedSave(asNobody, replacement, killAt);
            QVERIFY(made > 0);
            const int recovery = recoverInChild(asNobody);
            QVERIFY(platform::readFileContents(path, now));
            QVERIFY2(now == old || now == replacement,
                qPrintable(QString("killed at stop %1 of %2: the file holds neither version").arg(killAt).arg(stops)));
            QVERIFY(recovery == kNothingCut || (recovery == kRestored && now == old));
            QVERIFY2(onlyPartialJournalsLeft(), "a whole journal was left behind");
            QVERIFY(made == killAt || now == replacement); // a save that ended first
        }
    }

    // A kill keeps the page cache, a power cut does not: the journal of the old bytes, and its
    // folder entry, must be flushed before the first call that changes the target in place.
    void journalFlushedBeforeTheRewrite_data()
    {
        QTest::addColumn<int>("oldSize");
        QTest::addColumn<int>("newSize");
        QTest::newRow("shorter") << 3000 << 1000;
        QTest::newRow("longer") << 1000 << 3000;
    }
    void journalFlushedBeforeTheRewrite()
    {
        QFETCH(int, oldSize);
        QFETCH(int, newSize);
        prepare(std::string(static_cast<std::size_t>(oldSize), 'o'), false, true);
        const std::string target = std::filesystem::canonical(path);
        const std::string journals = std::filesystem::canonical(cache).string() + "/trova";
        QStringList events;
        const auto record = [&](pid_t pid) {
            __ptrace_syscall_info call {};
            if (::ptrace(PTRACE_GET_SYSCALL_INFO, pid, sizeof call, &call) <= 0 || call.op != PTRACE_SYSCALL_INFO_ENTRY)
                return;
            const auto number = static_cast<long>(call.entry.nr);
            const bool flushes = number == SYS_fsync || number == SYS_fdatasync;
            const bool changes = number == SYS_write || number == SYS_pwrite64 || number == SYS_writev
                || number == SYS_pwritev || number == SYS_pwritev2 || number == SYS_ftruncate
                || number == SYS_fallocate;
            const std::string file = flushes || changes ? fileOf(pid, call.entry.args[0]) : std::string();
            if (changes && file == target)
                events << "target changed";
            else if (flushes && file == journals)
                events << "journal folder flushed";
            else if (flushes && file.starts_with(journals + "/") && file.ends_with(".journal"))
                events << "journal flushed";
        };
        QVERIFY(tracedSave(false, std::string(static_cast<std::size_t>(newSize), 'n'), 0, record) > 0);
        const auto firstChange = std::find(events.cbegin(), events.cend(), "target changed");
        QVERIFY2(firstChange != events.cend(), qPrintable(events.join(", ")));
        QVERIFY2(
            std::find(events.cbegin(), firstChange, "journal flushed") != firstChange, qPrintable(events.join(", ")));
        QVERIFY2(std::find(events.cbegin(), firstChange, "journal folder flushed") != firstChange,
            qPrintable(events.join(", ")));
    }
};

QTEST_APPLESS_MAIN(SaveKillsTest)
#include "test_save_kills.moc"
