#include "setup/InstallLog.h"

#include <cwctype>
#include <span>

namespace setup {

namespace {

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16 (or UTF-32 where wchar_t is four bytes) to UTF-8, line ends as CR LF; a lone surrogate becomes
// U+FFFD.
std::string ToUtf8Lines(const std::wstring& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = static_cast<char32_t>(text[i]);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code == U'\n' && !out.ends_with('\r'))
            out += '\r';
        AppendUtf8(out, code);
    }
    return out;
}

} // namespace

void InstallLog::Write(const std::wstring& text)
{
    debugger_.Write(text);
    const std::lock_guard lock(mutex_);
    utf8_ += ToUtf8Lines(text);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(utf8_.data());
    written_ = files_.WriteAll(path_, std::span(bytes, utf8_.size())) && written_;
}

bool InstallLog::Written() const
{
    const std::lock_guard lock(mutex_);
    return written_;
}

RunArguments ParseRunArguments(const std::vector<std::wstring>& arguments)
{
    RunArguments run;
    for (const std::wstring& argument : arguments) {
        std::wstring upper = argument;
        for (wchar_t& c : upper)
            c = static_cast<wchar_t>(std::towupper(c));
        if (upper == L"/S")
            run.silent = true;
        else if (upper.starts_with(L"/LOG="))
            run.logPath = argument.substr(5);
        else if (upper == L"/REMOVEPROFILES")
            run.removeProfiles = true;
    }
    return run;
}

} // namespace setup
