#include "rules/RuleVariables.h"

#include <shlobj.h>

#include <algorithm>

namespace scw::rules {

namespace {

struct Known {
    const wchar_t* name;
    int csidl;
    int secondCsidl;  // the 32-bit twin, or -1
};

const Known kKnown[] = {
    {L"AppData", CSIDL_APPDATA, -1},
    {L"LocalAppData", CSIDL_LOCAL_APPDATA, -1},
    {L"ProgramData", CSIDL_COMMON_APPDATA, -1},
    {L"CommonAppData", CSIDL_COMMON_APPDATA, -1},
    {L"ProgramFiles", CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86},
    {L"CommonProgramFiles", CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROGRAM_FILES_COMMONX86},
    {L"UserProfile", CSIDL_PROFILE, -1},
    {L"Documents", CSIDL_PERSONAL, -1},
    {L"Music", CSIDL_MYMUSIC, -1},
    {L"Pictures", CSIDL_MYPICTURES, -1},
    {L"Video", CSIDL_MYVIDEO, -1},
};

bool Same(const std::wstring& a, const wchar_t* b) {
    return _wcsicmp(a.c_str(), b) == 0;
}

std::wstring Parent(const std::wstring& folder) {
    const size_t cut = folder.find_last_of(L'\\');
    return cut == std::wstring::npos ? L"" : folder.substr(0, cut);
}

std::wstring WithoutTrailingSlash(std::wstring folder) {
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    return folder;
}

std::vector<std::wstring> ValuesOf(const std::wstring& name, const Environment& env) {
    std::vector<std::wstring> values;
    auto add = [&](const std::optional<std::wstring>& value) {
        if (value && !value->empty() &&
            std::find(values.begin(), values.end(), WithoutTrailingSlash(*value)) == values.end())
            values.push_back(WithoutTrailingSlash(*value));
    };
    for (const Known& known : kKnown) {
        if (!Same(name, known.name)) continue;
        add(env.KnownFolder(known.csidl));
        if (known.secondCsidl >= 0) add(env.KnownFolder(known.secondCsidl));
        return values;
    }
    if (Same(name, L"LocalLowAppData") || Same(name, L"LocalAppDataLow")) {
        if (auto local = env.KnownFolder(CSIDL_LOCAL_APPDATA); local && !Parent(*local).empty())
            add(Parent(*local) + L"\\LocalLow");
    } else if (Same(name, L"WinDir")) {
        add(env.WindowsFolder());
    } else if (Same(name, L"SystemDrive")) {
        if (auto windows = env.WindowsFolder(); windows && windows->size() >= 2) add(windows->substr(0, 2));
    } else if (Same(name, L"Public")) {
        if (auto publicFolder = env.Variable(L"PUBLIC"))
            add(publicFolder);
        else if (auto shared = env.KnownFolder(CSIDL_COMMON_DOCUMENTS))
            add(Parent(*shared));
    } else {
        add(env.Variable(name));
    }
    return values;
}

}  // namespace

std::vector<std::wstring> ExpandVariables(const std::wstring& text, const Environment& env) {
    std::vector<std::wstring> done{L""};
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find(L'%', at);
        const size_t close = open == std::wstring::npos ? std::wstring::npos : text.find(L'%', open + 1);
        if (close == std::wstring::npos) {
            for (std::wstring& path : done) path += text.substr(at);
            break;
        }
        const std::wstring plain = text.substr(at, open - at);
        const std::vector<std::wstring> values = ValuesOf(text.substr(open + 1, close - open - 1), env);
        if (values.empty()) return {};
        std::vector<std::wstring> next;
        for (const std::wstring& path : done)
            for (const std::wstring& value : values) next.push_back(path + plain + value);
        done = std::move(next);
        at = close + 1;
    }
    return done;
}

std::optional<std::wstring> ResolveDots(const std::wstring& path) {
    std::wstring root;
    size_t at = 0;
    if (path.size() >= 2 && iswalpha(path[0]) && path[1] == L':' && (path.size() == 2 || path[2] == L'\\')) {
        root = path.substr(0, 2) + L"\\";
        at = 3;
    } else if (path.rfind(L"\\\\", 0) == 0 && path.rfind(L"\\\\?\\", 0) != 0 && path.rfind(L"\\\\.\\", 0) != 0) {
        const size_t server = path.find(L'\\', 2);
        const size_t share = server == std::wstring::npos ? server : path.find(L'\\', server + 1);
        if (server == std::wstring::npos || server == 2) return std::nullopt;
        root = path.substr(0, share == std::wstring::npos ? path.size() : share) + L"\\";
        at = root.size();
    } else {
        return std::nullopt;
    }
    std::vector<std::wstring> parts;
    while (at < path.size()) {
        size_t end = path.find(L'\\', at);
        if (end == std::wstring::npos) end = path.size();
        const std::wstring part = path.substr(at, end - at);
        if (part == L"..") {
            if (parts.empty()) return std::nullopt;
            parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    std::wstring resolved = root;
    for (size_t i = 0; i < parts.size(); ++i) resolved += (i ? L"\\" : L"") + parts[i];
    return resolved;
}

}  // namespace scw::rules
