// Saving when the disk, the folder or a size limit refuses: the old bytes always survive, in
// the file or in the backup named. Each fault is made in a forked child, which calls only the
// Qt-free file layer and reports what it saw through its exit status.
#include "files/FileReplace.h"
#include "tests/support/Cases.h"

#include <QtTest>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

// What a child saw, as its exit status. kRefusedIntact + kCauseStep * the cause the save gave;
// kNotPermitted + errno: the system does not allow the fault to be made.
constexpr int kSaved = 0, kRefusedIntact = 1, kLost = 2, kStrayFile = 3, kSetupFailed = 4, kNotPermitted = 100;
constexpr int kCauseStep = 10;

// A refusal with the cause of the current row's column failure.
int refusedWith(const char* column)
{
    const QByteArray name = cases::cell(column);
    const QByteArrayList names { "none", "noSpace", "overQuota", "readOnly", "noPermission", "tooLarge",
        "untrustedLink", "other" };
    return kRefusedIntact + kCauseStep * static_cast<int>(names.indexOf(name));
}

// Root ignores mode bits; inside its own user namespace the child is root, so it gives up
// its capabilities to meet a folder that refuses new files.
bool dropCapabilities()
{
    __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] {};
    return ::syscall(SYS_capset, &header, data) == 0;
}

bool writeText(const std::string& path, const std::string& text, int create = O_CREAT | O_TRUNC)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | create, 0644);
    const bool written = fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    return fd >= 0 && ::close(fd) == 0 && written;
}

bool onlyEntryIs(const std::string& folder, const std::string& name)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().filename() != name)
            return false;
    return !error;
}

// A kept backup fails every case here: each one ends with the old or the new bytes in place.
int saveAndJudge(const std::string& folder, const std::string& old, const std::string& replacement)
{
    const std::string path = folder + "/profile.dat";
    const platform::ReplaceResult result = platform::replaceFileContents(path, replacement);
    std::string now;
    if (!onlyEntryIs(folder, "profile.dat"))
        return kStrayFile;
    if (!result.keptJournal.empty() || !platform::readFileContents(path, now))
        return kLost;
    return now != (result ? replacement : old) ? kLost
        : result                               ? kSaved
                                               : kRefusedIntact + kCauseStep * static_cast<int>(result.failure);
}

// A private mount namespace with a small tmpfs on folder; it ends with the child.
int mountSmallDisk(const std::string& folder, const std::string& options)
{
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 || !writeText("/proc/self/setgroups", "deny", 0)
        || !writeText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1", 0)
        || !writeText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1", 0)
        || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
        || ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0)
        return kNotPermitted + errno;
    return kSaved;
}

// The errno of a name such as "ENOSPC", 0 for none.
int errorNamed(const char* name)
{
    for (int error = 1; error < 256; ++error)
        if (const char* known = ::strerrorname_np(error); known != nullptr && std::strcmp(known, name) == 0)
            return error;
    return 0;
}

} // namespace

