#include "settings/SettingsFile.h"

#include "core/FolderPath.h"
#include "core/RegularFile.h"
#include "settings/NumberReading.h"

#include <optional>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

namespace {

// Thirteen short lines; even a file full of comments and blank lines stays far below this.
constexpr qint64 kLargestSettingsFile = qint64(1024) * 1024;

// Files written here are UTF-8; a file from a machine that wrote its 8-bit code page is read as
// Windows-1252 (Latin-1 for the characters a folder name is likely to hold).
QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

// A line ends at CR or CR LF, as the program writes it, and also at a lone LF, so that a file
// saved by a Linux text editor still reads line by line.
QStringList splitLines(const QString& text) {
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            lines.append(current);
            current.clear();
        } else if (text[i] == u'\r') {
            lines.append(current);
            current.clear();
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            current.append(text[i]);
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

QString settingsPath(const QString& appFolder) {
    return WithTrailingSeparator(appFolder) + SettingsFileName;
}

// Each recognised line of the file's bytes, in file order: its key (the first one the line
// contains) and the text after its first '=', leading blanks skipped.
template <typename Visit> void forEachSetting(const QByteArray& bytes, Visit visit) {
    for (const QString& line : splitLines(decode(bytes))) {
        for (const SettingRule& rule : SettingRules) {
            if (!line.contains(
                    QLatin1StringView(rule.keyText.data(), qsizetype(rule.keyText.size()))))
                continue;
            QString value = line.mid(line.indexOf(u'=') + 1);
            qsizetype blanks = 0;
            while (blanks < value.size() && value[blanks] == u' ')
                ++blanks;
            value.remove(0, blanks);
            visit(rule, value);
            break;
        }
    }
}

// A PHOTO.INI larger than this is no file the program wrote: it is only ever replaced whole.
constexpr qint64 MaxKeptBytes = qint64(64) * 1024;

// The whole file, when it can be read and is no larger than MaxKeptBytes.
std::optional<QByteArray> readSmallFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(MaxKeptBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxKeptBytes)
        return std::nullopt;
    return bytes;
}

bool hasLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

// Writes `bytes` over the file at `path` again, after a failed rewrite in place.
void putBack(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

} // namespace

ShowSettings DefaultSettings(const QString& appFolder) {
    ShowSettings s;
    s.ShowFolder = WithTrailingSeparator(appFolder);
    for (const SettingRule& rule : SettingRules)
        if (rule.field)
            s.*rule.field = rule.missingFileValue;
    return s;
}

bool ReadSettingsFile(const QString& appFolder, ShowSettings& settings,
                      const SettingReport& report) {
    // Only a regular file is read, and only one of a sane size: a named pipe would block the
    // start-up, a huge file would fill the memory. Either reads as missing.
    const std::optional<QByteArray> read =
        RegularFile(settingsPath(appFolder)).readAll(kLargestSettingsFile);
    if (!read) {
        settings = DefaultSettings(appFolder);
        return false;
    }
    const QByteArray& bytes = *read;

    forEachSetting(bytes, [&](const SettingRule& rule, const QString& value) {
        SettingLine reported{rule.key};
        if (!rule.field) {
            settings.ShowFolder = WithTrailingSeparator(value);
        } else {
            qint16& field = settings.*rule.field;
            field = ReadLeadingInt16(value);
            if (field < rule.lowest || field > rule.highest)
                field = rule.outOfRange;
            reported.value = field;
            reported.atMost255 = field <= 255;
        }
        if (report)
            report(reported);
    });
    if (settings.ShowFolder.isEmpty())
        settings.ShowFolder = WithTrailingSeparator(appFolder);
    return true;
}

std::optional<QString> SavedFolderText(const QString& appFolder) {
    const std::optional<QByteArray> read =
        RegularFile(settingsPath(appFolder)).readAll(kLargestSettingsFile);
    if (!read)
        return std::nullopt;
    std::optional<QString> folder;
    forEachSetting(*read, [&](const SettingRule& rule, const QString& value) {
        if (rule.key == SettingKey::PATH)
            folder = value;
    });
    return folder;
}

bool WriteSettingsFile(const QString& appFolder, const QString& folderText,
                       const QString& secondsText, const ShowSettings& s) {
    // A line break inside a value would make a line of its own, read back as a setting. The
    // seconds are read up to their first non-digit anyway, so they lose nothing by the cut; a
    // folder cannot be cut without naming another one, so such a file is not written.
    if (hasLineBreak(folderText))
        return false;
    const QString seconds = secondsText.left(secondsText.indexOf(QRegularExpression("[\r\n]")));
    QString text;
    for (const SettingKey key : WriteOrder) {
        const SettingRule& rule = RuleOf(key);
        text += QLatin1StringView(rule.keyText.data(), qsizetype(rule.keyText.size()));
        switch (rule.writtenAs) {
        case WrittenAs::FolderText:
            text += folderText;
            break;
        case WrittenAs::SecondsText:
            text += seconds;
            break;
        case WrittenAs::Number:
            text += PrintForm(s.*rule.field);
            break;
        }
        text += QStringLiteral("\r\n");
    }

    // The old file is replaced only once the new one is complete on disk. In a folder where no
    // new file can be made, a writable PHOTO.INI is rewritten in place; its old bytes are put
    // back when that write fails. Only a regular file is written in place: opening a pipe for
    // writing would wait for a reader for ever.
    const QString path = settingsPath(appFolder);
    const QFileInfo old(path);
    const bool inPlaceAllowed = old.isFile() && old.size() <= MaxKeptBytes;
    const std::optional<QByteArray> oldBytes = inPlaceAllowed ? readSmallFile(path) : std::nullopt;
    QSaveFile file(path);
    file.setDirectWriteFallback(inPlaceAllowed);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    // A rewrite in place reports no failed write at commit, so the bytes are flushed first.
    if (file.write(bytes) == bytes.size() && file.flush() && file.commit())
        return true;
    file.cancelWriting();
    if (oldBytes && readSmallFile(path) != oldBytes)
        putBack(path, *oldBytes);
    return false;
}
