// Seeds the private Wine prefix of scripts/run.sh with a small, believable demo world: browser
// history and cookies (also today's Chrome, with two profiles, and Firefox), recent documents, run history, temporary files, junk files and a few
// files to shred. Every name and content is fixed, so seeding again changes nothing.
// Run only inside the sandboxed prefix (scripts/run.sh checks it): it writes real user folders.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int g_failures = 0;

std::wstring Known(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path))) {
        ++g_failures;
        return L"";
    }
    return path;
}

std::wstring Variable(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    const DWORD n = ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return n > 0 && n < MAX_PATH ? value : L"";
}

void MakeFolders(const std::wstring& folder) {
    for (size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1))
        ::CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
    ::CreateDirectoryW(folder.c_str(), nullptr);
}

// Writes the file (and its folders) with this content, replacing what was there.
void File(const std::wstring& folder, const std::wstring& name, const std::string& content) {
    if (folder.empty()) return;
    MakeFolders(folder);
    const std::wstring path = folder + L"\\" + name;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE ||
        !::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr)) {
        std::fwprintf(stderr, L"cannot write %ls\n", path.c_str());
        ++g_failures;
    }
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
}

// Some kilobytes of text, so sizes look like real files.
std::string Filler(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += line + "\r\n";
    return text;
}

void Value(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS ||
        ::RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS) {
        std::fwprintf(stderr, L"cannot set %ls\\%ls\n", key.c_str(), name.c_str());
        ++g_failures;
    }
    if (handle) ::RegCloseKey(handle);
}

// A shortcut as the shell leaves one in the recent documents folder.
void Shortcut(const std::wstring& folder, const std::wstring& name, const std::wstring& target) {
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link)))) {
        File(folder, name, "");
        return;
    }
    link->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        MakeFolders(folder);
        if (FAILED(file->Save((folder + L"\\" + name).c_str(), TRUE))) ++g_failures;
        file->Release();
    }
    link->Release();
}

void SeedInternetExplorer() {
    const std::wstring cookies = Known(CSIDL_COOKIES);
    File(cookies, L"demo@news.example[1].txt", "session\r\n4f2a9c\r\nnews.example/\r\n1024\r\n");
    File(cookies, L"demo@shop.example[2].txt", "cart\r\n3 items\r\nshop.example/\r\n1024\r\n");
    File(cookies, L"demo@ads.example[1].txt", "tracker\r\nuid-77e1\r\nads.example/\r\n1536\r\n");
    const std::wstring history = Known(CSIDL_HISTORY);
    File(history + L"\\History.IE5", L"index.dat", Filler("Visited: demo@https://news.example/world", 60));
    File(Known(CSIDL_INTERNET_CACHE) + L"\\Content.IE5\\K3J8Q2Z1", L"front-page[1].htm",
         Filler("<p>Yesterday's headlines</p>", 80));
    const std::wstring typed = L"Software\\Microsoft\\Internet Explorer\\TypedURLs";
    Value(HKEY_CURRENT_USER, typed, L"url1", L"https://news.example/");
    Value(HKEY_CURRENT_USER, typed, L"url2", L"https://shop.example/cart");
    Value(HKEY_CURRENT_USER, typed, L"url3", L"https://mail.example/inbox");
}

void SeedFirefox() {
    const std::wstring root = Known(CSIDL_APPDATA) + L"\\Mozilla\\Firefox";
    File(root, L"profiles.ini",
         "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\nIsRelative=1\r\n"
         "Path=Profiles/k2demo9x.default\r\n");
    const std::wstring profile = root + L"\\Profiles\\k2demo9x.default";
    File(profile, L"places.sqlite", Filler("SQLite format 3 places https://video.example/watch", 120));
    File(profile, L"cookies.sqlite", Filler("SQLite format 3 cookies .forum.example", 40));
    File(profile, L"formhistory.sqlite", Filler("SQLite format 3 formhistory searchbar", 20));
    File(profile, L"sessionstore.js", "{\"windows\":[{\"tabs\":[{\"url\":\"https://forum.example/\"}]}]}");
}

