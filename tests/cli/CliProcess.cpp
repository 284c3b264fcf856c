#include "tests/cli/CliProcess.h"

#include <gtest/gtest.h>

#include "framework/Strings.h"
#include "framework/UniqueHandle.h"

namespace scw::test {

CliCopy::CliCopy() {
    std::wstring source = TestBinFolder() + L"scourwell-cli.exe";
    EXPECT_TRUE(::CopyFileW(source.c_str(), (folder_ / L"scourwell-cli.exe").c_str(), FALSE)) << "build the CLI";
}

void CliCopy::WriteSettings(const std::string& ini) const {
    std::wstring path = folder_ / L"setting.ini";
    ::DeleteFileW(path.c_str());
    if (!ini.empty()) WriteFileText(path, ini);
}

ProcessResult CliCopy::Run(const std::wstring& arguments) const {
    return RunProcess(L"\"" + (folder_ / L"scourwell-cli.exe") + L"\" " + arguments, folder_.Path());
}

std::vector<std::string> Lines(const std::string& output) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        std::string line = output.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string LastLine(const std::string& output) {
    std::vector<std::string> lines = Lines(output);
    return lines.empty() ? std::string() : lines.back();
}

std::string Utf8(const std::wstring& text) { return WideToUtf8(text); }

namespace {
class JsonReader {
public:
    explicit JsonReader(std::wstring text) : s_(std::move(text)) {}

    std::optional<std::map<std::string, JsonValue>> Object() {
        std::map<std::string, JsonValue> object;
        if (!Take(L'{')) return std::nullopt;
        if (Take(L'}')) return End(object);
        do {
            auto key = String();
            if (!key || !Take(L':')) return std::nullopt;
            auto value = Value();
            if (!value) return std::nullopt;
            object[WideToUtf8(*key)] = *value;
        } while (Take(L','));
        if (!Take(L'}')) return std::nullopt;
        return End(object);
    }

private:
    std::optional<std::map<std::string, JsonValue>> End(std::map<std::string, JsonValue>& object) {
        if (i_ != s_.size()) return std::nullopt;
        return object;
    }
    bool Take(wchar_t c) {
        if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
        return false;
    }
    std::optional<JsonValue> Value() {
        if (s_.compare(i_, 4, L"null") == 0) return i_ += 4, JsonValue(nullptr);
        if (i_ < s_.size() && s_[i_] == L'"') {
            auto text = String();
            if (!text) return std::nullopt;
            return JsonValue(*text);
        }
        size_t start = i_;
        Take(L'-');
        while (i_ < s_.size() && iswdigit(s_[i_])) ++i_;
        if (i_ == start) return std::nullopt;
        return JsonValue(std::stoll(s_.substr(start, i_ - start)));
    }
    std::optional<std::wstring> String() {
        if (!Take(L'"')) return std::nullopt;
        std::wstring out;
        while (i_ < s_.size() && s_[i_] != L'"') {
            wchar_t c = s_[i_++];
            if (c < 0x20) return std::nullopt;  // raw control characters are not JSON
            if (c != L'\\') {
                out += c;
                continue;
            }
            if (i_ >= s_.size()) return std::nullopt;
            wchar_t e = s_[i_++];
            switch (e) {
            case L'"': case L'\\': case L'/': out += e; break;
            case L'n': out += L'\n'; break;
            case L'r': out += L'\r'; break;
            case L't': out += L'\t'; break;
            case L'b': out += L'\b'; break;
            case L'f': out += L'\f'; break;
            case L'u':
                if (i_ + 4 > s_.size()) return std::nullopt;
                out += static_cast<wchar_t>(std::stoul(s_.substr(i_, 4), nullptr, 16));
                i_ += 4;
                break;
            default: return std::nullopt;
            }
        }
        if (!Take(L'"')) return std::nullopt;
        return out;
    }

    std::wstring s_;
    size_t i_ = 0;
};

std::wstring FromUtf8(const std::string& text) {
    int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}
}  // namespace

std::optional<std::map<std::string, JsonValue>> ParseJsonObject(const std::string& line) {
    std::wstring wide = FromUtf8(line);
    if (wide.empty() && !line.empty()) return std::nullopt;  // not UTF-8
    return JsonReader(wide).Object();
}


}  // namespace scw::test
