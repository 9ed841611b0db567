#include "settings/SettingsFile.h"
#include "support/HangGuard.h"
#include "support/OrdinaryUser.h"
#include "support/SettingsPrinter.h"
#include "support/TestFiles.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct ReadResult {
    ShowSettings settings;
    bool existed = false;
    std::vector<SettingLine> lines;
};

ReadResult readFrom(const testfiles::Sandbox& box, const QByteArray& content) {
    testfiles::write(box.file("PHOTO.INI"), content);
    ReadResult r;
    r.existed = ReadSettingsFile(box.path(), r.settings,
                                 [&r](const SettingLine& line) { r.lines.push_back(line); });
    return r;
}

// The folder, seconds, comments, music, speed, colour, random, frame, enlarge, effect, label.
ShowSettings exampleSettings() {
    return {"/home/anna/Foto/", 7000, 1, 1, 1, 10, 20, 30, 0, 1, 1, 3, 1};
}

const QByteArray ExampleBytes =
    "PATH=/home/anna/Foto\r\nTempoAttesa=7\r\nMusicaFM= 1 \r\nSuonoWAV= 1 \r\nEffetti= 1 \r\n"
    "Cornice3D= 1 \r\nAllargaFoto= 1 \r\nRGB_R= 10 \r\nRGB_G= 20 \r\nRGB_B= 30 \r\n"
    "RGB_RANDOM= 0 \r\nTipoEffetto= 3 \r\nPosLabel= 1 \r\n";

} // namespace

TEST(WriteSettingsFile, WritesTheThirteenLinesByteForByte) {
    testfiles::Sandbox box;
    ASSERT_TRUE(WriteSettingsFile(box.path(), "/home/anna/Foto", "7", exampleSettings()));
    EXPECT_EQ(testfiles::read(box.file("PHOTO.INI")), ExampleBytes);
    // No value ever holds a line break: the seconds lose only what follows it, a folder cannot.
    ASSERT_TRUE(
        WriteSettingsFile(box.path(), "/home/anna/Foto", "7\r\nPosLabel=2", exampleSettings()));
    EXPECT_EQ(testfiles::read(box.file("PHOTO.INI")), ExampleBytes);
    EXPECT_FALSE(WriteSettingsFile(box.path(), "/home/a\rPosLabel=2", "7", exampleSettings()));
    EXPECT_EQ(testfiles::read(box.file("PHOTO.INI")), ExampleBytes);

    ShowSettings random = exampleSettings();
    random.RGB_RANDOM = -1;
    random.PosLabel = -1;
    ASSERT_TRUE(WriteSettingsFile(box.path(), "/", "12", random));
    const QByteArray bytes = testfiles::read(box.file("PHOTO.INI"));
    EXPECT_TRUE(bytes.startsWith("PATH=/\r\nTempoAttesa=12\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nRGB_RANDOM=-1 \r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\nPosLabel=-1 \r\n"));
}

