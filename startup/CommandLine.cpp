#include "startup/CommandLine.h"

QString ArgumentText(const QStringList& arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}

bool AsksForImmediateShow(const QString& argumentText) {
    const QString upper = argumentText.toUpper();
    return upper == QLatin1String("/RUN") || upper == QLatin1String("RUN");
}