// Today's Firefox keeps its cache under the local AppData, its session in a compressed file.
void SeedModernFirefox() {
    const std::wstring profile = Known(CSIDL_APPDATA) + L"\\Mozilla\\Firefox\\Profiles\\k2demo9x.default";
    File(profile, L"sessionstore.jsonlz4", Filler("mozLz40 tabs https://forum.example/", 10));
    File(profile, L"logins.json", "{\"logins\":[{\"hostname\":\"https://mail.example\"}]}");
    File(profile, L"key4.db", Filler("SQLite format 3 key4", 8));
    const std::wstring cache = Known(CSIDL_LOCAL_APPDATA) + L"\\Mozilla\\Firefox\\Profiles\\k2demo9x.default\\cache2";
    File(cache + L"\\entries", L"3F0A9C1B2D4E5F60718293A4B5C6D7E8F9012345", Filler("cached page video.example", 60));
    File(cache + L"\\entries", L"0B1C2D3E4F5061728394A5B6C7D8E9F001122334", Filler("cached image forum.example", 90));
    File(cache, L"index", Filler("cache index", 4));
}

// Two Chrome profiles with caches, cookies and history beside what must stay: bookmarks, saved
// passwords, preferences and an extension. run.sh puts a link to C:\Demo\Outside the cache in
// the second profile's cache; nothing behind it may go.
void SeedChrome() {
    const std::wstring data = Known(CSIDL_LOCAL_APPDATA) + L"\\Google\\Chrome\\User Data";
    File(data, L"Local State", "{\"profile\":{\"info_cache\":{}}}");
    const wchar_t* const profiles[] = {L"Default", L"Profile 1"};
    for (const wchar_t* name : profiles) {
        const std::wstring profile = data + L"\\" + name;
        File(profile + L"\\Cache\\Cache_Data", L"data_0", Filler("chrome cache block news.example", 80));
        File(profile + L"\\Cache\\Cache_Data", L"f_00001a", Filler("chrome cache entry shop.example", 120));
        File(profile + L"\\Code Cache\\js", L"index", Filler("compiled script", 20));
        File(profile + L"\\Network", L"Cookies", Filler("SQLite format 3 cookies .shop.example", 30));
        File(profile, L"History", Filler("SQLite format 3 urls https://news.example/today", 70));
        File(profile, L"Visited Links", Filler("visited", 6));
        File(profile, L"Bookmarks", "{\"roots\":{\"bookmark_bar\":{\"children\":[{\"url\":\"https://recipes.example/\"}]}}}");
        File(profile, L"Login Data", Filler("SQLite format 3 logins", 12));
        File(profile, L"Preferences", "{\"browser\":{\"show_home_button\":true}}");
        File(profile + L"\\Extensions\\abcdefghijklmnopabcdefghijklmnop\\1.0", L"manifest.json", "{\"name\":\"Demo\"}");
    }
    File(L"C:\\Demo\\Outside the cache", L"family photos.txt", "Behind a link in a cache: must survive a clean.");
}

void SeedOpera() {
    const std::wstring profile = Known(CSIDL_APPDATA) + L"\\Opera\\Opera\\profile";
    File(profile, L"cookies4.dat", Filler("opera cookie travel.example", 16));
}

