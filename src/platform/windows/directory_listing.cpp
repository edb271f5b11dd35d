#include "platform/directory_listing.hpp"

#include <optional>

#include "platform/system_error.hpp"
#include "platform/windows/windows_api.hpp"

namespace korvaline {

namespace {

// File names in the ANSI code page, as the program's look-ups take them.
std::wstring wide(std::string_view text) {
    const int length = static_cast<int>(text.size());
    std::wstring converted(static_cast<std::size_t>(length), L'\0');
    const int written =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, converted.data(), length);
    converted.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return converted;
}

// An entry's name in the ANSI code page; none where that page lacks one of
// its characters, so that no look-up of a name of the program's could find it.
std::optional<std::string> narrow(const wchar_t* name) {
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL lacking = FALSE;
    char converted[MAX_PATH * 4];
    const int length = ::WideCharToMultiByte(CP_ACP, flags, name, -1, converted, sizeof converted,
                                             nullptr, utf8 ? nullptr : &lacking);
    if (length <= 0 || lacking) {
        return std::nullopt;
    }
    return std::string(converted, static_cast<std::size_t>(length - 1));
}

// A reparse point (a symbolic link, a junction, a file kept in the cloud)
// may lead nowhere; a name that ends in a full stop or a blank is one that
// Windows' look-ups take without it, another name.
bool found_for_certain(const std::string& name, DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && !name.ends_with('.') &&
           !name.ends_with(' ');
}

class Search {
  public:
    Search(const std::wstring& pattern, WIN32_FIND_DATAW& found)
        : handle_(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH)) {}
    ~Search() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            ::FindClose(handle_);
        }
    }
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    bool started() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool next(WIN32_FIND_DATAW& found) const { return ::FindNextFileW(handle_, &found) != 0; }

  private:
    HANDLE handle_;
};

}  // namespace

// One search whose pattern lets the file server choose the entries, read in
// large batches, without the short names nobody asks for.
ListingEnd list_directory(std::string_view prefix, std::string_view wildcards,
                          std::size_t most_entries,
                          const std::function<void(const ListedEntry&)>& take) {
    const std::size_t separator = prefix.find_last_of("/\\:");
    const std::string directory_part(
        prefix.substr(0, separator == std::string_view::npos ? 0 : separator + 1));
    const std::string_view start = prefix.substr(directory_part.size());
    WIN32_FIND_DATAW found{};
    const Search search(wide(std::string(prefix) + std::string(wildcards)), found);
    if (!search.started()) {
        const int error = last_system_error();
        // No entry fits the pattern: the directory is read, and empty of them.
        return {error == ERROR_FILE_NOT_FOUND, error == ERROR_FILE_NOT_FOUND ? 0 : error};
    }
    std::size_t entries = 0;
    do {
        const std::optional<std::string> name = narrow(found.cFileName);
        if (name && (*name == "." || *name == "..")) {
            continue;
        }
        if (++entries > most_entries) {
            return {false, 0};
        }
        if (name && name->starts_with(start)) {
            take({directory_part + *name, found_for_certain(*name, found.dwFileAttributes)});
        }
    } while (search.next(found));
    const int error = last_system_error();
    return {error == ERROR_NO_MORE_FILES, error == ERROR_NO_MORE_FILES ? 0 : error};
}

}  // namespace korvaline
