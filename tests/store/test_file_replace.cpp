// Saving when the disk, the folder or a size limit refuses: the old bytes always survive, in
// the file or in the backup named. Each fault is made in a forked child, which calls only the
// Qt-free file layer and reports what it saw through its exit status.
#include "platform/FileReplace.h"

#include <QtTest>

#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
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
constexpr uid_t kDaemon = 1;

// What a child saw, as its exit status. kNotPermitted + errno: the system does not allow the
// fault to be made.
constexpr int kSaved = 0;
constexpr int kRefusedIntact = 1;
constexpr int kBackupKept = 2;
constexpr int kLost = 3;
constexpr int kStrayFile = 4;
constexpr int kSetupFailed = 5;
constexpr int kNotPermitted = 100;

bool asRoot()
{
    return ::geteuid() == 0;
}

int inChild(const std::function<int()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool becomeNobody()
{
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
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
    DIR* dir = ::opendir(folder.c_str());
    bool only = dir != nullptr;
    while (const dirent* entry = dir ? ::readdir(dir) : nullptr) {
        const std::string found = entry->d_name;
        only = only && (found == "." || found == ".." || found == name);
    }
    if (dir)
        ::closedir(dir);
    return only;
}

int saveAndJudge(const std::string& folder, const std::string& old, const std::string& replacement)
{
    const std::string path = folder + "/profile.dat";
    const platform::ReplaceResult result = platform::replaceFileContents(path, replacement);
    std::string now;
    std::string backup;
    if (!onlyEntryIs(folder, "profile.dat"))
        return kStrayFile;
    if (!platform::readFileContents(path, now))
        return kLost;
    if (result)
        return now == replacement ? kSaved : kLost;
    if (result.keptBackup.empty())
        return now == old ? kRefusedIntact : kLost;
    return platform::readFileContents(result.keptBackup, backup) && backup == old ? kBackupKept : kLost;
}

std::string textOf(int size, char filler)
{
    std::string text;
    while (static_cast<int>(text.size()) < size)
        text += std::string("Rmv: 20 ") + filler + "\r\n";
    text.resize(static_cast<std::size_t>(size));
    return text;
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

} // namespace

class FileReplaceTest : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    QString folder;
    QString cache;

    std::string folderPath() const { return folder.toStdString(); }

    void prepare(const QByteArray& old, bool forNobody)
    {
        QFile file(folder + "/profile.dat");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        file.close();
        if (forNobody) {
            QCOMPARE(::chmod(QFile::encodeName(root.path()).constData(), 0755), 0);
            QCOMPARE(::chown(QFile::encodeName(file.fileName()).constData(), kNobody, kNobody), 0);
            QCOMPARE(::chown(QFile::encodeName(cache).constData(), kNobody, kNobody), 0);
        }
    }

    QStringList backups() const { return QDir(cache + "/trova").entryList(QDir::Files | QDir::Hidden); }

    void readOnlyFolder(bool readOnly)
    {
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), readOnly ? 0555 : 0755), 0);
    }

