// The shredder's core on real files in the prefix: what is written, what is removed, and what
// must survive (links' targets, other names of a file, files after a stop).
#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/UniqueHandle.h"
#include "shred/core/ProgressScale.h"
#include "shred/core/ShredFolder.h"
#include "shred/core/ShredRun.h"
#include "tests/common/TestSupport.h"
#include "tests/shred/ShredFixtures.h"

namespace scw::test {
namespace {

std::string Pattern(size_t size) {
    std::string text(size, '\0');
    for (size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + i % 23);
    return text;
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    UniqueFind find(::FindFirstFileW((folder + L"*").c_str(), &data));
    if (!find) return names;
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(find.Get(), &data));
    return names;
}

// Another name of the same length, of characters that are safe in any folder.
bool IsRandomNameFor(const std::wstring& random, const std::wstring& name) {
    return random.size() == name.size() && random != name &&
           random.find_first_not_of(L"abcdefghijklmnopqrstuvwxyz0123456789") == std::wstring::npos;
}

// Page sources that count what a run takes and gives back; `pagesLeft` runs out.
int pagesGiven = 0, pagesFreed = 0, pagesLeft = 0;
const PageSource kCountedPages{[](size_t bytes) -> void* {
                                   if (pagesLeft == 0) return nullptr;
                                   --pagesLeft;
                                   ++pagesGiven;
                                   return kSystemPages.allocate(bytes);
                               },
                               [](void* pages) {
                                   ++pagesFreed;
                                   kSystemPages.release(pages);
                               }};

void CountPages(int available) {
    pagesGiven = pagesFreed = 0;
    pagesLeft = available;
}

bool IsRandomBlockRepeated(const std::string& content) {
    int seen[256] = {};
    int distinct = 0;
    for (size_t i = 0; i < content.size(); ++i) {
        if (content[i] != content[i % OverwriteBuffers::kBlockSize]) return false;
        if (seen[static_cast<unsigned char>(content[i])]++ == 0) ++distinct;
    }
    return distinct > 200;
}

class ShredCoreTest : public testing::Test {
protected:
    ShredSummary Shred(int passes) {
        ShredRun run(list, view);
        return run.RunHere(passes, stop.Get());
    }
    // The file as it is after `completed` passes of the method, stopped before the next.
    std::string AfterPasses(int passes, int completed, std::uint64_t size = 100000) {
        const std::wstring path = temp / L"passes.bin";
        WriteFileText(path, Pattern(size));
        list.Clear();
        Add(path);
        ::ResetEvent(stop.Get());
        view.onProgress = [&](std::uint64_t bytes) {
            if (bytes >= completed * size) ::SetEvent(stop.Get());
        };
        EXPECT_TRUE(Shred(passes).stopped);
        view.onProgress = nullptr;
        return ReadFileText(path);
    }
    void Add(const std::wstring& path) { ASSERT_TRUE(AddShredPath(list, path).added) << std::string(path.begin(), path.end()); }

