#include "clock/ListText.h"

#include <vector>

#include "clock/ListLines.h"

namespace {

// Every kStride-th line's start is kept: finding a line passes at most
// kStride - 1 others, and the starts cost a sixteenth of one per line.
constexpr std::size_t kStride = 16;

}  // namespace

struct ListText::Text {
    std::string text;
    std::string separator;
    std::size_t lines = 0;
    std::vector<std::size_t> starts;  // of lines 0, kStride, 2 kStride...
};

ListText::ListText() : ListText(std::string(), "\r") {}

ListText::ListText(std::string text, std::string_view separator)
{
    auto kept = std::make_shared<Text>();
    kept->text = std::move(text);
    kept->separator = separator;
    const std::string_view whole = kept->text;
    ForEachLine(whole, separator, [&](std::string_view line) {
        if (kept->lines++ % kStride == 0)
            kept->starts.push_back(static_cast<std::size_t>(line.data() - whole.data()));
    });
    text_ = std::move(kept);
}

ListText ListText::EmptyLines(std::size_t count)
{
    return ListText(std::string(count > 0 ? count - 1 : 0, '\r'), "\r");
}

std::size_t ListText::size() const { return text_->lines; }

std::string_view ListText::LineAt(std::int64_t index) const
{
    if (index < 0 || static_cast<std::uint64_t>(index) >= text_->lines)
        return {};
    const std::string_view whole = text_->text;
    const std::string_view separator = text_->separator;
    const auto line = static_cast<std::size_t>(index);
    std::size_t start = text_->starts[line / kStride];
    for (std::size_t passed = 0; passed < line % kStride; ++passed)
        start = whole.find(separator, start) + separator.size();
    return whole.substr(start, whole.find(separator, start) - start);
}
