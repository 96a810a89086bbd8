#pragma once

#include <QString>
#include <QUrl>

// The URL an HTML view loads for an address: a full native path becomes a file
// URL, an address with a scheme (http, https, file, about ...) stays as written
// (characters a URL cannot hold are escaped), and anything else is read the way
// a user would type it in an address bar. Raises AppError for an empty address
// or one that gives no valid URL.
QUrl webAddressToUrl(const QString& address);

// Raises the error for an address no view can load: "Invalid address "%s"",
// the address cut short as every quoted value is.
[[noreturn]] void raiseInvalidAddress(const QString& address);