TEST(WriteSettingsFile, AFailedWriteLeavesTheOldFileAsItWas) {
    testfiles::AsOrdinaryUser([] {
        testfiles::Sandbox box;
        // A folder that does not exist cannot take the file: the caller is told, nothing
        // crashes.
        EXPECT_FALSE(WriteSettingsFile(box.file("gone"), "/x", "5", exampleSettings()));

        // Folders no new file can be made in, each with its PHOTO.INI.
        const QByteArray old = "PATH=/old\r\n";
        const auto readOnlyFolder = [&](const char* name, QFile::Permissions file) {
            const QString ini = box.file(name) + "/PHOTO.INI";
            testfiles::write(ini, old);
            QFile::setPermissions(ini, file);
            QFile::setPermissions(box.file(name), QFile::ReadOwner | QFile::ExeOwner);
            return box.file(name);
        };
        const QFile::Permissions readOnly = QFile::ReadOwner;
        const QFile::Permissions writable = QFile::ReadOwner | QFile::WriteOwner;

        EXPECT_FALSE(
            WriteSettingsFile(readOnlyFolder("ro", readOnly), "/new", "5", exampleSettings()));
        EXPECT_EQ(testfiles::read(box.file("ro/PHOTO.INI")), old);

        // A writable file is rewritten in place.
        EXPECT_TRUE(WriteSettingsFile(readOnlyFolder("inplace", writable), "/home/anna/Foto", "7",
                                      exampleSettings()));
        EXPECT_EQ(testfiles::read(box.file("inplace/PHOTO.INI")), ExampleBytes);

        // A rewrite in place cut short (here by a file-size limit) puts the old bytes back.
        const QString cut = readOnlyFolder("cut", writable);
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit small{64, saved.rlim_max};
        const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &small);
        EXPECT_FALSE(WriteSettingsFile(cut, "/home/anna/Foto", "7", exampleSettings()));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldSignal);
        EXPECT_EQ(testfiles::read(cut + "/PHOTO.INI"), old);

        // A pipe in the file's place is refused, not waited on.
        QDir().mkpath(box.file("pipe"));
        ASSERT_EQ(::mkfifo(box.file("pipe/PHOTO.INI").toLocal8Bit().constData(), 0600), 0);
        QFile::setPermissions(box.file("pipe"), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_FALSE(WriteSettingsFile(box.file("pipe"), "/x", "5", exampleSettings()));

        for (const char* name : {"ro", "inplace", "cut", "pipe"})
            QFile::setPermissions(box.file(name),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
}

// A missing PHOTO.INI, or something so named that is no file to read (a folder, a named pipe
// that would block the start-up, a file far too large to be settings), gives the defaults and
// reports no line.
TEST(ReadSettingsFile, AnythingButASettingsFileGivesTheDefaults) {
    const HangGuard guard;
    for (const std::string kind : {"missing", "folder", "pipe", "huge"}) {
        testfiles::Sandbox box;
        const QString path = box.file("PHOTO.INI");
        if (kind == "folder")
            QDir().mkpath(path);
        else if (kind == "pipe")
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        else if (kind == "huge")
            testfiles::write(path, "TempoAttesa=9\r\n" + QByteArray(2 * 1024 * 1024, ' '));
        ShowSettings s;
        s.TempoAttesa = 9;
        int reports = 0;
        EXPECT_FALSE(ReadSettingsFile(box.path(), s, [&](const SettingLine&) { ++reports; }));
        EXPECT_EQ(reports, 0);
        // The folder, seconds, comments, music, speed, colour, random, frame, enlarge, effect,
        // label.
        EXPECT_EQ(s, (ShowSettings{box.path() + "/", 5, 1, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0})) << kind;
    }
}

// Out of range or not a number gives 4; a key is found anywhere in its line, in its case only.
TEST(ReadSettingsFile, TempoAttesaLine) {
    const std::pair<const char*, qint16> cases[] = {
        {"TempoAttesa=0", 4},     {"TempoAttesa=31", 4},  {"TempoAttesa=45", 4},
        {"TempoAttesa=dieci", 4}, {"TempoAttesa=2.5", 2}, {"TempoAttesa=3.5", 4},
        {"TempoAttesa= 7 ", 7},   {"TempoAttesa=30", 30}, {"TempoAttesa=1", 1},
        {"TempoAttesa=99999", 4}, {"XTempoAttesa=9", 9},  {"tempoattesa=5", 0}};
    testfiles::Sandbox box;
    for (const auto& [line, seconds] : cases)
        EXPECT_EQ(readFrom(box, QByteArray(line) + "\r\n").settings.TempoAttesa, seconds) << line;
}

TEST(ReadSettingsFile, PathGetsItsSeparatorAndKeysAreTestedInOrder) {
    testfiles::Sandbox box;
    EXPECT_EQ(readFrom(box, "PATH=/srv/Foto\r\n").settings.ShowFolder, "/srv/Foto/");
    EXPECT_EQ(readFrom(box, "PATH=/srv/Foto/\r\n").settings.ShowFolder, "/srv/Foto/");
    EXPECT_EQ(readFrom(box, "PATH=/srv/Foto").settings.ShowFolder, "/srv/Foto/");
    EXPECT_EQ(readFrom(box, "PATH=\r\n").settings.ShowFolder, "/");
    EXPECT_EQ(readFrom(box, "Effetti=3\r\n").settings.ShowFolder, box.path() + "/");

    // A key may stand anywhere in its line; PATH is tested first.
    const ReadResult r = readFrom(box, "PATH=/x/TempoAttesa=3\r\n");
    EXPECT_EQ(r.settings.ShowFolder, "/x/TempoAttesa=3/");
    EXPECT_EQ(r.settings.TempoAttesa, 0);
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0].key, SettingKey::PATH);
}

TEST(ReadSettingsFile, ValuesLinesAndReports) {
    testfiles::Sandbox box;
    const ReadResult r =
        readFrom(box, "MusicaFM=1=2\r\n"
                      "\r\n"
                      "[sezione] commento\r\n"
                      "RGB_R=300\r"
                      "RGB_G= 20 \r\n"
                      "RGB_RANDOM=-1\r\n"
                      "Effetti=9\nEffetti=5\r\n" // a file edited on Linux: LF ends a line too
                      "PosLabel=1\r\n"
                      "PosLabel=2"); // the last line without its line ending still counts
    EXPECT_TRUE(r.existed);
    EXPECT_EQ(r.settings.MusicaFM, 1);
    EXPECT_EQ(r.settings.RGB_R, 300);
    EXPECT_EQ(r.settings.RGB_G, 20);
    EXPECT_EQ(r.settings.RGB_RANDOM, -1);
    EXPECT_EQ(r.settings.Effetti, 5);
    EXPECT_EQ(r.settings.PosLabel, 2);    // the last occurrence wins
    EXPECT_EQ(r.settings.TempoAttesa, 0); // no line: no range check
    EXPECT_EQ(r.settings.ShowFolder, box.path() + "/");

    std::vector<std::pair<SettingKey, qint16>> order;
    for (const SettingLine& l : r.lines)
        order.emplace_back(l.key, l.value);
    const std::vector<std::pair<SettingKey, qint16>> expected{
        {SettingKey::MusicaFM, 1},    {SettingKey::RGB_R, 300}, {SettingKey::RGB_G, 20},
        {SettingKey::RGB_RANDOM, -1}, {SettingKey::Effetti, 9}, {SettingKey::Effetti, 5},
        {SettingKey::PosLabel, 1},    {SettingKey::PosLabel, 2}};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(r.lines[1].atMost255);
    EXPECT_TRUE(r.lines[2].atMost255);
}

// Every value, and a folder name outside ASCII, survive the round trip.
TEST(ReadSettingsFile, ReadsBackWhatWasWritten) {
    testfiles::Sandbox box;
    ASSERT_TRUE(WriteSettingsFile(box.path(), "/home/anna/Città", "7", exampleSettings()));
    ShowSettings back;
    ASSERT_TRUE(ReadSettingsFile(box.path(), back));
    ShowSettings expected = exampleSettings();
    expected.ShowFolder = "/home/anna/Città/";
    expected.TempoAttesa = 7; // seconds once read
    EXPECT_EQ(back, expected);
    // A file written in the old 8-bit code page still reads.
    EXPECT_EQ(readFrom(box, "PATH=/home/anna/Citt\xe0\r\n").settings.ShowFolder,
              "/home/anna/Città/");
}
