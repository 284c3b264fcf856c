#include "controls/StateImages.h"

#include <algorithm>

#include "controls/SkinDraw.h"

namespace scw {

bool StateImages::Load(std::span<const UINT> ids, SIZE size, Dpi dpi) {
    count_ = std::min(ids.size(), kMaxStates);
    std::copy_n(ids.begin(), count_, ids_);
    fromIds_ = true;
    size_ = size;
    LoadFor(dpi);
    return All();
}

void StateImages::LoadFor(Dpi dpi) {
    for (size_t i = 0; i < count_; ++i) {
        owned_[i].Reset();
        images_[i] = nullptr;
        for (size_t j = 0; j < i && !images_[i]; ++j)
            if (ids_[j] == ids_[i]) images_[i] = images_[j];
        if (images_[i]) continue;
        owned_[i] = LoadSkinBitmap(ids_[i], dpi);
        images_[i] = owned_[i].Get();
    }
    madeFor_ = dpi;
}

void StateImages::EnsureFor(Dpi dpi) {
    if (fromIds_ && madeFor_ != dpi) LoadFor(dpi);
}

void StateImages::Adopt(std::span<const HBITMAP> handles, SIZE size) {
    const size_t count = std::min(handles.size(), kMaxStates);
    UniqueBitmap fresh[kMaxStates];
    for (size_t i = 0; i < count; ++i) {
        bool repeated = false;
        for (size_t j = 0; j < i; ++j) repeated = repeated || handles[j] == handles[i];
        if (!repeated) fresh[i].Reset(handles[i]);
    }
    for (size_t i = 0; i < kMaxStates; ++i) {
        owned_[i] = std::move(fresh[i]);
        images_[i] = i < count ? handles[i] : nullptr;
        ids_[i] = 0;
    }
    count_ = count;
    fromIds_ = false;
    size_ = size;
}

bool StateImages::All() const {
    return count_ > 0 && std::all_of(images_, images_ + count_, [](HBITMAP image) { return image != nullptr; });
}

}  // namespace scw
