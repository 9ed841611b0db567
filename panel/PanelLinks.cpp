#include "panel/PanelLinks.h"

#include "panel/Addresses.h"

LinkCommand linkCommand(PanelLink link, const QString& appFolder, const QString& mailAddress) {
    const QString start = appFolder + QStringLiteral("start ");
    switch (link) {
    case PanelLink::Help:
        return {start + appFolder + HelpPage, WindowStyle::MinimizedFocus};
    case PanelLink::Product:
        // The only argument in quotation marks.
        return {start + u'"' + appFolder + ProductPage + u'"', WindowStyle::NormalFocus};
    case PanelLink::Purchase:
        return {start + addresses::PurchasePage, WindowStyle::MinimizedFocus};
    case PanelLink::WebSite:
        return {start + addresses::WebSite, WindowStyle::MinimizedFocus};
    case PanelLink::Mail:
        // The launcher found on the search path, not the one beside the program.
        return {QStringLiteral("start mailto:") + mailAddress, WindowStyle::MinimizedFocus};
    }
    return {};
}