    TempFolder temp{L"shred"};
    ShredList list;
    ShredRecorder view;
    UniqueKernelHandle stop{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

TEST_F(ShredCoreTest, ThoroughWritesEveryPassOverTheFileThenRemovesItsNameAndSize) {
    const std::wstring folder = temp / L"files\\";
    WriteFileText(folder + L"secret.doc", Pattern(100000));
    WriteFileText(folder + L"empty.txt", "");
    WriteFileText(temp / L"sentinel.txt", "keep");
    Add(folder + L"secret.doc");
    Add(folder + L"empty.txt");
    ASSERT_EQ(list.At(0)->size, 100000u);

    ShredSummary summary = Shred(7);
    EXPECT_EQ(summary.bytesWritten, 700000u) << "seven passes over 100,000 bytes, nothing over the 0-byte file";
    EXPECT_EQ(summary.shredded, 2);
    EXPECT_TRUE(summary.AllShredded());
    EXPECT_EQ(view.total, 100000u);
    EXPECT_EQ(ProgressScale(view.total, 7).Position(view.lastProgress), 100000) << "the bar ends at the file's size";
    EXPECT_EQ(list.Size(), 0u);
    EXPECT_TRUE(NamesIn(folder).empty()) << "neither the old name nor a renamed file stays";
    EXPECT_EQ(ReadFileText(temp / L"sentinel.txt"), "keep");
}

TEST_F(ShredCoreTest, TheFileIsCutToNothingAndRenamedToAnotherNameOfItsLengthBeforeItGoes) {
    const std::wstring path = temp / L"diary 2024.txt";
    WriteFileText(path, Pattern(5000));
    Add(path);
    // Another program watches the file with full sharing: it sees what the shredder leaves.
    UniqueFileHandle watcher(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(watcher);
    ShredSummary summary = Shred(1);
    EXPECT_EQ(summary.shredded, 1) << "the system took the deletion; the watcher only delays it";
    EXPECT_EQ(list.Size(), 0u);
    LARGE_INTEGER size{};
    ASSERT_TRUE(::GetFileSizeEx(watcher.Get(), &size));
    EXPECT_EQ(size.QuadPart, 0) << "cut to nothing";
    EXPECT_FALSE(FileExists(path)) << "the name the user knew is gone at once";
    const std::vector<std::wstring> left = NamesIn(temp.Path());
    ASSERT_EQ(left.size(), 1u) << "until the watcher lets go, the file waits under another name";
    EXPECT_TRUE(IsRandomNameFor(left[0], L"diary 2024.txt")) << std::string(left[0].begin(), left[0].end());
    watcher.Reset();
    EXPECT_TRUE(NamesIn(temp.Path()).empty());
}

TEST(ShredRandomName, HasTheLengthOfTheNameAndOnlyLowerCaseLettersAndDigits) {
    const std::wstring name = L"Tax Return (final).PDF";
    std::wstring previous;
    for (int i = 0; i < 20; ++i) {
        const std::wstring random = RandomNameLike(name);
        EXPECT_TRUE(IsRandomNameFor(random, name)) << std::string(random.begin(), random.end());
        EXPECT_NE(random, previous) << "a new name each time";
        previous = random;
    }
    EXPECT_EQ(RandomNameLike(L"a").size(), 1u);
}

TEST_F(ShredCoreTest, EachPassOfEachMethodLeavesItsPatternOnTheDiskInOrder) {
    const std::string zeros(100000, '\0'), ones(100000, '\x01');
    // One pass: random from the first block on (stopped after that block).
    const std::string quick = AfterPasses(1, 0, 3 * OverwriteBuffers::kBlockSize);
    EXPECT_TRUE(IsRandomBlockRepeated(quick.substr(0, OverwriteBuffers::kBlockSize)));
    EXPECT_EQ(quick.substr(OverwriteBuffers::kBlockSize), Pattern(3 * OverwriteBuffers::kBlockSize).substr(OverwriteBuffers::kBlockSize))
        << "the rest is as it was";
    // Three: zeros, ones (then random).
    EXPECT_EQ(AfterPasses(3, 1), zeros);
    EXPECT_EQ(AfterPasses(3, 2), ones);
    // Seven: random, zeros, ones, random, zeros, ones (then random).
    EXPECT_TRUE(IsRandomBlockRepeated(AfterPasses(7, 1)));
    EXPECT_EQ(AfterPasses(7, 2), zeros);
    EXPECT_EQ(AfterPasses(7, 3), ones);
    EXPECT_TRUE(IsRandomBlockRepeated(AfterPasses(7, 4)));
    EXPECT_EQ(AfterPasses(7, 5), zeros);
    EXPECT_EQ(AfterPasses(7, 6), ones);
}

TEST_F(ShredCoreTest, WithoutMemoryForTheBlocksNothingIsWrittenAndTheListStays) {
    WriteFileText(temp / L"a.txt", Pattern(1000));
    Add(temp / L"a.txt");
    CountPages(2);  // the third block of the seven-pass method cannot be had
    ShredRun run(list, view);
    run.UsePageSource(kCountedPages);
    ShredSummary summary = run.RunHere(7, stop.Get());
    EXPECT_TRUE(summary.noBuffers);
    EXPECT_TRUE(view.noBuffers);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(summary.bytesWritten, 0u);
    EXPECT_TRUE(view.finished.empty());
    EXPECT_EQ(ReadFileText(temp / L"a.txt"), Pattern(1000));
    EXPECT_EQ(list.Size(), 1u);
    EXPECT_EQ(pagesFreed, pagesGiven) << "the blocks it had are given back";
}

TEST_F(ShredCoreTest, AnEmptyListTakesAndGivesBackTheBlocksAndEndsAtOnce) {
    CountPages(3);
    ShredRun run(list, view);
    run.UsePageSource(kCountedPages);
    ShredSummary summary = run.RunHere(7, stop.Get());
    EXPECT_TRUE(summary.AllShredded());
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(view.total, 0u);
    EXPECT_EQ(pagesGiven, 3);
    EXPECT_EQ(pagesFreed, 3);
}

TEST_F(ShredCoreTest, StopInPassFiveLeavesThatFileListedOnDiskAndTheRestUntouched) {
    const size_t size = 400000;  // seven blocks a pass
    WriteFileText(temp / L"first.bin", Pattern(size));
    WriteFileText(temp / L"second.bin", Pattern(size));
    Add(temp / L"first.bin");
    Add(temp / L"second.bin");
    view.onProgress = [&](std::uint64_t bytes) {
        if (bytes > 4 * size) ::SetEvent(stop.Get());
    };
    ShredSummary summary = Shred(7);
    EXPECT_TRUE(summary.stopped);
    EXPECT_LT(summary.bytesWritten, 5 * size);
    EXPECT_GT(summary.bytesWritten, 4 * size);
    ASSERT_EQ(list.Size(), 2u);
    EXPECT_EQ(list.At(0)->name, L"first.bin");
    std::string first = ReadFileText(temp / L"first.bin");
    EXPECT_EQ(first.size(), size);
    EXPECT_NE(first, Pattern(size)) << "partly overwritten";
    EXPECT_EQ(ReadFileText(temp / L"second.bin"), Pattern(size));
}

TEST_F(ShredCoreTest, AddingListsOnlyWritableFilesOnceWithTheirRealFolder) {
    const std::wstring tricky = temp / L"data.txt\\";
    WriteFileText(tricky + L"data.txt", "1234");
    WriteFileText(temp / L"readonly.txt");
    ::SetFileAttributesW((temp / L"readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolders(temp / L"folder");

    EXPECT_TRUE(AddShredPath(list, tricky + L"data.txt").added);
    EXPECT_FALSE(AddShredPath(list, tricky + L"data.txt").added) << "the same file twice keeps one row";
    EXPECT_EQ(AddShredPath(list, temp / L"readonly.txt").check.refusal, ShredRefusal::ReadOnly);
    EXPECT_EQ(AddShredPath(list, temp / L"folder").check.refusal, ShredRefusal::Folder);
    EXPECT_EQ(AddShredPath(list, temp / L"missing.txt").check.refusal, ShredRefusal::Missing);
    EXPECT_EQ(AddShredPath(list, L"data.txt").check.refusal, ShredRefusal::BadPath) << "relative";
    EXPECT_EQ(AddShredPath(list, temp / std::wstring(260, L'x')).check.refusal, ShredRefusal::BadPath);
    {
        UniqueFileHandle held(::CreateFileW((temp / L"held.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, 0, nullptr));
        EXPECT_EQ(AddShredPath(list, temp / L"held.txt").check.refusal, ShredRefusal::Locked);
    }
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_EQ(list.At(0)->name, L"data.txt");
    EXPECT_EQ(list.At(0)->folder, tricky);
    EXPECT_EQ(list.At(0)->size, 4u);
    ::SetFileAttributesW((temp / L"readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ShredCoreTest, FolderWalkListsEveryFileBelowButNeverEntersALinkedFolder) {
    WriteFileText(temp / L"tree\\a.txt");
    WriteFileText(temp / L"tree\\sub\\deeper\\b.txt");
    std::vector<std::wstring> seen;
    ForEachFileBelow(temp / L"tree", [&](const std::wstring& path) { seen.push_back(path); });
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::wstring>{temp / L"tree\\a.txt", temp / L"tree\\sub\\deeper\\b.txt"}));

    const std::wstring tree = kPlantedLinks + L"tree\\";
    ASSERT_TRUE(FileExists(tree + L"sub\\plain.txt")) << "links are planted by the test command";
    seen.clear();
    ForEachFileBelow(tree, [&](const std::wstring& path) {
        seen.push_back(path);
        AddShredPath(list, path);
    });
    std::sort(seen.begin(), seen.end());
    // A file link looks like a file to the walk; adding it refuses it.
    EXPECT_EQ(seen, (std::vector<std::wstring>{tree + L"file-link.txt", tree + L"sub\\plain.txt"}));
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_EQ(list.At(0)->FullPath(), tree + L"sub\\plain.txt");
    EXPECT_TRUE(IsLinkPath(tree + L"sub\\folder-link"));
    EXPECT_FALSE(IsLinkPath(tree + L"sub"));
}

TEST_F(ShredCoreTest, LinksAreNeverListedOrWrittenAndTheirTargetsKeepTheirContent) {
    for (const wchar_t* name : {L"file-link.txt", L"folder-link"}) {
        SCOPED_TRACE(testing::Message() << name);
        EXPECT_EQ(AddShredPath(list, kPlantedLinks + name).check.refusal, ShredRefusal::Link);
    }
    EXPECT_EQ(list.Size(), 0u);
    // A row that names a link by the time of the run (it was a file when it was added).
    ShredRow row = RowOfPath(kPlantedLinks + L"file-link.txt");
    list.Append(row);
    ShredSummary summary = Shred(3);
    EXPECT_EQ(summary.leftAlone, 1);
    EXPECT_EQ(summary.bytesWritten, 0u);
    EXPECT_EQ(list.Size(), 1u);
    EXPECT_EQ(ReadFileText(kPlantedLinks + L"target.txt"), "precious");
    EXPECT_EQ(ReadFileText(kPlantedLinks + L"file-link.txt"), "precious") << "the link itself is not removed";
    EXPECT_EQ(ReadFileText(kPlantedLinks + L"folder\\sentinel.txt"), "precious");
}

TEST_F(ShredCoreTest, AFileWithAnotherNameLosesOnlyTheChosenNameAndKeepsItsContent) {
    WriteFileText(temp / L"chosen.txt", "shared content");
    ASSERT_TRUE(::CreateHardLinkW((temp / L"other.txt").c_str(), (temp / L"chosen.txt").c_str(), nullptr));
    Add(temp / L"chosen.txt");
    ShredSummary summary = Shred(1);
    EXPECT_EQ(summary.namesOnly, 1);
    EXPECT_FALSE(summary.AllShredded()) << "the user hears that its data was not overwritten";
    EXPECT_EQ(summary.bytesWritten, 0u);
    EXPECT_FALSE(FileExists(temp / L"chosen.txt"));
    EXPECT_EQ(ReadFileText(temp / L"other.txt"), "shared content");
    EXPECT_EQ(list.Size(), 0u);
    ASSERT_EQ(view.finished.size(), 1u);
    EXPECT_EQ(view.finished[0].second.Reason(), L"hard link");
}

TEST_F(ShredCoreTest, AFileThatCannotBeRemovedIsReportedAndStaysListed) {
    WriteFileText(temp / L"kept.txt", Pattern(1000));
    Add(temp / L"kept.txt");
    // Another program holds it without letting anyone delete or rename it.
    UniqueFileHandle holder(::CreateFileW((temp / L"kept.txt").c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    ShredSummary summary = Shred(1);
    holder.Reset();
    EXPECT_EQ(summary.notRemoved, 1);
    EXPECT_EQ(summary.shredded, 0);
    EXPECT_FALSE(summary.AllShredded());
    EXPECT_EQ(summary.bytesWritten, 1000u);
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_EQ(list.At(0)->name, L"kept.txt");
    EXPECT_TRUE(FileExists(temp / L"kept.txt")) << "the row still names the file";
    EXPECT_NE(ReadFileText(temp / L"kept.txt"), Pattern(1000));
}

TEST(ShredProgress, SizesOfFourGibibytesAndMoreKeepTheirWholeLengthAndTheBarItsRange) {
    const std::uint64_t total = 5ull << 30;  // 5 GiB, past 32 bits
    ProgressScale scale(total, 7);
    EXPECT_GT(scale.Range(), 0);
    EXPECT_EQ(scale.Position(total * 7), scale.Range());
    EXPECT_EQ(scale.Position(total * 7 / 2), scale.Range() / 2);
    EXPECT_EQ(scale.Position(total * 8), scale.Range()) << "never past the end";
    ProgressScale small(100000, 7);
    EXPECT_EQ(small.Range(), 100000);
    EXPECT_EQ(small.Position(350000), 50000);
}

TEST_F(ShredCoreTest, ASparseFileOfMoreThanFourGibibytesIsListedAndCountedWithItsFullSize) {
    const std::wstring path = temp / L"big.bin";
    const std::uint64_t size = (4ull << 30) + 4096;
    {
        UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file);
        DWORD returned = 0;
        ::DeviceIoControl(file.Get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(size);
        ASSERT_TRUE(::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(::SetEndOfFile(file.Get()));
    }
    Add(path);
    EXPECT_EQ(list.At(0)->size, size);
    ShredRecorder recorder;
    ShredRun run(list, recorder);
    // Stopped at once: the run has measured the whole file, and nothing is written.
    ::SetEvent(stop.Get());
    run.RunHere(1, stop.Get());
    EXPECT_EQ(recorder.total, size);
    ::DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace scw::test
