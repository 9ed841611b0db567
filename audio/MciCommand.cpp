#include "audio/MciCommand.h"

#include <QStringList>

#include <optional>
#include <utility>

namespace {

// A quoted word starting at `open` (the opening quote): its text, with each doubled quote read as
// one, and the index just past its closing quote. No value when the quote is left open.
std::optional<std::pair<QString, qsizetype>> quotedWord(const QString& text, qsizetype open) {
    QString word;
    for (qsizetype i = open + 1; i < text.size(); ++i) {
        if (text[i] != u'"') {
            word.append(text[i]);
        } else if (i + 1 < text.size() && text[i + 1] == u'"') {
            word.append(u'"');
            ++i;
        } else {
            return std::pair{word, i + 1};
        }
    }
    return std::nullopt;
}

// Blank-separated words; a word in double quotes may hold blanks and doubled quotes and may be
// empty. No value when a quote is left open or a quoted word runs into the next.
std::optional<QStringList> words(const QString& text) {
    QStringList result;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        if (text[i] == u' ') {
            ++i;
            continue;
        }
        if (text[i] == u'"') {
            const auto word = quotedWord(text, i);
            if (!word || (word->second < n && text[word->second] != u' '))
                return std::nullopt;
            result << word->first;
            i = word->second;
            continue;
        }
        qsizetype end = text.indexOf(u' ', i);
        if (end < 0)
            end = n;
        const QString word = text.mid(i, end - i);
        if (word.contains(u'"'))
            return std::nullopt;
        result << word;
        i = end;
    }
    return result;
}

bool is(const QString& word, const char* keyword) {
    return word.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

} // namespace

MciCommand parseMciCommand(const QString& text) {
    const std::optional<QStringList> w = words(text);
    if (!w || w->isEmpty())
        return {};
    const QStringList& p = *w;
    if (is(p[0], "open") && p.size() == 6 && is(p[2], "type") && is(p[3], "sequencer") &&
        is(p[4], "alias"))
        return {MciCommand::Verb::Open, p[1], p[5]};
    if (is(p[0], "close") && p.size() == 2)
        return {MciCommand::Verb::Close, {}, p[1]};
    if (is(p[0], "play") && p.size() == 2)
        return {MciCommand::Verb::Play, {}, p[1]};
    return {};
}
