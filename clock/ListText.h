#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The lines of one list, kept as the list's text: a line is cut out when it
// is asked for, so a long list costs its text and little more. Copies share
// the text.
class ListText {
public:
    // One empty line, as an empty or missing file gives.
    ListText();
    // The text split at a separator that is not empty: n separators give
    // n + 1 lines.
    ListText(std::string text, std::string_view separator);
    // count empty lines, at least one.
    static ListText EmptyLines(std::size_t count);

    std::size_t size() const;
    // Line index without its separator; the empty text outside the list.
    std::string_view LineAt(std::int64_t index) const;

private:
    struct Text;
    std::shared_ptr<const Text> text_;
};
