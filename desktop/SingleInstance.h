#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

// One running program per settings file: a later start hands its command line to the program
// already running and ends, so that one panel shows it and no two programs write the same
// PHOTO.INI. They meet on a local socket only this user can reach (in $XDG_RUNTIME_DIR, else
// the temporary folder), named after the user and a key that two starts share when they are
// the same program.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Start {
        First,      // no other program runs: this one now listens for later starts
        HandedOver, // the running program took the command line: this start ends
        NoAnswer,   // a program runs but did not take the command line
    };

    // `key`: what the starts share (the folder PHOTO.INI is written in).
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands `arguments` (the command line, the program's name first) and `startFolder` (where
    // relative names are taken from) to the running program, or becomes the running program.
    Start start(const QStringList& arguments, const QString& startFolder);

    // Where the socket of `key` lies.
    static QString socketPath(const QString& key);

    // How long a start waits for the running program's answer.
    static constexpr int AnswerTimeoutMs = 5000;

Q_SIGNALS:
    // A later start's command line, as it was handed over.
    void handedOver(const QStringList& arguments, const QString& startFolder);

private:
    Start handOver(const QStringList& arguments, const QString& startFolder);
    void receive(QLocalSocket* socket);

    QString path_;
    QLocalServer server_;
};
