#include "engine/TextWindow.h"

namespace NK {

std::vector<std::size_t> TextWindow::characterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Continuation bytes (10xxxxxx) belong to the character before them.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
    }
    starts.push_back(text.size());
    return starts;
}

std::string TextWindow::visible(const std::string& text, float width, bool typing,
                                const Measure& measure) {
    if (text.empty() || measure(text) <= width) return text;
    const std::vector<std::size_t> starts = characterStarts(text);
    const std::size_t count = starts.size() - 1;
    // The most characters that fit beside the ellipsis, from the end while
    // typing and from the start otherwise. With no room even for one, the
    // ellipsis alone says that something is there.
    for (std::size_t keep = count - 1; keep > 0; --keep) {
        const std::string shown = typing ? ellipsis + text.substr(starts[count - keep])
                                         : text.substr(0, starts[keep]) + ellipsis;
        if (measure(shown) <= width) return shown;
    }
    return measure(ellipsis) <= width ? ellipsis : "";
}

}  // namespace NK
