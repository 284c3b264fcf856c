#include "engine/OverwriteDelete.h"

#include <algorithm>
#include <atomic>
#include <random>
#include <vector>

namespace scw {

namespace {

std::atomic<bool> g_overwrite{false};

constexpr DWORD kBlockBytes = 64 * 1024;

// One random block for the process, made at its first use.
const std::vector<unsigned char>& RandomBlock() {
    static const std::vector<unsigned char> block = [] {
        std::vector<unsigned char> bytes(kBlockBytes);
        std::random_device seed;
        std::mt19937_64 generator((static_cast<std::uint64_t>(seed()) << 32) ^ seed());
        for (size_t i = 0; i < bytes.size(); i += 8) {
            const std::uint64_t value = generator();
            for (size_t j = 0; j < 8; ++j) bytes[i + j] = static_cast<unsigned char>(value >> (8 * j));
        }
        return bytes;
    }();
    return block;
}

std::wstring RandomName(size_t length) {
    static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 generator(seed());
    std::uniform_int_distribution<int> pick(0, 35);
    std::wstring name(std::max<size_t>(length, 1), L'a');
    for (wchar_t& c : name) c = kLetters[pick(generator)];
    return name;
}

bool Rewind(HANDLE file) {
    LARGE_INTEGER zero{};
    return ::SetFilePointerEx(file, zero, nullptr, FILE_BEGIN) != 0;
}

DeleteOutcome LastError() {
    const DWORD error = ::GetLastError();
    return DeleteOutcome::OfError(error ? error : ERROR_WRITE_FAULT);
}

// Random data over the whole file, flushed; then cut to nothing, so its old size goes too.
DeleteOutcome Overwrite(HANDLE file, std::uint64_t size) {
    if (!Rewind(file)) return LastError();
    const std::vector<unsigned char>& block = RandomBlock();
    for (std::uint64_t at = 0; at < size;) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::uint64_t>(size - at, kBlockBytes));
        DWORD done = 0;
        if (!::WriteFile(file, block.data(), chunk, &done, nullptr) || done == 0) return LastError();
        at += done;
    }
    if (!::FlushFileBuffers(file)) return LastError();
    if (!Rewind(file) || !::SetEndOfFile(file) || !::FlushFileBuffers(file)) return LastError();
    return {};
}

// The listed file opened for writing. A read-only file opens for writing only once its bit is
// cleared (when that is allowed), checked again by the opening that writes.
ListedFile OpenForOverwrite(const std::wstring& listedPath, bool clearReadOnly, DWORD& clearedAttributes) {
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_DELETE;  // no one writes beside us
    ListedFile file = ListedFile::Open(listedPath, GENERIC_WRITE, kShare);
    if (file.Ok() || file.Check().refusal != DeleteRefusal::Denied) return file;
    ListedFile probe = ListedFile::Open(listedPath);
    const DWORD attributes = probe.Info().dwFileAttributes;
    if (!probe.Ok() || !(attributes & FILE_ATTRIBUTE_READONLY) || !clearReadOnly) return file;
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = (attributes & ~FILE_ATTRIBUTE_READONLY) ? attributes & ~FILE_ATTRIBUTE_READONLY
                                                                   : FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileInformationByHandle(probe.Handle(), FileBasicInfo, &basic, sizeof(basic))) return file;
    clearedAttributes = attributes;
    ListedFile writable = ListedFile::Open(listedPath, GENERIC_WRITE, kShare);
    if (!writable.Ok()) {
        // Left as it was found.
        basic.FileAttributes = attributes;
        ::SetFileInformationByHandle(probe.Handle(), FileBasicInfo, &basic, sizeof(basic));
        clearedAttributes = 0;
    }
    return writable;
}

}  // namespace

void SetOverwriteBeforeDelete(bool on) { g_overwrite = on; }
bool OverwriteBeforeDelete() { return g_overwrite.load(); }

DeleteOptions UserDeleteOptions(DeleteOptions base) {
    base.overwrite = base.overwrite || OverwriteBeforeDelete();
    return base;
}

DeleteOutcome OverwriteListedFile(const std::wstring& listedPath, bool clearReadOnly) {
    DWORD clearedAttributes = 0;
    ListedFile file = OpenForOverwrite(listedPath, clearReadOnly, clearedAttributes);
    if (!file.Ok()) return file.Check();
    if (file.Info().nNumberOfLinks > 1) return file.Delete(clearReadOnly);
    // Where the system lets a read-only file open for writing (Wine run as root), the bit is still
    // the owner's word: it is judged before a byte is written.
    const DWORD attributes = file.Info().dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_READONLY) && !clearedAttributes) {
        if (!clearReadOnly) return DeleteOutcome::Refused(DeleteRefusal::Denied, ERROR_ACCESS_DENIED);
        FILE_BASIC_INFO basic{};
        basic.FileAttributes = (attributes & ~FILE_ATTRIBUTE_READONLY) ? attributes & ~FILE_ATTRIBUTE_READONLY
                                                                       : FILE_ATTRIBUTE_NORMAL;
        if (!::SetFileInformationByHandle(file.Handle(), FileBasicInfo, &basic, sizeof(basic))) return LastError();
    }
    const DeleteOutcome written = Overwrite(file.Handle(), file.Size());
    if (!written.Deleted()) return written;
    const std::wstring name = listedPath.substr(listedPath.find_last_of(L'\\') + 1);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD renamed = file.RenameTo(RandomName(name.size()));
        if (renamed != ERROR_ALREADY_EXISTS && renamed != ERROR_FILE_EXISTS) break;
    }
    const DeleteOutcome deleted = file.Delete(clearReadOnly);
    // Still there: back under the name it was listed by, so the list still finds it.
    if (!deleted.Deleted() && file.Path() != listedPath) file.RenameTo(name);
    return deleted;
}

}  // namespace scw
