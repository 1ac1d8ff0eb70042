#include "WebPage.h"

#include <QTimer>

#include <emscripten.h>

#include <utility>
#include <vector>

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

// One clipboard item holding each part under its MIME type: the types come joined by line
// breaks, the parts' bytes one after the other, their sizes in `sizes`.
EM_JS(void, WriteToClipboard,
      (const char* types, int typesSize, const char* data, const int* sizes, int count), {
    const refused = () => _busenje_clipboard_refused();
    try {
        const names = new TextDecoder().decode(HEAPU8.subarray(types, types + typesSize)).split('\n');
        const item = {};
        let offset = data;
        for (let i = 0; i < count; ++i) {
            const size = HEAP32[(sizes >> 2) + i];
            item[names[i]] = new Blob([HEAPU8.slice(offset, offset + size)], {type: names[i]});
            offset += size;
        }
        navigator.clipboard.write([new ClipboardItem(item)]).catch(refused);
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

void CopyToClipboard(const std::vector<ClipboardPart>& parts, std::function<void()> refused) {
    clipboardRefused = std::move(refused);
    QByteArray types;
    QByteArray data;
    std::vector<int> sizes;
    for (const ClipboardPart& part : parts) {
        types += (types.isEmpty() ? "" : "\n") + part.Type;
        data += part.Bytes;
        sizes.push_back(int(part.Bytes.size()));
    }
    WriteToClipboard(types.constData(), int(types.size()), data.constData(), sizes.data(),
                     int(sizes.size()));
}

void TellPageProgramEnded() {
    ProgramEnded();
}
