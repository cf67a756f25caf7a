#include "core/game/description_name.hpp"

#include <charconv>

#include "core/base/failure.hpp"
#include "core/formats/safe_names.hpp"
#include "core/game/fix_journal.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"

namespace fw {

namespace {

// A head's description is a few kilobytes; a file far larger is none.
constexpr int64_t kLargest = 4 * 1024 * 1024;

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// The value lines of a description text as its reader takes them: split at LF, the blanks
// around each cut off, blank lines and "//" comments passed over.
class ValueLines {
public:
    explicit ValueLines(std::string_view text) : text_(text) {}
    // The next value line's place, or nothing at the end.
    std::optional<OwnName> next() {
        while (at_ < text_.size()) {
            const size_t end = std::min(text_.find('\n', at_), text_.size());
            size_t first = at_, last = end;
            at_ = end + 1;
            while (first < last && is_blank(text_[first])) ++first;
            while (last > first && is_blank(text_[last - 1])) --last;
            const std::string_view line = text_.substr(first, last - first);
            if (line.empty() || line.starts_with("//")) continue;
            return OwnName{first, last - first, std::string(line)};
        }
        return std::nullopt;
    }

private:
    std::string_view text_;
    size_t at_ = 0;
};

std::optional<long> number_of(const std::optional<OwnName>& line) {
    if (!line) return std::nullopt;
    long value = 0;
    const char* end = line->name.data() + line->name.size();
    const auto [stop, error] = std::from_chars(line->name.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace

std::optional<OwnName> find_own_name(std::string_view text) {
    ValueLines lines(text);
    const std::optional<OwnName> version = lines.next();
    if (!version || !iequals(version->name.substr(0, 7), "version")) return std::nullopt;
    if (number_of(lines.next()) != 0) return std::nullopt;  // a skeleton's description
    const std::optional<long> suits = number_of(lines.next());
    if (!suits || *suits < 1) return std::nullopt;
    return lines.next();
}

std::string with_own_name(std::string_view text, const std::string& name) {
    const std::optional<OwnName> own = find_own_name(text);
    if (!own || !is_safe_file_name(name)) fail(ErrorKind::InvalidArgument);
    std::string out(text.substr(0, own->offset));
    out += name;
    out += text.substr(own->offset + own->length);
    return out;
}

std::vector<NameMismatch> find_name_mismatches(const std::string& folder) {
    std::vector<NameMismatch> found;
    for (const std::string& file : list_matching(folder + "\\*.cmx", Listing::FilesOnly)) {
        const std::string path = folder + "\\" + file;
        const std::optional<std::string> text = read_file_up_to(path, kLargest);
        if (!text) continue;
        const std::optional<OwnName> own = find_own_name(*text);
        const std::string file_name = file.substr(0, file.size() - 4);
        if (own && !iequals(own->name, file_name)) found.push_back({path, own->name, file_name});
    }
    return found;
}

void fix_own_name(FixJournal& journal, const NameMismatch& mismatch) {
    const std::optional<std::string> text = read_file_up_to(mismatch.path, kLargest);
    if (!text) fail(ErrorKind::FileNotFound);
    const std::optional<OwnName> own = find_own_name(*text);
    if (!own || own->name != mismatch.own_name) fail(ErrorKind::InvalidArgument);
    journal.change(mismatch.path, with_own_name(*text, mismatch.file_name),
                   "own name \"" + mismatch.own_name + "\" changed to \"" + mismatch.file_name + "\"");
}

}  // namespace fw
