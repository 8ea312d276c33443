#pragma once

#include <QString>

// The web browser the HTML page is shown in, named by a path or, without a "/", by a program
// name looked up on the PATH as a shell would.
namespace WebBrowser {

// The browser's file, or an empty string when no file of that name exists.
QString program(const QString &name);

// Starts the browser on its own with the page as its one argument, spaces and all. False when
// it could not be started (not a program, no right to run it); once started, a browser
// reports its own troubles.
bool start(const QString &name, const QString &page);

} // namespace WebBrowser
