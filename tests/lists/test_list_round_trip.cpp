// Unedited list transfers over whole files: nothing lost, and a second round changes nothing.
#include "DiveProfileTransfer.h"
#include "ListFixture.h"
#include "RateListTransfer.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr std::string_view kDescent = "DescentRate:";
constexpr std::string_view kAscent = "AscentRate:";

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct ListWidgets {
    std::unique_ptr<QPlainTextEdit> descent = makeRateMemo();
    std::unique_ptr<QPlainTextEdit> ascent = makeRateMemo();
    std::unique_ptr<QTableWidget> grid = makeDiveProfileGrid();
};

void storeLists(TProfile& profile, const ListWidgets& widgets)
{
    profile.SetValues(kDescent, RateListLines(*widgets.descent));
    profile.SetValues(kAscent, RateListLines(*widgets.ascent));
    StoreDiveProfile(profile, *widgets.grid);
}

// One start and one save with nothing edited, as far as the lists go; a second store in
// between must leave the lines as the first left them.
void loadAndStoreLists(const ProfileFile& profileFile)
{
    TProfile profile = profileFile.open();
    const ListWidgets widgets;
    LoadRateList(profile, *widgets.descent, kDescent);
    LoadRateList(profile, *widgets.ascent, kAscent);
    LoadDiveProfile(profile, *widgets.grid);
    storeLists(profile, widgets);
    const Lines firstStore = profile.lines;
    storeLists(profile, widgets);
    QCOMPARE(profile.lines, firstStore);
    profile.Save();
}

bool isListLine(const std::string& line)
{
    return profile_text::isProfileLine(line) || profile_text::keyPosition(line, kDescent) != std::string::npos
        || profile_text::keyPosition(line, kAscent) != std::string::npos;
}

Lines otherLines(Lines lines)
{
    std::erase_if(lines, isListLine);
    return lines;
}

} // namespace

class ListRoundTripTest : public QObject {
    Q_OBJECT

private slots:
    void sampleFileComesBackWhole()
    {
        const QByteArray original = bytesOf(QStringLiteral(TROVA_DEMO_DATA "/profile.dat"));
        QVERIFY(!original.isEmpty());
        ProfileFile profileFile;
        profileFile.write(original);

        loadAndStoreLists(profileFile);

        // The profile lines are the only lines written anew: without blanks after commas.
        QByteArray expected;
        for (const QByteArray& line : original.split('\n')) {
            if (!line.isEmpty() && std::isdigit(static_cast<unsigned char>(line.front())))
                expected += QString::fromLatin1(line)
                                .replace(QRegularExpression(QStringLiteral(", +")), QStringLiteral(","))
                                .toLatin1();
            else
                expected += line;
            expected += '\n';
        }
        expected.chop(1);
        QCOMPARE(profileFile.read(), expected);
    }

    void variedFilesAreStable_data()
    {
        QTest::addColumn<QString>("path");
        const QDir folder(QStringLiteral(TROVA_TEST_DATA "/lists"));
        const QStringList names = folder.entryList({ QStringLiteral("*.dat") }, QDir::Files, QDir::Name);
        QVERIFY(names.size() >= 4);
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << folder.filePath(name);
    }
    void variedFilesAreStable()
    {
        QFETCH(QString, path);
        const QByteArray original = bytesOf(path);
        ProfileFile profileFile;
        profileFile.write(original);

        loadAndStoreLists(profileFile);
        QVERIFY(!QTest::currentTestFailed());
        const QByteArray first = profileFile.read();
        loadAndStoreLists(profileFile);

        QCOMPARE(profileFile.read(), first);
        QCOMPARE(otherLines(profileFile.savedLines()), otherLines(profile_text::splitLines(original.toStdString())));
    }
};

QTEST_MAIN(ListRoundTripTest)
#include "test_list_round_trip.moc"
