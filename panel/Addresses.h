#pragma once

#include <QString>

// The maker's addresses, used by the panel's links and by the exit. A reserved example domain
// stands in until the program has a site of its own.
namespace addresses {

// The maker's web site, ending with "/".
inline const QString WebSite = QStringLiteral("https://www.quirello.example/");

// The purchase page of the maker's other product: the web site followed by its page.
inline const QString PurchasePage = WebSite + QStringLiteral("acquistaZafferon.asp");

// The author's e-mail address, shown in the sliding link.
inline const QString AuthorMail = QStringLiteral("autore@quirello.example");

} // namespace addresses