class FileReplaceTest : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    const std::string folder = root.filePath("save").toStdString();
    const std::string cache = root.filePath("cache").toStdString();
    const bool asRoot = ::geteuid() == 0;

    // A profile.dat holding old; for a writer that is nobody, the file and the cache are given
    // to nobody and the folder opened to it.
    void prepare(const std::string& old, bool forNobody)
    {
        QVERIFY(writeText(folder + "/profile.dat", old));
        QVERIFY(!forNobody
            || (::chmod(QFile::encodeName(root.path()).constData(), 0755) == 0
                && ::chown((folder + "/profile.dat").c_str(), kNobody, kNobody) == 0
                && ::chown(cache.c_str(), kNobody, kNobody) == 0));
    }

    // Saves replacement in a forked child, as nobody when asked, after setup has run there.
    int saveInChild(
        bool asNobody, const std::string& old, const std::string& replacement,
        const std::function<int()>& setup = [] { return kSaved; })
    {
        const pid_t pid = ::fork();
        if (pid == 0) {
            const bool nobody
                = !asNobody || (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
            ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
            const int ready = nobody ? setup() : kSetupFailed;
            ::_exit(ready == kSaved ? saveAndJudge(folder, old, replacement) : ready);
        }
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    QStringList backups() const
    {
        return QDir(QString::fromStdString(cache) + "/trova").entryList(QDir::Files | QDir::Hidden);
    }

    void readOnlyFolder(bool readOnly) { QCOMPARE(::chmod(folder.c_str(), readOnly ? 0555 : 0755), 0); }

private slots:
    void init()
    {
        for (const std::string& made : { folder, cache }) {
            std::filesystem::remove_all(made);
            QVERIFY(std::filesystem::create_directories(made));
        }
    }
    void cleanup() { readOnlyFolder(false); }

    void routeFollowsTheError_data() { cases::addRows("store/save_routes.txt"); }
    void routeFollowsTheError()
    {
        const int error = errorNamed(QTest::currentDataTag());
        QVERIFY(error != 0);
        QCOMPARE(platform::routeWithoutTemporary(error) == platform::SaveRoute::InPlace, cases::yes("inPlace"));
        QCOMPARE(platform::reservationLetsWrite(error), cases::yes("reservationLetsWrite"));
    }

    void shortWriteKeepsTheOldBytes_data() { cases::addRows("store/short_writes.txt"); }
    void shortWriteKeepsTheOldBytes()
    {
        const bool readOnly = cases::yes("readOnly");
        const std::string old(100, 'o');
        prepare(old, readOnly && asRoot);
        readOnlyFolder(readOnly);
        QCOMPARE(saveInChild(readOnly && asRoot, old, std::string(4096, 'n'),
                     [] {
                         const rlimit limit { 1024, 1024 };
                         ::signal(SIGXFSZ, SIG_IGN);
                         return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? kSaved : kSetupFailed;
                     }),
            refusedWith("failure"));
        QCOMPARE(backups(), QStringList());
    }

    void fullDiskKeepsTheOldBytes_data() { cases::addRows("store/full_disk.txt"); }
    void fullDiskKeepsTheOldBytes()
    {
        const bool readOnly = cases::yes("readOnly");
        const int oldSize = cases::cell("oldSize").toInt();
        std::string old(static_cast<std::size_t>(oldSize), 'o');
        old.resize(static_cast<std::size_t>(std::max(oldSize, cases::cell("sparseSize").toInt())), '\0');
        const std::string path = folder + "/profile.dat";
        const std::string options = cases::cell("options").toStdString();
        const int outcome = saveInChild(false, old, std::string(cases::cell("newSize").toULong(), 'n'), [&] {
            const int mounted = mountSmallDisk(folder, options);
            // A sparse file: its hole needs space only when written.
            if (mounted != kSaved || !writeText(path, old.substr(0, static_cast<std::size_t>(oldSize)))
                || ::truncate(path.c_str(), static_cast<off_t>(old.size())) != 0)
                return mounted != kSaved ? mounted : kSetupFailed;
            return !readOnly || (::chmod(folder.c_str(), 0555) == 0 && dropCapabilities()) ? kSaved : kSetupFailed;
        });
        if (outcome >= kNotPermitted)
            QSKIP(qPrintable(QString("unshare(CLONE_NEWUSER | CLONE_NEWNS) and a tmpfs mount are not permitted: %1")
                                 .arg(::strerrorname_np(outcome - kNotPermitted))));
        QCOMPARE(outcome, refusedWith("failure"));
        QCOMPARE(backups(), QStringList());
    }

    void readOnlyFolderRewritesInPlace_data() { cases::addRows("store/backup_folders.txt"); }
    void readOnlyFolderRewritesInPlace()
    {
        const std::string variable = cases::cell("variable").toStdString();
        const std::string value = root.filePath(cases::text("value")).toStdString();
        const QString backupFolder = cases::text("backupFolder");
        const std::string old(200, 'o');
        prepare(old, asRoot);
        readOnlyFolder(true);
        QCOMPARE(saveInChild(asRoot, old, std::string(cases::cell("newSize").toULong(), 'n'),
                     [&] {
                         ::unsetenv("XDG_CACHE_HOME");
                         return ::setenv(variable.c_str(), value.c_str(), 1);
                     }),
            cases::yes("refused") ? refusedWith("failure") : kSaved);
        if (!backupFolder.isEmpty()) {
            struct stat info { };
            QVERIFY(::stat(QFile::encodeName(root.filePath(backupFolder)).constData(), &info) == 0);
            QCOMPARE(info.st_mode & 07777, 0700u);
            QCOMPARE(QDir(root.filePath(backupFolder)).entryList(QDir::Files | QDir::Hidden), QStringList());
        }
    }

    void keepsOwnerAndGroup_data() { cases::addRows("store/owners.txt"); }
    void keepsOwnerAndGroup()
    {
        if (!asRoot)
            QSKIP("only root can give a file to another user");
        const uint group = cases::cell("group").toUInt();
        const bool writerIsNobody = cases::yes("writerIsNobody");
        prepare("Rmv: 20\r\n", writerIsNobody);
        const std::string file = folder + "/profile.dat";
        const char* path = file.c_str();
        struct stat before { };
        QVERIFY(::chown(path, cases::cell("owner").toUInt(), group) == 0 && ::chmod(path, 0666) == 0
            && ::chmod(folder.c_str(), 0777) == 0 && ::stat(path, &before) == 0);
        QCOMPARE(saveInChild(writerIsNobody, "Rmv: 20\r\n", std::string(50, 'n')), kSaved);
        struct stat after { };
        QCOMPARE(::stat(path, &after), 0);
        QCOMPARE(uint(after.st_uid), cases::cell("newOwner").toUInt());
        QCOMPARE(uint(after.st_gid), group);
        QCOMPARE(after.st_ino == before.st_ino, cases::yes("inPlace"));
    }

    void removesOnlyOwnLeftTemporaries_data() { cases::addRows("store/left_temporaries.txt"); }
    void removesOnlyOwnLeftTemporaries()
    {
        const std::string left = folder + "/" + cases::cell("name").toStdString();
        const QByteArray kind = cases::cell("kind");
        if (kind == "nobody's" && !asRoot)
            QSKIP("only root can give a file to another user");
        QVERIFY(writeText(folder + "/profile.dat", "old\r\n"));
        QVERIFY(kind == "folder" ? ::mkdir(left.c_str(), 0755) == 0
                : kind == "link" ? ::symlink("profile.dat", left.c_str()) == 0
                                 : writeText(left, "left\n"));
        QVERIFY(kind != "nobody's" || ::chown(left.c_str(), kNobody, kNobody) == 0);
        QVERIFY(platform::replaceFileContents(folder + "/profile.dat", "new\r\n"));
        QCOMPARE(std::filesystem::exists(std::filesystem::symlink_status(left)), cases::yes("kept"));
    }

    // A save through a symbolic link: followed only when the link is the writer's own and no
    // other user may write its folder (else one planted there leads the save to any file the
    // writer may write); refused otherwise, naming the link, with the linked file unchanged.
    void followsOnlyTrustedLinks_data() { cases::addRows("store/trusted_links.txt"); }
    void followsOnlyTrustedLinks()
    {
        const bool nobodysLink = cases::yes("nobodysLink");
        const bool followed = cases::yes("followed");
        if (nobodysLink && !asRoot)
            QSKIP("only root can give a link to another user");
        const std::string victim = root.filePath("notes.txt").toStdString();
        const std::string link = folder + "/plan.out";
        QVERIFY(writeText(victim, "private\n") && ::symlink(victim.c_str(), link.c_str()) == 0);
        QVERIFY(!nobodysLink || ::lchown(link.c_str(), kNobody, kNobody) == 0);
        QCOMPARE(::chmod(folder.c_str(), static_cast<mode_t>(cases::cell("folderMode").toUInt(nullptr, 8))), 0);
        const platform::ReplaceResult result = platform::replaceFileContents(link, "plan\r\n");
        QCOMPARE(result.written, followed);
        QCOMPARE(result.link, followed ? std::string() : link);
        QCOMPARE(result.failure, followed ? platform::SaveFailure::none : platform::SaveFailure::untrustedLink);
        std::string now;
        QVERIFY(platform::readFileContents(victim, now));
        QCOMPARE(now, std::string(followed ? "plan\r\n" : "private\n"));
        QVERIFY(std::filesystem::is_symlink(link));
    }
};

QTEST_APPLESS_MAIN(FileReplaceTest)
#include "test_file_replace.moc"
