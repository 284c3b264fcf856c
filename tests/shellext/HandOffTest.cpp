// The DLL's hand-off as the receiving side sees it: which message our window gets for which path,
// that another program's window of our class and title gets nothing, that a window which does not
// answer cannot hold the file manager, what becomes of a path too long to hand over whole, and a
// start that cannot happen. The DLL is loaded from a folder of its own; "our" window is a
// recorder running as Scourwell.exe beside it.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>

#include "ShellExtSupport.h"
#include "shellext/HandOffContract.h"
#include "tests/common/TestSupport.h"

using namespace scw::test;
using scw::ComPtr;
using scw::ComScope;

namespace {

// A name no Western code page can carry: a snowman and a CJK sign.
const std::wstring kWideName = L"\u2603 \u6587 shred.txt";

std::vector<char> Bytes(const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    return std::vector<char>(bytes, bytes + size);
}

// The narrow text of a path that is plain ASCII, with its terminating NUL.
std::vector<char> AsciiWithNul(const std::wstring& path) {
    std::vector<char> bytes(path.begin(), path.end());
    bytes.push_back('\0');
    return bytes;
}

bool IsAscii(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
}

// Files whose full path passes the usual limit are made and removed by their \\?\ path.
void WriteLongFile(const std::wstring& path) {
    scw::UniqueFileHandle file(
        ::CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (file) ::WriteFile(file.Get(), "x", 1, &written, nullptr);
}

class ShellExtHandOff : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(::CopyFileW((TestBinFolder() + L"lumeShl.dll").c_str(), dllCopy.c_str(), FALSE));
        server = std::make_unique<ServerModule>(dllCopy);
        ASSERT_NE(server->Handle(), nullptr);
        ASSERT_EQ(::lstrcmpiW(server->LoadedPath().c_str(), dllCopy.c_str()), 0) << "the lone copy serves";
        ASSERT_EQ(::FindWindowW(lume::kMainWindowClassW, L"Scourwell"), nullptr) << "no main window runs";
    }
    void TearDown() override { server.reset(); }

    // A new handler of the DLL, chosen for this selection as the file manager does.
    HRESULT Choose(IDataObject* data) {
        ComPtr<IUnknown> handler;
        const HRESULT hr = server->NewHandler(IID_IUnknown, handler.PutVoid());
        if (FAILED(hr)) return hr;
        return ChooseShredEntry(handler.Get(), data);
    }

    ComScope com;
    TempFolder lone{L"lone"};
    TempFolder files{L"handed"};
    const std::wstring dllCopy = lone / L"lumeShl.dll";
    std::unique_ptr<ServerModule> server;
};

}  // namespace

// Runs in a second process, as Scourwell.exe beside the DLL, started by RemoteRecorder.
TEST(ShellExtReceiver, RecordsWhatItIsHanded) {
    if (!::GetEnvironmentVariableW(L"SCOURWELL_TEST_RECORD", nullptr, 0)) GTEST_SKIP() << "helper of other tests";
    RemoteRecorder::RunHere();
}

TEST_F(ShellExtHandOff, OurWindowGetsNarrowTextUnderIdentifierZeroAndUtf16OnlyForANameOutsideTheCodePage) {
    const std::wstring plainPath = files / L"plain name.txt";
    const std::wstring widePath = files / kWideName;
    ASSERT_TRUE(IsAscii(plainPath));
    WriteFileText(plainPath);
    WriteFileText(widePath);
    RemoteRecorder ours{lone.Path()};
    ASSERT_NE(ours.Hwnd(), nullptr);
    // Another program's windows: one titled like ours, one with our class and title as well.
    CopyDataRecorder decoy{L"ScourwellDecoy"};
    CopyDataRecorder lookalike{lume::kMainWindowClassW};
    ASSERT_EQ(::FindWindowW(nullptr, L"Scourwell"), lookalike.Hwnd()) << "the look-alike is the first window";

    ComPtr<IDataObject> plain;
    ASSERT_EQ(SelectionDataObject(files.Path(), {L"plain name.txt"}, plain.Put()), S_OK);
    EXPECT_EQ(Choose(plain.Get()), S_OK);
    ComPtr<IDataObject> wide;
    ASSERT_EQ(SelectionDataObject(files.Path(), {kWideName}, wide.Put()), S_OK);
    EXPECT_EQ(Choose(wide.Get()), S_OK);

    ASSERT_TRUE(WaitUntil([&] { return ours.Messages().size() == 2; }, 5000)) << ours.Messages().size();
    const std::vector<CopyDataRecorder::Received> messages = ours.Messages();
    const CopyDataRecorder::Received& first = messages[0];
    EXPECT_EQ(first.identifier, lume::kHandOffNarrow);
    EXPECT_EQ(first.bytes, plainPath.size() + 1) << "the path and its terminator";
    EXPECT_EQ(first.data, AsciiWithNul(plainPath));
    const CopyDataRecorder::Received& second = messages[1];
    const size_t wideBytes = (widePath.size() + 1) * sizeof(wchar_t);
    EXPECT_EQ(second.identifier, lume::kHandOffUtf16);
    EXPECT_EQ(second.bytes, wideBytes);
    EXPECT_EQ(second.data, Bytes(widePath.c_str(), wideBytes));
    EXPECT_TRUE(decoy.Messages().empty()) << "another program's window titled Scourwell gets nothing";
    EXPECT_TRUE(lookalike.Messages().empty()) << "nor one with our class too";
}

