// Runs part of a test under another locale, as a user's environment would
// set it (LC_ALL), and restores the environment afterwards.
#pragma once

#include <locale.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace orv::testing {

inline constexpr const char* kGb18030Locale = "zh_CN.GB18030";

// Whether the system has the locale (localedef -i zh_CN -f GB18030
// zh_CN.GB18030 makes the Chinese one).
inline bool localeInstalled(const char* name) {
    const locale_t locale = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) {
        return false;
    }
    freelocale(locale);
    return true;
}

class LocaleScope {
public:
    explicit LocaleScope(const char* name) {
        if (const char* old = std::getenv("LC_ALL")) {
            old_ = old;
        }
        setenv("LC_ALL", name, 1);
    }
    ~LocaleScope() {
        if (old_) {
            setenv("LC_ALL", old_->c_str(), 1);
        } else {
            unsetenv("LC_ALL");
        }
    }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    std::optional<std::string> old_;
};

}  // namespace orv::testing
