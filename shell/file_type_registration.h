#pragma once
// Tells the desktop, for the current user, that ".kw2" files are Lumbrel
// drawings and that this program opens them.
#include <QString>

// The MIME type drawings are known by.
inline constexpr const char* kDrawingMimeType = "application/x-lumbrel-kw2";

// Writes the MIME type, the desktop entry whose Exec runs `programPath` on
// a file, and their icons into the user's data folder.  False when a file
// could not be written.
bool RegisterShellFileTypes(const QString& programPath);
