#include "WebPage.h"

#include <QTimer>

#include <emscripten.h>

#include <utility>

namespace {

std::function<void()> clipboardRefused;

// The bytes are copied out of the program's memory before the function returns; the
// link's object address is let go once the browser has taken the download.
// clang-format off
EM_JS(void, DownloadBytes, (const char* name, int nameSize, const char* data, int size), {
    const fileName = new TextDecoder().decode(HEAPU8.subarray(name, name + nameSize));
    const url = URL.createObjectURL(new Blob([HEAPU8.slice(data, data + size)]));
    const link = document.createElement('a');
    link.href = url;
    link.download = fileName;
    link.style.display = 'none';
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
});

EM_JS(void, WritePngToClipboard, (const char* data, int size), {
    const refused = () => _busenje_clipboard_refused();
    try {
        const png = new Blob([HEAPU8.slice(data, data + size)], {type: 'image/png'});
        navigator.clipboard.write([new ClipboardItem({'image/png': png})]).catch(refused);
    } catch (error) {
        refused();
    }
});

EM_JS(void, ProgramEnded, (), {
    if (typeof window.busenjeEnded === 'function') window.busenjeEnded();
});
// clang-format on

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void busenje_clipboard_refused() {
    // Called from the browser's promise: the box opens from the program's own event loop.
    QTimer::singleShot(0, [] {
        if (clipboardRefused) {
            clipboardRefused();
        }
    });
}

void DownloadFile(const QString& fileName, const QByteArray& bytes) {
    const QByteArray name = fileName.toUtf8();
    DownloadBytes(name.constData(), int(name.size()), bytes.constData(), int(bytes.size()));
}

void CopyPictureToClipboard(const QByteArray& png, std::function<void()> refused) {
    clipboardRefused = std::move(refused);
    WritePngToClipboard(png.constData(), int(png.size()));
}

void TellPageProgramEnded() {
    ProgramEnded();
}
