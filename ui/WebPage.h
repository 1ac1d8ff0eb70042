#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// What the program asks of the browser's page it runs in.
#if defined(Q_OS_WASM)

// The browser downloads the bytes as a file of that name.
void DownloadFile(const QString& fileName, const QByteArray& bytes);

// Puts the PNG picture on the browser's clipboard. The browser decides later whether it
// lets the page write there; where it does not, `refused` is called from the event loop.
void CopyPictureToClipboard(const QByteArray& png, std::function<void()> refused);

// Tells the page that the program has ended ("Exit", or the main window closed), so that
// the page says so instead of standing empty.
void TellPageProgramEnded();

#endif