void SeedWindows(const std::wstring& documents) {
    const std::wstring recent = Known(CSIDL_RECENT);
    Shortcut(recent, L"Quarterly report.lnk", documents + L"\\Quarterly report.txt");
    Shortcut(recent, L"Holiday budget.lnk", documents + L"\\Holiday budget.txt");
    Shortcut(recent, L"Letter to the landlord.lnk", documents + L"\\Letter to the landlord.txt");
    File(documents, L"Quarterly report.txt", Filler("Revenue rose in every region.", 30));
    File(documents, L"Holiday budget.txt", Filler("Flights 420, hotel 610, car 180", 10));
    File(documents, L"Letter to the landlord.txt", Filler("Dear Sir, the heating has failed again.", 8));

    const std::wstring run = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
    Value(HKEY_CURRENT_USER, run, L"a", L"notepad\\1");
    Value(HKEY_CURRENT_USER, run, L"b", L"regedit\\1");
    Value(HKEY_CURRENT_USER, run, L"c", L"cmd\\1");
    Value(HKEY_CURRENT_USER, run, L"MRUList", L"cab");
    const std::wstring wordpad = L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List";
    Value(HKEY_CURRENT_USER, wordpad, L"File1", documents + L"\\Letter to the landlord.txt");
    const std::wstring paint = L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List";
    Value(HKEY_CURRENT_USER, paint, L"File1", documents + L"\\floor plan.bmp");

    const std::wstring temp = Variable(L"TEMP");
    File(temp, L"~DF3A1C.tmp", Filler("scratch", 200));
    File(temp, L"setup-trace.log", Filler("Installing component 12 of 40", 50));
    File(temp + L"\\unpacked-installer", L"readme.txt", "Thank you for installing.");
}

// Junk of several kinds in one demo folder, beside a file that is no junk.
void SeedJunk(const std::wstring& demo) {
    const std::wstring junk = demo + L"\\Old projects";
    File(junk, L"draft.tmp", Filler("temporary", 40));
    File(junk, L"~$budget.xls", "owner lock");
    File(junk, L"notes.swp", Filler("swap", 30));
    File(junk, L"report.old", Filler("old report", 25));
    File(junk, L"build.log", Filler("compiling module", 90));
    File(junk, L"crash.dmp", Filler("MDMP", 300));
    File(junk, L"FILE0001.CHK", Filler("recovered cluster", 64));
    File(junk, L"setup.$$$", "half-written");
    File(junk, L"letter.do~", Filler("Dear Sir,", 12));
    File(junk, L"render.temp", Filler("frame", 120));
    File(junk, L"orders.db$", Filler("rows", 50));
    File(junk + L"\\mail", L"inbox.nch", Filler("header", 40));
    File(junk + L"\\upload", L"photo.jpg.___", Filler("partial", 90));
    File(junk + L"\\website", L"index.htm.bak", Filler("<html>", 20));
    File(junk, L"keep me.txt", "Not junk: the search must leave this file.");
}

void SeedShredding(const std::wstring& demo) {
    const std::wstring shred = demo + L"\\To shred";
    File(shred, L"bank statement 2025.csv", Filler("2025-03-01;Rent;-950.00", 40));
    File(shred, L"old passwords.txt", "mail: hunter2\r\nbank: correct horse battery staple\r\n");
    File(shred, L"scanned passport.txt", Filler("P<DEMO<<SAMPLE<<<<<<<<<<<<<<<<<<<<<<", 12));
    File(shred, L"tax return 2024.txt", Filler("Income 41,200.00; Deductions 3,150.00; Refund 412.00", 55));
    File(shred, L"medical letter.txt", Filler("Dear Dr Sample, the results of the demo patient", 18));
    const std::wstring phone = shred + L"\\old phone backup";
    File(phone, L"contacts.vcf", Filler("BEGIN:VCARD;FN:Demo Person;TEL:555-0100;END:VCARD", 30));
    File(phone, L"messages.txt", Filler("See you at 8 at the usual place", 70));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 || std::wstring(argv[1]) != L"--private-prefix") {
        std::fwprintf(stderr, L"usage: scourwell-demo --private-prefix  (scripts/run.sh runs it in its own prefix)\n");
        return 2;
    }
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring demo = L"C:\\Demo";
    SeedInternetExplorer();
    SeedFirefox();
    SeedModernFirefox();
    SeedChrome();
    SeedOpera();
    SeedWindows(Known(CSIDL_PERSONAL));
    SeedJunk(demo);
    SeedShredding(demo);
    ::CoUninitialize();
    return g_failures == 0 ? 0 : 1;
}
