#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

// What the program asks of the browser's page it runs in.
#if defined(Q_OS_WASM)

// The browser downloads the bytes as a file of that name.
void DownloadFile(const QString& fileName, const QByteArray& bytes);

// One form of what is copied: its MIME type ("image/png", "text/html", "text/plain") and
// its bytes.
struct ClipboardPart {
    QByteArray Type;
    QByteArray Bytes;
};

// Puts the parts on the browser's clipboard as one item, for the pasting program to take
// the form it reads best. The browser decides later whether it lets the page write there;
// where it does not, `refused` is called from the event loop.
void CopyToClipboard(const std::vector<ClipboardPart>& parts, std::function<void()> refused);

// Tells the page that the program has ended ("Exit", or the main window closed), so that
// the page says so instead of standing empty.
void TellPageProgramEnded();

#endif
