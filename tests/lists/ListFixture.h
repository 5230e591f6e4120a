// The list widgets as the main window builds them, and profiles over real files.
#pragma once

#include "ProfileText.h"
#include "TProfile.h"

#include <QFile>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;
Q_DECLARE_METATYPE(Lines)

inline std::unique_ptr<QTableWidget> makeDiveProfileGrid()
{
    auto grid = std::make_unique<QTableWidget>(6, 3);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    return grid;
}

inline std::unique_ptr<QPlainTextEdit> makeRateMemo()
{
    auto memo = std::make_unique<QPlainTextEdit>();
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return memo;
}

// profile.dat in a fresh temporary folder.
class ProfileFile {
public:
    ProfileFile()
        : path_(dir_.filePath(QStringLiteral("profile.dat")))
    {
    }

    void write(const QByteArray& bytes) const
    {
        QFile file(path_);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    void writeLines(const Lines& lines) const { write(QByteArray::fromStdString(profile_text::joinLines(lines))); }
    QByteArray read() const
    {
        QFile file(path_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    TProfile open() const { return TProfile(path_.toStdString()); }

    // What the next start reads.
    Lines savedLines() const { return profile_text::splitLines(read().toStdString()); }

private:
    QTemporaryDir dir_;
    QString path_;
};
