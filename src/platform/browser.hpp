// Opening a link or a saved page in the desktop's browser.
#pragma once

#include <string>

namespace plimo {

// Starts the desktop's default handler for the URL or file, detached; false when it could not be started.
bool OpenInBrowser(const std::string& utf8UrlOrPath);

}  // namespace plimo
