#pragma once

#include "platform/Launcher.h"

#include <QString>

// The pages and addresses the panel opens, each by one command line through the launcher
// `start`.
enum class PanelLink {
    Help,     // the help page beside the program
    Product,  // the page of the maker's other product, beside the program
    Purchase, // the purchase page on the maker's web site
    WebSite,  // the maker's web site
    Mail,     // a new e-mail to the author
};

struct LinkCommand {
    QString commandLine;
    WindowStyle style;
};

inline const QString HelpPage = QStringLiteral("Quirello.htm");
inline const QString ProductPage = QStringLiteral("Zafferon.htm");

// The command line for `link`. `appFolder` ends with the separator; `mailAddress` is the
// address shown in the e-mail label.
LinkCommand linkCommand(PanelLink link, const QString& appFolder, const QString& mailAddress);
