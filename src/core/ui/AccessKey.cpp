#include "core/ui/AccessKey.h"

namespace core {
namespace {

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

char AccessKey(std::string_view caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return Upper(caption[i + 1]);
        ++i;
    }
    return 0;
}

bool MatchesAccessKey(std::string_view caption, char typed)
{
    const char key = AccessKey(caption);
    return key != 0 && key == Upper(typed);
}

std::string WithoutAccessKey(std::string_view caption)
{
    std::string text;
    text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&')
            text += caption[i];
        else if (i + 1 < caption.size() && caption[i + 1] == '&')
            text += "&&", ++i;
    }
    return text;
}

} // namespace core
