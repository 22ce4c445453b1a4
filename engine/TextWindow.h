#pragma once
#include <functional>
#include <string>
#include <vector>

namespace NK {

// Which part of a one-line text a field of a given width shows. A text that
// fits is shown whole. One that does not is cut at whole characters and
// marked with an ellipsis where it was cut: while it is being typed the end
// stays in view (the text scrolls left as it grows), otherwise the start
// shows. Only the drawing uses this; the field's text itself is never cut.
class TextWindow {
public:
    // The drawn width of a text, in the same units as the field's width.
    using Measure = std::function<float(const std::string&)>;

    static constexpr const char* ellipsis = "\xE2\x80\xA6";  // U+2026

    static std::string visible(const std::string& text, float width, bool typing,
                               const Measure& measure);

    // Byte offsets where each UTF-8 character of `text` starts, and its end.
    static std::vector<std::size_t> characterStarts(const std::string& text);
};

}  // namespace NK