TEST_F(ShellExtHandOff, WithNoWindowOfOursAndNoProgramBesideItTheFailedStartIsReported) {
    WriteFileText(files / L"a.txt");
    CopyDataRecorder lookalike{lume::kMainWindowClassW};  // our class and title, another program
    ComPtr<IDataObject> data;
    ASSERT_EQ(SelectionDataObject(files.Path(), {L"a.txt"}, data.Put()), S_OK);
    const HRESULT hr = Choose(data.Get());
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    EXPECT_EQ(hr, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)) << std::hex << hr;
    EXPECT_TRUE(lookalike.Messages().empty());
}

TEST_F(ShellExtHandOff, OurWindowThatDoesNotAnswerHoldsTheFileManagerAFewSecondsAtMost) {
    WriteFileText(files / L"a.txt");
    RemoteRecorder hung{lone.Path(), true};
    ASSERT_NE(hung.Hwnd(), nullptr);
    ComPtr<IDataObject> data;
    ASSERT_EQ(SelectionDataObject(files.Path(), {L"a.txt"}, data.Put()), S_OK);
    const ULONGLONG start = ::GetTickCount64();
    const HRESULT hr = Choose(data.Get());
    const ULONGLONG took = ::GetTickCount64() - start;
    EXPECT_TRUE(FAILED(hr)) << "a path that was not taken is not reported as handed over: " << std::hex << hr;
    EXPECT_LT(took, 8000u);
}

TEST_F(ShellExtHandOff, AFirstPathOf259CharactersArrivesWholeAndALongerOneIsDroppedNotCut) {
    // Nested folders bring the folder near the limit; the file names make up the rest.
    std::wstring folder = files.Path();
    while (folder.size() < 190) folder += std::wstring(40, L'd') + L"\\";
    MakeFolders(folder);
    const std::wstring whole = folder + std::wstring(259 - folder.size() - 4, L'w') + L".txt";
    const std::wstring tooLong = folder + std::wstring(260 - folder.size() - 4, L'l') + L".txt";
    ASSERT_EQ(whole.size(), 259u);
    ASSERT_EQ(tooLong.size(), 260u);
    WriteLongFile(whole);
    WriteLongFile(tooLong);
    ASSERT_NE(::GetFileAttributesW((L"\\\\?\\" + tooLong).c_str()), INVALID_FILE_ATTRIBUTES);
    ComPtr<IDataObject> fits;
    ASSERT_EQ(SelectionDataObject(folder, {whole.substr(folder.size())}, fits.Put()), S_OK);
    // Wine's folder object will not parse a name that makes the path this long (error 2), so this
    // file list is one of our own; on Windows the file manager hands over the whole path.
    ComPtr<IDataObject> over;
    ASSERT_EQ(FileListDataObject({tooLong}, over.Put()), S_OK);
    {
        RemoteRecorder ours{lone.Path()};
        EXPECT_EQ(Choose(fits.Get()), S_OK);
        ASSERT_TRUE(WaitUntil([&] { return ours.Messages().size() == 1; }, 5000));
        EXPECT_EQ(ours.Messages()[0].data, AsciiWithNul(whole));
        EXPECT_EQ(Choose(over.Get()), HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
        PumpMessages(300);
        EXPECT_EQ(ours.Messages().size(), 1u) << "nothing sent, neither cut nor empty";
    }
    ::DeleteFileW((lone / L"Scourwell.exe").c_str());
    // Nor is it handed to a start: with no program beside the DLL, a start would fail with
    // "file not found".
    EXPECT_EQ(Choose(over.Get()), HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
    ::DeleteFileW((L"\\\\?\\" + whole).c_str());
    ::DeleteFileW((L"\\\\?\\" + tooLong).c_str());
}
