// Varko 2000 — the list file an archiver reads: one path a line.
#include "volumes/listfile.h"

#include <fstream>
#include <iterator>
#include <string_view>

namespace {

bool stripSuffix(std::string &text, std::string_view suffix)
{
    if (text.size() < suffix.size() || std::string_view(text).substr(text.size() - suffix.size()) != suffix)
        return false;
    text.resize(text.size() - suffix.size());
    return true;
}

} // namespace

ListLine parseListLine(std::string line)
{
    ListLine result;
    for (std::string_view wildcard : {"/*.*", "\\*.*", "/*", "\\*"}) {
        if (stripSuffix(line, wildcard)) {
            result.wildcard = true;
            break;
        }
    }
    while (line.size() > 1 && line.back() == '/')
        line.pop_back();
    if (result.wildcard && line.empty())
        line.assign(1, '/');
    result.path = std::move(line);
    return result;
}

std::optional<std::vector<ListLine>> readListFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    std::vector<ListLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(parseListLine(std::move(line)));
        start = end + 1;
    }
    return lines;
}
