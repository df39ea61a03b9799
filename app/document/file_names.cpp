// File name encoding; see file_names.h.
#include "document/file_names.h"

#include <algorithm>
#include <cctype>

#include <langinfo.h>
#include <locale.h>

#include "document/text_encoding.h"

namespace {

// The character encoding of the locale the environment asks for (LC_ALL,
// LC_CTYPE, LANG). Read from the environment on every call rather than from
// the process locale, which Qt switches to UTF-8 when it starts.
std::string localeEncoding() {
    const locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) {
        return {};  // a locale that is not installed: the C library uses C
    }
    std::string encoding = nl_langinfo_l(CODESET, locale);
    freelocale(locale);
    return encoding;
}

// Names pass unchanged under UTF-8 and under the plain C locale, whose
// ASCII names are UTF-8 already and whose other bytes mean nothing.
bool namesAreUtf8(const std::string& encoding) {
    return encoding.empty() || encoding == "UTF-8" || encoding == "ANSI_X3.4-1968";
}

std::string converted(std::string_view bytes, const char* from, const char* to) {
    const auto result = convertEncoding(bytes, from, to);
    return result ? *result : std::string(bytes);
}

}  // namespace

std::string fileNameToUtf8(std::string_view systemName) {
    const std::string encoding = localeEncoding();
    if (namesAreUtf8(encoding)) {
        return std::string(systemName);
    }
    return converted(systemName, encoding.c_str(), "UTF-8");
}

std::string utf8ToFileName(std::string_view text) {
    const std::string encoding = localeEncoding();
    if (namesAreUtf8(encoding)) {
        return std::string(text);
    }
    return converted(text, "UTF-8", encoding.c_str());
}

std::filesystem::path filePath(std::string_view text) {
    return std::filesystem::path(utf8ToFileName(text));
}

std::string besideProject(std::string_view projectPath, std::string_view suffix) {
    std::string base(projectPath);
    constexpr std::string_view kExtension = ".tsd";
    if (base.size() >= kExtension.size() &&
        std::equal(
            kExtension.begin(), kExtension.end(), base.end() - kExtension.size(),
            [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); })) {
        base.resize(base.size() - kExtension.size());
    }
    return base + std::string(suffix);
}

std::string projectFolder(std::string_view projectPath) {
    const auto slash = projectPath.find_last_of('/');
    if (slash == std::string_view::npos) {
        return std::string();
    }
    return std::string(projectPath.substr(0, std::max<std::size_t>(slash, 1)));
}