private slots:
    void init()
    {
        folder = root.filePath("save");
        cache = root.filePath("cache");
        QVERIFY(QDir(folder).removeRecursively() && QDir().mkpath(folder));
        QVERIFY(QDir(cache).removeRecursively() && QDir().mkpath(cache));
    }
    void cleanup() { readOnlyFolder(false); }

    void routeFollowsTheError_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("inPlace");
        QTest::addColumn<bool>("reservationLetsWrite");
        QTest::newRow("EACCES folder refuses") << EACCES << true << false;
        QTest::newRow("EPERM folder refuses") << EPERM << true << false;
        QTest::newRow("EROFS folder refuses") << EROFS << true << false;
        QTest::newRow("ENOSPC full disk") << ENOSPC << false << false;
        QTest::newRow("EDQUOT quota") << EDQUOT << false << false;
        QTest::newRow("EFBIG size limit") << EFBIG << false << false;
        QTest::newRow("EMFILE no descriptor") << EMFILE << false << false;
        QTest::newRow("EOPNOTSUPP cannot reserve") << EOPNOTSUPP << false << true;
        QTest::newRow("EINVAL cannot reserve") << EINVAL << false << true;
    }
    void routeFollowsTheError()
    {
        QFETCH(int, error);
        QFETCH(bool, inPlace);
        QFETCH(bool, reservationLetsWrite);
        QCOMPARE(platform::routeWithoutTemporary(error) == platform::SaveRoute::InPlace, inPlace);
        QCOMPARE(platform::reservationLetsWrite(error), reservationLetsWrite);
    }

    void shortWriteKeepsTheOldBytes_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("temporary cut short") << false;
        QTest::newRow("in place, reservation past the limit") << true;
    }
    void shortWriteKeepsTheOldBytes()
    {
        QFETCH(bool, readOnly);
        const std::string old = textOf(100, 'o');
        const std::string replacement = textOf(4096, 'n');
        prepare(QByteArray::fromStdString(old), readOnly && asRoot());
        readOnlyFolder(readOnly);
        const int outcome = inChild([&] {
            if (readOnly && asRoot() && !becomeNobody())
                return kSetupFailed;
            const rlimit limit { 1024, 1024 };
            ::signal(SIGXFSZ, SIG_IGN);
            ::setenv("XDG_CACHE_HOME", cache.toStdString().c_str(), 1);
            return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? saveAndJudge(folderPath(), old, replacement) : kSetupFailed;
        });
        QCOMPARE(outcome, kRefusedIntact);
        QCOMPARE(backups(), QStringList());
    }

    void fullDiskKeepsTheOldBytes_data()
    {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("oldSize");
        QTest::addColumn<int>("sparseSize");
        QTest::addColumn<int>("newSize");
        QTest::newRow("no free inode for the temporary")
            << QByteArray("size=16k,nr_inodes=2") << false << 8192 << 0 << 65536;
        QTest::newRow("temporary fills the disk") << QByteArray("size=16k") << false << 8192 << 0 << 65536;
        QTest::newRow("in place, no room to reserve") << QByteArray("size=16k") << true << 8192 << 0 << 65536;
        QTest::newRow("in place, write fails in a hole, old bytes written back")
            << QByteArray("size=64k") << true << 100 << 262144 << 131072;
    }
    void fullDiskKeepsTheOldBytes()
    {
        QFETCH(QByteArray, options);
        QFETCH(bool, readOnly);
        QFETCH(int, oldSize);
        QFETCH(int, sparseSize);
        QFETCH(int, newSize);
        std::string old = textOf(oldSize, 'o');
        old.resize(static_cast<std::size_t>(std::max(oldSize, sparseSize)), '\0');
        const std::string replacement = textOf(newSize, 'n');
        const int outcome = inChild([&] {
            const int mounted = mountSmallDisk(folderPath(), options.toStdString());
            if (mounted != kSaved)
                return mounted;
            // A sparse file: its hole needs space only when written.
            if (!writeText(folderPath() + "/profile.dat", old.substr(0, static_cast<std::size_t>(oldSize)))
                || ::truncate((folderPath() + "/profile.dat").c_str(), static_cast<off_t>(old.size())) != 0)
                return kSetupFailed;
            if (readOnly && (::chmod(folderPath().c_str(), 0555) != 0 || !dropCapabilities()))
                return kSetupFailed;
            ::setenv("XDG_CACHE_HOME", cache.toStdString().c_str(), 1);
            return saveAndJudge(folderPath(), old, replacement);
        });
        if (outcome >= kNotPermitted)
            QSKIP(qPrintable(QString("unshare(CLONE_NEWUSER | CLONE_NEWNS) and a tmpfs mount are not permitted: %1")
                                 .arg(::strerrorname_np(outcome - kNotPermitted))));
        QCOMPARE(outcome, kRefusedIntact);
        QCOMPARE(backups(), QStringList());
        QFile mounts("/proc/self/mountinfo");
        QVERIFY(mounts.open(QIODevice::ReadOnly) && !mounts.readAll().contains(QFile::encodeName(folder)));
    }

    void readOnlyFolderRewritesInPlace_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("backupFolder");
        QTest::addColumn<int>("outcome");
        QTest::newRow("backup in XDG_CACHE_HOME") << "XDG_CACHE_HOME"
                                                  << "cache"
                                                  << "cache/trova" << kSaved;
        QTest::newRow("backup in HOME/.cache") << "HOME"
                                               << "cache"
                                               << "cache/.cache/trova" << kSaved;
        QTest::newRow("no backup folder, refused") << "XDG_CACHE_HOME"
                                                   << "save/profile.dat"
                                                   << "" << kRefusedIntact;
    }
    void readOnlyFolderRewritesInPlace()
    {
        QFETCH(QString, variable);
        QFETCH(QString, value);
        QFETCH(QString, backupFolder);
        QFETCH(int, outcome);
        const std::string old = textOf(200, 'o');
        const std::string replacement = textOf(300, 'n');
        prepare(QByteArray::fromStdString(old), asRoot());
        readOnlyFolder(true);
        QCOMPARE(inChild([&] {
            if (asRoot() && !becomeNobody())
                return kSetupFailed;
            ::unsetenv("XDG_CACHE_HOME");
            ::setenv(variable.toStdString().c_str(), root.filePath(value).toStdString().c_str(), 1);
            return saveAndJudge(folderPath(), old, replacement);
        }),
            outcome);
        if (!backupFolder.isEmpty()) {
            struct stat info { };
            QCOMPARE(::stat(QFile::encodeName(root.filePath(backupFolder)).constData(), &info), 0);
            QCOMPARE(info.st_mode & 07777, 0700u);
            QCOMPARE(QDir(root.filePath(backupFolder)).entryList(QDir::Files | QDir::Hidden), QStringList());
        }
    }

    void keepsOwnerAndGroup_data()
    {
        QTest::addColumn<uint>("owner");
        QTest::addColumn<uint>("group");
        QTest::addColumn<bool>("writerIsNobody");
        QTest::addColumn<uint>("newOwner");
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("root keeps both") << uint(kNobody) << uint(kDaemon) << false << uint(kNobody) << false;
        QTest::newRow("only the group can be kept") << uint(kDaemon) << uint(kNobody) << true << uint(kNobody) << false;
        QTest::newRow("own file, group cannot be kept, rewritten in place")
            << uint(kNobody) << uint(kDaemon) << true << uint(kNobody) << true;
        QTest::newRow("neither can be kept, rewritten in place")
            << uint(kDaemon) << uint(kDaemon) << true << uint(kDaemon) << true;
    }
    void keepsOwnerAndGroup()
    {
        if (!asRoot())
            QSKIP("only root can give a file to another user");
        QFETCH(uint, owner);
        QFETCH(uint, group);
        QFETCH(bool, writerIsNobody);
        QFETCH(uint, newOwner);
        QFETCH(bool, inPlace);
        const std::string replacement = textOf(50, 'n');
        prepare("Rmv: 20\r\n", writerIsNobody);
        const QByteArray path = QFile::encodeName(folder + "/profile.dat");
        QCOMPARE(::chown(path.constData(), owner, group), 0);
        QCOMPARE(::chmod(path.constData(), 0666), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0777), 0);
        struct stat before { };
        QCOMPARE(::stat(path.constData(), &before), 0);
        QCOMPARE(inChild([&] {
            if (writerIsNobody && !becomeNobody())
                return kSetupFailed;
            ::setenv("XDG_CACHE_HOME", cache.toStdString().c_str(), 1);
            return saveAndJudge(folderPath(), "Rmv: 20\r\n", replacement);
        }),
            kSaved);
        struct stat after { };
        QCOMPARE(::stat(path.constData(), &after), 0);
        QCOMPARE(uint(after.st_uid), newOwner);
        QCOMPARE(uint(after.st_gid), group);
        QCOMPARE(after.st_ino == before.st_ino, inPlace);
    }

    void removesOnlyOwnLeftTemporaries()
    {
        const QStringList own = { ".profile.dat.trova-Ab12Cd", ".profile.dat.trova-x9Y8z7" };
        QStringList kept = { ".other.dat.trova-Ab12Cd", ".profile.dat.Ab12Cd", ".profile.dat.trova-Ab12C",
            ".profile.dat.trova-Ab12Cde", "profile.dat" };
        for (const QString& name : own + kept)
            QVERIFY(writeText((folder + "/" + name).toStdString(), "left\n"));
        kept << ".profile.dat.trova-dir123"
             << ".profile.dat.trova-lnk123";
        QVERIFY(QDir(folder).mkdir(kept[5]) && QFile::link(folder + "/" + own[1], folder + "/" + kept[6]));
        if (asRoot()) {
            kept << ".profile.dat.trova-nob123";
            const std::string nobodys = (folder + "/" + kept[7]).toStdString();
            QVERIFY(writeText(nobodys, "left\n") && ::chown(nobodys.c_str(), kNobody, kNobody) == 0);
        }
        QVERIFY(platform::replaceFileContents(folderPath() + "/profile.dat", "new\r\n"));
        QStringList left
            = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        left.sort();
        kept.sort();
        QCOMPARE(left, kept);
    }
};

QTEST_APPLESS_MAIN(FileReplaceTest)
#include "test_file_replace.moc"
